// The page "사용자": the account grid, loading, changing, adding and cancelling accounts.
#include "AdminDriver.h"
#include "admin/AccountListModel.h"
#include "admin/AccountPage.h"
#include "data/TMainDB.h"
#include "platform/CollapsiblePanel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace orvel;
using namespace orvel::test;

namespace
{

/// An administrator and two users, the administrator logged in with the page "사용자" open.
struct AccountSession {
    MemberFixture f{QStringLiteral("euckr")}; // Hangul level names in dictionary order
    AppHarness app;
    TConfigF* dialog = nullptr;
    AccountPage* page = nullptr;

    AccountSession()
    {
        f.addMember(QStringLiteral("root"), QStringLiteral("rootpw"), QStringLiteral("Kang"), 1,
                    QStringLiteral("관리"));
        f.addMember(QStringLiteral("kim"), QStringLiteral("kim1234"), QStringLiteral("Bae"), 8,
                    QStringLiteral("영업"));
        f.addMember(QStringLiteral("lee"), QStringLiteral("lee1234"), QStringLiteral("Yoo"), 2,
                    QStringLiteral("없는권한"));
        f.addProfile(QStringLiteral("영업"), QStringLiteral("이름"), QStringLiteral("no,name"));
        f.addProfile(QStringLiteral("조회"), QStringLiteral("주소"),
                     QStringLiteral("no,home_address"));
        app.start(f.deployment());
        app.login(QStringLiteral("root"), QStringLiteral("rootpw"));
        app.messages.clear();
        dialog = openConfig(app);
        if (dialog && clickTab(dialog, QStringLiteral("사용자")))
            page = dialog->accountPage();
    }
    int rowOf(const QString& userId)
    {
        for (int r = 0; r < page->model()->rowCount(); ++r) {
            if (page->model()->value(r, QStringLiteral("user_id")) == userId)
                return r;
        }
        return -1;
    }
    bool doubleClick(const QString& userId)
    {
        const int row = rowOf(userId);
        if (row < 0)
            return false;
        const QRect cell = page->grid()->visualRect(page->model()->index(row, 0));
        // A double-click is a click followed by the second press within the interval.
        QTest::mouseClick(page->grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(page->grid()->viewport(), Qt::LeftButton, {}, cell.center());
        return page->heldNo() == page->model()->value(row, QStringLiteral("no"));
    }
    void click(const char* name)
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }
    QString column(const QString& userId, const QString& column)
    {
        return f.members.scalar(
            QStringLiteral("select %1 from zetyx_member_table where user_id = '%2'")
                .arg(column, userId));
    }
    QString hashOf(const QString& password)
    {
        return f.members.scalar(QStringLiteral("select password('%1')").arg(password));
    }
};

} // namespace

class TestAccounts : public QObject
{
    Q_OBJECT
private slots:
    void gridShowsEveryAccount();
    void doubleClickLoadsTheAccount();
    void changingAnAccount_data();
    void changingAnAccount();
    void newAccountTakesTheTableDefaults_data();
    void newAccountTakesTheTableDefaults();
    void newAccountLogsInOnceItsLevelIsSet();
    void cancelReturnsToANewAccount();
    void levelWithoutProfileIsKept();
    void databaseErrorsReachTheLastResort();
};

