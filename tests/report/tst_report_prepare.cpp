// Preparing pages: pagination, label layouts, stretching, page numbers, groups, .fp3 files.
#include "report/Report.h"
#include "report/prepare/ReportPreparer.h"
#include "report/prepared/PreparedFormat.h"
#include "report/template/TemplateFormat.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace orvel::report;

namespace
{

ReportObject memo(const QString& text, double left, double width, double height)
{
    ReportObject o;
    o.type = ReportObject::Memo;
    o.text = text;
    o.left = left;
    o.width = width;
    o.height = height;
    return o;
}

Band band(Band::Type type, double height, std::vector<ReportObject> objects = {})
{
    Band b;
    b.type = type;
    b.height = height;
    b.width = 700;
    b.objects = std::move(objects);
    if (type == Band::MasterData)
        b.dataSetName = QStringLiteral("RPTDB");
    return b;
}

ReportTemplate page(std::vector<Band> bands, double heightMm = 297, double margin = 10)
{
    ReportTemplate t;
    ReportPage p;
    p.paperHeight = heightMm;
    p.leftMargin = p.rightMargin = p.topMargin = p.bottomMargin = margin;
    p.bands = std::move(bands);
    t.pages.push_back(p);
    return t;
}

MemoryDataSource rows(int count)
{
    std::vector<QVariantList> r;
    for (int i = 1; i <= count; ++i)
        r.push_back({QVariant(i), QStringLiteral("고객%1").arg(i),
                     QStringLiteral("그룹%1").arg((i - 1) / 3 + 1)});
    return MemoryDataSource({"no", "name", "group_name"}, std::move(r));
}

PreparedReport prepare(const ReportTemplate& t, DataSource* data)
{
    PreparedReport out;
    ReportPreparer preparer(t, data, QStringLiteral("RPTDB"));
    preparer.setNow(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    if (!preparer.prepare(&out))
        qWarning() << preparer.errorString();
    return out;
}

QStringList texts(const PreparedPage& p)
{
    QStringList out;
    for (const PreparedItem& it : p.items)
        if (it.kind == PreparedItem::Text)
            out << it.text;
    return out;
}

const PreparedItem* findText(const PreparedReport& r, const QString& text, int* pageOut = nullptr)
{
    for (size_t p = 0; p < r.pages.size(); ++p)
        for (const PreparedItem& it : r.pages[p].items)
            if (it.kind == PreparedItem::Text && it.text == text) {
                if (pageOut)
                    *pageOut = int(p);
                return &it;
            }
    return nullptr;
}

} // namespace

class TstReportPrepare : public QObject
{
    Q_OBJECT

private slots:
    void rowsFillPages_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("rowsOnLastPage");
        // 100 mm without margins, 10 mm rows: exactly 10 rows per page.
        QTest::addRow("none") << 0 << 1 << 0;
        QTest::addRow("one") << 1 << 1 << 1;
        QTest::addRow("exactly full") << 10 << 1 << 10;
        QTest::addRow("two full") << 20 << 2 << 10;
        QTest::addRow("one over") << 21 << 3 << 1;
    }

    void rowsFillPages()
    {
        QFETCH(int, rowCount);
        QFETCH(int, pages);
        QFETCH(int, rowsOnLastPage);
        auto t = page({band(Band::MasterData, mmToPx(10),
                            {memo(QStringLiteral("[RPTDB.\"name\"]"), 0, 200, mmToPx(10))})},
                      100, 0);
        auto data = rows(rowCount);
        const PreparedReport r = prepare(t, &data);
        QCOMPARE(int(r.pages.size()), pages);
        QCOMPARE(int(texts(r.pages.back()).size()), rowsOnLastPage);
        if (rowCount > 0)
            QVERIFY(findText(r, QStringLiteral("고객%1").arg(rowCount)));
    }

    void progressCountsPagesAndCanStop_data()
    {
        QTest::addColumn<int>("stopAt");
        QTest::addColumn<bool>("finished");
        QTest::addRow("runs to the end") << 0 << true;
        QTest::addRow("stopped on the first page") << 1 << false;
        QTest::addRow("stopped on the third page") << 3 << false;
    }

