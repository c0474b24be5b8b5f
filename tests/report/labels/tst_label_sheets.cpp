// Label sheets without widgets: the makers' catalogue, the office's own sheets and the
// template built for a sheet, down to where its prepared labels land.
#include "LabelTestSupport.h"

#include "report/designer/labels/CustomSheetStore.h"
#include "report/designer/labels/LabelCatalogue.h"
#include "report/template/TemplateFormat.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvel::report;
using namespace orvel::report::labels;
using namespace labeltest;

Q_DECLARE_METATYPE(LabelSheet)
Q_DECLARE_METATYPE(std::vector<LabelLine>)

namespace
{

const LabelSheet* findSheet(const LabelCatalogue& c, const QString& part)
{
    for (const LabelSheet& s : c.sheets())
        if (s.part == part)
            return &s;
    return nullptr;
}

} // namespace

class LabelSheetsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void lengths_data();
    void lengths();
    void catalogueSheets_data();
    void catalogueSheets();
    void catalogueSkipsWhatItCannotPrint();
    void catalogueSearch_data();
    void catalogueSearch();
    void installedCatalogue();

    void customSheetsRoundTrip();
    void customSheetsDamagedFile();

    void labelsLandWhereTheSheetSays_data();
    void labelsLandWhereTheSheetSays();
    void lineTexts_data();
    void lineTexts();
    void defaultLines_data();
    void defaultLines();

private:
    QTemporaryDir m_dir;
    LabelCatalogue m_catalogue;
};

void LabelSheetsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeCatalogue(m_dir.path()));
    m_catalogue.load({m_dir.path(), m_dir.filePath(QStringLiteral("missing"))});
}

void LabelSheetsTest::lengths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("mm");
    QTest::addRow("mm") << "12.5mm" << true << 12.5;
    QTest::addRow("cm") << "2cm" << true << 20.0;
    QTest::addRow("inch") << "0.5in" << true << 12.7;
    QTest::addRow("points") << "72pt" << true << 25.4;
    QTest::addRow("bare number is points") << "36" << true << 12.7;
    QTest::addRow("space before unit") << " 5 mm " << true << 5.0;
    QTest::addRow("exponent") << "3.93386e-16pt" << true << 0.0;
    QTest::addRow("negative") << "-1mm" << true << -1.0;
    QTest::addRow("unit only") << "in" << false << 0.0;
    QTest::addRow("empty") << "" << false << 0.0;
    QTest::addRow("unknown unit") << "5ft" << false << 0.0;
    QTest::addRow("not a number") << "abcmm" << false << 0.0;
}

void LabelSheetsTest::lengths()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, mm);
    double got = -99;
    QCOMPARE(parseCatalogueLength(text, &got), ok);
    if (ok)
        QVERIFY2(std::abs(got - mm) < 1e-9, qPrintable(QString::number(got)));
}

void LabelSheetsTest::catalogueSheets_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<LabelSheet>("expected");
    LabelSheet r100 = sheetOf("A4", 210, 297, 99.1, 38.1, 2, 7, 4.65, 15.15, 101.6, 38.1);
    r100.paperName = QStringLiteral("A4");
    r100.cornerRadius = 2.5;
    r100.description = QStringLiteral("Address labels");
    QTest::addRow("mm") << "R100" << r100;
    LabelSheet copy = r100;
    copy.part = QStringLiteral("R100-K");
    QTest::addRow("equiv copies the geometry") << "R100-K" << copy;
    LabelSheet p30 =
        sheetOf("US-Letter", 215.9, 279.4, 66.675, 25.4, 3, 10, 4.7625, 12.7, 69.85, 25.4);
    p30.paperName = QStringLiteral("US Letter");
    p30.cornerRadius = 1.5875;
    p30.description = QStringLiteral("Letter labels");
    QTest::addRow("inch, paper id resolved") << "P30" << p30;
    LabelSheet cm = sheetOf("Other", 100, 150, 90, 40, 1, 3, 5, 10, 90, 45);
    cm.paperName = QStringLiteral("100.0 x 150.0 mm");
    QTest::addRow("cm, own paper size") << "CM4" << cm;
    LabelSheet pt = sheetOf("Other", 101.6, 152.4, 50.8, 25.4, 2, 5, 0, 12.7, 50.8, 25.4);
    pt.paperName = QStringLiteral("101.6 x 152.4 mm");
    QTest::addRow("points, unreadable corner") << "PT2" << pt;
}

