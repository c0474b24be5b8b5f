// The login against the member directory and the workspace it sets up.
#include "AppHarness.h"
#include "app/Login.h"
#include "app/TMainF.h"
#include "appcore/IniFile.h"
#include "customers/CustomerWorkspace.h"
#include "customers/FindPanel.h"
#include "data/TMainDB.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QtTest>

using namespace orvel;
using namespace orvel::test;

namespace
{

const QString kWrong = QStringLiteral("아이디 또는 비밀번호가 맞지 않습니다.");
const QString kCheck = QStringLiteral("접속 환경을 접검하여 주세요.");
const QString kBadList = QStringLiteral("검색 조건이 맞지 않습니다.");

QString iniValue(AppHarness& app, const char* key)
{
    return IniFile(app.window().settingsFilePath())
        .readString(QStringLiteral("User"), QString::fromLatin1(key), QStringLiteral("<none>"));
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT
private slots:
    void refusedLoginsLeaveTheLoginPage_data();
    void refusedLoginsLeaveTheLoginPage();
    void unapprovedMemberIsRefusedAfterTheIdIsRemembered();
    void idInOtherLetterCaseUsesTheStoredId();
    void columnListFollowsLevelAndProfile_data();
    void columnListFollowsLevelAndProfile();
    void missingProfileReportsTheListYetEntersTheWorkspace();
    void nullLevelPasses();
    void customerTableIsCreatedOnceWithTheExactStatement();
    void userIdWithQuoteGivesAValidDefault();
    void unreachableCustomerDatabaseReportsTheConnection();
    void workspaceEntryState();
};

void TestLogin::refusedLoginsLeaveTheLoginPage_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("password");
    QTest::addRow("wrong password") << "kim"
                                    << "nope";
    QTest::addRow("unknown id") << "nobody"
                                << "kim1234";
    QTest::addRow("quote in id") << "kim' or '1'='1"
                                 << "x";
    QTest::addRow("quote in password") << "kim"
                                       << "' or '1'='1";
    QTest::addRow("empty fields") << ""
                                  << "";
    QTest::addRow("password with trailing blank") << "kim"
                                                  << "kim1234 ";
}

void TestLogin::refusedLoginsLeaveTheLoginPage()
{
    QFETCH(QString, id);
    QFETCH(QString, password);
    MemberFixture f;
    f.addMember(QStringLiteral("kim"), QStringLiteral("kim1234"), QStringLiteral("홍길동"), 8,
                QStringLiteral("영업"));
    AppHarness app;
    app.start(f.deployment());
    app.login(id, password);

    QCOMPARE(app.messages.texts(), QStringList{kWrong});
    QVERIFY(!QApplication::overrideCursor()); // the busy cursor ends with the login
    QCOMPARE(app.messages.shown().first().caption, TMainF::windowTitleText());
    QCOMPARE(app.messages.shown().first().kind, 0);
    QCOMPARE(app.window().topBar()->currentWidget(), app.window().loginPage());
    QVERIFY(!app.window().context().LoggedIn);
    QCOMPARE(iniValue(app, "UserName"), QStringLiteral("<none>"));
    QCOMPARE(app.window().idField()->selectedText(), id);
    QVERIFY(!app.window().A_ReportList->isVisible());
}

void TestLogin::unapprovedMemberIsRefusedAfterTheIdIsRemembered()
{
    MemberFixture f;
    f.addMember(QStringLiteral("park"), QStringLiteral("park1234"), QStringLiteral("박"), 9,
                QStringLiteral("영업"));
    AppHarness app;
    app.start(f.deployment());
    app.login(QStringLiteral("PARK"), QStringLiteral("park1234"));
    QCOMPARE(app.messages.texts(),
             QStringList{QStringLiteral("PARK 아이디는 승인되지 않은 아이디입니다. 관리자에게 "
                                        "문의 하여 주십시오.")});
    QCOMPARE(iniValue(app, "UserName"), QStringLiteral("PARK"));
    QCOMPARE(iniValue(app, "UserType"), QStringLiteral("0"));
    QCOMPARE(app.window().topBar()->currentWidget(), app.window().loginPage());
    QVERIFY(app.window().context().UserId.isEmpty());
}