    void progressCountsPagesAndCanStop()
    {
        QFETCH(int, stopAt);
        QFETCH(bool, finished);
        // 10 rows a page: 45 rows make 5 pages.
        Report report;
        report.reportTemplate() =
            page({band(Band::MasterData, mmToPx(10),
                       {memo(QStringLiteral("[RPTDB.\"name\"]"), 0, 200, mmToPx(10))})},
                 100, 0);
        auto data = rows(45);
        report.setDataSource(&data, QStringLiteral("RPTDB"));
        QList<int> told;
        auto progress = [&](int pages) {
            told << pages;
            return stopAt == 0 || pages < stopAt;
        };
        bool cancelled = false;
        try {
            report.prepare(progress);
        } catch (const ReportCancelled&) {
            cancelled = true;
        }
        QCOMPARE(cancelled, !finished);
        if (finished) {
            QCOMPARE(told, (QList<int>{0, 1, 2, 3, 4}));
            QCOMPARE(report.prepared().pages.size(), size_t(5));
        } else {
            QCOMPARE(told.last(), stopAt);
            QVERIFY(report.prepared().pages.empty());
        }
    }

    void bandTallerThanPageStillPrints()
    {
        auto t =
            page({band(Band::MasterData, 5000, {memo(QStringLiteral("[Line#]"), 0, 100, 20)})});
        auto data = rows(3);
        const PreparedReport r = prepare(t, &data);
        QCOMPARE(r.pages.size(), size_t(3));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(texts(r.pages[i]), QStringList{QString::number(i + 1)});
    }

    void labelsGoAcrossThenDown()
    {
        TemplateFormat format;
        auto t = format.readFile(QStringLiteral(REPORT_SHIPPED_DATA "/mailing_labels_3x8.fr3"));
        QVERIFY(t);
        auto data = rows(25);
        const PreparedReport r = prepare(*t, &data);
        QCOMPARE(r.pages.size(), size_t(2)); // 24 labels fill A4 exactly
        const double w = mmToPx(70), h = 139.84261;
        const double left = 0, top = mmToPx(0.5);
        for (int i = 0; i < 24; ++i) {
            int pageNo = -1;
            const PreparedItem* it = findText(r, QStringLiteral("고객%1 귀하").arg(i + 1), &pageNo);
            QVERIFY(it);
            QCOMPARE(pageNo, 0);
            const double x = left + (i % 3) * w, y = top + (i / 3) * h;
            QVERIFY2(qAbs(it->rect.left() - (x + 22.67718)) < 0.01, qPrintable(QString::number(i)));
            QVERIFY2(qAbs(it->rect.top() - (y + 94.48825)) < 0.01, qPrintable(QString::number(i)));
        }
        int pageNo = -1;
        QVERIFY(findText(r, QStringLiteral("고객25 귀하"), &pageNo));
        QCOMPARE(pageNo, 1);
    }

    void pageColumnsGoDownThenAcross()
    {
        auto t =
            page({band(Band::MasterData, 30, {memo(QStringLiteral("[RPTDB.\"no\"]"), 0, 100, 30)})},
                 pxToMm(90), 0);
        t.pages[0].columns = 2;
        t.pages[0].columnWidth = 95;
        auto data = rows(7);
        const PreparedReport r = prepare(t, &data);
        QCOMPARE(r.pages.size(), size_t(2));
        auto at = [&](int n) { return findText(r, QString::number(n))->rect.topLeft(); };
        QCOMPARE(at(1), QPointF(0, 0));
        QCOMPARE(at(3), QPointF(0, 60));
        QVERIFY(qAbs(at(4).x() - mmToPx(95)) < 0.001);
        QCOMPARE(at(4).y(), 0.0);
        QCOMPARE(texts(r.pages[1]), QStringList{"7"});

        // A summary that no longer fits moves to the next column, not to a new page.
        t.pages[0].bands.push_back(
            band(Band::ReportSummary, 30, {memo(QStringLiteral("합계"), 0, 100, 30)}));
        auto three = rows(3);
        const PreparedReport s = prepare(t, &three);
        QCOMPARE(s.pages.size(), size_t(1));
        const PreparedItem* summary = findText(s, QStringLiteral("합계"));
        QVERIFY(qAbs(summary->rect.left() - mmToPx(95)) < 0.001);
        QCOMPARE(summary->rect.top(), 0.0);
    }

    void columnFooterClosesEachColumn()
    {
        auto t =
            page({band(Band::MasterData, 30, {memo(QStringLiteral("[RPTDB.\"no\"]"), 0, 100, 30)}),
                  band(Band::ColumnFooter, 30, {memo(QStringLiteral("끝열"), 0, 100, 30)}),
                  band(Band::ReportSummary, 30, {memo(QStringLiteral("합계"), 0, 100, 30)})},
                 pxToMm(90), 0);
        t.pages[0].columns = 2;
        t.pages[0].columnWidth = 95;
        auto data = rows(5);
        const PreparedReport r = prepare(t, &data);
        QCOMPARE(r.pages.size(), size_t(2));
        QCOMPARE(texts(r.pages[0]), QStringList({"1", "2", "끝열", "3", "4", "끝열"}));
        QCOMPARE(texts(r.pages[1]), QStringList({"5", "끝열", "합계"}));
        QCOMPARE(r.pages[0].items[5].rect.topLeft().y(), 60.0);
        QVERIFY(qAbs(r.pages[0].items[5].rect.left() - mmToPx(95)) < 0.001);
    }

