// Query objects against a real server: CP949 round trips on both character-set
// layouts, parameters, NULLs, column kinds, errors and reconnecting.
#include "TestDatabase.h"
#include "data/Cp949.h"
#include "data/DbError.h"
#include "data/Query.h"

#include <QtTest>
#include <mysql.h>

using namespace orvel;
using orvel::test::ScratchDatabase;

class TestQuery : public QObject
{
    Q_OBJECT
private slots:
    void textRoundTripIsByteExact_data();
    void textRoundTripIsByteExact();
    void euckrSortsHangulInDictionaryOrder();
    void nullsReadAsEmptyAndZero();
    void columnKinds_data();
    void columnKinds();
    void statementTextKeepsLines();
    void failuresCarryTheServerText_data();
    void failuresCarryTheServerText();
    void closedConnectionOpensOnFirstUse();
    void settingsChangeOnlyWhileClosed();
    void lostConnectionReconnectsOnNextStatement();
    void randomAccessReadsAnyRow();
};

void TestQuery::textRoundTripIsByteExact_data()
{
    QTest::addColumn<QString>("charset");
    QTest::addColumn<QString>("value");
    const QStringList values = {
        QStringLiteral("홍길동"),
        QStringLiteral("똠방각하 쀍"), // syllables outside the basic 2350 set
        QStringLiteral("O'Brien \\ \"x\" :a1 --"),
        QStringLiteral("서울 강남구 역삼동 123-45"),
        QStringLiteral(""),
    };
    for (const QString& cs : {QStringLiteral("latin1"), QStringLiteral("euckr")}) {
        for (int i = 0; i < values.size(); ++i)
            QTest::addRow("%s #%d", qPrintable(cs), i) << cs << values[i];
    }
}

void TestQuery::textRoundTripIsByteExact()
{
    QFETCH(QString, charset);
    QFETCH(QString, value);
    ScratchDatabase db(charset);
    db.exec(QStringLiteral("create table t (no int auto_increment primary key, name char(100))"));

    Connection conn(QStringLiteral("c"), db.settings());
    Query q(conn);
    q.addLine(QStringLiteral("insert into t (name) values (:a1)"));
    q.setParam(QStringLiteral(":a1"), value);
    QCOMPARE(q.exec(), 1);

    q.clearSql();
    q.addLine(QStringLiteral("select name, hex(name) as h from t where name = :a1"));
    q.setParam(QStringLiteral("a1"), value);
    q.open();
    QCOMPARE(q.rowCount(), 1);
    QCOMPARE(q.fieldAsString(QStringLiteral("name")), value);
    // Stored bytes are exactly the CP949 bytes: the server converted nothing.
    QCOMPARE(q.fieldAsString(QStringLiteral("h")),
             QString::fromLatin1(cp949::encode(value).toHex().toUpper()));
}

void TestQuery::euckrSortsHangulInDictionaryOrder()
{
    ScratchDatabase db(QStringLiteral("euckr"));
    db.exec(QStringLiteral("create table t (name char(20))"));
    db.exec(QStringLiteral("insert into t values ('하늘'),('가나'),('마루'),('나무'),('다리')"));
    Connection conn(QStringLiteral("c"), db.settings());
    Query q(conn);
    q.addLine(QStringLiteral("select name from t order by name"));
    q.open();
    QStringList names;
    for (; !q.eof(); q.next())
        names << q.fieldAsString(QStringLiteral("name"));
    QCOMPARE(names, (QStringList{"가나", "나무", "다리", "마루", "하늘"}));
}

void TestQuery::nullsReadAsEmptyAndZero()
{
    ScratchDatabase db;
    db.exec(QStringLiteral("create table t (s char(5), n int, d datetime)"));
    db.exec(QStringLiteral(
        "insert into t values (null, null, null), ('x', 12, '2026-12-11 10:20:30')"));
    Connection conn(QStringLiteral("c"), db.settings());
    Query q(conn);
    q.addLine(QStringLiteral("select * from t order by s"));
    q.open();
    QCOMPARE(q.rowCount(), 2);
    QCOMPARE(q.fieldAsString(QStringLiteral("s")), QString());
    QVERIFY(!q.fieldAsString(QStringLiteral("s")).isNull());
    QCOMPARE(q.fieldAsInt(QStringLiteral("n")), 0);
    QVERIFY(!q.fieldAsDateTime(QStringLiteral("d")).isValid());
    QVERIFY(q.isNull(0, 1));
    q.next();
    QCOMPARE(q.fieldAsInt(QStringLiteral("N")), 12); // names match ignoring case
    QCOMPARE(q.fieldAsDateTime(QStringLiteral("d")),
             QDateTime(QDate(2026, 12, 11), QTime(10, 20, 30)));
    q.next();
    QVERIFY(q.eof());
    QVERIFY_THROWS_EXCEPTION(DbError, q.fieldAsString(QStringLiteral("s")));
}

void TestQuery::columnKinds_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("numeric");
    QTest::addRow("smallint") << "DM_Check" << int(ColumnKind::SmallInt) << true;
    QTest::addRow("int") << "no" << int(ColumnKind::Integer) << true;
    QTest::addRow("bigint count") << "count(*)" << int(ColumnKind::Other) << true;
    QTest::addRow("double") << "price" << int(ColumnKind::Float) << true;
    QTest::addRow("decimal") << "amount" << int(ColumnKind::Float) << true;
    QTest::addRow("date") << "born" << int(ColumnKind::Date) << false;
    QTest::addRow("datetime") << "seen" << int(ColumnKind::Date) << false;
    QTest::addRow("tinyint(1)") << "flag" << int(ColumnKind::Boolean) << true;
    QTest::addRow("char") << "name" << int(ColumnKind::Other) << false;
}