void TestAccounts::gridShowsEveryAccount()
{
    AccountSession s;
    QVERIFY(s.page);
    QVERIFY(s.app.messages.shown().isEmpty());
    QVERIFY(!s.page->panel()->isExpanded());
    QTableView* grid = s.page->grid();
    QCOMPARE(grid->objectName(), QStringLiteral("UserListGrid"));
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);

    struct Shown {
        QString title;
        int width;
    };
    QList<Shown> shown;
    QStringList hiddenFields;
    QHeaderView* header = grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int c = header->logicalIndex(visual);
        if (grid->isColumnHidden(c))
            hiddenFields.append(s.page->model()->fieldName(c));
        else
            shown.append(
                {s.page->model()->headerData(c, Qt::Horizontal).toString(), grid->columnWidth(c)});
    }
    const QList<Shown> expected = {{"아이디", 98},       {"비밀번호", 130},    {"사용자명", 78},
                                   {"레벨", 45},         {"DB_Host", 83},      {"DB_Port", 57},
                                   {"DB_DataBase", 100}, {"DB_UserName", 100}, {"DB_PassWord", 100},
                                   {"사용권한", 100}};
    QCOMPARE(shown.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(shown[i].title, expected[i].title);
        QCOMPARE(shown[i].width, expected[i].width);
    }
    QVERIFY(hiddenFields.contains(QStringLiteral("no")));
    QVERIFY(hiddenFields.contains(QStringLiteral("is_admin")));
    QCOMPARE(hiddenFields.size(), header->count() - 10);

    // Ordered by name; the password column shows the stored hash.
    QStringList ids;
    for (int r = 0; r < s.page->model()->rowCount(); ++r)
        ids.append(s.page->model()->index(r, 0).data().toString());
    QCOMPARE(ids, (QStringList{"kim", "root", "lee"}));
    QCOMPARE(s.page->model()->index(0, 1).data().toString(), s.hashOf(QStringLiteral("kim1234")));
    QCOMPARE(s.page->model()->index(0, 9).data().toString(), QStringLiteral("영업"));

    // The panel starts a new account; the level list holds every profile's name.
    QVERIFY(s.page->heldNo().isEmpty());
    QVERIFY(s.page->idBox()->text().isEmpty());
    QCOMPARE(s.page->levelList()->count(), 2);
    QCOMPARE(s.page->levelList()->currentText(), QStringLiteral("영업"));
}

void TestAccounts::doubleClickLoadsTheAccount()
{
    AccountSession s;
    QVERIFY(s.page);
    QVERIFY(s.doubleClick(QStringLiteral("kim")));
    QVERIFY(s.page->panel()->isExpanded());
    QCOMPARE(s.page->idBox()->text(), QStringLiteral("kim"));
    QCOMPARE(s.page->passwordBox()->text(), QString());
    QCOMPARE(s.page->nameBox()->text(), QStringLiteral("Bae"));
    QCOMPARE(s.page->levelList()->currentText(), QStringLiteral("영업"));
    QCOMPARE(s.page->heldNo(), s.column(QStringLiteral("kim"), QStringLiteral("no")));
    QVERIFY(!s.page->passwordEdited());
    QTest::keyClicks(s.page->passwordBox(), QStringLiteral("x"));
    QVERIFY(s.page->passwordEdited());
    // Loading another account clears the flag again.
    QVERIFY(s.doubleClick(QStringLiteral("root")));
    QVERIFY(!s.page->passwordEdited());
    QCOMPARE(s.page->idBox()->text(), QStringLiteral("root"));

    // From the keyboard: move to the next row and press Enter.
    s.page->grid()->setFocus();
    QTest::keyClick(s.page->grid(), Qt::Key_Down);
    QTest::keyClick(s.page->grid(), Qt::Key_Return);
    QCOMPARE(s.page->idBox()->text(), QStringLiteral("lee"));
    QCOMPARE(s.page->heldNo(), s.column(QStringLiteral("lee"), QStringLiteral("no")));
}

void TestAccounts::changingAnAccount_data()
{
    QTest::addColumn<QString>("edit"); // what is done to the password box
    QTest::addColumn<QString>("password");
    QTest::addRow("password untouched") << ""
                                        << "kim1234";
    QTest::addRow("password typed") << "new pw"
                                    << "new pw";
    QTest::addRow("password typed and erased") << "erase"
                                               << "";
}