    void headersFootersAndPageTotals()
    {
        auto t = page({band(Band::ReportTitle, 40, {memo(QStringLiteral("제목"), 0, 200, 40)}),
                       band(Band::PageHeader, 20, {memo(QStringLiteral("머리글"), 0, 200, 20)}),
                       band(Band::MasterData, 100, {memo(QStringLiteral("[Line#]"), 0, 200, 20)}),
                       band(Band::ReportSummary, 20, {memo(QStringLiteral("끝"), 0, 200, 20)}),
                       band(Band::PageFooter, 20,
                            {memo(QStringLiteral("[Page#] / [TotalPages#]"), 0, 200, 20)})},
                      pxToMm(400), 0);
        auto data = rows(7);
        const PreparedReport r = prepare(t, &data);
        // Page 1: title 40 + header 20, rows of 100 up to 380: 3 rows. Later pages 3 rows.
        QCOMPARE(r.pages.size(), size_t(3));
        QCOMPARE(texts(r.pages[0]), QStringList({"제목", "머리글", "1", "2", "3", "1 / 3"}));
        QCOMPARE(texts(r.pages[1]), QStringList({"머리글", "4", "5", "6", "2 / 3"}));
        QCOMPARE(texts(r.pages[2]), QStringList({"머리글", "7", "끝", "3 / 3"}));
        // The footer sits at the bottom of the page.
        QCOMPARE(findText(r, QStringLiteral("3 / 3"))->rect.top(), 380.0);
    }

    void wordWrapStretchesBand()
    {
        ReportObject text = memo(QStringLiteral("[RPTDB.\"name\"]"), 0, 60, 20);
        text.stretch = StretchMode::ActualHeight;
        ReportObject side = memo(QStringLiteral("옆"), 60, 40, 20);
        side.stretch = StretchMode::MaxHeight;
        Band b = band(Band::MasterData, 20, {text, side});
        b.stretched = true;
        auto t = page({b});
        MemoryDataSource data({"name"},
                              {{QStringLiteral("아주 긴 이름이 여러 줄로 나뉘어 인쇄됩니다")},
                               {QStringLiteral("짧음")},
                               {QStringLiteral("띄어쓰기없이아주길게이어지는한낱말입니다")}});
        const PreparedReport r = prepare(t, &data);
        const PreparedItem* first =
            findText(r, QStringLiteral("아주 긴 이름이 여러 줄로 나뉘어 인쇄됩니다"));
        const PreparedItem* second = findText(r, QStringLiteral("짧음"));
        QVERIFY(first && second);
        QVERIFY2(first->rect.height() > 40, qPrintable(QString::number(first->rect.height())));
        QCOMPARE(second->rect.top(), first->rect.bottom());
        QCOMPARE(second->rect.height(), 20.0);
        // The neighbour grows to the band's height.
        QCOMPARE(r.pages[0].items[1].rect.height(), first->rect.height());
        // A word wider than the box breaks inside the word rather than running out of it.
        const PreparedItem* word =
            findText(r, QStringLiteral("띄어쓰기없이아주길게이어지는한낱말입니다"));
        QVERIFY(word);
        QVERIFY2(word->rect.height() > 40, qPrintable(QString::number(word->rect.height())));
    }

    void groupsPrintHeadersAndFooters()
    {
        Band header = band(Band::GroupHeader, 20,
                           {memo(QStringLiteral("[RPTDB.\"group_name\"]"), 0, 200, 20)});
        header.condition = QStringLiteral("RPTDB.\"group_name\"");
        Band footer = band(Band::GroupFooter, 20,
                           {memo(QStringLiteral("끝 [RPTDB.\"group_name\"] [COUNT(MasterData1)]명 "
                                                "[SUM(<RPTDB.\"no\">)]"),
                                 0, 200, 20)});
        Band summary = band(Band::ReportSummary, 20,
                            {memo(QStringLiteral("[COUNT()] [AVG(<RPTDB.\"no\">)] "
                                                 "[MIN(<RPTDB.\"no\">)]-[MAX(<RPTDB.\"no\">)]"),
                                  0, 200, 20)});
        Band master =
            band(Band::MasterData, 20, {memo(QStringLiteral("[Line]:[RPTDB.\"no\"]"), 0, 200, 20)});
        master.name = QStringLiteral("MasterData1");
        auto t = page({header, master, footer, summary});
        auto data = rows(5);
        const PreparedReport r = prepare(t, &data);
        QCOMPARE(texts(r.pages[0]),
                 QStringList({"그룹1", "1:1", "2:2", "3:3", "끝 그룹1 3명 6", "그룹2", "1:4", "2:5",
                              "끝 그룹2 2명 9", "5 3 1-5"}));
        QCOMPARE(r.outline.size(), size_t(2));
        QCOMPARE(r.outline[1].text, QStringLiteral("그룹2"));
    }

