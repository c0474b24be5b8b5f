#pragma once

// Drives the settings dialog of a running main window the way a user does.

#include "AppHarness.h"
#include "admin/TConfigF.h"
#include "app/TMainF.h"

#include <QAction>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

namespace orvel::test
{

/// Triggers the settings command and returns the dialog it shows.
inline TConfigF* openConfig(AppHarness& app)
{
    app.window().A_Config->trigger();
    auto* dialog = app.window().findChild<TConfigF*>(QStringLiteral("TConfigF"));
    if (dialog && !QTest::qWaitForWindowExposed(dialog))
        return nullptr;
    return dialog;
}

/// Clicks the tab whose caption is `caption`; false when it is missing or hidden.
inline bool clickTab(TConfigF* dialog, const QString& caption)
{
    QTabBar* bar = dialog->pages()->tabBar();
    for (int i = 0; i < bar->count(); ++i) {
        if (bar->tabText(i) == caption) {
            if (!bar->isTabVisible(i))
                return false;
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
            return dialog->pages()->currentIndex() == i;
        }
    }
    return false;
}

/// Clicks the first entry of a list whose text is `text`; false when there is none.
inline bool clickEntry(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
    return list->currentItem() == found.first() && found.first()->isSelected();
}

/// The entries of a list widget, in order.
inline QStringList entries(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

} // namespace orvel::test
