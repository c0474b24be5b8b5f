// Printing through a real print system: the private CUPS server of scripts/testcups.sh
// with its virtual PDF printers, reached through Qt's print support as any printer.
#include "ModalWatch.h"
#include "ReportTestData.h"
#include "report/Report.h"
#include "report/export/ReportExport.h"
#include "report/preview/PreviewWindow.h"
#include "report/preview/PrintOptionsDialog.h"
#include "report/preview/ReportPrinter.h"
#include "report/preview/WorkProgress.h"
#include "report/print/CalibrationPage.h"
#include "report/print/PrintOffsets.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvel::report;
using orvel::report::test::customers;

namespace
{

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

/// Where the virtual printers write their PDF files.
QDir outputDir()
{
    return QDir(qEnvironmentVariable("ORVEL_TEST_PRINTER_OUT"));
}

void clearOutput()
{
    for (const QString& f : outputDir().entryList({QStringLiteral("*.pdf")}, QDir::Files))
        outputDir().remove(f);
}

/// Waits until the print server has no job left and the printer wrote one file, and moves
/// that file into keep; its new path.
QString waitForPrintedFile(const QDir& keep)
{
    static int printed = 0;
    for (int i = 0; i < 600; ++i) {
        const QStringList pdfs = outputDir().entryList({QStringLiteral("*.pdf")}, QDir::Files);
        if (pdfs.size() == 1 && run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).isEmpty()) {
            const QString target = keep.filePath(QStringLiteral("printed%1.pdf").arg(++printed));
            return QFile::rename(outputDir().filePath(pdfs.first()), target) ? target : QString();
        }
        QTest::qWait(100);
    }
    return {};
}