void TestAccounts::changingAnAccount()
{
    QFETCH(QString, edit);
    QFETCH(QString, password);
    AccountSession s;
    QVERIFY(s.page);
    const QString before = s.column(QStringLiteral("kim"), QStringLiteral("password"));
    QVERIFY(s.doubleClick(QStringLiteral("kim")));
    QTest::keyClicks(s.page->nameBox(), QStringLiteral("k"));
    QTest::keyClicks(s.page->idBox(), QStringLiteral("2"));
    s.page->levelList()->setFocus();
    QTest::keyClick(s.page->levelList(), Qt::Key_Down);
    QCOMPARE(s.page->levelList()->currentText(), QStringLiteral("조회"));
    if (edit == QLatin1String("erase")) {
        QTest::keyClicks(s.page->passwordBox(), QStringLiteral("ab"));
        QTest::keyClick(s.page->passwordBox(), Qt::Key_Backspace);
        QTest::keyClick(s.page->passwordBox(), Qt::Key_Backspace);
        QCOMPARE(s.page->passwordBox()->text(), QString());
    } else if (!edit.isEmpty()) {
        QTest::keyClicks(s.page->passwordBox(), edit);
    }
    s.click("AccountSaveButton");

    QVERIFY(s.app.messages.shown().isEmpty());
    const QString kim2 = QStringLiteral("kim2");
    QCOMPARE(s.column(kim2, QStringLiteral("name")), QStringLiteral("Baek"));
    QCOMPARE(s.column(kim2, QStringLiteral("acc_level")), QStringLiteral("조회"));
    QCOMPARE(s.column(kim2, QStringLiteral("level")), QStringLiteral("8"));
    QCOMPARE(s.column(kim2, QStringLiteral("password")), s.hashOf(password));
    if (edit.isEmpty())
        QCOMPARE(s.column(kim2, QStringLiteral("password")), before);
    QCOMPARE(s.f.members.scalar(QStringLiteral("select count(*) from zetyx_member_table")),
             QStringLiteral("3"));
    // Back to a new account, with the grid reloaded.
    QVERIFY(!s.page->panel()->isExpanded());
    QVERIFY(s.page->heldNo().isEmpty());
    QVERIFY(s.page->idBox()->text().isEmpty());
    QVERIFY(s.page->nameBox()->text().isEmpty());
    QVERIFY(s.rowOf(kim2) >= 0);
}

void TestAccounts::newAccountTakesTheTableDefaults_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("name");
    QTest::addRow("filled in") << "park"
                               << "it's"
                               << "Park";
    QTest::addRow("all empty") << ""
                               << ""
                               << "";
}

void TestAccounts::newAccountTakesTheTableDefaults()
{
    QFETCH(QString, id);
    QFETCH(QString, password);
    QFETCH(QString, name);
    AccountSession s;
    QVERIFY(s.page);
    QTest::mouseClick(s.page->panel()->toggleButton(), Qt::LeftButton);
    QVERIFY(s.page->panel()->isExpanded());
    QTest::keyClicks(s.page->idBox(), id);
    QTest::keyClicks(s.page->passwordBox(), password);
    QTest::keyClicks(s.page->nameBox(), name);
    s.page->levelList()->setFocus();
    QTest::keyClick(s.page->levelList(), Qt::Key_Down);
    s.click("AccountSaveButton");

    QVERIFY(s.app.messages.shown().isEmpty());
    const QStringList rows = s.f.members.rows(
        QStringLiteral("select name, acc_level, password = password('%1'), level, DB_Host, "
                       "DB_Port, DB_DataBase, DB_UserName, DB_PassWord, is_admin from "
                       "zetyx_member_table where user_id = '%2'")
            .arg(QString(password).replace(QLatin1Char('\''), QLatin1String("''")), id));
    QCOMPARE(rows, QStringList{name + QStringLiteral("|조회|1|9||3306||||3")});
    // The panel stays open for the next account, emptied.
    QVERIFY(s.page->panel()->isExpanded());
    QVERIFY(s.page->heldNo().isEmpty());
    QVERIFY(s.page->idBox()->text().isEmpty());
    QVERIFY(s.page->passwordBox()->text().isEmpty());
    QCOMPARE(s.page->model()->rowCount(), 4);
}

void TestAccounts::newAccountLogsInOnceItsLevelIsSet()
{
    AccountSession s;
    QVERIFY(s.page);
    QTest::mouseClick(s.page->panel()->toggleButton(), Qt::LeftButton);
    QTest::keyClicks(s.page->idBox(), QStringLiteral("park"));
    QTest::keyClicks(s.page->passwordBox(), QStringLiteral("park1"));
    QTest::keyClicks(s.page->nameBox(), QStringLiteral("Park"));
    s.click("AccountSaveButton");
    QVERIFY(s.app.messages.shown().isEmpty());
    {
        AppHarness refused;
        refused.start(s.f.deployment());
        refused.login(QStringLiteral("park"), QStringLiteral("park1"));
        QCOMPARE(refused.messages.texts(),
                 QStringList{QStringLiteral("park 아이디는 승인되지 않은 아이디입니다. 관리자에게 "
                                            "문의 하여 주십시오.")});
    }
    // Level and connection settings are set outside the program.
    s.f.members.exec(QStringLiteral(
        "update zetyx_member_table p join zetyx_member_table k on k.user_id = 'kim' set "
        "p.level = 8, p.DB_Host = k.DB_Host, p.DB_Port = k.DB_Port, p.DB_DataBase = "
        "k.DB_DataBase, p.DB_UserName = k.DB_UserName, p.DB_PassWord = k.DB_PassWord where "
        "p.user_id = 'park'"));
    AppHarness user;
    user.start(s.f.deployment());
    user.login(QStringLiteral("park"), QStringLiteral("park1"));
    QVERIFY2(user.messages.shown().isEmpty(), qPrintable(user.messages.texts().join('\n')));
    QVERIFY(user.window().context().LoggedIn);
    QCOMPARE(user.window().context().AccessLevel, QStringLiteral("영업"));
    QCOMPARE(user.window().context().ListSelect,
             QStringLiteral("SELECT no,name FROM `%1_park`").arg(s.f.customers.name()));
}

