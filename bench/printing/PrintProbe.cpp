#include "PrintProbe.h"

#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "ProcessRun.h"
#include "app/TMainF.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "data/Query.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"
#include "printing/PrintFormSelector.h"
#include "printing/ReportObjects.h"
#include "report/preview/PreviewPageView.h"
#include "report/preview/PreviewWindow.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace orvel::bench
{

namespace
{

void print(const char* prefix, const char* name, double value)
{
    std::printf("%s_%s=%.1f\n", prefix, name, value);
    std::fflush(stdout);
}

double elapsedMs(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Memory the kept pages hold: their items and texts.
double keptMiB(const report::PreparedReport& r)
{
    double bytes = 0;
    for (const report::PreparedPage& p : r.pages) {
        bytes += sizeof(report::PreparedPage) + p.items.capacity() * sizeof(report::PreparedItem);
        for (const report::PreparedItem& it : p.items)
            bytes += it.text.capacity() * sizeof(QChar);
    }
    return bytes / (1024.0 * 1024.0);
}

struct PrintRun {
    bool shown = false;
    double firstPageMs = 0; // click to the preview window showing its first page
    double pdfMs = 0;       // the preview's PDF export
    double pdfMiB = 0;
    int pages = 0;
};

// Presses print with the named form selected; once the preview shows, paints its first
// page, exports the report to PDF and closes the preview.
PrintRun printOnce(TMainF& window, const QString& form, const QString& pdfPath)
{
    PrintRun run;
    PrintFormSelector* selector = window.printForms();
    selector->forms()->setCurrentIndex(selector->forms()->findText(form));
    QElapsedTimer clock;
    std::function<void()> watch = [&] {
        auto* preview = qobject_cast<report::PreviewWindow*>(QApplication::activeModalWidget());
        if (!preview) {
            QTimer::singleShot(1, &window, watch);
            return;
        }
        preview->pageView()->viewport()->repaint();
        run.firstPageMs = elapsedMs(clock);
        run.shown = true;
        run.pages = preview->pageView()->pageCount();
        QElapsedTimer pdf;
        pdf.start();
        preview->exportTo(QStringLiteral("pdf"), pdfPath);
        run.pdfMs = elapsedMs(pdf);
        run.pdfMiB = QFileInfo(pdfPath).size() / (1024.0 * 1024.0);
        preview->reject();
    };
    QTimer::singleShot(1, &window, watch);
    clock.start();
    selector->printButton()->click();
    return run;
}

bool writeCsv(Query& list, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QStringList columns = {QStringLiteral("name"), QStringLiteral("home_post"),
                                 QStringLiteral("home_address"), QStringLiteral("home_tel"),
                                 QStringLiteral("handphone")};
    QByteArray out = "이름,우편번호,주소,전화,휴대폰\n";
    for (list.first(); !list.eof(); list.next()) {
        for (int c = 0; c < columns.size(); ++c) {
            QString v = list.fieldAsString(columns[c]);
            v.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            out += (c ? ",\"" : "\"") + v.toUtf8() + '"';
        }
        out += '\n';
        if (out.size() > (1 << 20)) {
            file.write(out);
            out.clear();
        }
    }
    file.write(out);
    return file.flush();
}

} // namespace

int runPrintProbe(int argc, char** argv, qint64 expectedRows, const QString& csvPath)
{
    GuardedApplication app(argc, argv);
    BenchProgram program;
    if (!program.started()) {
        std::fprintf(stderr, "print probe: the program did not start\n");
        return 1;
    }
    const QDir programDir(program.programDir());
    programDir.mkpath(QStringLiteral("orvel_data"));
    for (const char* name : {"customer_list.fr3", "mailing_labels_3x8.fr3"})
        QFile::copy(QStringLiteral(REPORT_SHIPPED_DATA "/") + QLatin1String(name),
                    programDir.filePath(QStringLiteral("orvel_data/") + QLatin1String(name)));
    TMainF& window = program.window();
    const QStringList& messages = program.messages();
    program.login();
    if (!messages.isEmpty() || window.workspace()->gridModel()->rowCount() != expectedRows) {
        std::fprintf(stderr, "print probe: the list does not hold every customer (%s)\n",
                     qPrintable(messages.join(QStringLiteral(" / "))));
        return 1;
    }
    print("print", "after_login_peak_mib", selfPeakMiB());

    const QString pdf = programDir.filePath(QStringLiteral("out.pdf"));
    struct Form {
        const char* prefix;
        QString name;
    };
    for (const Form& form : {Form{"print_list", QStringLiteral("[D]고객 목록")},
                             Form{"print_labels", QStringLiteral("[D]우편 라벨")}}) {
        const PrintRun run = printOnce(window, form.name, pdf);
        if (!run.shown || !messages.isEmpty()) {
            std::fprintf(stderr, "print probe: no preview for %s (%s)\n", qPrintable(form.name),
                         qPrintable(messages.join(QStringLiteral(" / "))));
            return 1;
        }
        print(form.prefix, "pages", run.pages);
        print(form.prefix, "click_to_first_page_ms", run.firstPageMs);
        print(form.prefix, "pdf_export_ms", run.pdfMs);
        print(form.prefix, "click_to_pdf_ms", run.firstPageMs + run.pdfMs);
        print(form.prefix, "pdf_mib", run.pdfMiB);
        print(form.prefix, "kept_pages_mib", keptMiB(window.reports().TR_View.prepared()));
        print(form.prefix, "peak_mib", selfPeakMiB());
    }

    // The list's rows alone, as the print command reruns them, for the analysis.
    QElapsedTimer t;
    t.start();
    {
        Query rerun(window.db().DBConnect, QStringLiteral("BareList"));
        rerun.copyStatementFrom(window.db().GoDB);
        rerun.open();
    }
    print("print", "rerun_list_ms", elapsedMs(t));
    if (!writeCsv(window.db().GoDB, csvPath)) {
        std::fprintf(stderr, "print probe: cannot write %s\n", qPrintable(csvPath));
        return 1;
    }
    return 0;
}

} // namespace orvel::bench