int pdfPages(const QString& path)
{
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(run(QStringLiteral("pdfinfo"), {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdfPageSize(const QString& path)
{
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+ x [\\d.]+) pts"))
                       .match(run(QStringLiteral("pdfinfo"), {path}));
    return m.captured(1);
}

/// One page of a PDF file as a grey image at the given resolution.
QImage pageImage(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    const QString n = QString::number(page);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
         n, QStringLiteral("-l"), n, QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf,
         base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

/// The box (pixels) around everything dark on a page image.
QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if (row[x] < 128)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

/// How different two page images are: the mean difference of their pixels (0-255).
double imageDistance(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* ra = a.constScanLine(y);
        const uchar* rb = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(int(ra[x]) - int(rb[x]));
    }
    return sum / (double(a.width()) * a.height());
}

// Skips the calling test when no print server runs (QSKIP must be in the test itself).
#define REQUIRE_PRINT_SERVER()                                                                     \
    if (m_printer.isEmpty())                                                                       \
    QSKIP("no print server (scripts/testcups.sh start)")

constexpr int Dpi = 72;
constexpr double PxPerMm = Dpi / 25.4;

} // namespace

class TstReportPrinter : public QObject
{
    Q_OBJECT

private:
    MemoryDataSource m_data = customers(100);
    Report m_report;
    QTemporaryDir m_programDir;
    QString m_printer, m_second;
    std::vector<QImage> m_referencePages; // the report's pages as Qt draws them for print

    /// Prints through the preview's print button and dialog, set as the user would.
    QString printThroughDialog(const std::function<void(QPrintDialog*)>& choose)
    {
        PreviewWindow w(m_report);
        bool seen = false;
        orvel::test::onModal<QPrintDialog>(
            &w,
            [&](QPrintDialog* d) {
                auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
                if (printers)
                    printers->setCurrentIndex(printers->findText(m_printer));
                choose(d);
                d->accept();
            },
            &seen);
        clearOutput();
        QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("printButton")), Qt::LeftButton);
        if (!seen)
            return {};
        return waitForPrintedFile(QDir(m_programDir.path()));
    }

private slots:
    void initTestCase()
    {
        qputenv("ORVEL_PROGRAM_DIR", m_programDir.path().toLocal8Bit());
        m_printer = qEnvironmentVariable("ORVEL_TEST_PRINTER");
        m_second = qEnvironmentVariable("ORVEL_TEST_PRINTER2");
        m_report.loadTemplate(QStringLiteral(REPORT_SHIPPED_DATA "/customer_list.fr3"));
        m_report.setDataSource(&m_data, QStringLiteral("RPTDB"));
        m_report.prepare();
        QVERIFY(m_report.prepared().pages.size() >= 3);
        QPrinter reference(QPrinter::HighResolution);
        reference.setOutputFormat(QPrinter::PdfFormat);
        const QString path = m_programDir.filePath(QStringLiteral("reference.pdf"));
        reference.setOutputFileName(path);
        QVERIFY(
            ReportPrinter::print(m_report.prepared(), &reference, {1, 2, 3, 4, 5, 6}, {}, nullptr));
        for (int page = 1; page <= int(m_report.prepared().pages.size()); ++page)
            m_referencePages.push_back(pageImage(path, page, Dpi));
    }

    void init() { QFile::remove(PrintOffsets::defaultPath()); }

    void offsetsAreKeptPerPrinterUnderAnyName()
    {
        PrintOffsets offsets(m_programDir.filePath(QStringLiteral("offsets.ini")));
        const QStringList names = {QStringLiteral("OrvelTestPDF"),
                                   QStringLiteral("\\\\사무실\\라벨 프린터"),
                                   QStringLiteral("a/b=c;[d]")};
        for (int i = 0; i < names.size(); ++i)
            offsets.setOffset(names[i], {1.5 * (i + 1), -0.5 * (i + 1)});
        PrintOffsets reread(offsets.path());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(reread.offset(names[i]), PrintOffset({1.5 * (i + 1), -0.5 * (i + 1)}));
        QCOMPARE(reread.offset(QStringLiteral("another")), PrintOffset());

        reread.setOffset(names[0], {}); // zero forgets the printer
        reread.setOffset(names[1], {500, -500});
        QCOMPARE(offsets.offset(names[0]), PrintOffset());
        QCOMPARE(offsets.offset(names[1]),
                 PrintOffset({PrintOffsets::Limit, -PrintOffsets::Limit}));
        QCOMPARE(offsets.offset(names[2]), PrintOffset({4.5, -1.5}));
    }

    void optionsDialogKeepsEachPrintersOffset()
    {
        REQUIRE_PRINT_SERVER();
        PrintOffsets offsets;
        offsets.setOffset(m_second, {0.5, 0.5});
        auto edit = [&](PrintOptionsDialog& d, const QString& printer, double x, double y) {
            auto* box = d.findChild<QComboBox*>(QStringLiteral("printerBox"));
            box->setCurrentIndex(box->findData(printer));
            d.findChild<QDoubleSpinBox*>(QStringLiteral("offsetXBox"))->setValue(x);
            d.findChild<QDoubleSpinBox*>(QStringLiteral("offsetYBox"))->setValue(y);
        };
        {
            PrintOptionsDialog d(offsets, {});
            QCOMPARE(d.printer(), m_printer); // the system's default comes first
            QCOMPARE(d.enteredOffset(), PrintOffset());
            edit(d, m_printer, 1.5, -2);
            d.findChild<QComboBox*>(QStringLiteral("printerBox"))
                ->setCurrentIndex(
                    d.findChild<QComboBox*>(QStringLiteral("printerBox"))->findData(m_second));
            QCOMPARE(d.enteredOffset(), PrintOffset({0.5, 0.5})); // the stored one
            edit(d, m_second, 3, 4);
            edit(d, m_printer, 1.5, -2);
            d.reject();
        }
        QCOMPARE(offsets.offset(m_printer), PrintOffset()); // cancel stores nothing
        {
            PrintOptionsDialog d(offsets, m_second);
            edit(d, m_second, 3, 4);
            edit(d, m_printer, 1.5, -2);
            edit(d, m_second, 3, 4); // back again: the first printer's entry is kept
            QCOMPARE(d.enteredOffset(), PrintOffset({3, 4}));
            d.accept();
        }
        QCOMPARE(offsets.offset(m_printer), PrintOffset({1.5, -2}));
        QCOMPARE(offsets.offset(m_second), PrintOffset({3, 4}));
    }

    void templatePrinterNamesMapToInstalledOnes_data()
    {
        QTest::addColumn<QString>("named");
        QTest::addColumn<bool>("second");
        QTest::newRow("Default") << QStringLiteral("Default") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("not installed") << QStringLiteral("HP LaserJet 1020") << false;
        QTest::newRow("installed") << QString() << true;
    }

    void templatePrinterNamesMapToInstalledOnes()
    {
        REQUIRE_PRINT_SERVER();
        QFETCH(QString, named);
        QFETCH(bool, second);
        QCOMPARE(QPrinterInfo::defaultPrinterName(), m_printer);
        QPrinter printer;
        ReportPrinter::choosePrinter(printer, second ? m_second : named);
        QCOMPARE(printer.printerName(), second ? m_second : m_printer);
    }

    void printDialogOffersTheSystemsPrinters()
    {
        REQUIRE_PRINT_SERVER();
        PreviewWindow w(m_report);
        bool seen = false;
        QStringList listed;
        QString selected;
        orvel::test::onModal<QPrintDialog>(
            &w,
            [&](QPrintDialog* d) {
                auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
                QVERIFY(printers);
                for (int i = 0; i < printers->count(); ++i)
                    listed << printers->itemText(i);
                selected = printers->currentText();
                d->reject();
            },
            &seen);
        QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("printButton")), Qt::LeftButton);
        QVERIFY(seen);
        QVERIFY2(listed.contains(m_printer) && listed.contains(m_second),
                 qPrintable(listed.join(u',')));
        QCOMPARE(selected, m_printer); // the template says "Default"
    }

    void printsAllPagesARangeAndCopies_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("copies");
        const int pages = int(m_report.prepared().pages.size());
        QTest::newRow("all pages") << 0 << 0 << 1;
        QTest::newRow("pages 2-3") << 2 << 3 << 1;
        QTest::newRow("two copies") << 0 << 0 << 2;
        QTest::newRow("last page, two copies") << pages << pages << 2;
    }

    void printsAllPagesARangeAndCopies()
    {
        REQUIRE_PRINT_SERVER();
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, copies);
        const QString file = printThroughDialog([&](QPrintDialog* d) {
            if (from > 0) {
                d->findChild<QRadioButton*>(QStringLiteral("printRange"))->setChecked(true);
                d->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(to);
                d->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(from);
            }
            d->findChild<QSpinBox*>(QStringLiteral("copies"))->setValue(copies);
        });
        QVERIFY2(!file.isEmpty(), "the printer wrote nothing");
        const int pages = int(m_report.prepared().pages.size());
        const int first = from > 0 ? from : 1, last = from > 0 ? to : pages;
        const int printed = last - first + 1;
        QCOMPARE(pdfPages(file), printed * copies);
        QCOMPARE(pdfPageSize(file), QStringLiteral("595 x 842")); // A4, as the template says
        // Each printed sheet shows the page it should: of all the report's pages, the one it
        // looks most like (collated copies repeat the range).
        for (int sheet = 0; sheet < printed * copies; ++sheet) {
            const QImage image = pageImage(file, sheet + 1, Dpi);
            int best = 0;
            double bestDistance = 256;
            for (int page = 1; page <= pages; ++page) {
                const double d = imageDistance(image, m_referencePages[page - 1]);
                if (d < bestDistance)
                    best = page, bestDistance = d;
            }
            QCOMPARE(best, first + sheet % printed);
        }
    }

    void printerOffsetMovesWhatThatPrinterPrints()
    {
        REQUIRE_PRINT_SERVER();
        PrintOffsets().setOffset(m_second, {3, 2});
        auto printFirstPage = [&](const QString& name) {
            PreviewWindow w(m_report);
            QPrinter printer(QPrinter::HighResolution);
            printer.setPrinterName(name);
            clearOutput();
            w.printTo(&printer, 1, 1);
            return waitForPrintedFile(QDir(m_programDir.path()));
        };
        const QString plain = printFirstPage(m_printer);
        const QString shifted = printFirstPage(m_second);
        QVERIFY(!plain.isEmpty() && !shifted.isEmpty());
        const QRect a = inkBox(pageImage(plain, 1, Dpi));
        const QRect b = inkBox(pageImage(shifted, 1, Dpi));
        QVERIFY(!a.isEmpty());
        QCOMPARE(a, inkBox(m_referencePages[0])); // no offset on the first printer
        QVERIFY2(qAbs(b.left() - a.left() - 3 * PxPerMm) <= 1.5,
                 qPrintable(QString::number(b.left() - a.left())));
        QVERIFY2(qAbs(b.top() - a.top() - 2 * PxPerMm) <= 1.5,
                 qPrintable(QString::number(b.top() - a.top())));
        QVERIFY(qAbs(b.width() - a.width()) <= 1 && qAbs(b.height() - a.height()) <= 1);
    }

    void calibrationPageNamesItsMarks()
    {
        const PreparedReport page =
            CalibrationPage::make(210, 297, QStringLiteral("라벨 프린터"), {-1.5, 2.5});
        const QString pdf = m_programDir.filePath(QStringLiteral("calibration.pdf"));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(ReportExport::forExtension(QStringLiteral("pdf"))->write(page, &file));
        file.close();
        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        // A4: the four corner marks 20 mm from their edges, and the middle one.
        for (const char* mark :
             {"왼쪽 20.0 mm, 위 20.0 mm", "왼쪽 190.0 mm, 위 20.0 mm", "왼쪽 20.0 mm, 위 277.0 mm",
              "왼쪽 190.0 mm, 위 277.0 mm", "왼쪽 105.0 mm, 위 148.5 mm"})
            QVERIFY2(text.contains(QString::fromUtf8(mark)), mark);
        QVERIFY(text.contains(QStringLiteral("프린터: 라벨 프린터")));
        QVERIFY(text.contains(QStringLiteral("가로 -1.5 mm, 세로 2.5 mm")));
    }

    void calibrationPagePrintsItsMarksWhereTheySay()
    {
        REQUIRE_PRINT_SERVER();
        PrintOffsets offsets;
        auto printCalibration = [&](double x, double y) {
            PrintOptionsDialog d(offsets, m_printer);
            d.findChild<QDoubleSpinBox*>(QStringLiteral("offsetXBox"))->setValue(x);
            d.findChild<QDoubleSpinBox*>(QStringLiteral("offsetYBox"))->setValue(y);
            clearOutput();
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("calibrationButton")),
                              Qt::LeftButton);
            return waitForPrintedFile(QDir(m_programDir.path()));
        };
        const QString zero = printCalibration(0, 0);
        const QString moved = printCalibration(-1.5, 2.5);
        QVERIFY(!zero.isEmpty() && !moved.isEmpty());
        QCOMPARE(pdfPages(zero), 1);
        QCOMPARE(pdfPageSize(zero), QStringLiteral("595 x 842")); // the printer's paper
        // The corner marks are the outermost ink: their arms reach 8 mm beyond the centres,
        // which lie 20 mm from the edges.
        const QImage image = pageImage(zero, 1, Dpi);
        const QRect ink = inkBox(image);
        const double reach = (CalibrationPage::MarkInsetMm - 8) * PxPerMm;
        QVERIFY2(qAbs(ink.left() - reach) <= 1.5, qPrintable(QString::number(ink.left())));
        QVERIFY2(qAbs(ink.top() - reach) <= 1.5, qPrintable(QString::number(ink.top())));
        QVERIFY(qAbs(image.width() - 1 - ink.right() - reach) <= 1.5);
        QVERIFY(qAbs(image.height() - 1 - ink.bottom() - reach) <= 1.5);
        const QRect shifted = inkBox(pageImage(moved, 1, Dpi));
        QVERIFY(qAbs(shifted.left() - ink.left() + 1.5 * PxPerMm) <= 1.5);
        QVERIFY(qAbs(shifted.top() - ink.top() - 2.5 * PxPerMm) <= 1.5);
        QCOMPARE(offsets.offset(m_printer), PrintOffset()); // printing it stores nothing
    }

    void stoppedPrintSendsNothing()
    {
        REQUIRE_PRINT_SERVER();
        WorkProgress::setShowAfter(0);
        MemoryDataSource many = customers(3000);
        Report report;
        report.loadTemplate(QStringLiteral(REPORT_SHIPPED_DATA "/customer_list.fr3"));
        report.setDataSource(&many, QStringLiteral("RPTDB"));
        report.prepare();
        PreviewWindow w(report);
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(m_printer);
        clearOutput();
        bool pressed = false;
        orvel::test::pressCancelWhenProgressShows(&w, &pressed);
        const bool printed = w.printTo(&printer);
        WorkProgress::setShowAfter(500);
        QVERIFY(pressed);
        QVERIFY(!printed);
        QTest::qWait(2000);
        QVERIFY(run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).isEmpty());
        QVERIFY(outputDir().entryList({QStringLiteral("*.pdf")}, QDir::Files).isEmpty());
    }
};

QTEST_MAIN(TstReportPrinter)
#include "tst_report_printer.moc"
