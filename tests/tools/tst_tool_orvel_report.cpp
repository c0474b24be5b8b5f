// The orvel-report command line: outputs and exit codes.
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TstToolOrvelReport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    struct Result {
        int code = -1;
        QString out, err;
    };

    Result run(const QStringList& args)
    {
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        p.start(QStringLiteral(ORVEL_REPORT_EXE), args);
        if (!p.waitForFinished(120000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2,
                QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    static QString shipped(const char* name)
    {
        return QStringLiteral(REPORT_SHIPPED_DATA "/") + QLatin1String(name);
    }
    static QString csv() { return QStringLiteral(REPORT_TEST_DATA "/customers.csv"); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile bad(path(QStringLiteral("bad.fr3")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("<TfrxReport><TfrxReportPage><TfrxMasterData Height=\"1e999\"/>");
        bad.close();
        QFile fp3(path(QStringLiteral("bad.fp3")));
        QVERIFY(fp3.open(QIODevice::WriteOnly));
        fp3.write("ORVELFP3\x01garbage");
        fp3.close();
    }

    void rendersEveryFormat_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QByteArray>("head");
        QTest::addRow("list pdf") << shipped("customer_list.fr3") << "list.pdf"
                                  << QByteArray("%PDF");
        QTest::addRow("labels pdf")
            << shipped("mailing_labels_3x8.fr3") << "labels.pdf" << QByteArray("%PDF");
        QTest::addRow("csv") << shipped("customer_list.fr3") << "list.csv"
                             << QByteArray("\xEF\xBB\xBF고객 목록\r\n");
        QTest::addRow("html") << shipped("customer_list.fr3") << "list.html"
                              << QByteArray("<!DOCTYPE html>");
        QTest::addRow("txt") << shipped("customer_list.fr3") << "list.txt" << QByteArray();
        QTest::addRow("png") << shipped("mailing_labels_3x8.fr3") << "labels.png"
                             << QByteArray("\x89PNG");
        QTest::addRow("jpg") << shipped("mailing_labels_3x8.fr3") << "labels.jpg"
                             << QByteArray("\xFF\xD8");
        QTest::addRow("bmp") << shipped("mailing_labels_3x8.fr3") << "labels.bmp"
                             << QByteArray("BM");
        QTest::addRow("tif") << shipped("mailing_labels_3x8.fr3") << "labels.tif"
                             << QByteArray("II*");
        QTest::addRow("fp3") << shipped("customer_list.fr3") << "list.fp3"
                             << QByteArray("ORVELFP3");
    }

    void rendersEveryFormat()
    {
        QFETCH(QString, templ);
        QFETCH(QString, out);
        QFETCH(QByteArray, head);
        const Result r =
            run({"render", templ, "--csv", csv(), "--dataset", "RPTDB", "--out", path(out)});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QFile f(path(out));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.size() > 100);
        QVERIFY(bytes.startsWith(head));
        if (out == QLatin1String("list.txt"))
            QVERIFY(QString::fromUtf8(bytes).contains(QStringLiteral("고객 목록")));
    }

    void imagesGetOneFilePerPage()
    {
        const Result r = run({"render", shipped("mailing_labels_3x8.fr3"), "--csv", csv(), "--out",
                              path("many.png"), "--dpi", "50"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(QFile::exists(path("many.png")));
        QVERIFY(QFile::exists(path("many_2.png"))); // 40 labels: two pages
        QVERIFY(!QFile::exists(path("many_3.png")));
        QCOMPARE(QImageReader(path("many.png")).size().width(), 414); // 210 mm at 50 dpi
    }

    void warnsWhenNoBandReadsTheDataSet()
    {
        const Result r = run({"render", shipped("customer_list.fr3"), "--csv", csv(), "--dataset",
                              "OTHER", "--out", path("other.csv")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains(QStringLiteral("no data band of the template reads the data set "
                                               "OTHER")),
                 qPrintable(r.err));
        const Result fine = run(
            {"render", shipped("customer_list.fr3"), "--csv", csv(), "--out", path("fine.csv")});
        QVERIFY(!fine.err.contains(QStringLiteral("warning")));
    }

    void warnsOfFieldsTheDataLacks()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("other.csv"));
        QFile f(data);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("no,name,post,address\n1,김철수,12345,서울\n");
        f.close();
        const Result r = run(
            {"render", shipped("customer_list.fr3"), "--csv", data, "--out", path("lacking.csv")});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains(QStringLiteral("the data has no field home_post, home_address, "
                                               "home_tel, handphone that the template reads from "
                                               "RPTDB")),
                 qPrintable(r.err));
    }

    void convertsPreparedPages()
    {
        QVERIFY(
            run({"render", shipped("customer_list.fr3"), "--csv", csv(), "--out", path("c.fp3")})
                .code == 0);
        const Result r = run({"convert", path("c.fp3"), "--out", path("c.pdf")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QFile f(path("c.pdf"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("%PDF"));
    }

    void badInputExitsNonZero_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString list = shipped("customer_list.fr3");
        QTest::addRow("no arguments") << QStringList{} << 2 << "usage";
        QTest::addRow("unknown command") << QStringList{"print", list} << 2 << "unknown command";
        QTest::addRow("no output")
            << QStringList{"render", list, "--csv", csv()} << 2 << "bad arguments";
        QTest::addRow("no data") << QStringList{"render", list, "--out", "x.pdf"} << 2
                                 << "bad arguments";
        QTest::addRow("csv and sql")
            << QStringList{"render", list, "--csv", csv(), "--sql", "select 1", "--out", "x.pdf"}
            << 2 << "bad arguments";
        QTest::addRow("unknown option")
            << QStringList{"render", list, "--csv", csv(), "--color", "red", "--out", "x.pdf"} << 2
            << "unknown option --color";
        QTest::addRow("option without value")
            << QStringList{"render", list, "--csv", csv(), "--out"} << 2 << "needs a value";
        QTest::addRow("unknown format")
            << QStringList{"render", list, "--csv", csv(), "--out", "x.doc"} << 2
            << "unknown output format";
        QTest::addRow("bad dpi") << QStringList{"render", list,    "--csv", csv(),
                                                "--out",  "x.png", "--dpi", "0"}
                                 << 2 << "--dpi";
        QTest::addRow("sql without deployment")
            << QStringList{"render", list, "--sql", "select 1", "--out", "x.pdf"} << 2
            << "--deployment";
        QTest::addRow("missing template")
            << QStringList{"render", "nothere.fr3", "--csv", csv(), "--out", "x.pdf"} << 1
            << "template not found";
        QTest::addRow("damaged template")
            << QStringList{"render", "bad.fr3", "--csv", csv(), "--out", "x.pdf"} << 1
            << "damaged template";
        QTest::addRow("missing csv")
            << QStringList{"render", list, "--csv", "nothere.csv", "--out", "x.pdf"} << 1
            << "cannot open";
        QTest::addRow("unwritable output")
            << QStringList{"render", list, "--csv", csv(), "--out", "no/such/dir/x.pdf"} << 1
            << "cannot write";
        QTest::addRow("missing fp3")
            << QStringList{"convert", "nothere.fp3", "--out", "x.pdf"} << 1 << "not found";
        QTest::addRow("damaged fp3") << QStringList{"convert", "bad.fp3", "--out", "x.pdf"} << 1
                                     << "damaged prepared report";
    }

    void badInputExitsNonZero()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Result r = run(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TstToolOrvelReport)
#include "tst_tool_orvel_report.moc"
