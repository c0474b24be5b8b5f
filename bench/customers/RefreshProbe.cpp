#include "RefreshProbe.h"

#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "ProcessRun.h"
#include "app/TMainF.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "data/Cp949.h"
#include "data/Query.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace orvel::bench
{

namespace
{

constexpr int PaintRepetitions = 15;

void print(const char* name, double value)
{
    std::printf("%s=%.1f\n", name, value);
}

double elapsedMs(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Median time of rendering the whole grid (titles, row indicator and the visible rows).
double paintMs(CustomerGrid* grid)
{
    QPixmap warm = grid->grab();
    std::vector<double> times;
    for (int i = 0; i < PaintRepetitions; ++i) {
        QElapsedTimer t;
        t.start();
        QPixmap shot = grid->grab();
        times.push_back(elapsedMs(t));
        if (shot.isNull())
            return -1;
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool fail(const char* what)
{
    std::fprintf(stderr, "refresh probe: %s\n", what);
    return false;
}

} // namespace

int runRefreshProbe(int argc, char** argv, qint64 expectedRows, const QString& statementPath)
{
    GuardedApplication app(argc, argv);
    BenchProgram program;
    if (!program.started()) {
        fail("the program did not start");
        return 1;
    }
    TMainF& window = program.window();
    const QStringList& messages = program.messages();
    print("refresh_baseline_mib", selfPeakMiB());

    // The real login: the member row, the workspace entry and its first list refresh.
    QElapsedTimer t;
    t.start();
    program.login();
    print("refresh_login_ms", elapsedMs(t));
    print("refresh_login_peak_mib", selfPeakMiB());

    CustomerWorkspace* ws = window.workspace();
    const QString caption = QStringLiteral("고객자료-[검색=%1명]")
                                .arg(QLocale(QLocale::English).toString(expectedRows));
    auto check = [&] {
        if (!messages.isEmpty())
            return fail(qPrintable(QStringLiteral("message shown: ") + messages.join(" / ")));
        if (ws->gridModel()->rowCount() != expectedRows)
            return fail("the grid does not hold every customer");
        if (ws->tabText(0) != caption)
            return fail(qPrintable(QStringLiteral("caption is ") + ws->tabText(0)));
        return true;
    };
    if (!check())
        return 1;

    // The measured refresh: statement, fetch, caption and column layout, then the grid
    // painted once.
    t.restart();
    ws->refreshCustomerList();
    print("refresh_call_ms", elapsedMs(t));
    BenchProgram::settle();
    print("refresh_ms", elapsedMs(t));
    print("refresh_peak_mib", selfPeakMiB());
    print("refresh_resident_mib", selfResidentMiB());
    if (!check())
        return 1;

    QFile statement(statementPath);
    if (!statement.open(QIODevice::WriteOnly)) {
        fail("cannot write the statement file");
        return 1;
    }
    statement.write(cp949::encode(window.db().GoDB.statement()));
    statement.close();

    // Painting a screen of rows at the top and at the bottom of the list.
    CustomerGrid* grid = ws->grid();
    grid->scrollToTop();
    BenchProgram::settle();
    print("paint_start_ms", paintMs(grid));
    t.restart();
    grid->scrollToBottom();
    BenchProgram::settle();
    print("paint_scroll_end_ms", elapsedMs(t));
    if (grid->rowAt(grid->viewport()->height() - 1) != expectedRows - 1 &&
        grid->rowAt(grid->viewport()->height() - 2) != expectedRows - 1) {
        fail("scrolling did not reach the last row");
        return 1;
    }
    print("paint_end_ms", paintMs(grid));
    print("paint_peak_mib", selfPeakMiB());

    // For the analysis: the same statement fetched by a bare query, without the grid.
    t.restart();
    {
        Query bare(window.db().DBConnect, QStringLiteral("BareList"));
        bare.setSql(window.db().GoDB.statement());
        bare.open();
        print("refresh_bare_open_ms", elapsedMs(t));
    }
    std::fflush(stdout);
    return 0;
}

} // namespace orvel::bench
