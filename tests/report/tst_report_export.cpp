// Exports of prepared pages: PDF text through poppler, CSV, HTML, text, page images.
#include "report/Report.h"
#include "report/export/ImageExport.h"
#include "report/export/ReportExport.h"
#include "report/export/SimpleTextExport.h"
#include "report/export/TextExport.h"
#include "report/prepare/ReportPreparer.h"
#include "report/prepared/PreparedFormat.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace orvel::report;

namespace
{

/// A device that refuses every write.
class FailDevice : public QIODevice
{
public:
    FailDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override
    {
        setErrorString(QStringLiteral("disk full"));
        return -1;
    }
};

MemoryDataSource customers(int count)
{
    std::vector<QVariantList> rows;
    rows.push_back(
        {"홍길동", "06236", "서울특별시 강남구 테헤란로 152", "02-123-4567", "010-1111-2222"});
    rows.push_back({"김;철수", "48058", "부산광역시 해운대구 \"센텀\" 1", "051-765-4321", ""});
    rows.push_back({"<b>&이", "61945", "광주광역시 서구 상무대로 7", "", "010-3333-4444"});
    for (int i = 3; i < count; ++i)
        rows.push_back({QStringLiteral("고객%1").arg(i + 1), "12345",
                        QStringLiteral("경기도 성남시 분당구 %1번길").arg(i), "", ""});
    return MemoryDataSource({"name", "home_post", "home_address", "home_tel", "handphone"},
                            std::move(rows));
}

PreparedReport prepared(const QString& templateFile, int rows)
{
    Report report;
    report.loadTemplate(QStringLiteral(REPORT_SHIPPED_DATA "/") + templateFile);
    auto data = customers(rows);
    report.setDataSource(&data, QStringLiteral("RPTDB"));
    report.prepare();
    return report.prepared();
}

QByteArray exportTo(const QString& extension, const PreparedReport& r)
{
    auto e = ReportExport::forExtension(extension);
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    if (!e || !e->write(r, &buf))
        return {};
    return buf.data();
}

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TstReportExport : public QObject
{
    Q_OBJECT

private slots:
    void exportsTellTheirPagesAndStop_data()
    {
        QTest::addColumn<QString>("extension");
        for (const QString& ext : ReportExport::extensions())
            QTest::addRow("%s", qPrintable(ext)) << ext;
    }

    void exportsTellTheirPagesAndStop()
    {
        QFETCH(QString, extension);
        const PreparedReport list = prepared(QStringLiteral("customer_list.fr3"), 120);
        QVERIFY(list.pages.size() >= 3);
        auto e = ReportExport::forExtension(extension);
        QVERIFY(e);
        // Page images write one page: they tell nothing, and nothing stops them.
        const bool onePage = extension == QLatin1String("png") ||
                             extension == QLatin1String("jpg") || extension == QLatin1String("bmp");
        QList<int> told;
        e->setProgress([&](int pages) {
            told << pages;
            return true;
        });
        QBuffer all;
        all.open(QIODevice::WriteOnly);
        QVERIFY2(e->write(list, &all), qPrintable(e->errorString()));
        if (onePage)
            return;
        QCOMPARE(told.size(), int(list.pages.size()));
        QCOMPARE(told.front(), 0);
        QCOMPARE(told.back(), int(list.pages.size()) - 1);

        e->setProgress([](int pages) { return pages < 2; });
        QBuffer stopped;
        stopped.open(QIODevice::WriteOnly);
        QVERIFY(!e->write(list, &stopped));
        QVERIFY(e->wasCancelled());
        QVERIFY(!e->errorString().isEmpty());
    }

    void pdfTextIsExtractable()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
        if (pdftotext.isEmpty() || pdffonts.isEmpty())
            QSKIP("poppler-utils are not installed");
        QTemporaryDir dir;
        const PreparedReport list = prepared(QStringLiteral("customer_list.fr3"), 120);
        QVERIFY(list.pages.size() >= 3);
        const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(exportTo(QStringLiteral("pdf"), list)) > 0);
        file.close();

