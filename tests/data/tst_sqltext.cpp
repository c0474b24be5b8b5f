// Statement text helpers: parameter scanning and identifier quoting.
#include "data/SqlText.h"

#include <QtTest>

using namespace orvel;

class TestSqlText : public QObject
{
    Q_OBJECT
private slots:
    void parameterNames_data();
    void parameterNames();
    void quoteIdentifier_data();
    void quoteIdentifier();
    void splitKeepsTextAroundParameters();
};

void TestSqlText::parameterNames_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QStringList>("names");
    QTest::addRow("in order") << "select * from t where a=:a1 and b=:a2" << QStringList{"a1", "a2"};
    QTest::addRow("update key") << "update t set x=:a1 where no=:f1" << QStringList{"a1", "f1"};
    QTest::addRow("inside single quotes")
        << "select * from t where name = 'x:a1' and b=:a2" << QStringList{"a2"};
    QTest::addRow("escaped quote in literal")
        << "select * from t where name = 'it\\'s :a1' and b=:a2" << QStringList{"a2"};
    QTest::addRow("doubled quote in literal")
        << "select * from t where name = 'it''s :a1' and b=:a2" << QStringList{"a2"};
    QTest::addRow("double quotes") << "select \":a1\" , :a2" << QStringList{"a2"};
    QTest::addRow("backtick identifier") << "select `x:a1` from t where a=:a2" << QStringList{"a2"};
    QTest::addRow("comments") << "select 1 -- :a1\n, /* :a2 */ :a3 # :a4\n" << QStringList{"a3"};
    QTest::addRow("double colon and time") << "select '12:30', a::b, :x_1" << QStringList{"x_1"};
    QTest::addRow("colon before digit") << "select :1, :a1" << QStringList{"a1"};
    QTest::addRow("unterminated literal") << "select 'abc :a1" << QStringList{};
    QTest::addRow("across lines") << "select *\r\nwhere a = :a1\r\n" << QStringList{"a1"};
}

void TestSqlText::parameterNames()
{
    QFETCH(QString, statement);
    QFETCH(QStringList, names);
    QCOMPARE(sql::parameterNames(statement), names);
}

void TestSqlText::quoteIdentifier_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("quoted");
    QTest::addRow("plain") << "db1_kim"
                           << "`db1_kim`";
    QTest::addRow("backtick doubled") << "db`x"
                                      << "`db``x`";
    QTest::addRow("quote and space") << "db_o'brien x"
                                     << "`db_o'brien x`";
    QTest::addRow("injection attempt") << "t` ; drop table x; -- "
                                       << "`t`` ; drop table x; -- `";
}

void TestSqlText::quoteIdentifier()
{
    QFETCH(QString, name);
    QFETCH(QString, quoted);
    QCOMPARE(sql::quoteIdentifier(name), quoted);
}

void TestSqlText::splitKeepsTextAroundParameters()
{
    const auto pieces = sql::splitParameters(QStringLiteral("a=:a1,'b:c'"));
    QCOMPARE(pieces.size(), 3);
    QCOMPARE(pieces[0].text, QStringLiteral("a="));
    QVERIFY(pieces[1].isParameter);
    QCOMPARE(pieces[2].text, QStringLiteral(",'b:c'"));
}

QTEST_APPLESS_MAIN(TestSqlText)
#include "tst_sqltext.moc"