void TestAccounts::cancelReturnsToANewAccount()
{
    AccountSession s;
    QVERIFY(s.page);
    QVERIFY(s.doubleClick(QStringLiteral("kim")));
    s.page->levelList()->setFocus();
    QTest::keyClick(s.page->levelList(), Qt::Key_Down);
    QTest::keyClicks(s.page->nameBox(), QStringLiteral("zzz"));
    s.click("AccountCancelButton");
    QVERIFY(!s.page->panel()->isExpanded());
    QVERIFY(s.page->heldNo().isEmpty());
    QVERIFY(s.page->idBox()->text().isEmpty());
    QVERIFY(s.page->nameBox()->text().isEmpty());
    QCOMPARE(s.page->levelList()->currentText(), QStringLiteral("조회"));
    QCOMPARE(s.column(QStringLiteral("kim"), QStringLiteral("name")), QStringLiteral("Bae"));

    // A save after cancelling adds a new account rather than changing the old one.
    QTest::mouseClick(s.page->panel()->toggleButton(), Qt::LeftButton);
    QTest::keyClicks(s.page->idBox(), QStringLiteral("new"));
    s.click("AccountSaveButton");
    QCOMPARE(s.column(QStringLiteral("kim"), QStringLiteral("acc_level")), QStringLiteral("영업"));
    QCOMPARE(s.column(QStringLiteral("new"), QStringLiteral("acc_level")), QStringLiteral("조회"));
}

void TestAccounts::levelWithoutProfileIsKept()
{
    AccountSession s;
    QVERIFY(s.page);
    QVERIFY(s.doubleClick(QStringLiteral("lee")));
    QCOMPARE(s.page->levelList()->currentText(), QStringLiteral("없는권한"));
    QTest::keyClicks(s.page->nameBox(), QStringLiteral("-2"));
    s.click("AccountSaveButton");
    QCOMPARE(s.column(QStringLiteral("lee"), QStringLiteral("name")), QStringLiteral("Yoo-2"));
    QCOMPARE(s.column(QStringLiteral("lee"), QStringLiteral("acc_level")),
             QStringLiteral("없는권한"));
}

void TestAccounts::databaseErrorsReachTheLastResort()
{
    AccountSession s;
    QVERIFY(s.page);
    QVERIFY(s.doubleClick(QStringLiteral("kim")));
    QTest::keyClicks(s.page->nameBox(), QStringLiteral("X"));
    s.f.members.exec(QStringLiteral("rename table zetyx_member_table to members_away"));
    s.click("AccountSaveButton");
    QCOMPARE(s.app.messages.shown().size(), 1);
    QVERIFY(s.app.messages.shown().first().lastResort);
    QVERIFY(s.app.messages.texts().first().contains(QStringLiteral("zetyx_member_table")));
    // The action stopped at the failing step: the fields keep their values.
    QCOMPARE(s.page->nameBox()->text(), QStringLiteral("BaeX"));
    QVERIFY(!s.page->heldNo().isEmpty());

    s.app.messages.clear();
    QVERIFY(clickTab(s.dialog, QStringLiteral("일반")));
    QVERIFY(clickTab(s.dialog, QStringLiteral("사용자")));
    QCOMPARE(s.app.messages.shown().size(), 1);
    QVERIFY(s.app.messages.shown().first().lastResort);
}

QTEST_MAIN(TestAccounts)
#include "tst_accounts.moc"
