// Template files: round trip, lenient reading, damaged input.
#include "report/Report.h"
#include "report/export/ReportExport.h"
#include "report/prepare/ReportPreparer.h"
#include "report/template/TemplateFormat.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

using namespace orvel::report;

namespace
{

// A text object as its author's designer wrote it: the font's charset, and the code page
// the author's system stored its text and font name in.
struct AuthoredMemo {
    int charset;
    QByteArray codePage;
    QString text;
    QString font;
};
using AuthoredMemos = QList<AuthoredMemo>;

// An attribute value in a code page: what the code page cannot hold becomes a character
// reference, as markup characters and line breaks do.
QByteArray encodedValue(const QString& text, QTextCodec* codec)
{
    QByteArray out;
    for (QChar c : text) {
        if (c == QLatin1Char('\n'))
            out += "&#13;&#10;";
        else if (c == QLatin1Char('"') || c == QLatin1Char('&') || c == QLatin1Char('<') ||
                 (c.unicode() > 0x7F && !codec->canEncode(c)))
            out += "&#" + QByteArray::number(c.unicode()) + ';';
        else
            out += codec->fromUnicode(QString(c));
    }
    return out;
}

// A template declared UTF-8 whose report title holds the memos, each in its code page.
QByteArray declaredUtf8(const AuthoredMemos& memos)
{
    QByteArray out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TfrxReport Version=\"4.3\">"
                     "<TfrxReportPage Name=\"Page1\"><TfrxReportTitle Name=\"Title\" "
                     "Height=\"400\" Width=\"700\">";
    for (int i = 0; i < memos.size(); ++i) {
        const AuthoredMemo& m = memos[i];
        QTextCodec* codec = QTextCodec::codecForName(m.codePage);
        Q_ASSERT(codec);
        out += "<TfrxMemoView Name=\"Memo" + QByteArray::number(i) + "\" Top=\"" +
               QByteArray::number(i * 20) + "\" Width=\"300\" Height=\"20\" Font.Charset=\"" +
               QByteArray::number(m.charset) + "\" Font.Name=\"" + encodedValue(m.font, codec) +
               "\" Text=\"" + encodedValue(m.text, codec) + "\"/>";
    }
    return out + "</TfrxReportTitle></TfrxReportPage></TfrxReport>\r\n";
}

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes); // the decoder works when its result is taken
    return !utf8.hasError();
}

} // namespace