void TestLogin::idInOtherLetterCaseUsesTheStoredId()
{
    MemberFixture f;
    f.addMember(QStringLiteral("kim"), QStringLiteral("kim1234"), QStringLiteral("홍길동"), 8,
                QStringLiteral("영업"));
    f.addProfile(QStringLiteral("영업"), QStringLiteral("이름"), QStringLiteral("no,name"));
    AppHarness app;
    app.start(f.deployment());
    app.login(QStringLiteral("KIM"), QStringLiteral("kim1234"));

    QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
    const LoginContext& ctx = app.window().context();
    QCOMPARE(ctx.UserId, QStringLiteral("kim"));
    QCOMPARE(ctx.CustomerTable, f.customers.name() + QStringLiteral("_kim"));
    QCOMPARE(ctx.UserPassword, QStringLiteral("kim1234"));
    QCOMPARE(ctx.UserLevel, 8);
    QCOMPARE(ctx.AccessLevel, QStringLiteral("영업"));
    QCOMPARE(app.window().userLabel()->text(), QStringLiteral("홍길동(kim)"));
    QCOMPARE(iniValue(app, "UserName"), QStringLiteral("KIM"));
    QCOMPARE(app.window().idField()->text(), QStringLiteral("KIM"));
    QCOMPARE(f.customers.scalar(QStringLiteral("select count(*) from information_schema.tables "
                                               "where table_schema = database() and "
                                               "table_name = '%1_kim'")
                                    .arg(f.customers.name())),
             QStringLiteral("1"));
}

void TestLogin::columnListFollowsLevelAndProfile_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("withProfile");
    QTest::addColumn<QString>("columns");
    const QString all = fullColumnList();
    QTest::addRow("level 1 without profile") << 1 << false << all;
    QTest::addRow("level 1 with profile") << 1 << true << all;
    QTest::addRow("level 8 with profile") << 8 << true << "no,name,home_tel";
}

void TestLogin::columnListFollowsLevelAndProfile()
{
    QFETCH(int, level);
    QFETCH(bool, withProfile);
    QFETCH(QString, columns);
    MemberFixture f;
    f.addMember(QStringLiteral("u1"), QStringLiteral("pw"), QStringLiteral("사용자"), level,
                QStringLiteral("레벨"));
    if (withProfile)
        f.addProfile(QStringLiteral("레벨"), QStringLiteral("이름|집 전화"),
                     QStringLiteral("no,name,home_tel"));
    AppHarness app;
    app.start(f.deployment());
    app.login(QStringLiteral("u1"), QStringLiteral("pw"));
    QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
    const QString table = QStringLiteral("`%1_u1`").arg(f.customers.name());
    QCOMPARE(app.window().context().ListSelect,
             QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + table);
    // The list statement after login: the base, then the initial order.
    QCOMPARE(app.db().GoDB.sqlText(), QStringLiteral("SELECT ") + columns +
                                          QStringLiteral(" FROM ") + table +
                                          QStringLiteral("\r\nOrder by Name\r\n"));
    QCOMPARE(app.db().GoDB.columnNames().join(','), columns);
    QCOMPARE(app.window().workspace()->tabText(0), QStringLiteral("고객자료-[검색=0명]"));
}

void TestLogin::missingProfileReportsTheListYetEntersTheWorkspace()
{
    MemberFixture f;
    f.addMember(QStringLiteral("lee"), QStringLiteral("lee1234"), QStringLiteral("이"), 2,
                QStringLiteral("조회"));
    AppHarness app;
    app.start(f.deployment());
    app.login(QStringLiteral("lee"), QStringLiteral("lee1234"));
    QCOMPARE(app.messages.texts(), QStringList{kBadList});
    QCOMPARE(app.window().mainArea()->currentIndex(), 1);
    QCOMPARE(app.window().topBar()->currentWidget(), app.window().jobPage());
    QVERIFY(!app.db().GoDB.isOpen());
    QCOMPARE(app.window().workspace()->tabText(0), QStringLiteral("고객자료"));
}

void TestLogin::nullLevelPasses()
{
    MemberFixture f;
    f.addMember(QStringLiteral("n"), QStringLiteral("pw"), QStringLiteral("널"), QVariant(),
                QStringLiteral("p"));
    f.addProfile(QStringLiteral("p"), QStringLiteral("이름"), QStringLiteral("no,name"));
    AppHarness app;
    app.start(f.deployment());
    app.login(QStringLiteral("n"), QStringLiteral("pw"));
    QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
    QCOMPARE(app.window().context().UserLevel, 0);
    QVERIFY(app.window().context().LoggedIn);
}

