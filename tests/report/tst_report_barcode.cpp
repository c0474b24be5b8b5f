// Bar codes drawn from their text and read back by a real decoder (zbarimg).
#include "report/render/BarcodeSymbol.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvel::report;
using Kind = BarcodeSymbol::Kind;
Q_DECLARE_METATYPE(BarcodeSymbol::Kind)

class TstReportBarcode : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    /// The symbol painted on white, as a PNG file, at a few pixels per unit.
    QString picture(const BarcodeSymbol& symbol, const QString& name)
    {
        const QSizeF size = symbol.size() * 3;
        const double height = symbol.isTwoDimensional() ? size.height() : 150;
        QImage image(int(size.width()) + 40, int(height) + 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
        symbol.paint(&p, QRectF(20, 20, size.width(), height), true);
        p.end();
        const QString path = m_dir.filePath(name + QStringLiteral(".png"));
        image.save(path);
        return path;
    }

    static QString decode(const QString& png)
    {
        QProcess p;
        p.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-q"), png});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

private slots:
    void namesOfTemplatesMapToKinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind"); // -1: not a kind we draw
        QTest::newRow("code 39") << "bcCode39" << int(Kind::Code39);
        QTest::newRow("code 128 in any case") << "BCCODE128" << int(Kind::Code128);
        QTest::newRow("EAN-13") << "bcCodeEAN13" << int(Kind::Ean13);
        QTest::newRow("EAN-8") << "bcCodeEAN8" << int(Kind::Ean8);
        QTest::newRow("UPC-A") << "bcCodeUPC_A" << int(Kind::UpcA);
        QTest::newRow("2 of 5 interleaved")
            << "bcCode_2_5_interleaved" << int(Kind::Interleaved2of5);
        QTest::newRow("unknown") << "bcCodeMSI" << -1;
    }

    void namesOfTemplatesMapToKinds()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        const auto found = BarcodeSymbol::kindFromName(name);
        QCOMPARE(found ? int(*found) : -1, kind);
    }

    void symbolsDecodeToTheirText_data()
    {
        QTest::addColumn<BarcodeSymbol::Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("code 39") << Kind::Code39 << "ORVEL-2026"
                                 << "ORVEL-2026";
        QTest::newRow("code 128") << Kind::Code128 << "Orvel 123 abc"
                                  << "Orvel 123 abc";
        QTest::newRow("EAN-13, check digit added") << Kind::Ean13 << "590123412345"
                                                   << "5901234123457";
        QTest::newRow("EAN-13 with its check digit") << Kind::Ean13 << "5901234123457"
                                                     << "5901234123457";
        QTest::newRow("EAN-8") << Kind::Ean8 << "9638507"
                               << "96385074";
        // The decoder reports UPC-A as the EAN-13 it is a part of.
        QTest::newRow("UPC-A") << Kind::UpcA << "03600029145"
                               << "0036000291452";
        QTest::newRow("2 of 5 interleaved") << Kind::Interleaved2of5 << "12345670"
                                            << "12345670";
        QTest::newRow("QR, Korean text") << Kind::Qr << "서울특별시 중구 세종대로 110"
                                         << "서울특별시 중구 세종대로 110";
    }

    void symbolsDecodeToTheirText()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
            QSKIP("zbar-tools are not installed");
        QFETCH(BarcodeSymbol::Kind, kind);
        QFETCH(QString, text);
        QFETCH(QString, decoded);
        QString error;
        const BarcodeSymbol symbol = BarcodeSymbol::encode(kind, text, &error);
        QVERIFY2(!symbol.isEmpty(), qPrintable(error));
        QCOMPARE(decode(picture(symbol, QString::number(int(kind)))), decoded);
    }

    void textThatCannotBeEncodedIsRefusedWithAReason_data()
    {
        QTest::addColumn<BarcodeSymbol::Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters in EAN-13") << Kind::Ean13 << "59012ABC";
        QTest::newRow("wrong check digit") << Kind::Ean13 << "5901234123450";
        QTest::newRow("Hangul in code 39") << Kind::Code39 << "고객";
        QTest::newRow("empty") << Kind::Code128 << "";
    }

    void textThatCannotBeEncodedIsRefusedWithAReason()
    {
        QFETCH(BarcodeSymbol::Kind, kind);
        QFETCH(QString, text);
        QString error;
        const BarcodeSymbol symbol = BarcodeSymbol::encode(kind, text, &error);
        QVERIFY(symbol.isEmpty());
        QVERIFY(!error.isEmpty());
        QImage image(100, 50, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        symbol.paint(&p, QRectF(0, 0, 100, 50), true); // draws nothing, and does not fail
        p.end();
        QCOMPARE(image.pixel(50, 25), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TstReportBarcode)
#include "tst_report_barcode.moc"