void LabelSheetsTest::catalogueSheets()
{
    QFETCH(QString, part);
    QFETCH(LabelSheet, expected);
    const LabelSheet* got = findSheet(m_catalogue, part);
    QVERIFY(got);
    expected.brand = QStringLiteral("Acme");
    expected.part = part;
    QCOMPARE(got->brand, expected.brand);
    QCOMPARE(got->description, expected.description);
    QCOMPARE(got->paperId, expected.paperId);
    QCOMPARE(got->paperName, expected.paperName);
    QCOMPARE(got->columns, expected.columns);
    QCOMPARE(got->rows, expected.rows);
    QVERIFY(!got->custom);
    const double lengths[][2] = {{got->paperWidth, expected.paperWidth},
                                 {got->paperHeight, expected.paperHeight},
                                 {got->labelWidth, expected.labelWidth},
                                 {got->labelHeight, expected.labelHeight},
                                 {got->cornerRadius, expected.cornerRadius},
                                 {got->x0, expected.x0},
                                 {got->y0, expected.y0},
                                 {got->dx, expected.dx},
                                 {got->dy, expected.dy}};
    for (const auto& l : lengths)
        QVERIFY2(std::abs(l[0] - l[1]) < 1e-9,
                 qPrintable(QStringLiteral("%1 != %2").arg(l[0]).arg(l[1])));
}

void LabelSheetsTest::catalogueSkipsWhatItCannotPrint()
{
    QStringList partNumbers;
    for (const LabelSheet& s : m_catalogue.sheets())
        partNumbers << s.part;
    // Sorted by maker and part number; nothing of the damaged file.
    QCOMPARE(partNumbers, QStringList({"CM4", "P30", "PT2", "R100", "R100-K"}));
    QCOMPARE(m_catalogue.unsupportedCount(), 4); // round, CD, ellipse, two layouts
    const QString problems = m_catalogue.problems().join(QLatin1Char('\n'));
    QCOMPARE(m_catalogue.problems().size(), 5);
    for (const char* bad : {"broken-templates.xml", "BADNUM", "NOPAPER", "OFFPAGE", "GHOST"})
        QVERIFY2(problems.contains(QLatin1String(bad)), qPrintable(problems));
    QVERIFY(!problems.contains(QLatin1String("categories.xml")));

    QStringList papers;
    for (const PaperSize& p : m_catalogue.papers())
        papers << p.id;
    QCOMPARE(papers, QStringList({"A4", "US-Letter", "Other"}));
}

void LabelSheetsTest::catalogueSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<QStringList>("partNumbers");
    QTest::addRow("everything") << ""
                                << "" << QStringList{"CM4", "P30", "PT2", "R100", "R100-K"};
    QTest::addRow("maker and part, any case") << "acme r100"
                                              << "" << QStringList{"R100", "R100-K"};
    QTest::addRow("part substring") << "100-k"
                                    << "" << QStringList{"R100-K"};
    QTest::addRow("paper only") << ""
                                << "US-Letter" << QStringList{"P30"};
    QTest::addRow("odd paper sizes") << ""
                                     << "Other" << QStringList{"CM4", "PT2"};
    QTest::addRow("text and paper") << "r1"
                                    << "US-Letter" << QStringList{};
    QTest::addRow("no match") << "zeta"
                              << "" << QStringList{};
}

void LabelSheetsTest::catalogueSearch()
{
    QFETCH(QString, text);
    QFETCH(QString, paper);
    QFETCH(QStringList, partNumbers);
    QStringList got;
    for (int i : m_catalogue.find(text, paper))
        got << m_catalogue.sheets()[i].part;
    QCOMPARE(got, partNumbers);
}

