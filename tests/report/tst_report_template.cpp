// Template files: round trip, lenient reading, damaged input.
#include "report/Report.h"
#include "report/export/ReportExport.h"
#include "report/prepare/ReportPreparer.h"
#include "report/template/TemplateFormat.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

using namespace orvel::report;

class TstReportTemplate : public QObject
{
    Q_OBJECT

private:
    static QByteArray richBytes()
    {
        QFile f(QStringLiteral(REPORT_TEST_DATA "/rich.fr3"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    static const Band* band(const ReportTemplate& t, Band::Type type)
    {
        for (const Band& b : t.pages.at(0).bands)
            if (b.type == type)
                return &b;
        return nullptr;
    }

private slots:
    void roundTripKeepsModelAndUnknownParts()
    {
        TemplateFormat format;
        auto first = format.readBytes(richBytes());
        QVERIFY2(first, qPrintable(format.errorString()));
        const QByteArray saved = TemplateFormat::toBytes(*first);
        auto second = format.readBytes(saved);
        QVERIFY2(second, qPrintable(format.errorString()));
        QVERIFY(*first == *second);
        // Unknown elements and attributes are written back.
        for (const char* kept :
             {"TfrxDataPage", "TfrxBarCodeView", "BarType=\"bcCode39\"", "TfrxHeader",
              "TfrxHighlight", "HightQuality=\"True\"", "HGuides.Text", "IniFile",
              "ShowHint=\"False\"", "DataSet=\"RPTDB\""})
            QVERIFY2(saved.contains(kept), kept);
        // A second save gives the same bytes.
        QCOMPARE(TemplateFormat::toBytes(*second), saved);
    }

    void readsLeniently()
    {
        TemplateFormat format;
        auto t = format.readBytes(richBytes());
        QVERIFY(t);
        QCOMPARE(t->settings.previewZoom, 1.5); // decimal comma
        QCOMPARE(t->dataSets.size(), size_t(1));
        QCOMPARE(t->dataSets[0].name, QStringLiteral("RPTDB"));
        const ReportPage& page = t->pages.at(0);
        // Print order comes from the band kind, not from the file order.
        QStringList order;
        for (const Band& b : page.bands)
            order << b.name;
        QCOMPARE(order, QStringList({"ReportTitle1", "GroupHeader1", "MasterData1", "GroupFooter1",
                                     "PageFooter1"}));
        const Band* data = band(*t, Band::MasterData);
        QVERIFY(data);
        QCOMPARE(data->height, 18.89765);
        QCOMPARE(data->dataSetName, QStringLiteral("RPTDB"));
        QVERIFY(data->stretched);
        const ReportObject& memo = data->objects.at(0);
        QCOMPARE(memo.width, 120.5);
        QCOMPARE(memo.font.name, QStringLiteral("돋움체"));
        QCOMPARE(memo.font.pixelHeight, 13);
        QCOMPARE(memo.font.style, FontSpec::Bold | FontSpec::Underline);
        QCOMPARE(memo.font.color, QColor(255, 0, 0)); // BGR 255 is red
        QCOMPARE(memo.frame.sides, FrameSpec::Left | FrameSpec::Bottom);
        QCOMPARE(memo.fill, QColor(Qt::white)); // the system window colour
        QCOMPARE(memo.stretch, StretchMode::ActualHeight);
        const ReportObject& amount = data->objects.at(1);
        QCOMPARE(amount.format.kind, DisplayFormat::Numeric);
        QCOMPARE(amount.frame.sides, 15);
        QCOMPARE(amount.frame.width, 0.5);
        QCOMPARE(amount.hAlign, HAlign::Right);
        QCOMPARE(data->objects.size(), size_t(2)); // the bar code is kept, not an object
        const Band* title = band(*t, Band::ReportTitle);
        QCOMPARE(title->objects.at(0).text, QStringLiteral("고객 목록\n둘째 줄"));
        QCOMPARE(title->objects.at(2).shape, ShapeKind::Ellipse);
        QCOMPARE(title->objects.at(2).fill, QColor(0, 255, 0));
        QVERIFY(!QImage::fromData(title->objects.at(3).imageData).isNull());
        QCOMPARE(band(*t, Band::GroupHeader)->condition, QStringLiteral("RPTDB.\"group_name\""));
    }

    void readsCodePageBytesDeclaredAsUtf8()
    {
        QTextCodec* cp949 = QTextCodec::codecForName("CP949");
        QVERIFY(cp949);
        const QByteArray bytes = cp949->fromUnicode(QString::fromUtf8(richBytes()));
        QVERIFY(bytes != richBytes());
        TemplateFormat format;
        auto t = format.readBytes(bytes);
        QVERIFY2(t, qPrintable(format.errorString()));
        QCOMPARE(band(*t, Band::ReportTitle)->objects.at(0).text,
                 QStringLiteral("고객 목록\n둘째 줄"));
    }

    void readsBothLabelLayouts()
    {
        TemplateFormat format;
        auto t = format.readBytes(
            "<TfrxReport><TfrxReportPage Columns=\"2\" ColumnWidth=\"95\" "
            "ColumnPositions.Text=\"0&#13;&#10;95\">"
            "<TfrxMasterData Name=\"M\" Columns=\"3\" ColumnWidth=\"250\" ColumnGap=\"4,5\" "
            "DataSetName=\"RPTDB\"/></TfrxReportPage></TfrxReport>");
        QVERIFY2(t, qPrintable(format.errorString()));
        QCOMPARE(t->pages[0].columns, 2);
        QCOMPARE(t->pages[0].columnWidth, 95.0);
        QCOMPARE(t->pages[0].columnPositions, QList<double>({0.0, 95.0}));
        QCOMPARE(t->pages[0].bands[0].columns, 3);
        QCOMPARE(t->pages[0].bands[0].columnGap, 4.5);

        // Landscape pages: the paper size follows the orientation however it was written.
        for (const char* page :
             {"PaperWidth=\"210\" PaperHeight=\"297\" Orientation=\"poLandscape\"",
              "PaperWidth=\"297\" PaperHeight=\"210\" Orientation=\"poLandscape\"",
              "PaperWidth=\"297\" PaperHeight=\"210\""}) {
            auto l = format.readBytes(QByteArray("<TfrxReport><TfrxReportPage ") + page +
                                      "/></TfrxReport>");
            QVERIFY(l);
            QVERIFY(l->pages[0].landscape);
            QCOMPARE(l->pages[0].paperWidth, 297.0);
            QCOMPARE(l->pages[0].paperHeight, 210.0);
        }
    }

    void damagedFilesGiveErrors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        const QByteArray rich = richBytes();
        QTest::addRow("truncated") << rich.left(rich.size() / 2) << "damaged template";
        QTest::addRow("empty") << QByteArray() << "damaged template";
        QTest::addRow("wrong root")
            << QByteArray("<?xml version=\"1.0\"?><html><body/></html>") << "not a report template";
        QTest::addRow("binary") << QByteArray("\x00\x01\x02PK\x03\x04\xff\xfe", 10)
                                << "damaged template";
        QTest::addRow("huge number")
            << QByteArray("<TfrxReport><TfrxReportPage><TfrxMasterData Height=\"1e308\"/>"
                          "</TfrxReportPage></TfrxReport>")
            << "out of range";
        QTest::addRow("not a number")
            << QByteArray("<TfrxReport><TfrxReportPage PaperWidth=\"wide\"/></TfrxReport>")
            << "is not a number";
        QTest::addRow("too many columns")
            << QByteArray("<TfrxReport><TfrxReportPage Columns=\"2000000000\"/></TfrxReport>")
            << "out of range";
        QByteArray deep = "<TfrxReport>";
        for (int i = 0; i < 100000; ++i)
            deep += "<a>";
        QTest::addRow("deep nesting") << deep << "nested deeper";
        QTest::addRow("two roots")
            << QByteArray("<TfrxReport/><TfrxReport/>") << "damaged template";
    }

    void damagedFilesGiveErrors()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        TemplateFormat format;
        auto t = format.readBytes(bytes);
        QVERIFY(!t);
        QVERIFY2(format.errorString().contains(expected), qPrintable(format.errorString()));
    }

    void mangledFilesNeverCrash()
    {
        // Truncations and byte flips of a rich template: each one either reads or gives an
        // error, and whatever reads also prepares and exports.
        const QByteArray rich = richBytes();
        QRandomGenerator random(4242);
        MemoryDataSource data({"name", "amount", "group_name"}, {{"가", 1, "A"}, {"나", 2, "B"}});
        int read = 0, refused = 0;
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes = rich;
            if (i % 3 == 0) {
                bytes.truncate(random.bounded(int(bytes.size())));
            } else {
                for (int k = 0; k < 1 + i % 7; ++k)
                    bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            }
            TemplateFormat format;
            auto t = format.readBytes(bytes);
            if (!t) {
                QVERIFY(!format.errorString().isEmpty());
                ++refused;
                continue;
            }
            ++read;
            PreparedReport out;
            ReportPreparer preparer(*t, &data, QStringLiteral("RPTDB"));
            preparer.setMaxPages(50);
            if (preparer.prepare(&out)) {
                QBuffer csv;
                csv.open(QIODevice::WriteOnly);
                QVERIFY(ReportExport::forExtension(QStringLiteral("csv"))->write(out, &csv));
            }
            QVERIFY(format.readBytes(TemplateFormat::toBytes(*t)));
        }
        QVERIFY(read > 0 && refused > 0);
    }