        const QString text = run(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        for (const QString& expected :
             {QStringLiteral("고객 목록"), QStringLiteral("홍길동"),
              QStringLiteral("서울특별시 강남구 테헤란로 152"), QStringLiteral("010-1111-2222"),
              QStringLiteral("고객120"), QStringLiteral("총 120명")})
            QVERIFY2(text.contains(expected), qPrintable(expected));
        // Page numbers with the total. Text spaced evenly one character apart ("1 / 3")
        // comes out of pdftotext without its spaces, so they are not required here.
        const QString bare = QString(text).remove(QLatin1Char(' '));
        QVERIFY(bare.contains(QStringLiteral("1/%1").arg(list.pages.size())));
        QVERIFY(bare.contains(QStringLiteral("%1/%1").arg(list.pages.size())));
        QCOMPARE(int(text.count(QLatin1Char('\f'))), int(list.pages.size()));

        // Every font is embedded with a map back to Unicode, and only as a subset.
        const QStringList fonts =
            run(pdffonts, {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& line : fonts) {
            const QStringList cols = line.simplified().split(QLatin1Char(' '));
            QVERIFY2(cols.size() >= 5, qPrintable(line));
            QCOMPARE(cols[cols.size() - 5], QStringLiteral("yes")); // emb
            QCOMPARE(cols[cols.size() - 3], QStringLiteral("yes")); // uni
        }
        QVERIFY2(QFileInfo(pdf).size() < 300 * 1024,
                 qPrintable(QString::number(QFileInfo(pdf).size())));
    }

    void pdfLabelsHaveNamesAndHonorific()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("poppler-utils are not installed");
        QTemporaryDir dir;
        const PreparedReport labels = prepared(QStringLiteral("mailing_labels_3x8.fr3"), 30);
        QCOMPARE(labels.pages.size(), size_t(2));
        const QString pdf = dir.filePath(QStringLiteral("labels.pdf"));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(exportTo(QStringLiteral("pdf"), labels));
        file.close();
        const QString text = run(pdftotext, {pdf, QStringLiteral("-")});
        QCOMPARE(int(text.count(QStringLiteral("귀하"))), 30);
        QVERIFY(text.contains(QStringLiteral("홍길동 귀하")));
        QVERIFY(text.contains(QStringLiteral("06236")));
    }

    void csvRowsUseSemicolons()
    {
        const PreparedReport list = prepared(QStringLiteral("customer_list.fr3"), 3);
        const QByteArray bytes = exportTo(QStringLiteral("csv"), list);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QVERIFY(lines.contains(QStringLiteral("번호;이름;우편번호;주소;전화;휴대폰")));
        QVERIFY(lines.contains(QStringLiteral(
            "1;홍길동;06236;서울특별시 강남구 테헤란로 152;02-123-4567;010-1111-2222")));
        QVERIFY(lines.contains(QStringLiteral(
            "2;\"김;철수\";48058;\"부산광역시 해운대구 \"\"센텀\"\" 1\";051-765-4321")));
        QVERIFY(lines.contains(QStringLiteral("1 / 1")));
    }

    void htmlIsEscapedAndPaged()
    {
        const PreparedReport labels = prepared(QStringLiteral("mailing_labels_3x8.fr3"), 30);
        const QString html = QString::fromUtf8(exportTo(QStringLiteral("html"), labels));
        QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        QVERIFY(html.contains(QStringLiteral("&lt;b&gt;&amp;이 귀하")));
        QVERIFY(!html.contains(QStringLiteral("<b>&")));
        QCOMPARE(int(html.count(QStringLiteral("class=\"page\""))), 2);
        QVERIFY(html.contains(QStringLiteral("홍길동 귀하")));
    }