void LabelSheetsTest::installedCatalogue()
{
    LabelCatalogue installed;
    QElapsedTimer timer;
    timer.start();
    installed.load(LabelCatalogue::defaultDirectories());
    const qint64 ms = timer.elapsed();
    if (installed.sheets().empty())
        QSKIP("no label catalogue installed");
    qInfo("installed catalogue: %d sheets read in %lld ms (%d left out as not rectangular or "
          "with several layouts, %d damaged)",
          int(installed.sheets().size()), ms, installed.unsupportedCount(),
          int(installed.problems().size()));
    for (const QString& p : installed.problems())
        qInfo("  skipped: %s", qPrintable(p));
    // Every sheet read can be laid out and built.
    int shifted = 0, fewerRows = 0;
    for (const LabelSheet& s : installed.sheets()) {
        const LabelPlacement place = labelPlacement(s);
        shifted += place.shiftMm > 0 ? 1 : 0;
        fewerRows += place.exact ? 0 : 1;
        QVERIFY2(s.isUsable(), qPrintable(s.displayName()));
        const ReportTemplate t = buildLabelTemplate(s, {}, QStringLiteral("RPTDB"));
        const ReportPage& page = t.pages.front();
        QVERIFY2(page.topMargin >= 0 && page.bottomMargin >= 0, qPrintable(s.displayName()));
    }
    qInfo("  %d sheets with band cells shifted above their labels, %d printing fewer rows", shifted,
          fewerRows);
}

void LabelSheetsTest::customSheetsRoundTrip()
{
    const QString path = m_dir.filePath(QStringLiteral("settings/label-sheets.xml"));
    CustomSheetStore store(path);
    QVERIFY(store.load().empty());
    QVERIFY(store.errorString().isEmpty());

    LabelSheet korean = sheetOf("A4", 210, 297, 63.5, 38.1, 3, 7, 7.2, 15.15, 66.04, 38.1);
    korean.custom = true;
    korean.brand = customSheetBrand();
    korean.part = QStringLiteral("우체국 주소 라벨 3x7");
    korean.paperName = standardPaperSizes().front().name;
    LabelSheet typed = sheetOf("", 100, 150, 90, 40, 1, 3, 5, 10, 90, 45);
    typed.custom = true;
    typed.brand = customSheetBrand();
    typed.part = QStringLiteral("Card");
    typed.paperName = QStringLiteral("100.0 x 150.0 mm");
    QVERIFY2(store.save(korean), qPrintable(store.errorString()));
    QVERIFY2(store.save(typed), qPrintable(store.errorString()));

    // A new store on the same file sees both, the Korean name as it was typed.
    std::vector<LabelSheet> loaded = CustomSheetStore(path).load();
    QCOMPARE(loaded.size(), size_t(2));
    QCOMPARE(loaded[0], typed);
    QCOMPARE(loaded[1], korean);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(korean.part.toUtf8()));

    // Saving under a taken name replaces that sheet.
    LabelSheet changed = korean;
    changed.rows = 6;
    QVERIFY(store.save(changed));
    loaded = store.load();
    QCOMPARE(loaded.size(), size_t(2));
    QCOMPARE(loaded[1], changed);

    QVERIFY(store.remove(korean.part));
    loaded = store.load();
    QCOMPARE(loaded.size(), size_t(1));
    QCOMPARE(loaded[0].part, typed.part);
    QVERIFY(!store.remove(korean.part));
    QVERIFY(!store.errorString().isEmpty());

    // Nothing without a name or that cannot be laid out is saved.
    LabelSheet nameless = typed;
    nameless.part = QStringLiteral("  ");
    QVERIFY(!store.save(nameless));
    LabelSheet tooWide = typed;
    tooWide.part = QStringLiteral("넓은 라벨");
    tooWide.columns = 2;
    QVERIFY(!store.save(tooWide));
    QCOMPARE(store.load().size(), size_t(1));
}

void LabelSheetsTest::customSheetsDamagedFile()
{
    const QString path = m_dir.filePath(QStringLiteral("damaged-sheets.xml"));
    QVERIFY(writeFile(path, "<label-sheets><sheet name=\"a\" columns=\"2\""));
    CustomSheetStore store(path);
    QVERIFY(store.load().empty());
    QVERIFY(!store.errorString().isEmpty());
    // Saving keeps the damaged file beside the new one.
    LabelSheet s = sheetOf("A4", 210, 297, 70, 37, 3, 8, 0, 0.5, 70, 37);
    s.part = QStringLiteral("새 용지");
    s.paperName = standardPaperSizes().front().name;
    QVERIFY2(store.save(s), qPrintable(store.errorString()));
    QVERIFY(QFile::exists(path + QStringLiteral(".bak")));
    QCOMPARE(store.load().size(), size_t(1));
}