Q_DECLARE_METATYPE(AuthoredMemos)

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

    void readsDocumentBetweenJunk_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray root =
            "<TfrxReport><TfrxReportPage Name=\"Page1\"><TfrxReportTitle "
            "Name=\"Title\" Height=\"40\"><TfrxMemoView Name=\"Memo1\" "
            "Text=\"고객 목록\"/></TfrxReportTitle></TfrxReportPage></TfrxReport>";
        const QByteArray document = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n" + root;
        const QByteArray settings = "\r\n[Form.TfrxReport]\r\nLeft=120\r\nTop=80\r\n"
                                    "[Form.TfrxMemoView]\r\nFont.Name=Arial\r\n";
        // The designer writes its settings in the author's code page, not in UTF-8.
        const QByteArray koreanSettings = "\r\n[Form.TfrxReport]\r\nFont.Name=" +
                                          QTextCodec::codecForName("CP949")->fromUnicode("굴림") +
                                          "\r\nRecent=<none>\r\n";
        const QByteArray junk("\xEF\xBB\xBF\x00\x13junk \xFF\r\n", 13);
        QTest::addRow("designer settings after the root") << document + settings;
        QTest::addRow("settings in a code page") << document + koreanSettings;
        QTest::addRow("settings after a comment") << document + "\r\n<!-- saved -->" + settings;
        QTest::addRow("junk before the declaration") << junk + document;
        QTest::addRow("junk before an undeclared root") << junk + root;
        QTest::addRow("junk on both sides") << junk + document + koreanSettings;
    }

    void readsDocumentBetweenJunk()
    {
        QFETCH(QByteArray, bytes);
        TemplateFormat format;
        auto t = format.readBytes(bytes);
        QVERIFY2(t, qPrintable(format.errorString()));
        QCOMPARE(band(*t, Band::ReportTitle)->objects.at(0).text, QStringLiteral("고객 목록"));
        // Nothing around the document is kept.
        const QByteArray saved = TemplateFormat::toBytes(*t);
        QVERIFY(!saved.contains("Form.") && !saved.contains("junk"));
        auto again = format.readBytes(saved);
        QVERIFY(again && *again == *t);
    }

    void negativeLinesDrawTheAuthorsLine_data()
    {
        // The line's attributes, and the segment the author saw, in band pixels.
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QLineF>("drawn");
        QTest::addColumn<QByteArray>("arrowAfterSave");
        QTest::addRow("left to right")
            << QByteArray("Left=\"100\" Top=\"40\" Width=\"200\" Height=\"0\"")
            << QLineF(100, 40, 300, 40) << QByteArray("ArrowEnd");
        QTest::addRow("right to left")
            << QByteArray("Left=\"300\" Top=\"40\" Width=\"-200\" Height=\"0\"")
            << QLineF(300, 40, 100, 40) << QByteArray("ArrowStart");
        QTest::addRow("bottom up")
            << QByteArray("Left=\"50\" Top=\"150\" Width=\"0\" Height=\"-100\"")
            << QLineF(50, 150, 50, 50) << QByteArray("ArrowStart");
        QTest::addRow("diagonal, both back")
            << QByteArray(
                   "Left=\"300\" Top=\"150\" Width=\"-200\" Height=\"-100\" Diagonal=\"True\"")
            << QLineF(300, 150, 100, 50) << QByteArray("ArrowStart");
        QTest::addRow("diagonal, right to left")
            << QByteArray("Left=\"300\" Top=\"50\" Width=\"-200\" Height=\"100\" Diagonal=\"True\"")
            << QLineF(300, 50, 100, 150) << QByteArray();
        QTest::addRow("diagonal, bottom up")
            << QByteArray(
                   "Left=\"100\" Top=\"150\" Width=\"200\" Height=\"-100\" Diagonal=\"True\"")
            << QLineF(100, 150, 300, 50) << QByteArray();
    }

    void negativeLinesDrawTheAuthorsLine()
    {
        QFETCH(QByteArray, line);
        QFETCH(QLineF, drawn);
        QFETCH(QByteArray, arrowAfterSave);
        // A text at the band's corner tells where the band lies on the page.
        const QByteArray bytes =
            "<TfrxReport><TfrxReportPage Name=\"Page1\"><TfrxReportTitle Name=\"Title\" "
            "Height=\"200\" Width=\"700\"><TfrxMemoView Name=\"Corner\" Width=\"10\" Height=\"10\" "
            "Text=\"x\"/><TfrxLineView Name=\"Line1\" " +
            line +
            " ArrowEnd=\"True\" "
            "ArrowLength=\"20\"/></TfrxReportTitle></TfrxReportPage></TfrxReport>";
        TemplateFormat format;
        auto t = format.readBytes(bytes);
        QVERIFY2(t, qPrintable(format.errorString()));
        for (const ReportObject& o : band(*t, Band::ReportTitle)->objects)
            QVERIFY(o.width >= 0 && o.height >= 0); // the designer's boxes

        const QByteArray saved = TemplateFormat::toBytes(*t);
        auto reloaded = format.readBytes(saved);
        QVERIFY(reloaded && *reloaded == *t);
        QCOMPARE(saved.contains("ArrowStart="), arrowAfterSave == "ArrowStart");
        QCOMPARE(saved.contains("ArrowEnd="), arrowAfterSave == "ArrowEnd");

        for (const ReportTemplate* r : {t.get(), reloaded.get()}) {
            MemoryDataSource data({"name"}, {});
            PreparedReport out;
            ReportPreparer preparer(*r, &data, QStringLiteral("RPTDB"));
            QVERIFY2(preparer.prepare(&out), qPrintable(preparer.errorString()));
            QPointF corner;
            QList<QLineF> lines;
            for (const PreparedItem& item : out.pages.at(0).items) {
                if (item.kind == PreparedItem::Text)
                    corner = item.rect.topLeft();
                else if (item.kind == PreparedItem::Line)
                    lines << QLineF(item.rect.topLeft(), item.rect.bottomRight());
            }
            QCOMPARE(lines.size(), 1);
            const QLineF seen = lines[0].translated(-corner);
            // Which end the pen starts from does not show on paper.
            QVERIFY2(seen == drawn || seen == QLineF(drawn.p2(), drawn.p1()),
                     qPrintable(QStringLiteral("drawn from (%1, %2) to (%3, %4)")
                                    .arg(seen.x1())
                                    .arg(seen.y1())
                                    .arg(seen.x2())
                                    .arg(seen.y2())));
        }
    }

    void readsCodePagesOfOtherOffices_data()
    {
        QTest::addColumn<AuthoredMemos>("memos");
        QTest::addRow("western text")
            << AuthoredMemos{{1, "windows-1252", "POSIÇÃO", "Arial"},
                             {0, "windows-1252", "Ação em São Paulo\nMüller & Söhne", "Arial"}};
        QTest::addRow("western text ending in an accent")
            << AuthoredMemos{{1, "windows-1252", "José", "Arial"}};
        QTest::addRow("korean text")
            << AuthoredMemos{{1, "CP949", "고객 목록\n홍길동 님", "굴림"},
                             {0, "CP949", "서울 Seoul 강남구, Café", "돋움체"}};
        QTest::addRow("charsets of each memo in a western file")
            << AuthoredMemos{{1, "windows-1252", "POSIÇÃO", "Arial"},
                             {129, "CP949", "홍길동", "돋움체"},
                             {238, "windows-1250", "Łódź", "Arial"},
                             {204, "windows-1251", "Москва", "Arial"},
                             {161, "windows-1253", "Αθήνα", "Arial"},
                             {162, "windows-1254", "İstanbul", "Arial"},
                             {177, "windows-1255", "שלום", "Arial"},
                             {178, "windows-1256", "سلام", "Arial"},
                             {186, "windows-1257", "Rīga", "Arial"},
                             {163, "windows-1258", "Cà phê", "Arial"},
                             {222, "windows-874", "สวัสดี", "Tahoma"},
                             {128, "Shift_JIS", "東京", "ＭＳ ゴシック"},
                             {134, "GBK", "北京", "宋体"},
                             {136, "Big5", "臺北", "細明體"}};
        QTest::addRow("charsets of each memo in a korean file")
            << AuthoredMemos{{1, "CP949", "고객 목록", "굴림"},
                             {238, "windows-1250", "Łódź", "Arial"},
                             {0, "CP949", "우편 번호", "Arial"}};
    }

    void readsCodePagesOfOtherOffices()
    {
        QFETCH(AuthoredMemos, memos);
        const QByteArray bytes = declaredUtf8(memos);
        QVERIFY(!isUtf8(bytes));

        TemplateFormat format;
        auto t = format.readBytes(bytes);
        QVERIFY2(t, qPrintable(format.errorString()));
        const auto& objects = band(*t, Band::ReportTitle)->objects;
        QCOMPARE(objects.size(), size_t(memos.size()));
        for (int i = 0; i < memos.size(); ++i) {
            QCOMPARE(objects[i].text, memos[i].text);
            QCOMPARE(objects[i].font.name, memos[i].font);
            QCOMPARE(objects[i].font.charset, memos[i].charset);
        }

        // Saved, it is real UTF-8 and means the same.
        const QByteArray saved = TemplateFormat::toBytes(*t);
        QVERIFY(isUtf8(saved));
        for (const AuthoredMemo& m : memos)
            QVERIFY2(saved.contains(m.text.section(QLatin1Char('\n'), 0, 0).toUtf8()),
                     qPrintable(m.text));
        auto reloaded = format.readBytes(saved);
        QVERIFY(reloaded && *reloaded == *t);
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
        QTest::addRow("negative text width")
            << QByteArray("<TfrxReport><TfrxReportPage><TfrxMasterData><TfrxMemoView Width=\"-5\"/>"
                          "</TfrxMasterData></TfrxReportPage></TfrxReport>")
            << "out of range";
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