    void reportLoadAndSave()
    {
        QTemporaryDir dir;
        Report report;
        // Defaults of a report before any template is loaded.
        QCOMPARE(report.reportTemplate().settings.version, QStringLiteral("4.3"));
        QCOMPARE(report.reportTemplate().settings.scriptLanguage, QStringLiteral("PascalScript"));
        QCOMPARE(report.reportTemplate().settings.previewButtons, 4095);
        QCOMPARE(report.reportTemplate().settings.printerName, QStringLiteral("Default"));
        QCOMPARE(report.reportTemplate().settings.previewZoom, 1.0);

        QVERIFY(!report.loadTemplate(dir.filePath("missing.fr3")));
        QVERIFY(report.reportTemplate().pages.empty());
        QVERIFY(!report.loadTemplate(dir.path())); // a folder is no template

        // A new report saved and loaded again (the catalogue creates templates so).
        report.reportTemplate() = ReportTemplate::newReport();
        const ReportPage& p = report.reportTemplate().pages.at(0);
        QCOMPARE(p.paperSize, 9);
        QCOMPARE(p.leftMargin, 10.0);
        QVERIFY(!p.landscape);
        report.saveTemplate(dir.filePath("new.fr3"));
        QVERIFY(report.loadTemplate(dir.filePath("new.fr3")));
        QCOMPARE(report.reportTemplate().pages.size(), size_t(1));
        // A name written in other letter case finds the file.
        QVERIFY(report.loadTemplate(dir.filePath("NEW.FR3")));
        QCOMPARE(report.reportTemplate().pages.size(), size_t(1));

        // Loading a damaged file empties the report and throws.
        QFile bad(dir.filePath("bad.fr3"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("<TfrxReport><TfrxReportPage");
        bad.close();
        QVERIFY_THROWS_EXCEPTION(ReportError, report.loadTemplate(bad.fileName()));
        QVERIFY(report.reportTemplate().pages.empty());
        QVERIFY_THROWS_EXCEPTION(ReportError, report.saveTemplate(dir.filePath("no/such/x.fr3")));
    }

    void shippedTemplatesLoad_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addRow("list") << "customer_list.fr3";
        QTest::addRow("labels") << "mailing_labels_3x8.fr3";
    }

    void shippedTemplatesLoad()
    {
        QFETCH(QString, file);
        TemplateFormat format;
        auto t = format.readFile(QStringLiteral(REPORT_SHIPPED_DATA "/") + file);
        QVERIFY2(t, qPrintable(format.errorString()));
        QCOMPARE(t->pages.size(), size_t(1));
        bool bound = false;
        for (const Band& b : t->pages[0].bands)
            bound |= b.type == Band::MasterData && b.dataSetName == QLatin1String("RPTDB");
        QVERIFY(bound);
    }
};

QTEST_MAIN(TstReportTemplate)
#include "tst_report_template.moc"