void LabelSheetsTest::labelsLandWhereTheSheetSays_data()
{
    QTest::addColumn<LabelSheet>("sheet");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("paperSize");
    QTest::addColumn<int>("rowsPerPage");
    QTest::addRow("2 x 7 of 99.1 x 38.1 on A4")
        << sheetOf("A4", 210, 297, 99.1, 38.1, 2, 7, 4.65, 15.15, 101.6, 38.1) << 31 << 9 << 7;
    QTest::addRow("3 x 8 of 70 x 37 on A4")
        << sheetOf("A4", 210, 297, 70, 37, 3, 8, 0, 0.5, 70, 37) << 50 << 9 << 8;
    QTest::addRow("3 x 10 on US-Letter")
        << sheetOf("US-Letter", 215.9, 279.4, 66.675, 25.4, 3, 10, 4.7625, 12.7, 69.85, 25.4) << 61
        << 1 << 10;
    QTest::addRow("labels filling A4 to the bottom edge")
        << sheetOf("A4", 210, 297, 105, 37.125, 2, 8, 0, 0, 105, 37.125) << 17 << 9 << 8;
    // Room for a fifth row below the fourth: the bottom margin must keep it for the next page.
    QTest::addRow("sheet with rows in its upper part")
        << sheetOf("A4", 210, 297, 99, 48, 2, 4, 5, 20, 100, 50) << 17 << 9 << 4;
    // The last row's pitch passes the paper's edge by 3 mm: the band cells start above the
    // labels so that all five rows still fit.
    QTest::addRow("pitch past the bottom edge")
        << sheetOf("A4", 210, 297, 90, 50, 2, 5, 10, 10, 95, 58) << 21 << 9 << 5;
    // Three rows overrunning A4 by 0.03 mm, as rounded inch pitches do: still three rows.
    QTest::addRow("pitch a hair too long")
        << sheetOf("A4", 210, 297, 100, 99.01, 2, 3, 5, 0, 100, 99.01) << 13 << 9 << 3;
    QTest::addRow("one card per page")
        << sheetOf("Other", 100, 150, 90, 140, 1, 1, 5, 5, 90, 140) << 3 << 256 << 1;
    // Labels whose pitch cannot fit on the paper: one row fewer per page.
    QTest::addRow("rows that cannot all fit")
        << sheetOf("A4", 210, 297, 90, 99, 1, 3, 0, 0, 90, 99.5) << 5 << 9 << 2;
}

