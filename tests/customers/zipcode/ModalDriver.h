#pragma once

// Drives a modal dialog of the program from inside its own event loop: the step runs
// once the dialog is the active modal widget.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace orvel::test
{

/// Runs `step` on the next modal widget of type D to appear, and closes the dialog if the
/// step left it open. Gives up after five seconds, closing whatever is modal then, so a
/// missing dialog fails the test instead of hanging it. `seen` (optional) is set when the step ran.
template <class D> void whenModal(std::function<void(D*)> step, bool* seen = nullptr)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, step, seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (D* dialog = qobject_cast<D*>(modal)) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            if (seen)
                *seen = true;
            QPointer<D> alive(dialog);
            step(dialog);
            // A step that failed part-way leaves the dialog open: end it.
            if (alive && alive->isVisible())
                alive->close();
        } else if (clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            if (modal)
                modal->close();
        }
    });
    timer->start(10);
}

} // namespace orvel::test
