// Preparing the band kinds of the template format: data headers and footers, child bands,
// master-detail, page-break options, outline entries and subreports.
#include "report/Report.h"
#include "report/template/TemplateFormat.h"

#include <QtTest>

using namespace orvel::report;

namespace
{

const QString Name = QStringLiteral("[RPTDB.&quot;name&quot;]");
const QString Item = QStringLiteral("[ORDERS.&quot;item&quot;]");

QString memo(const QString& text, double top, double height, double left = 0)
{
    return QStringLiteral("<TfrxMemoView Name=\"M\" Left=\"%1\" Top=\"%2\" Width=\"200\" "
                          "Height=\"%3\" Text=\"%4\"/>")
        .arg(left)
        .arg(top)
        .arg(height)
        .arg(text);
}

QString band(const QString& element, const QString& name, double top, double height,
             const QString& content, const QString& attributes = {})
{
    return QStringLiteral("<%1 Name=\"%2\" Left=\"0\" Top=\"%3\" Width=\"300\" Height=\"%4\" %5>"
                          "%6</%1>")
        .arg(element, name)
        .arg(top)
        .arg(height)
        .arg(attributes, content);
}

// A band with one text filling it.
QString textBand(const QString& element, const QString& name, double top, double height,
                 const QString& text, const QString& attributes = {})
{
    return band(element, name, top, height, memo(text, 0, height), attributes);
}

QString master(double top, double height = 20, const QString& attributes = {},
               const QString& content = {})
{
    return band(QStringLiteral("TfrxMasterData"), QStringLiteral("MasterData1"), top, height,
                content.isEmpty() ? memo(Name, 0, height) : content,
                QStringLiteral("DataSet=\"RPTDB\" DataSetName=\"RPTDB\" ") + attributes);
}

QString page(const QString& bands, double heightPx = 200, const QString& name = "Page1")
{
    return QStringLiteral("<TfrxReportPage Name=\"%1\" PaperWidth=\"100\" PaperHeight=\"%2\" "
                          "LeftMargin=\"0\" RightMargin=\"0\" TopMargin=\"0\" BottomMargin=\"0\">"
                          "%3</TfrxReportPage>")
        .arg(name, QString::number(pxToMm(heightPx), 'g', 17), bands);
}

QByteArray fixture(const QString& pages, const QString& datasets = {})
{
    return (QStringLiteral(
                "<?xml version=\"1.0\" encoding=\"utf-8\"?><TfrxReport Version=\"4.3\">") +
            datasets + pages + QStringLiteral("</TfrxReport>"))
        .toUtf8();
}

MemoryDataSource customers(int count)
{
    std::vector<QVariantList> r;
    for (int i = 1; i <= count; ++i)
        r.push_back(
            {i, QStringLiteral("고객%1").arg(i), QStringLiteral("그룹%1").arg((i - 1) / 3 + 1)});
    return MemoryDataSource({"id", "name", "group_name"}, std::move(r));
}

// Orders of customers 1 and 3; parts of orders 1 and 3.
MemoryDataSource orders()
{
    return MemoryDataSource({"no", "cust", "item"}, {{1, 1, QStringLiteral("사과")},
                                                     {2, 1, QStringLiteral("배")},
                                                     {3, 3, QStringLiteral("감")}});
}

MemoryDataSource parts()
{
    return MemoryDataSource({"order", "part"},
                            {{1, QStringLiteral("씨")}, {3, QStringLiteral("껍질")}});
}

using Pages = QList<QStringList>;

/// Each page's texts as "text@y".
Pages pagesOf(const PreparedReport& r)
{
    Pages out;
    for (const PreparedPage& p : r.pages) {
        QStringList texts;
        for (const PreparedItem& it : p.items)
            if (it.kind == PreparedItem::Text)
                texts << QStringLiteral("%1@%2").arg(it.text).arg(qRound(it.rect.top()));
        out << texts;
    }
    return out;
}

struct Prepared {
    Report report;
    MemoryDataSource cust = customers(0);
    MemoryDataSource ord = orders();
    MemoryDataSource part = parts();
    const PreparedReport& run(const QByteArray& xml, int customerCount)
    {
        TemplateFormat format;
        auto t = format.readBytes(xml);
        if (!t)
            qFatal("fixture: %s", qPrintable(format.errorString()));
        report.reportTemplate() = *t;
        cust = customers(customerCount);
        report.setDataSource(&cust, QStringLiteral("RPTDB"));
        report.setDataSource(QStringLiteral("ORDERS"), &ord);
        report.setDataSource(QStringLiteral("PARTS"), &part);
        report.prepare();
        return report.prepared();
    }
};

} // namespace

