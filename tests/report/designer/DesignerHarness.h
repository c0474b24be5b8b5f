#pragma once

// Opens a real designer window on a report and drives its page view with the mouse.

#include "report/Report.h"
#include "report/designer/BandItem.h"
#include "report/designer/DesignScene.h"
#include "report/designer/DesignView.h"
#include "report/designer/DesignerWindow.h"
#include "report/designer/ObjectItem.h"

#include <QAction>
#include <QtTest>
#include <memory>

namespace designer_test
{

using namespace orvel::report;

/// A list page: a column header, a master data band with two fields, a page footer.
inline ReportTemplate listTemplate()
{
    ReportTemplate t = ReportTemplate::newReport();
    ReportPage& p = t.pages[0];
    auto memo = [](const QString& name, double left, const QString& text) {
        ReportObject o;
        o.name = name;
        o.left = left;
        o.top = 4;
        o.width = 100;
        o.height = 20;
        o.text = text;
        return o;
    };
    Band header;
    header.type = Band::ColumnHeader;
    header.name = QStringLiteral("ColumnHeader1");
    header.height = 30;
    header.objects = {memo(QStringLiteral("Title1"), 10, QStringLiteral("이름")),
                      memo(QStringLiteral("Title2"), 150, QStringLiteral("우편번호"))};
    Band master;
    master.type = Band::MasterData;
    master.name = QStringLiteral("MasterData1");
    master.dataSetName = QStringLiteral("RPTDB");
    master.height = 30;
    master.top = 100;
    master.objects = {memo(QStringLiteral("Memo1"), 10, QStringLiteral("[RPTDB.\"name\"]")),
                      memo(QStringLiteral("Memo2"), 150, QStringLiteral("[RPTDB.\"home_post\"]"))};
    master.objects[1].width = 80;
    Band footer;
    footer.type = Band::PageFooter;
    footer.name = QStringLiteral("PageFooter1");
    footer.height = 30;
    footer.top = 200;
    p.bands = {header, master, footer};
    return t;
}

inline MemoryDataSource customerRows(int count)
{
    std::vector<QVariantList> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({QStringLiteral("고객%1").arg(i), QStringLiteral("%1").arg(10000 + i),
                        QStringLiteral("서울특별시 중구 세종대로 %1").arg(i),
                        QStringLiteral("010-0000-%1").arg(1000 + i)});
    return MemoryDataSource({"name", "home_post", "home_address", "handphone"}, std::move(rows));
}

/// A shown designer window with its parts at hand.
struct Session {
    explicit Session(Report& report, const DesignerOptions& options = {})
        : window(std::make_unique<DesignerWindow>(report, options))
    {
        window->resize(1300, 900);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("designer window not exposed");
        view()->setZoom(1.0);
        view()->centerOn(0, 0);
    }
    ReportDocument* doc() const { return window->document(); }
    DesignView* view() const { return window->view(); }
    DesignScene* scene() const { return window->scene(); }
    QWidget* viewport() const { return window->view()->viewport(); }
    void trigger(const char* action) const
    {
        QAction* a = window->action(QLatin1String(action));
        QVERIFY2(a, action);
        a->trigger();
    }
    /// The viewport point of a point given relative to a band's top-left.
    QPoint at(int band, QPointF inBand) const
    {
        return view()->mapFromScene(scene()->bandOrigin(band) + inBand);
    }
    QPoint centreOf(const ObjectRef& r) const { return at(r.band, doc()->objectRect(r).center()); }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) const
    {
        QTest::mousePress(viewport(), Qt::LeftButton, mods, from);
        const QPoint mid = from + (to - from) / 2;
        QTest::mouseMove(viewport(), mid);
        QTest::mouseMove(viewport(), to);
        QTest::mouseRelease(viewport(), Qt::LeftButton, mods, to);
    }
    void click(QPoint p, Qt::KeyboardModifiers mods = {}) const
    {
        QTest::mouseClick(viewport(), Qt::LeftButton, mods, p);
    }
    std::unique_ptr<DesignerWindow> window;
};

} // namespace designer_test