    void unboundBandPrintsRowCountTimes()
    {
        Band b = band(Band::MasterData, 20, {memo(QStringLiteral("[Line#]"), 0, 100, 20)});
        b.dataSetName.clear();
        b.rowCount = 3;
        Band other = band(Band::MasterData, 20, {memo(QStringLiteral("x"), 0, 100, 20)});
        other.dataSetName = QStringLiteral("OTHER");
        auto t = page({b, other});
        const PreparedReport r = prepare(t, nullptr);
        QCOMPARE(texts(r.pages[0]), QStringList({"1", "2", "3"}));
    }

    void pageLimitIsAnError()
    {
        auto t = page({band(Band::MasterData, 5000)});
        auto data = rows(50);
        PreparedReport out;
        ReportPreparer preparer(t, &data, QStringLiteral("RPTDB"));
        preparer.setMaxPages(10);
        QVERIFY(!preparer.prepare(&out));
        QVERIFY(preparer.errorString().contains(QLatin1String("more than 10 pages")));
        QVERIFY(out.pages.empty());
    }

    void preparedPagesRoundTrip()
    {
        TemplateFormat format;
        auto t = format.readFile(QStringLiteral(REPORT_TEST_DATA "/rich.fr3"));
        QVERIFY(t);
        MemoryDataSource data({"name", "amount", "group_name"},
                              {{"가", 1.5, "A"}, {"나", 1234.5, "A"}, {"다", 0, "B"}});
        Report report;
        report.reportTemplate() = *t;
        report.setDataSource(&data, QStringLiteral("RPTDB"));
        report.prepare();
        const PreparedReport before = report.prepared();
        QVERIFY(findText(before, QStringLiteral("1,234.50")));
        QVERIFY(!before.images.empty());

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.fp3"));
        report.savePrepared(path);
        QVERIFY(report.loadPrepared(path));
        const PreparedReport& after = report.prepared();
        QCOMPARE(after.pages.size(), before.pages.size());
        QCOMPARE(after.styles.size(), before.styles.size());
        for (size_t i = 0; i < before.styles.size(); ++i) {
            const ItemStyle& a = after.styles[i];
            const ItemStyle& b = before.styles[i];
            QCOMPARE(a.font, b.font);
            QCOMPARE(a.frame, b.frame);
            QCOMPARE(a.fill, b.fill);
            QVERIFY(a == b);
        }
        QCOMPARE(after.images.size(), before.images.size());
        QCOMPARE(after.outline.size(), before.outline.size());
        for (size_t p = 0; p < before.pages.size(); ++p) {
            QCOMPARE(after.pages[p].items.size(), before.pages[p].items.size());
            for (size_t i = 0; i < before.pages[p].items.size(); ++i) {
                const PreparedItem& a = after.pages[p].items[i];
                const PreparedItem& b = before.pages[p].items[i];
                QCOMPARE(a.kind, b.kind);
                QCOMPARE(a.text, b.text);
                QCOMPARE(a.style, b.style);
                QVERIFY(qAbs(a.rect.top() - b.rect.top()) < 1e-4);
                QVERIFY(qAbs(a.rect.width() - b.rect.width()) < 1e-4);
            }
        }
        // A missing file is no error and leaves no pages.
        QVERIFY(!report.loadPrepared(dir.filePath(QStringLiteral("missing.fp3"))));
        QVERIFY(report.prepared().pages.empty());
    }