    void textKeepsColumnsWithWideCharacters()
    {
        const PreparedReport list = prepared(QStringLiteral("customer_list.fr3"), 3);
        const QString text = QString::fromUtf8(exportTo(QStringLiteral("txt"), list));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QString hong, kim;
        for (const QString& l : lines) {
            if (l.contains(QStringLiteral("홍길동")))
                hong = l;
            if (l.contains(QStringLiteral("48058")))
                kim = l;
        }
        QVERIFY(!hong.isEmpty() && !kim.isEmpty());
        // Zip codes line up on the character grid although the names before them differ.
        auto column = [](const QString& line, const QString& what) {
            int cells = 0;
            for (int i = 0; i < line.indexOf(what); ++i)
                cells += TextExport::cellWidth(line[i]);
            return cells;
        };
        QCOMPARE(column(hong, QStringLiteral("06236")), column(kim, QStringLiteral("48058")));

        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        SimpleTextExport simple;
        QVERIFY(simple.write(list, &buf));
        QVERIFY(QString::fromUtf8(buf.data())
                    .contains(QStringLiteral("1 홍길동 06236 서울특별시 강남구 테헤란로 152")));
    }

    void pageImages_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addRow("png") << "png";
        QTest::addRow("jpeg") << "jpg";
        QTest::addRow("bmp") << "bmp";
    }

    void pageImages()
    {
        QFETCH(QString, extension);
        const PreparedReport labels = prepared(QStringLiteral("mailing_labels_3x8.fr3"), 30);
        QImage img = QImage::fromData(exportTo(extension, labels));
        QCOMPARE(img.size(), QSize(794, 1123)); // A4 at 96 dpi
        // Text was drawn: the page is not blank.
        QVERIFY(img.convertToFormat(QImage::Format_Grayscale8) !=
                QImage(img.size(), QImage::Format_Grayscale8));
        bool dark = false;
        const QImage grey = img.convertToFormat(QImage::Format_Grayscale8);
        for (int y = 0; y < grey.height() && !dark; ++y)
            for (int x = 0; x < grey.width() && !dark; ++x)
                dark = grey.pixelColor(x, y).value() < 100;
        QVERIFY(dark);
        // A page that does not exist is an error.
        ImageExport png("PNG", QStringLiteral("png"), QStringLiteral("PNG"));
        png.setPage(5);
        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        QVERIFY(!png.write(labels, &buf));
        QVERIFY(png.errorString().contains(QLatin1String("page 6")));
        png.setPage(0);
        png.setDpi(100000);
        QVERIFY(!png.write(labels, &buf));
        QVERIFY(png.errorString().contains(QLatin1String("too large")));
    }

    void shapesAndPicturesAreDrawn()
    {
        // Shapes and pictures in 100 px boxes along the top of a page without margins.
        auto object = [](ReportObject::Type type, double left) {
            ReportObject o;
            o.type = type;
            o.left = left;
            o.width = o.height = 100;
            o.fill = QColor(Qt::red);
            o.frame.color = QColor(Qt::red);
            return o;
        };
        ReportObject triangle = object(ReportObject::Shape, 0);
        triangle.shape = ShapeKind::Triangle;
        ReportObject diamond = object(ReportObject::Shape, 120);
        diamond.shape = ShapeKind::Diamond;
        ReportObject diagonal = object(ReportObject::Shape, 240);
        diagonal.shape = ShapeKind::Diagonal2;
        diagonal.frame.width = 3;
        QImage blue(10, 10, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QByteArray png;
        QBuffer pngBuffer(&png);
        pngBuffer.open(QIODevice::WriteOnly);
        blue.save(&pngBuffer, "PNG");
        ReportObject natural = object(ReportObject::Picture, 360);
        natural.imageData = png;
        natural.stretched = false;
        natural.center = true;
        ReportObject filled = object(ReportObject::Picture, 480);
        filled.imageData = png;
        filled.keepAspect = false;
        filled.height = 50;
        Band title;
        title.type = Band::ReportTitle;
        title.height = 100;
        title.objects = {triangle, diamond, diagonal, natural, filled};
        ReportTemplate t;
        ReportPage page;
        page.leftMargin = page.topMargin = page.rightMargin = page.bottomMargin = 0;
        page.bands.push_back(title);
        t.pages.push_back(page);
        PreparedReport prepared;
        QVERIFY(ReportPreparer(t, nullptr, QStringLiteral("RPTDB")).prepare(&prepared));
        // Through the prepared-page file as well, so its picture settings are checked too.
        QBuffer fp3;
        fp3.open(QIODevice::ReadWrite);
        QVERIFY(PreparedFormat().write(prepared, &fp3));
        fp3.seek(0);
        PreparedReport loaded;
        QVERIFY(PreparedFormat().read(&fp3, &loaded));
        const QImage img = QImage::fromData(exportTo(QStringLiteral("png"), loaded));
        QVERIFY(!img.isNull());
        auto at = [&](int x, int y) { return img.pixelColor(x, y); };
        const QColor red(Qt::red), white(Qt::white), blueColor(Qt::blue);
        QCOMPARE(at(50, 90), red);   // inside the triangle
        QCOMPARE(at(5, 5), white);   // beside its apex
        QCOMPARE(at(170, 50), red);  // the diamond's middle
        QCOMPARE(at(125, 5), white); // outside its corner
        QCOMPARE(at(241, 98), red);  // the rising diagonal starts bottom-left
        QCOMPARE(at(338, 98), white);
        QCOMPARE(at(410, 50), blueColor); // a picture at its own size, centred
        QCOMPARE(at(365, 5), white);
        QCOMPARE(at(575, 45), blueColor); // stretched to the whole box
        QCOMPARE(at(575, 55), white);
    }

    void tiffHoldsEveryPage()
    {
        const PreparedReport labels = prepared(QStringLiteral("mailing_labels_3x8.fr3"), 30);
        const QByteArray tif = exportTo(QStringLiteral("tif"), labels);
        QVERIFY(tif.startsWith(QByteArray("II*\0", 4)));
        // Walk the directory chain: one directory per page, each 794 x 1123.
        quint32 offset = qFromLittleEndian<quint32>(tif.constData() + 4);
        int pages = 0;
        while (offset != 0 && offset + 2 <= quint32(tif.size()) && pages < 10) {
            const quint16 count = qFromLittleEndian<quint16>(tif.constData() + offset);
            QHash<int, quint32> tags;
            for (int i = 0; i < count; ++i) {
                const char* e = tif.constData() + offset + 2 + i * 12;
                tags.insert(qFromLittleEndian<quint16>(e), qFromLittleEndian<quint32>(e + 8));
            }
            QCOMPARE(tags.value(256), quint32(794));
            QCOMPARE(tags.value(257), quint32(1123));
            QVERIFY(tags.value(273) + tags.value(279) <= quint32(tif.size()));
            offset = qFromLittleEndian<quint32>(tif.constData() + offset + 2 + count * 12);
            ++pages;
        }
        QCOMPARE(pages, 2);
    }

    void writeFailuresAreReported_data()
    {
        QTest::addColumn<QString>("extension");
        for (const QString& e : ReportExport::extensions())
            QTest::addRow("%s", qPrintable(e)) << e;
    }

    void writeFailuresAreReported()
    {
        QFETCH(QString, extension);
        const PreparedReport list = prepared(QStringLiteral("customer_list.fr3"), 3);
        auto e = ReportExport::forExtension(extension);
        QVERIFY(e);
        FailDevice device;
        QVERIFY(!e->write(list, &device));
        QVERIFY(!e->errorString().isEmpty());
    }
};

QTEST_MAIN(TstReportExport)
#include "tst_report_export.moc"
