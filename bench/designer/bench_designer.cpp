// Designer benchmark: opening a template of 2,000 objects and moving 500 of them one step.
// Prints name=value lines (times in ms; ratios against the goals as plain numbers).
#include "report/Report.h"
#include "report/designer/DesignEdits.h"
#include "report/designer/DesignScene.h"
#include "report/designer/DesignView.h"
#include "report/designer/DesignerWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTextStream>
#include <algorithm>

using namespace orvel::report;

namespace
{

constexpr double OpenGoalMs = 300;
constexpr double MoveGoalMs = 30;

// Ten bands of 200 text objects: a dense list page.
ReportTemplate bigTemplate()
{
    ReportTemplate t = ReportTemplate::newReport();
    ReportPage& page = t.pages[0];
    for (int b = 0; b < 10; ++b) {
        Band band;
        band.type = b == 0 ? Band::PageHeader : Band::MasterData;
        band.name = QStringLiteral("Band%1").arg(b + 1);
        band.height = 200;
        band.top = b * 220;
        for (int i = 0; i < 200; ++i) {
            ReportObject o;
            o.name = QStringLiteral("Memo%1").arg(b * 200 + i + 1);
            o.left = (i % 10) * 70;
            o.top = (i / 10) * 10;
            o.width = 66;
            o.height = 9;
            o.text = QStringLiteral("[RPTDB.\"field%1\"]").arg(i % 17);
            o.frame.sides = 15;
            band.objects.push_back(o);
        }
        page.bands.push_back(band);
    }
    return t;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    Report report;
    report.reportTemplate() = bigTemplate();

    std::vector<double> opens, moves;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        DesignerWindow window(report, {});
        window.resize(1280, 900);
        window.show();
        window.view()->viewport()->repaint();
        QApplication::processEvents();
        opens.push_back(timer.nsecsElapsed() / 1e6);

        // 500 objects of two bands, moved by one grid step with the arrow key.
        ReportDocument* doc = window.document();
        std::vector<ObjectRef> refs;
        for (int b = 2; b < 4; ++b)
            for (int i = 0; i < 250 && i < int(doc->band(b).objects.size()); ++i)
                refs.push_back({b, i, false});
        doc->selectObjects(refs);
        QApplication::processEvents();
        for (int step = 0; step < 5; ++step) {
            // The key, the undo step, the scene following it and the repaint.
            timer.restart();
            QTest::keyClick(window.view()->viewport(), Qt::Key_Right);
            QApplication::processEvents();
            QApplication::processEvents();
            moves.push_back(timer.nsecsElapsed() / 1e6);
        }
        if (doc->band(2).objects[0].left <= 0)
            qFatal("the objects did not move");
    }
    const double open = median(opens);
    const double move = median(moves);
    out << "designer_open_2000_objects_ms=" << open << "\n";
    out << "designer_open_ratio_to_goal=" << open / OpenGoalMs << "\n";
    out << "designer_move_500_objects_ms=" << move << "\n";
    out << "designer_move_ratio_to_goal=" << move / MoveGoalMs << "\n";
    return 0;
}