    void damagedPreparedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        PreparedReport r;
        r.pages.resize(2);
        r.styles.push_back({});
        r.pages[0].items.push_back({PreparedItem::Text, 0, -1, QRectF(1, 2, 3, 4), "x"});
        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        QVERIFY(PreparedFormat().write(r, &buf));
        const QByteArray good = buf.data();
        QTest::addRow("truncated") << good.left(good.size() - 10);
        QTest::addRow("wrong magic") << QByteArray("PK\x03\x04 not ours");
        QTest::addRow("empty") << QByteArray();
        QByteArray huge = good.left(9);
        huge += QByteArray("\x7f\xff\xff\xff", 4) + good.mid(13);
        QTest::addRow("huge size claim") << huge;
        QByteArray badStyle = "ORVELFP3\x01";
        badStyle +=
            qCompress("<OrvelPreparedReport><Page><T s=\"5\">x</T></Page></OrvelPreparedReport>");
        QTest::addRow("style out of range") << badStyle;
        QByteArray badNumber = "ORVELFP3\x01";
        badNumber += qCompress("<OrvelPreparedReport><Page w=\"1e300\"/></OrvelPreparedReport>");
        QTest::addRow("huge page") << badNumber;
    }

    void damagedPreparedFiles()
    {
        QFETCH(QByteArray, bytes);
        QBuffer buf(&bytes);
        buf.open(QIODevice::ReadOnly);
        PreparedReport r;
        PreparedFormat format;
        QVERIFY(!format.read(&buf, &r));
        QVERIFY(!format.errorString().isEmpty());
    }

    void systemVariablesOnPages()
    {
        // 400 px pages of 100 px rows over a 20 px footer: 3 rows a page, 7 rows 3 pages.
        Band master =
            band(Band::MasterData, 100, {memo(QStringLiteral("[RPTDB.\"no\"]"), 0, 100, 20)});
        master.name = QStringLiteral("MasterData1");
        auto t = page(
            {master, band(Band::PageFooter, 20,
                          {memo(QStringLiteral("Page [Page] of [TotalPages]"), 0, 100, 20),
                           memo(QStringLiteral("[Page#]/[TotalPages#]([CopyName#])"), 100, 100, 20),
                           memo(QStringLiteral("[IIF(<Page> = <TotalPages#>, 'last', 'more')]"),
                                200, 100, 20),
                           memo(QStringLiteral("[SUM(<RPTDB.\"no\">, MasterData1)]"), 300, 100, 20),
                           memo(QStringLiteral("[FormatDateTime('yyyy-mm-dd', <Date>)] "
                                               "[FormatDateTime('hh:nn:ss', <Time>)]"),
                                400, 100, 20)})},
            pxToMm(400), 0);
        auto data = rows(7);
        const PreparedReport r = prepare(t, &data);
        QCOMPARE(r.pages.size(), size_t(3));
        const QStringList pageSums{"6", "15", "7"};
        for (int p = 0; p < 3; ++p) {
            const QStringList footer = texts(r.pages[p]).mid(p < 2 ? 3 : 1);
            QCOMPARE(footer,
                     QStringList({QStringLiteral("Page %1 of 3").arg(p + 1),
                                  QStringLiteral("%1/3()").arg(p + 1), p < 2 ? "more" : "last",
                                  pageSums[p], "2024-05-06 07:08:09"}));
        }
    }

    void linesAndSumsOverGroups()
    {
        // Groups of three rows: 1-3, 4-6 and 7.
        Band header = band(Band::GroupHeader, 20,
                           {memo(QStringLiteral("[RPTDB.\"group_name\"]"), 0, 200, 20)});
        header.condition = QStringLiteral("RPTDB.\"group_name\"");
        Band master =
            band(Band::MasterData, 20, {memo(QStringLiteral("[Line]/[Line#]"), 0, 200, 20)});
        master.name = QStringLiteral("MasterData1");
        Band footer =
            band(Band::GroupFooter, 20,
                 {memo(QStringLiteral("[SUM(<RPTDB.\"no\">, MasterData1)] [COUNT(MasterData1)] "
                                      "[SUM(<RPTDB.\"no\">, MasterData1, 2)] "
                                      "[SUM(<RPTDB.\"no\">, OtherData)]"),
                       0, 200, 20)});
        Band summary = band(Band::ReportSummary, 20,
                            {memo(QStringLiteral("[SUM(<RPTDB.\"no\">, MasterData1)] "
                                                 "[MAX(<RPTDB.\"no\"> * 2, MasterData1)] "
                                                 "[IIF(COUNT(MasterData1) > 5, 'many', 'few')]"),
                                  0, 200, 20)});
        auto t = page({header, master, footer, summary});
        auto data = rows(7);
        const PreparedReport r = prepare(t, &data);
        QCOMPARE(r.pages.size(), size_t(1));
        QCOMPARE(texts(r.pages[0]),
                 QStringList({"그룹1", "1/1", "2/2", "3/3", "6 3 6 0", "그룹2", "1/4", "2/5", "3/6",
                              "15 3 21 0", "그룹3", "1/7", "7 1 28 0", "28 14 many"}));
    }
};

QTEST_MAIN(TstReportPrepare)
#include "tst_report_prepare.moc"
