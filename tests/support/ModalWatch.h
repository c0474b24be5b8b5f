#pragma once

// Drives the next modal window of a test the way a user would, while exec() runs it.

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace orvel::test
{

/// Runs f on the next modal window of type W once it shows, then closes it if f left it
/// open. The watch ends with the context object, so a window that never shows leaves
/// nothing behind; *seen tells whether it showed.
template <typename W> void onModal(QObject* context, std::function<void(W*)> f, bool* seen)
{
    QTimer::singleShot(50, context, [context, f, seen] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!w) {
            onModal<W>(context, f, seen);
            return;
        }
        *seen = true;
        f(w);
        if (w->isVisible())
            w->reject();
    });
}

/// Presses the cancel button of the first progress dialog that shows, as a user stopping
/// long work at once; *pressed tells whether it did. The watch ends with the context.
inline void pressCancelWhenProgressShows(QObject* context, bool* pressed)
{
    QTimer::singleShot(2, context, [context, pressed] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QProgressDialog*>(top); dialog && dialog->isVisible())
                if (auto* cancel = dialog->findChild<QPushButton*>()) {
                    *pressed = true;
                    QTest::mouseClick(cancel, Qt::LeftButton);
                    return;
                }
        pressCancelWhenProgressShows(context, pressed);
    });
}

} // namespace orvel::test