void TestLogin::customerTableIsCreatedOnceWithTheExactStatement()
{
    MemberFixture f;
    f.addMember(QStringLiteral("kim"), QStringLiteral("kim1234"), QStringLiteral("홍길동"), 1,
                QStringLiteral("관리자"));
    const QString table = f.customers.name() + QStringLiteral("_kim");
    {
        AppHarness app;
        app.start(f.deployment());
        const QStringList lines =
            customerTableStatement(app.db().DBConnect, table, QStringLiteral("kim"));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("Create table `%1` (no int(20) not null auto_increment "
                                          "primary key ,UserID char(50) DEFAULT 'kim',")
                               .arg(table));
        QCOMPARE(lines[4], QStringLiteral(" handphone char(20),Picture_Dir char(255),"
                                          "Member_Comment char(255),DM_Check smallint (6) DEFAULT "
                                          "'1' NULL)"));
        app.login(QStringLiteral("kim"), QStringLiteral("kim1234"));
        QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
    }
    const QStringList columns = f.customers.rows(
        QStringLiteral("select column_name, column_type, ifnull(column_default,'-'), is_nullable "
                       "from information_schema.columns where table_schema = database() and "
                       "table_name = '%1' order by ordinal_position")
            .arg(table));
    QCOMPARE(columns.size(), 19);
    QCOMPARE(columns.first(), QStringLiteral("no|int(20)|-|NO"));
    QCOMPARE(columns[1], QStringLiteral("UserID|char(50)|'kim'|YES"));
    QCOMPARE(columns[3], QStringLiteral("name|char(20)|-|NO"));
    QCOMPARE(columns.last(), QStringLiteral("DM_Check|smallint(6)|1|YES"));

    // A second login finds the table and keeps its rows.
    f.customers.exec(QStringLiteral("insert into `%1` (name) values ('기존')").arg(table));
    AppHarness again;
    again.start(f.deployment());
    again.login(QStringLiteral("kim"), QStringLiteral("kim1234"));
    QVERIFY(again.messages.shown().isEmpty());
    QCOMPARE(again.window().workspace()->tabText(0), QStringLiteral("고객자료-[검색=1명]"));
}

void TestLogin::userIdWithQuoteGivesAValidDefault()
{
    MemberFixture f(QStringLiteral("euckr"));
    const QString id = QStringLiteral("o'kim`\\");
    f.addMember(id, QStringLiteral("pw"), QStringLiteral("오김"), 1, QStringLiteral("관리자"));
    AppHarness app;
    app.start(f.deployment());
    app.login(id, QStringLiteral("pw"));
    QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
    const QString table = f.customers.name() + QLatin1Char('_') + id;
    QCOMPARE(app.window().context().CustomerTable, table);
    f.customers.exec(QStringLiteral("insert into `%1` (name) values ('새 고객')")
                         .arg(QString(table).replace('`', "``")));
    QCOMPARE(f.customers.scalar(
                 QStringLiteral("select UserID from `%1`").arg(QString(table).replace('`', "``"))),
             id);
}

void TestLogin::unreachableCustomerDatabaseReportsTheConnection()
{
    MemberFixture f;
    f.addMember(QStringLiteral("kim"), QStringLiteral("kim1234"), QStringLiteral("홍길동"), 8,
                QStringLiteral("영업"));
    f.members.exec(QStringLiteral("update zetyx_member_table set DB_DataBase = 'no_such_db'"));
    AppHarness app;
    app.start(f.deployment());
    app.login(QStringLiteral("kim"), QStringLiteral("kim1234"));
    QCOMPARE(app.messages.texts(), QStringList{kCheck});
    QVERIFY(!app.db().DBConnect.isOpen());
    QCOMPARE(app.db().DBConnect.settings().database, QStringLiteral("no_such_db"));
    QCOMPARE(app.window().mainArea()->currentIndex(), 0);
    QCOMPARE(iniValue(app, "UserName"), QStringLiteral("kim"));
}

void TestLogin::workspaceEntryState()
{
    MemberFixture f;
    f.addMember(QStringLiteral("admin"), QStringLiteral("admin"), QStringLiteral("관리자"), 1,
                QStringLiteral("관리자"));
    AppHarness app;
    app.start(f.deployment());
    TMainF& w = app.window();
    CustomerWorkspace* ws = w.workspace();
    ws->findPanel()->setAnimationDuration(0);
    QVERIFY(ws->findPanel()->isExpanded());
    app.login(QStringLiteral("admin"), QStringLiteral("admin"));
    QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
    QVERIFY(!ws->findPanel()->isExpanded());
    QVERIFY(w.A_ReportList->isVisible());
    QVERIFY(w.A_RptEdit->isVisible());
    QCOMPARE(ws->findPanel()->tf_1->text(), QString());
    QCOMPARE(ws->findPanel()->tf_2->text(), QStringLiteral("[고객명]"));
    QCOMPARE(w.context().ListCondition, QString());
    QCOMPARE(w.context().ListOrder, QStringLiteral("Name"));
    QCOMPARE(w.mainArea()->currentIndex(), 1);
    QCOMPARE(w.topBar()->currentWidget(), w.jobPage());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