void LabelSheetsTest::labelsLandWhereTheSheetSays()
{
    QFETCH(LabelSheet, sheet);
    QFETCH(int, count);
    QFETCH(int, paperSize);
    QFETCH(int, rowsPerPage);
    const LabelPlacement place = labelPlacement(sheet);
    QCOMPARE(place.rowsPerPage, rowsPerPage);
    QCOMPARE(place.exact, rowsPerPage == sheet.rows);
    QVERIFY(place.paddingMm > 0 && place.paddingMm <= 2);

    const ReportTemplate built =
        buildLabelTemplate(sheet, defaultLabelLines(customerColumns()), QStringLiteral("RPTDB"));
    QCOMPARE(built.pages.size(), size_t(1));
    const ReportPage& page = built.pages.front();
    QCOMPARE(page.paperSize, paperSize);
    QCOMPARE(page.bands.size(), size_t(1));
    QCOMPARE(page.bands.front().type, Band::MasterData);
    QCOMPARE(page.bands.front().dataSetName, QStringLiteral("RPTDB"));
    QCOMPARE(page.bands.front().columns, sheet.columns);
    QCOMPARE(built.dataSets.size(), size_t(1));

    // The template file keeps it all, and the re-read template prints the labels.
    TemplateFormat format;
    const std::unique_ptr<ReportTemplate> reread = format.readBytes(TemplateFormat::toBytes(built));
    QVERIFY2(reread, qPrintable(format.errorString()));
    QVERIFY(*reread == built);
    const QString wrong = checkLabelOrigins(prepareLabels(*reread, count), sheet, count);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

void LabelSheetsTest::lineTexts_data()
{
    QTest::addColumn<std::vector<LabelLine>>("lines");
    QTest::addColumn<QStringList>("memos");
    QTest::addColumn<QStringList>("printed");
    const LabelPiece zip = LabelPiece::field(QStringLiteral("home_post"));
    const LabelPiece address = LabelPiece::field(QStringLiteral("home_address"));
    const LabelPiece name = LabelPiece::field(QStringLiteral("name"));
    QTest::addRow("one column per line") << std::vector<LabelLine>{{{zip}}, {{name}}}
                                         << QStringList{"[RPTDB.\"home_post\"]", "[RPTDB.\"name\"]"}
                                         << QStringList{"10001", "고객1"};
    QTest::addRow("two columns on a line")
        << std::vector<LabelLine>{{{zip, address}}}
        << QStringList{"[RPTDB.\"home_post\"] [RPTDB.\"home_address\"]"}
        << QStringList{"10001 서울시 중구 1번지"};
    QTest::addRow("column and fixed text")
        << std::vector<LabelLine>{{{zip}}, {{name, LabelPiece::text(QStringLiteral("귀하"))}}}
        << QStringList{"[RPTDB.\"home_post\"]", "[RPTDB.\"name\"] 귀하"}
        << QStringList{"10001", "고객1 귀하"};
    // A fixed line prints as typed; on a line with columns brackets would start expressions.
    QTest::addRow("brackets in fixed texts")
        << std::vector<LabelLine>{{{zip}},
                                  {{LabelPiece::text(QStringLiteral("[우편물]"))}},
                                  {{name, LabelPiece::text(QStringLiteral("[님]"))}}}
        << QStringList{"[RPTDB.\"home_post\"]", "[우편물]", "[RPTDB.\"name\"] 님"}
        << QStringList{"10001", "[우편물]", "고객1 님"};
}

void LabelSheetsTest::lineTexts()
{
    QFETCH(std::vector<LabelLine>, lines);
    QFETCH(QStringList, memos);
    QFETCH(QStringList, printed);
    const LabelSheet sheet = sheetOf("A4", 210, 297, 70, 37, 3, 8, 0, 0.5, 70, 37);
    const ReportTemplate t = buildLabelTemplate(sheet, lines, QStringLiteral("RPTDB"));
    const Band& band = t.pages.front().bands.front();
    QStringList got;
    double bottom = 0;
    for (const ReportObject& o : band.objects) {
        got << o.text;
        // Lines follow each other down the label and stay inside it.
        QVERIFY(o.top >= bottom - 1e-6);
        bottom = o.top + o.height;
        QVERIFY(o.left > 0 && o.left + o.width < mmToPx(sheet.labelWidth));
        QCOMPARE(o.font.name, QStringLiteral("돋움체"));
    }
    QVERIFY(bottom < mmToPx(sheet.labelHeight));
    QCOMPARE(got, memos);

    const PreparedReport prepared = prepareLabels(t, 1);
    QCOMPARE(prepared.pages.size(), size_t(1));
    QStringList texts;
    for (const PreparedItem& item : prepared.pages.front().items)
        if (item.kind == PreparedItem::Text)
            texts << item.text;
    QCOMPARE(texts, printed);
}

void LabelSheetsTest::defaultLines_data()
{
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("customer list")
        << QStringList{"no", "group_name", "name", "home_post", "home_address", "home_tel"}
        << QStringList{"[home_post]", "[home_address]", "[name] 귀하"};
    QTest::addRow("other names, any case") << QStringList{"ZIP", "Address", "Name"}
                                           << QStringList{"[ZIP]", "[Address]", "[Name] 귀하"};
    QTest::addRow("name only") << QStringList{"no", "name"} << QStringList{"[name] 귀하"};
    QTest::addRow("nothing known") << QStringList{"a", "b"} << QStringList{};
}

void LabelSheetsTest::defaultLines()
{
    QFETCH(QStringList, columns);
    QFETCH(QStringList, lines);
    QStringList got;
    for (const LabelLine& line : defaultLabelLines(columns))
        got << line.displayText();
    QCOMPARE(got, lines);
}

QTEST_MAIN(LabelSheetsTest)
#include "tst_label_sheets.moc"
