// Search benchmark: on the generated customer table (shared with the list benchmark) it
// times the value list of the name column and a like-search on the name, each against
// the mariadb command-line client running the same statement in the same run; then the
// search dialog opening with 100,000 distinct values in its value box.
//   orvel-bench-search [--rows N] [--repeat R]
#include "BenchDatabase.h"
#include "BenchOptions.h"
#include "ClientReference.h"
#include "app/Login.h"
#include "customers/search/SearchGrammar.h"
#include "customers/search/TSQLInF.h"
#include "customers/search/ValueList.h"
#include "data/Cp949.h"
#include "data/Query.h"
#include "data/SqlText.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>

using namespace orvel;
using namespace orvel::bench;

namespace
{

void print(const char* name, double value, int decimals = 1)
{
    std::printf("%s=%.*f\n", name, decimals, value);
    std::fflush(stdout);
}

// The smallest wall time of `repeat` runs, in milliseconds.
double bestMs(int repeat, const std::function<void()>& run)
{
    double best = -1;
    for (int i = 0; i < repeat; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}

double clientMs(const BenchDatabase& bench, const QByteArray& statement, int repeat)
{
    double best = -1;
    for (int i = 0; i < repeat; ++i) {
        const ProcessResult r =
            runClient(bench.server(), BenchDatabase::customerDatabase(), statement);
        if (r.exitCode != 0)
            throw std::runtime_error("the mariadb client failed");
        best = best < 0 ? r.wallMs : std::min(best, r.wallMs);
    }
    return best;
}

QByteArray statementOf(const Query& q)
{
    return cp949::encode(q.statement());
}

int run(qint64 rows, int repeat)
{
    BenchDatabase bench;
    if (bench.prepareCustomers(rows))
        std::fprintf(stderr, "bench: generated %lld customers\n", rows);
    print("search_rows", double(rows), 0);

    ConnectionSettings settings = bench.server();
    settings.database = BenchDatabase::customerDatabase();
    Connection connection(QStringLiteral("DBConnect"), settings);
    Query scratch(connection, QStringLiteral("Temp_Data"));
    Query list(connection, QStringLiteral("GoDB"));
    const QString listSelect = QStringLiteral("SELECT ") + fullColumnList() +
                               QStringLiteral(" FROM ") +
                               sql::quoteIdentifier(BenchDatabase::customerTable());
    // Warm the server's buffers so neither side pays for the first read from disk.
    clientMs(bench,
             "select count(*), max(name) from " +
                 sql::quoteIdentifier(BenchDatabase::customerTable()).toUtf8(),
             1);

    // Value list of the name column under an empty condition, as a title click loads it.
    QStringList values;
    const double valueListMs = bestMs(repeat, [&] {
        values = ValueList::load(scratch, listSelect, QString(), QStringLiteral("name"));
    });
    const double valueListClient = clientMs(bench, statementOf(scratch), repeat);
    print("valuelist_values", double(values.size()), 0);
    print("valuelist_ms", valueListMs);
    print("valuelist_client_ms", valueListClient);
    print("valuelist_time_ratio", valueListMs / valueListClient, 2);

    // A like-search on the name, as the first search term makes the list statement.
    const QString condition =
        appendTerm(QString(), false, QStringLiteral("name"), QStringLiteral(" like "),
                   termValue(ColumnKind::Other, QStringLiteral(" like "), QStringLiteral("민"),
                             [&](const QString& t) { return connection.quoteLiteral(t); }));
    list.addLine(listSelect);
    list.addLine(QStringLiteral("Where ") + condition);
    list.addLine(QStringLiteral("Order by Name"));
    const double likeMs = bestMs(repeat, [&] { list.open(); });
    const double likeClient = clientMs(bench, statementOf(list), repeat);
    print("like_rows", double(list.rowCount()), 0);
    print("like_ms", likeMs);
    print("like_client_ms", likeClient);
    print("like_time_ratio", likeMs / likeClient, 2);
    list.close();

    // The value list as a group by over the whole select (every column carried through
    // the sort), for comparison with the distinct statement used above; client only.
    const QByteArray grouped =
        cp949::encode(listSelect + QStringLiteral("\r\n group by name\r\n order by name"));
    const ProcessResult groupBy =
        runClient(bench.server(), BenchDatabase::customerDatabase(), grouped);
    if (groupBy.exitCode == 0)
        print("valuelist_groupby_client_ms", groupBy.wallMs);
    else
        std::fprintf(stderr, "bench: the grouped value list failed in the client (%d)\n",
                     groupBy.exitCode);

    // The dialog with 100,000 distinct values: prepare, fill the value box, show it and
    // let it paint; then open the drop-down.
    QStringList many;
    many.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        many.append(QStringLiteral("고객%1").arg(i, 6, 10, QLatin1Char('0')));
    const double openMs = bestMs(repeat, [&] {
        TSQLInF dialog;
        dialog.prepare(QString(), QStringLiteral("이름"), ColumnKind::Other);
        dialog.setValueList(many);
        dialog.show();
        QApplication::processEvents();
        dialog.hide();
    });
    const double popupMs = bestMs(repeat, [&] {
        TSQLInF dialog;
        dialog.prepare(QString(), QStringLiteral("이름"), ColumnKind::Other);
        dialog.setValueList(many);
        dialog.show();
        QApplication::processEvents();
        dialog.SQ_Text->showPopup();
        QApplication::processEvents();
        dialog.SQ_Text->hidePopup();
        dialog.hide();
    });
    print("dialog_open_100k_ms", openMs);
    print("dialog_open_popup_100k_ms", popupMs);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        const auto options = parseBenchOptions(app.arguments());
        if (!options)
            return 2;
        return run(options->rows, options->repeat);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: %s\n", e.what());
        return 1;
    }
}
