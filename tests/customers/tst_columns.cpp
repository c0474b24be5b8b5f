// The customer grid's column table and number format.
#include "customers/CustomerColumns.h"

#include <QtTest>

using namespace orvel;

class TestColumns : public QObject
{
    Q_OBJECT
private slots:
    void thousands_data();
    void thousands();
    void columnTableMatchesExactly_data();
    void columnTableMatchesExactly();
};

void TestColumns::thousands_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addRow("zero") << 0.0 << "0";
    QTest::addRow("three digits") << 999.0 << "999";
    QTest::addRow("four digits") << 1234.0 << "1,234";
    QTest::addRow("seven digits") << 1234567.0 << "1,234,567";
    QTest::addRow("negative") << -1234567.0 << "-1,234,567";
    QTest::addRow("decimals rounded") << 1234.5 << "1,235";
    QTest::addRow("small negative rounds to zero") << -0.4 << "0";
}

void TestColumns::thousands()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(formatThousands(value), text);
    if (value == std::floor(value))
        QCOMPARE(formatThousands(qint64(value)), text);
}

void TestColumns::columnTableMatchesExactly_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("known");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<bool>("hidden");
    QTest::addRow("no") << "no" << true << "관리번호" << 50 << true << true;
    QTest::addRow("home_post") << "home_post" << true << "우편번호" << 55 << true << false;
    QTest::addRow("office_post") << "office_post" << true << "우편번호" << 80 << true << false;
    QTest::addRow("r_count") << "r_count" << true << "중복수" << 0 << true << false;
    QTest::addRow("name") << "name" << true << "이름" << 180 << false << false;
    QTest::addRow("Name in other case") << "Name" << false << "" << 0 << false << false;
    QTest::addRow("UserID") << "UserID" << false << "" << 0 << false << false;
    QTest::addRow("Member_Comment")
        << "Member_Comment" << true << "기타(특이 사항)" << 300 << false << false;
}

void TestColumns::columnTableMatchesExactly()
{
    QFETCH(QString, field);
    QFETCH(bool, known);
    QFETCH(QString, title);
    QFETCH(int, width);
    QFETCH(bool, centred);
    QFETCH(bool, hidden);
    const CustomerColumn* c = findCustomerColumn(field);
    QCOMPARE(c != nullptr, known);
    if (!c)
        return;
    QCOMPARE(QString::fromUtf8(c->title), title);
    QCOMPARE(c->width, width);
    QCOMPARE(c->centred, centred);
    QCOMPARE(c->hidden, hidden);
}

QTEST_APPLESS_MAIN(TestColumns)
#include "tst_columns.moc"
