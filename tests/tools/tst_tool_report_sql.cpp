// Report rows from the customer database: the query data source and orvel-report --sql.
#include "TestDatabase.h"
#include "data/Deployment.h"
#include "report/Report.h"
#include "tools/QueryDataSource.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvel;

class TstToolReportSql : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::ScratchDatabase> m_db;
    QTemporaryDir m_dir;
    QString m_deployment;

    struct Result {
        int code = -1;
        QString err;
    };

    Result run(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral(ORVEL_REPORT_EXE), args);
        if (!p.waitForFinished(120000))
            return {};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void initTestCase()
    {
        m_db = std::make_unique<test::ScratchDatabase>();
        m_db->exec(QStringLiteral(
            "create table cust (no int not null auto_increment primary key, name char(20) not "
            "null, home_post char(7), home_address char(255), home_tel char(20), handphone "
            "char(20))"));
        m_db->exec(QStringLiteral(
            "insert into cust (name, home_post, home_address, home_tel, handphone) values "
            "('홍길동', '06236', '서울특별시 강남구 테헤란로 152', '02-123-4567', NULL), "
            "('김영희', '48058', '부산광역시 해운대구 센텀중앙로 1', NULL, '010-1111-2222'), "
            "('이철수', '61945', '광주광역시 서구 상무대로 7', '062-000-0000', '')"));
        Deployment d;
        d.startupDatabase = m_db->settings();
        m_deployment = m_dir.filePath(QStringLiteral("deployment.ini"));
        d.save(m_deployment);
    }

    void readsRowsByField()
    {
        tools::QueryDataSource source(m_db->settings(),
                                      QStringLiteral("select * from cust order by no"));
        QVERIFY(source.open());
        QCOMPARE(source.rowCount(), 3);
        QCOMPARE(source.fieldNames(),
                 QStringList({"no", "name", "home_post", "home_address", "home_tel", "handphone"}));
        QCOMPARE(source.value(QStringLiteral("name")).toString(), QStringLiteral("홍길동"));
        QCOMPARE(source.value(QStringLiteral("HOME_POST")).toString(), QStringLiteral("06236"));
        QCOMPARE(source.value(QStringLiteral("handphone")).toString(), QString()); // NULL
        QVERIFY(!source.value(QStringLiteral("missing")).isValid());
        source.next();
        source.next();
        QCOMPARE(source.value(QStringLiteral("name")).toString(), QStringLiteral("이철수"));
        source.next();
        QVERIFY(source.eof());
        QVERIFY(!source.value(1).isValid());
        QVERIFY(source.open()); // back to the first row without running the statement again
        QCOMPARE(source.value(QStringLiteral("no")).toInt(), 1);

        report::Report report;
        QVERIFY(report.loadTemplate(QStringLiteral(REPORT_SHIPPED_DATA "/customer_list.fr3")));
        report.setDataSource(&source, QStringLiteral("RPTDB"));
        report.prepare();
        QStringList texts;
        for (const auto& item : report.prepared().pages.at(0).items)
            texts << item.text;
        QVERIFY(texts.contains(QStringLiteral("김영희")));
        QVERIFY(texts.contains(QStringLiteral("부산광역시 해운대구 센텀중앙로 1")));
    }

    void toolRendersFromSql()
    {
        const QString out = m_dir.filePath(QStringLiteral("labels.csv"));
        const Result r =
            run({"render", QStringLiteral(REPORT_SHIPPED_DATA "/mailing_labels_3x8.fr3"), "--sql",
                 "select name, home_post, home_address from cust order by no", "--deployment",
                 m_deployment, "--out", out});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString csv = QString::fromUtf8(f.readAll());
        QVERIFY(csv.contains(QStringLiteral("홍길동 귀하;김영희 귀하;이철수 귀하")));
        QVERIFY(csv.contains(QStringLiteral("06236;48058;61945")));
    }

    void toolReportsDatabaseFailures_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("deployment");
        QTest::addColumn<QString>("message");
        QTest::addRow("bad statement") << "select * from no_such_table"
                                       << ""
                                       << "no_such_table";
        QTest::addRow("missing deployment") << "select 1"
                                            << "nothere.ini"
                                            << "deployment file not found";
    }

    void toolReportsDatabaseFailures()
    {
        QFETCH(QString, statement);
        QFETCH(QString, deployment);
        QFETCH(QString, message);
        const Result r = run({"render", QStringLiteral(REPORT_SHIPPED_DATA "/customer_list.fr3"),
                              "--sql", statement, "--deployment",
                              deployment.isEmpty() ? m_deployment : m_dir.filePath(deployment),
                              "--out", m_dir.filePath(QStringLiteral("x.pdf"))});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("x.pdf"))));
    }

    void cleanupTestCase() { m_db.reset(); }
};

QTEST_MAIN(TstToolReportSql)
#include "tst_tool_report_sql.moc"
