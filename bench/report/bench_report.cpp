// Report engine benchmark: prepare and PDF export of the shipped templates over many rows.
// Prints name=value lines (times in ms, sizes and memory in MiB, ratios as plain numbers).
#include "report/Report.h"
#include "report/export/PdfExport.h"
#include "report/prepared/PreparedFormat.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>
#include <sys/resource.h>

using namespace orvel::report;

namespace
{

double cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

// Memory the prepared pages hold: items and their texts.
double keptMiB(const PreparedReport& r)
{
    double bytes = 0;
    for (const PreparedPage& p : r.pages) {
        bytes += sizeof(PreparedPage) + p.items.capacity() * sizeof(PreparedItem);
        for (const PreparedItem& it : p.items)
            bytes += it.text.capacity() * sizeof(QChar);
    }
    return bytes / (1024.0 * 1024.0);
}

double peakRssMiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

MemoryDataSource customers(int count)
{
    static const char* const family[] = {"김", "이", "박", "최", "정", "강", "조", "윤"};
    static const char* const given[] = {"민준", "서연", "도윤", "하은", "시우", "지우"};
    static const char* const city[] = {
        "서울특별시 강남구 테헤란로", "부산광역시 해운대구 센텀중앙로",
        "대구광역시 수성구 달구벌대로", "경기도 성남시 분당구 판교역로"};
    std::vector<QVariantList> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        rows.push_back(
            {QString::fromUtf8(family[i % 8]) + QString::fromUtf8(given[(i / 8) % 6]),
             QString::number(10000 + (i * 37) % 89999),
             QStringLiteral("%1 %2, %3층 %4호")
                 .arg(QString::fromUtf8(city[i % 4]))
                 .arg(1 + i % 500)
                 .arg(1 + i % 20)
                 .arg(100 + i % 900),
             QStringLiteral("02-%1-%2").arg(200 + i % 800).arg(1000 + i % 9000),
             QStringLiteral("010-%1-%2").arg(1000 + i % 9000).arg(1000 + (i * 7) % 9000)});
    }
    return MemoryDataSource({"name", "home_post", "home_address", "home_tel", "handphone"},
                            std::move(rows));
}

struct Run {
    int pages = 0;
    double prepareMs = 0;
    double pdfMs = 0; // CPU
    double pdfWallMs = 0;
    double pdfMiB = 0;
    double fp3MiB = 0;
    double keptMiB = 0; // memory the prepared pages hold
};

Run measure(const QString& templ, int rows, bool pdf)
{
    Report report;
    report.loadTemplate(QStringLiteral(REPORT_SHIPPED_DATA "/") + templ);
    auto data = customers(rows);
    report.setDataSource(&data, QStringLiteral("RPTDB"));
    Run r;
    double t = cpuMs();
    report.prepare();
    r.prepareMs = cpuMs() - t;
    r.keptMiB = keptMiB(report.prepared());
    r.pages = int(report.prepared().pages.size());
    QBuffer fp3;
    fp3.open(QIODevice::WriteOnly);
    PreparedFormat().write(report.prepared(), &fp3);
    r.fp3MiB = fp3.size() / (1024.0 * 1024.0);
    if (pdf) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        PdfExport exporter;
        QElapsedTimer wall;
        wall.start();
        const double cpu = cpuMs();
        exporter.write(report.prepared(), &out);
        r.pdfMs = cpuMs() - cpu;
        r.pdfWallMs = double(wall.elapsed());
        r.pdfMiB = out.size() / (1024.0 * 1024.0);
    }
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    auto line = [&](const char* name, double value) {
        out << "report_" << name << '=' << QString::number(value, 'f', 3) << '\n';
        out.flush();
    };

    measure(QStringLiteral("customer_list.fr3"), 200, true); // warm up fonts and caches

    const Run small = measure(QStringLiteral("customer_list.fr3"), 1000, false);
    const Run list = measure(QStringLiteral("customer_list.fr3"), 10000, true);
    line("list_10k_pages", list.pages);
    line("list_10k_prepare_cpu_ms", list.prepareMs);
    line("list_10k_prepare_pages_per_s", list.pages / (list.prepareMs / 1000.0));
    line("list_10k_prepare_vs_1s_target", list.prepareMs / 1000.0);
    line("list_prepare_10k_vs_1k_ratio", list.prepareMs / std::max(0.001, small.prepareMs));
    line("list_10k_pdf_cpu_ms", list.pdfMs);
    line("list_10k_pdf_wall_ms", list.pdfWallMs);
    line("list_10k_pdf_pages_per_s", list.pages / (list.pdfMs / 1000.0));
    line("list_10k_pdf_mib", list.pdfMiB);
    line("list_10k_fp3_mib", list.fp3MiB);
    line("list_10k_kept_mib", list.keptMiB);

    const Run labels = measure(QStringLiteral("mailing_labels_3x8.fr3"), 10000, true);
    line("labels_10k_pages", labels.pages);
    line("labels_10k_prepare_cpu_ms", labels.prepareMs);
    line("labels_10k_prepare_vs_1s_target", labels.prepareMs / 1000.0);
    line("labels_10k_pdf_cpu_ms", labels.pdfMs);
    line("labels_10k_pdf_pages_per_s", labels.pages / (labels.pdfMs / 1000.0));
    line("labels_10k_pdf_mib", labels.pdfMiB);
    line("labels_10k_kept_mib", labels.keptMiB);

    // 24,000 labels make 1,000 pages: the PDF target is under 10 s and well under 10 MB.
    const Run thousand = measure(QStringLiteral("mailing_labels_3x8.fr3"), 24000, true);
    line("pdf_1000_pages", thousand.pages);
    line("pdf_1000_pages_cpu_ms", thousand.pdfMs);
    line("pdf_1000_pages_wall_ms", thousand.pdfWallMs);
    line("pdf_1000_pages_vs_10s_target", thousand.pdfMs / 10000.0);
    line("pdf_1000_pages_mib", thousand.pdfMiB);
    line("pdf_1000_pages_vs_10mib_target", thousand.pdfMiB / 10.0);
    line("kept_mib_1000_pages", thousand.keptMiB);
    line("kept_per_page_1000_vs_417_pages_ratio",
         (thousand.keptMiB / thousand.pages) / std::max(1e-9, labels.keptMiB / labels.pages));
    line("peak_rss_mib", peakRssMiB());
    return 0;
}