void TestQuery::columnKinds()
{
    QFETCH(QString, expression);
    QFETCH(int, kind);
    QFETCH(bool, numeric);
    ScratchDatabase db;
    db.exec(QStringLiteral("create table t (no int(20), DM_Check smallint(6), price double, "
                           "amount decimal(10,2), born date, seen datetime, flag tinyint(1), "
                           "name char(20))"));
    Connection conn(QStringLiteral("c"), db.settings());
    Query q(conn);
    q.addLine(QStringLiteral("select %1 from t").arg(expression));
    q.open();
    const ColumnInfo& c = q.columns().back();
    QCOMPARE(int(c.kind), kind);
    QCOMPARE(c.numeric, numeric);
}

void TestQuery::statementTextKeepsLines()
{
    ScratchDatabase db;
    Connection conn(QStringLiteral("c"), db.settings());
    Query q(conn);
    q.addLine(QStringLiteral("select 1 as a"));
    q.addLine(QStringLiteral("Order by a"));
    QCOMPARE(q.sqlText(), QStringLiteral("select 1 as a\r\nOrder by a\r\n"));
    q.open();
    QCOMPARE(q.columnNames(), QStringList{"a"});
    QCOMPARE(q.sqlText(), QStringLiteral("select 1 as a\r\nOrder by a\r\n"));
}

void TestQuery::failuresCarryTheServerText_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("useOpen");
    QTest::addColumn<QString>("fragment");
    QTest::addRow("syntax") << "selec 1" << true << "SQL syntax";
    QTest::addRow("missing table") << "select * from nowhere" << true << "nowhere";
    QTest::addRow("missing column") << "select nope from t" << true << "nope";
    QTest::addRow("open without rows") << "update t set n = 1" << true << "no rows";
    QTest::addRow("unset parameter") << "select * from t where n = :a1" << true << ":a1";
    QTest::addRow("exec syntax") << "insert into t valuez (1)" << false << "SQL syntax";
}

void TestQuery::failuresCarryTheServerText()
{
    QFETCH(QString, statement);
    QFETCH(bool, useOpen);
    QFETCH(QString, fragment);
    ScratchDatabase db;
    db.exec(QStringLiteral("create table t (n int)"));
    Connection conn(QStringLiteral("c"), db.settings());
    Query q(conn);
    q.setSql(statement);
    try {
        if (useOpen)
            q.open();
        else
            q.exec();
        QFAIL("no error raised");
    } catch (const DbError& e) {
        QVERIFY2(e.message().contains(fragment), qPrintable(e.message()));
    }
    QVERIFY(!q.isOpen());
    // The connection stays usable after a refused statement.
    q.setSql(QStringLiteral("select count(*) as c from t"));
    q.open();
    QCOMPARE(q.fieldAsInt(QStringLiteral("c")), 0);
}

void TestQuery::closedConnectionOpensOnFirstUse()
{
    ScratchDatabase db;
    Connection conn(QStringLiteral("c"), db.settings());
    QVERIFY(!conn.isOpen());
    Query q(conn);
    q.addLine(QStringLiteral("select 7 as x"));
    q.open();
    QVERIFY(conn.isOpen());
    QCOMPARE(q.fieldAsInt(QStringLiteral("x")), 7);
}

void TestQuery::settingsChangeOnlyWhileClosed()
{
    ScratchDatabase db;
    Connection conn(QStringLiteral("c"), db.settings());
    conn.open();
    QVERIFY_THROWS_EXCEPTION(DbError, conn.setDatabase(QStringLiteral("other")));
    conn.close();
    conn.setDatabase(QStringLiteral("no_such_database_here"));
    try {
        conn.open();
        QFAIL("opened a missing database");
    } catch (const DbError& e) {
        QVERIFY2(e.message().contains(QLatin1String("no_such_database_here")),
                 qPrintable(e.message()));
    }
    QVERIFY(!conn.isOpen());
}

void TestQuery::lostConnectionReconnectsOnNextStatement()
{
    ScratchDatabase db;
    Connection conn(QStringLiteral("c"), db.settings());
    Query q(conn);
    q.addLine(QStringLiteral("select connection_id() as id"));
    q.open();
    const QString id = q.fieldAsString(QStringLiteral("id"));
    db.exec(QStringLiteral("kill %1").arg(id));

    QVERIFY_THROWS_EXCEPTION(DbError, q.open());
    QVERIFY(!conn.isOpen());
    q.open();
    QVERIFY(q.fieldAsString(QStringLiteral("id")) != id);
    QCOMPARE(conn.openCount(), 2);
}

void TestQuery::randomAccessReadsAnyRow()
{
    ScratchDatabase db(QStringLiteral("euckr"));
    db.exec(QStringLiteral("create table t (no int primary key, name char(20), n int)"));
    QString values;
    for (int i = 1; i <= 500; ++i)
        values += QStringLiteral("%1(%2,'이름%2',%3)").arg(i == 1 ? "" : ",").arg(i).arg(i * 1000);
    db.exec(QStringLiteral("insert into t values ") + values);
    Connection conn(QStringLiteral("c"), db.settings());
    Query q(conn);
    q.addLine(QStringLiteral("select no, name, n from t order by no"));
    q.open();
    QCOMPARE(q.rowCount(), 500);
    QCOMPARE(q.text(499, 1), QStringLiteral("이름500"));
    QCOMPARE(q.value(249, 2).toLongLong(), 250000);
    QCOMPARE(q.rawValue(0, 1), cp949::encode(QStringLiteral("이름1")));
    q.seek(9);
    QCOMPARE(q.fieldAsInt(QStringLiteral("no")), 10);
    QVERIFY_THROWS_EXCEPTION(DbError, q.seek(500));
}

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"
