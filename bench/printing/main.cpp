// Print benchmark: on generated customers it presses the customer page's print button in
// a fresh program process for the list and the 3 x 8 labels (click to the preview's first
// page, PDF export, peak memory), then has LibreOffice turn a CSV of the same rows into a
// PDF, and prints both as name=value lines with their ratios.
//   orvel-bench-printing [--rows N]
#include "BenchDatabase.h"
#include "BenchOptions.h"
#include "PrintProbe.h"
#include "ProcessRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
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

QMap<QByteArray, double> readValues(const QString& path)
{
    QMap<QByteArray, double> values;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (const qsizetype eq = line.indexOf('='); eq > 0)
                values[line.left(eq)] = line.mid(eq + 1).toDouble();
    return values;
}

int pdfPages(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished(60000);
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// LibreOffice's headless conversion of a UTF-8 CSV (comma, double quotes) to PDF.
ProcessResult libreOffice(const QString& profile, const QString& csv, const QString& outDir)
{
    return runMeasured({"soffice", "--headless", "--norestore",
                        "-env:UserInstallation=file://" + profile.toUtf8(),
                        "--infilter=CSV:44,34,76,1", "--convert-to", "pdf", "--outdir",
                        outDir.toUtf8(), csv.toUtf8()});
}

int runDriver(qint64 rows)
{
    BenchDatabase bench;
    const bool generated = bench.prepareCustomers(rows);
    bench.prepareMemberDirectory();
    bench.addPrintForm(QStringLiteral("고객 목록"), QStringLiteral("customer_list.fr3"));
    bench.addPrintForm(QStringLiteral("우편 라벨"), QStringLiteral("mailing_labels_3x8.fr3"));
    print("print_rows", double(rows), 0);
    print("print_customers_generated", generated ? 1 : 0, 0);
    bench.warmServerCache();

    QTemporaryDir work;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", work.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString csv = work.filePath(QStringLiteral("customers.csv"));
    const QString values = work.filePath(QStringLiteral("probe.out"));
    const ProcessResult probe =
        runMeasured({QCoreApplication::applicationFilePath().toLocal8Bit(), "--probe",
                     QByteArray::number(rows), csv.toLocal8Bit()},
                    values);
    if (probe.exitCode != 0) {
        std::fprintf(stderr, "bench: the print probe failed (%d)\n", probe.exitCode);
        return 1;
    }
    const QMap<QByteArray, double> ours = readValues(values);
    for (auto it = ours.cbegin(); it != ours.cend(); ++it)
        print(it.key().constData(), it.value());
    print("print_probe_peak_mib", probe.peakMiB);

    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()) {
        std::fprintf(stderr, "bench: soffice is not installed; no comparison\n");
        return 0;
    }
    // The first start builds LibreOffice's profile; it is not measured.
    const QString profile = work.filePath(QStringLiteral("lo-profile"));
    const QString warmCsv = work.filePath(QStringLiteral("warm.csv"));
    {
        QFile f(warmCsv);
        if (f.open(QIODevice::WriteOnly))
            f.write("a,b\n1,2\n");
    }
    const QString outDir = work.filePath(QStringLiteral("lo"));
    QDir().mkpath(outDir);
    libreOffice(profile, warmCsv, outDir);
    const ProcessResult lo = libreOffice(profile, csv, outDir);
    const QString loPdf = outDir + QStringLiteral("/customers.pdf");
    if (lo.exitCode != 0 || !QFile::exists(loPdf)) {
        std::fprintf(stderr, "bench: LibreOffice failed (%d)\n", lo.exitCode);
        return 1;
    }
    print("libreoffice_csv_to_pdf_ms", lo.wallMs);
    print("libreoffice_peak_mib", lo.peakMiB);
    print("libreoffice_pages", pdfPages(loPdf), 0);
    print("libreoffice_pdf_mib", QFileInfo(loPdf).size() / (1024.0 * 1024.0));
    const double oursMs = ours.value("print_list_click_to_pdf_ms");
    print("print_list_vs_libreoffice_time_ratio", lo.wallMs / oursMs, 2);
    print("print_list_first_page_vs_libreoffice_ratio",
          lo.wallMs / ours.value("print_list_click_to_first_page_ms"), 2);
    print("print_memory_vs_libreoffice_ratio", ours.value("print_list_peak_mib") / lo.peakMiB, 2);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        if (argc == 4 && std::strcmp(argv[1], "--probe") == 0)
            return runPrintProbe(argc, argv, QByteArray(argv[2]).toLongLong(),
                                 QString::fromLocal8Bit(argv[3]));
        QCoreApplication app(argc, argv);
        const auto options = parseBenchOptions(app.arguments());
        if (!options)
            return 2;
        return runDriver(options->rows);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench: %s\n", e.what());
        return 1;
    }
}
