// Customer-list benchmark: fills a customer table with generated Korean customers, then
// measures the program's list refresh, its peak memory and grid painting in a fresh
// process against the mariadb command-line client fetching the same statement.
//   orvel-bench-customers [--rows N] [--repeat R]
#include "BenchDatabase.h"
#include "BenchOptions.h"
#include "ClientReference.h"
#include "ProcessRun.h"
#include "RefreshProbe.h"
#include "app/Login.h"
#include "data/Cp949.h"
#include "data/SqlText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>

using namespace orvel;
using namespace orvel::bench;

namespace
{

void print(const char* name, double value, int decimals = 1)
{
    std::printf("%s=%.*f\n", name, decimals, value);
    std::fflush(stdout);
}

// Keeps the smallest value seen for every name=value line of the probe's output.
void keepBest(QMap<QByteArray, double>& best, const QString& outputPath)
{
    QFile file(outputPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArray name = line.left(eq);
        const double value = line.mid(eq + 1).toDouble();
        if (!best.contains(name) || value < best[name])
            best[name] = value;
    }
}

int runDriver(qint64 rows, int repeat)
{
    BenchDatabase bench;
    QElapsedTimer t;
    t.start();
    const bool generated = bench.prepareCustomers(rows);
    const double generateMs = double(t.nsecsElapsed()) / 1e6;
    bench.prepareMemberDirectory();
    print("customers_rows", double(rows), 0);
    print("customers_generated", generated ? 1 : 0, 0);
    if (generated)
        print("customers_generate_ms", generateMs);
    print("server_buffer_pool_mib", bench.warmServerCache(), 0);

    // The list statement after login, as the program builds it; the probe reports the
    // one it actually ran, which the client then runs.
    QByteArray statement = cp949::encode(
        QStringLiteral("SELECT ") + fullColumnList() + QStringLiteral(" FROM ") +
        sql::quoteIdentifier(BenchDatabase::customerTable()) + QStringLiteral("\r\nOrder by Name"));
    const ProcessResult warm =
        runClient(bench.server(), BenchDatabase::customerDatabase(), statement);
    if (warm.exitCode != 0) {
        std::fprintf(stderr, "bench: the mariadb client failed (%d)\n", warm.exitCode);
        return 1;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work; // private (0700): also serves as the probe's runtime folder
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", work.path().toLocal8Bit());
    const QString statementPath = work.filePath(QStringLiteral("statement.sql"));
    const QString outputPath = work.filePath(QStringLiteral("probe.out"));
    QMap<QByteArray, double> best;
    double clientMs = -1, clientPeak = -1;
    for (int i = 0; i < repeat; ++i) {
        const ProcessResult probe =
            runMeasured({QCoreApplication::applicationFilePath().toLocal8Bit(), "--probe",
                         QByteArray::number(rows), statementPath.toLocal8Bit()},
                        outputPath);
        if (probe.exitCode != 0) {
            std::fprintf(stderr, "bench: the refresh probe failed (%d)\n", probe.exitCode);
            return 1;
        }
        keepBest(best, outputPath);
        QFile sent(statementPath);
        if (sent.open(QIODevice::ReadOnly)) {
            const QByteArray actual = sent.readAll();
            if (actual != statement)
                std::fprintf(stderr, "bench: the program ran: %s\n", actual.constData());
            statement = actual;
        }
        const ProcessResult client =
            runClient(bench.server(), BenchDatabase::customerDatabase(), statement);
        if (client.exitCode != 0) {
            std::fprintf(stderr, "bench: the mariadb client failed (%d)\n", client.exitCode);
            return 1;
        }
        clientMs = clientMs < 0 ? client.wallMs : std::min(clientMs, client.wallMs);
        clientPeak = clientPeak < 0 ? client.peakMiB : std::min(clientPeak, client.peakMiB);
    }

    for (auto it = best.cbegin(); it != best.cend(); ++it)
        print(it.key().constData(), it.value());
    print("client_ms", clientMs);
    print("client_peak_mib", clientPeak);
    print("refresh_time_ratio", best.value("refresh_ms") / clientMs, 2);
    print("refresh_memory_ratio", best.value("refresh_peak_mib") / clientPeak, 2);
    print("paint_end_start_ratio", best.value("paint_end_ms") / best.value("paint_start_ms"), 2);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        if (argc == 4 && std::strcmp(argv[1], "--probe") == 0)
            return runRefreshProbe(argc, argv, QByteArray(argv[2]).toLongLong(),
                                   QString::fromLocal8Bit(argv[3]));
        QCoreApplication app(argc, argv);
        const auto options = parseBenchOptions(app.arguments());
        if (!options)
            return 2;
        return runDriver(options->rows, options->repeat);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: %s\n", e.what());
        return 1;
    }
}