class TstReportBands : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<int>("rows");
        QTest::addColumn<Pages>("expected");
        const QString header = textBand("TfrxHeader", "Header1", 0, 20, "머리");
        const QString footer = textBand("TfrxFooter", "Footer1", 80, 20, "끝");
        const QString pageHeader = textBand("TfrxPageHeader", "PageHeader1", 0, 20, "PH");

        QTest::addRow("header and footer around the rows")
            << fixture(page(header + master(40) + footer)) << 2
            << Pages{{"머리@0", "고객1@20", "고객2@40", "끝@60"}};
        QTest::addRow("no rows, no header or footer")
            << fixture(page(header + master(40) + footer)) << 0 << Pages{{}};
        QTest::addRow("header printed once")
            << fixture(page(pageHeader + textBand("TfrxHeader", "Header1", 30, 20, "머리") +
                                master(60) + footer,
                            100))
            << 5
            << Pages{{"PH@0", "머리@20", "고객1@40", "고객2@60", "고객3@80"},
                     {"PH@0", "고객4@20", "고객5@40", "끝@60"}};
        QTest::addRow("header reprinted on each new page")
            << fixture(page(pageHeader +
                                textBand("TfrxHeader", "Header1", 30, 20, "머리",
                                         "ReprintOnNewPage=\"True\"") +
                                master(60) + footer,
                            100))
            << 5
            << Pages{{"PH@0", "머리@20", "고객1@40", "고객2@60", "고객3@80"},
                     {"PH@0", "머리@20", "고객4@40", "고객5@60", "끝@80"}};
        // The references win over the positions on the page.
        QTest::addRow("linked by reference")
            << fixture(page(textBand("TfrxFooter", "F", 0, 20, "끝") +
                            master(40, 20, "Header=\"H\" Footer=\"F\"") +
                            textBand("TfrxHeader", "H", 80, 20, "머리")))
            << 1 << Pages{{"머리@0", "고객1@20", "끝@40"}};

        const QString child = textBand("TfrxChild", "Child1", 40, 10, "밑");
        QTest::addRow("child after each row")
            << fixture(page(master(0, 20, "Child=\"Child1\"") + child)) << 2
            << Pages{{"고객1@0", "밑@20", "고객2@30", "밑@50"}};
        const QString tallChild = textBand("TfrxChild", "Child1", 40, 20, "밑");
        QTest::addRow("child alone on the next page")
            << fixture(page(master(0, 20, "Child=\"Child1\"") + tallChild, 100)) << 3
            << Pages{{"고객1@0", "밑@20", "고객2@40", "밑@60", "고객3@80"}, {"밑@0"}};
        QTest::addRow("kept child moves with its parent")
            << fixture(page(master(0, 20, "Child=\"Child1\" KeepChild=\"True\"") + tallChild, 100))
            << 3 << Pages{{"고객1@0", "밑@20", "고객2@40", "밑@60"}, {"고객3@0", "밑@20"}};
        QTest::addRow("child of a child")
            << fixture(page(master(0, 20, "Child=\"Child1\"") +
                            textBand("TfrxChild", "Child1", 40, 10, "밑", "Child=\"Child2\"") +
                            textBand("TfrxChild", "Child2", 60, 10, "밑밑")))
            << 1 << Pages{{"고객1@0", "밑@20", "밑밑@30"}};

        // A title leaves 40 of 100; the row's objects sit at 0 and 40.
        const QString title = textBand("TfrxReportTitle", "ReportTitle1", 0, 60, "제목");
        const QString twoParts = memo("위" + Name, 0, 20) + memo("아래" + Name, 40, 20);
        QTest::addRow("band moves whole")
            << fixture(page(title + master(80, 60, {}, twoParts), 100)) << 1
            << Pages{{"제목@0"}, {"위고객1@0", "아래고객1@40"}};
        QTest::addRow("band splits between its objects")
            << fixture(page(title + master(80, 60, "AllowSplit=\"True\"", twoParts), 100)) << 1
            << Pages{{"제목@0", "위고객1@60"}, {"아래고객1@0"}};
        QTest::addRow("band taller than a page splits anyway")
            << fixture(page(
                   master(0, 250, {}, memo("a", 0, 20) + memo("b", 100, 20) + memo("c", 200, 20)),
                   100))
            << 1 << Pages{{"a@0"}, {"b@0"}, {"c@0"}};
        QTest::addRow("summary on a new page")
            << fixture(page(master(0) + textBand("TfrxReportSummary", "S", 40, 20, "합계",
                                                 "StartNewPage=\"True\"")))
            << 2 << Pages{{"고객1@0", "고객2@20"}, {"합계@0"}};
        QTest::addRow("footer on a new page")
            << fixture(page(master(0) +
                            textBand("TfrxFooter", "F", 40, 20, "끝", "StartNewPage=\"True\"")))
            << 1 << Pages{{"고객1@0"}, {"끝@0"}};

        // Groups of three rows; the second group does not fit below the first.
        const QString group = QStringLiteral("Condition=\"RPTDB.&quot;group_name&quot;\" ");
        const QString groupHeader = "[RPTDB.&quot;group_name&quot;]";
        QTest::addRow("group runs on")
            << fixture(page(
                   textBand("TfrxGroupHeader", "G", 0, 20, groupHeader, group) + master(30), 100))
            << 5
            << Pages{{"그룹1@0", "고객1@20", "고객2@40", "고객3@60", "그룹2@80"},
                     {"고객4@0", "고객5@20"}};
        QTest::addRow("group kept together")
            << fixture(page(textBand("TfrxGroupHeader", "G", 0, 20, groupHeader,
                                     group + "KeepTogether=\"True\"") +
                                master(30),
                            100))
            << 5
            << Pages{{"그룹1@0", "고객1@20", "고객2@40", "고객3@60"},
                     {"그룹2@0", "고객4@20", "고객5@40"}};
        QTest::addRow("group taller than a page runs on")
            << fixture(page(textBand("TfrxGroupHeader", "G", 0, 20, groupHeader,
                                     group + "KeepTogether=\"True\"") +
                                master(30, 30),
                            100))
            << 4 << Pages{{"그룹1@0", "고객1@20", "고객2@50"}, {"고객3@0", "그룹2@30", "고객4@50"}};
    }

    void layouts()
    {
        QFETCH(QByteArray, xml);
        QFETCH(int, rows);
        QFETCH(Pages, expected);
        Prepared p;
        QCOMPARE(pagesOf(p.run(xml, rows)), expected);
    }

    void masterDetail_data()
    {
        QTest::addColumn<QString>("masterAttributes");
        QTest::addColumn<QString>("detailAttributes");
        QTest::addColumn<QString>("datasets");
        QTest::addColumn<QStringList>("expected");
        const QStringList related{"고객1", "사과", "배", "고객3", "감"};
        QTest::addRow("field pairs") << ""
                                     << "MasterFields=\"cust=id\""
                                     << "" << related;
        QTest::addRow("two field lists") << ""
                                         << "MasterFields=\"id\" DetailFields=\"cust\""
                                         << "" << related;
        QTest::addRow("relation on the data set")
            << ""
            << ""
            << "<Datasets><item DataSetName=\"ORDERS\" MasterFields=\"cust=id\"/></Datasets>"
            << related;
        QTest::addRow("print if detail empty")
            << "PrintIfDetailEmpty=\"True\""
            << "MasterFields=\"cust=id\""
            << "" << QStringList{"고객1", "사과", "배", "고객2", "고객3", "감"};
        QTest::addRow("no relation: every detail row")
            << ""
            << ""
            << "" << QStringList{"고객1", "사과", "배", "감", "고객2", "사과", "배", "감"};
    }

    void masterDetail()
    {
        QFETCH(QString, masterAttributes);
        QFETCH(QString, detailAttributes);
        QFETCH(QString, datasets);
        QFETCH(QStringList, expected);
        const QString detail = textBand("TfrxDetailData", "DetailData1", 40, 20, Item,
                                        "DataSetName=\"ORDERS\" " + detailAttributes);
        Prepared p;
        const PreparedReport& r =
            p.run(fixture(page(master(0, 20, masterAttributes) + detail, 1000), datasets),
                  expected.contains("고객3") ? 3 : 2);
        QStringList texts;
        for (const PreparedItem& it : r.pages.at(0).items)
            texts << it.text;
        QCOMPARE(texts, expected);
    }

    void subDetailWithHeadersAndFooters()
    {
        // Detail header and footer sit between the master and its footer on the page.
        const QString bands =
            textBand("TfrxHeader", "H0", 0, 20, "목록") + master(20) +
            textBand("TfrxHeader", "H1", 40, 20, "주문") +
            textBand(
                "TfrxDetailData", "DetailData1", 60, 20, Item,
                "DataSetName=\"ORDERS\" MasterFields=\"cust=id\" PrintIfDetailEmpty=\"True\"") +
            textBand("TfrxSubdetailData", "SubdetailData1", 80, 20, "[PARTS.&quot;part&quot;]",
                     "DataSetName=\"PARTS\" MasterFields=\"order=no\"") +
            textBand("TfrxFooter", "F1", 100, 20, "주문 [COUNT(DetailData1)]건") +
            textBand("TfrxFooter", "F0", 120, 20, "목록끝");
        Prepared p;
        const PreparedReport& r = p.run(fixture(page(bands, 1000)), 3);
        QStringList texts;
        for (const PreparedItem& it : r.pages.at(0).items)
            texts << it.text;
        QCOMPARE(texts, QStringList({"목록", "고객1", "주문", "사과", "씨", "배", "주문 2건",
                                     "고객3", "주문", "감", "껍질", "주문 1건", "목록끝"}));
    }

    void outlineTextMakesEntries()
    {
        Prepared p;
        const PreparedReport& r = p.run(
            fixture(page(master(0, 20, "OutlineText=\"RPTDB.&quot;name&quot; + '님'\""), 60)), 4);
        QStringList entries;
        for (const OutlineEntry& e : r.outline)
            entries << QStringLiteral("%1@%2@%3").arg(e.text).arg(e.page).arg(qRound(e.y));
        QCOMPARE(entries,
                 QStringList({"고객1님@0@0", "고객2님@0@20", "고객3님@0@40", "고객4님@1@0"}));
    }

    void subreportPrintsItsPageInTheBand()
    {
        const QString sub =
            QStringLiteral("<TfrxSubreport Name=\"Subreport1\" Left=\"50\" "
                           "Top=\"20\" Width=\"200\" Height=\"20\" Page=\"Page2\"/>");
        const QString inner =
            textBand("TfrxMasterData", "MasterData2", 0, 20, Item, "DataSetName=\"ORDERS\"");
        Prepared p;
        const PreparedReport& r =
            p.run(fixture(page(master(0, 40, {}, memo(Name, 0, 20) + sub), 1000) +
                          page(inner, 1000, "Page2")),
                  2);
        // The subreport's page prints only inside the band, which grows to hold it.
        QCOMPARE(pagesOf(r), Pages({{"고객1@0", "사과@20", "배@40", "감@60", "고객2@80", "사과@100",
                                     "배@120", "감@140"}}));
        QCOMPARE(r.pages[0].items[1].rect.left(), 50.0);
    }

    void subreportOfItsOwnPagePrintsOnce()
    {
        const QString sub = QStringLiteral("<TfrxSubreport Name=\"S\" Left=\"0\" Top=\"20\" "
                                           "Width=\"100\" Height=\"20\" Page=\"Page2\"/>");
        Prepared p;
        const PreparedReport& r =
            p.run(fixture(page(textBand("TfrxReportTitle", "T", 0, 20, "제목"), 1000) +
                          page(band("TfrxReportTitle", "T2", 0, 40, memo("안", 0, 20) + sub), 1000,
                               "Page2")),
                  0);
        QCOMPARE(pagesOf(r), Pages{{"제목@0"}});
    }

    void linkedBandsRoundTrip()
    {
        const QByteArray xml = fixture(page(
            textBand("TfrxHeader", "Header1", 0, 20, "머리",
                     "ReprintOnNewPage=\"True\" Stretched=\"True\"") +
            master(20, 20,
                   "Child=\"Child1\" KeepChild=\"True\" AllowSplit=\"True\" "
                   "PrintIfDetailEmpty=\"True\" OutlineText=\"RPTDB.&quot;name&quot;\"",
                   memo(Name, 0, 20) + "<TfrxSubreport Name=\"S\" Left=\"0\" Top=\"0\" Width=\"9\" "
                                       "Height=\"9\" Page=\"Page2\"/>") +
            textBand("TfrxChild", "Child1", 40, 10, "밑") +
            textBand("TfrxDetailData", "DetailData1", 60, 20, Item,
                     "DataSetName=\"ORDERS\" MasterFields=\"cust=id\"") +
            textBand("TfrxSubdetailData", "SubdetailData1", 80, 20, "x") +
            textBand("TfrxFooter", "Footer1", 100, 20, "끝")));
        TemplateFormat format;
        auto first = format.readBytes(xml);
        QVERIFY2(first, qPrintable(format.errorString()));
        const Band& m = first->pages[0].bands.at(0);
        QCOMPARE(m.childName, QStringLiteral("Child1"));
        QVERIFY(m.keepChild && m.allowSplit && m.printIfDetailEmpty);
        QCOMPARE(m.outlineText, QStringLiteral("RPTDB.\"name\""));
        const QByteArray saved = TemplateFormat::toBytes(*first);
        auto second = format.readBytes(saved);
        QVERIFY(second);
        QVERIFY(*first == *second);
        // The linked band elements stay the page's kept elements, each as it was.
        QCOMPARE(second->pages[0].kept.children.size(), size_t(5));
        QCOMPARE(second->pages[0].kept, first->pages[0].kept);
        QCOMPARE(TemplateFormat::toBytes(*second), saved);
    }
};

QTEST_MAIN(TstReportBands)
#include "tst_report_bands.moc"
