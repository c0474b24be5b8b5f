// The settings dialog's frame and page rule, and the column-profile editor.
#include "AdminDriver.h"
#include "admin/PasswordChange.h"
#include "admin/ProfilePage.h"
#include "admin/Profiles.h"
#include "data/TMainDB.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

using namespace orvel;
using namespace orvel::test;

namespace
{

const QString kCheck = QStringLiteral("접속 환경을 접검하여 주세요.");
const QString kSaved = QStringLiteral("저장이 완료 되었습니다.");

/// A member directory with an administrator and two profiles, the administrator logged in
/// and the profile page open.
struct ProfileSession {
    MemberFixture f{QStringLiteral("euckr")}; // Hangul level names in dictionary order
    AppHarness app;
    TConfigF* dialog = nullptr;
    ProfilePage* page = nullptr;

    explicit ProfileSession(bool withProfiles = true)
    {
        f.addMember(QStringLiteral("root"), QStringLiteral("rootpw"), QStringLiteral("관리자"), 1,
                    QStringLiteral("관리"));
        if (withProfiles) {
            f.addProfile(QStringLiteral("영업"), QStringLiteral("이름|전화번호"),
                         QStringLiteral("no,name,home_tel"));
            f.addProfile(QStringLiteral("조회"), QString(), QStringLiteral("no"));
        }
        app.start(f.deployment());
        app.login(QStringLiteral("root"), QStringLiteral("rootpw"));
        app.messages.clear();
        dialog = openConfig(app);
        if (dialog && clickTab(dialog, QStringLiteral("사용자권한")))
            page = dialog->profilePage();
    }
    QPushButton* button(const char* name)
    {
        return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QString stored(const QString& level)
    {
        return f.members
            .rows(QStringLiteral("select Var_Name, Var_Values from RunLevel where Level_Name = "
                                 "'%1'")
                      .arg(level))
            .join(QLatin1Char('\n'));
    }
};

} // namespace

class TestProfiles : public QObject
{
    Q_OBJECT
private slots:
    void splitStr_data();
    void splitStr();
    void composeProfile_data();
    void composeProfile();

    void pageRule_data();
    void pageRule();
    void oneDialogAtATime();

    void pageShowsProfilesAndSwitchesLevels();
    void addAndRemoveLabels();
    void savingWritesTheOutputList_data();
    void savingWritesTheOutputList();
    void savingALevelDeletedMeanwhileInsertsIt();
    void everyVisitReloads();
    void withoutProfilesNothingIsSavedUnderAnEmptyName();
    void failingDatabaseGivesTheCheckMessage();

    void profileSavedHereIsWhatTheNextLoginReads();
};

void TestProfiles::splitStr_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("pieces");
    QTest::addRow("empty text") << ""
                                << "|" << QStringList{""};
    QTest::addRow("one piece") << "이름"
                               << "|" << QStringList{"이름"};
    QTest::addRow("two pieces") << "이름|전화번호"
                                << "|" << QStringList{"이름", "전화번호"};
    QTest::addRow("trailing separator") << "이름|"
                                        << "|" << QStringList{"이름", ""};
    QTest::addRow("leading separator") << "|이름"
                                       << "|" << QStringList{"", "이름"};
    QTest::addRow("adjacent separators") << "a||b"
                                         << "|" << QStringList{"a", "", "b"};
    QTest::addRow("only separators") << "||"
                                     << "|" << QStringList{"", "", ""};
    QTest::addRow("longer separator") << "a, b, "
                                      << ", " << QStringList{"a", "b", ""};
    QTest::addRow("empty separator") << "ab"
                                     << "" << QStringList{"ab"};
}

void TestProfiles::splitStr()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QStringList, pieces);
    QCOMPARE(SplitStr(text, separator), pieces);
}

void TestProfiles::composeProfile_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("varName");
    QTest::addColumn<QString>("varValues");
    QTest::addRow("nothing") << QStringList{} << ""
                             << "no";
    QTest::addRow("one empty entry") << QStringList{""} << ""
                                     << "no";
    QTest::addRow("labels in order") << QStringList{"전화번호", "이름"} << "전화번호|이름"
                                     << "no,home_tel,name";
    QTest::addRow("empty between labels") << QStringList{"이름", "", "주소"} << "이름||주소"
                                          << "no,name,home_address";
    QTest::addRow("empty at the end") << QStringList{"이름", ""} << "이름|"
                                      << "no,name";
    QTest::addRow("empty at the start") << QStringList{"", "이름"} << "이름"
                                        << "no,name";
    QTest::addRow("unknown label") << QStringList{"집 전화", "이름"} << "집 전화|이름"
                                   << "no,name";
    QTest::addRow("letter case matters") << QStringList{"dm", "DM"} << "dm|DM"
                                         << "no,DM_Check";
    QTest::addRow("all labels")
        << QStringList{"사용자",   "DM",       "그룹명",   "이름",     "메일",   "홈페이지",
                       "주민등록", "우편번호", "주소",     "전화번호", "직장명", "직장우편번호",
                       "직장주소", "직장전화", "직장팩스", "휴대폰",   "기타"}
        << "사용자|DM|그룹명|이름|메일|홈페이지|주민등록|우편번호|주소|전화번호|직장명|"
           "직장우편번호|직장주소|직장전화|직장팩스|휴대폰|기타"
        << "no,UserID,DM_Check,group_name,name,email,homepage,jumin,home_post,home_address,"
           "home_tel,Office_Name,office_post,office_address,office_tel,office_fax,handphone,"
           "Member_Comment";
}

void TestProfiles::composeProfile()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, varName);
    QFETCH(QString, varValues);
    const ProfileTexts t = orvel::composeProfile(entries);
    QCOMPARE(t.varName, varName);
    QCOMPARE(t.varValues, varValues);
    // What is written reads back as the same labels, apart from dropped leading blanks.
    if (!varName.isEmpty())
        QCOMPARE(orvel::composeProfile(SplitStr(varName, QStringLiteral("|"))).varName, varName);
}

void TestProfiles::pageRule_data()
{
    QTest::addColumn<int>("level"); // 0: nobody logged in
    QTest::addColumn<bool>("adminPages");
    QTest::addRow("level 1") << 1 << true;
    QTest::addRow("level 2") << 2 << false;
    QTest::addRow("level 8") << 8 << false;
    QTest::addRow("before login") << 0 << false;
}

void TestProfiles::pageRule()
{
    QFETCH(int, level);
    QFETCH(bool, adminPages);
    MemberFixture f;
    f.addMember(QStringLiteral("u"), QStringLiteral("pw"), QStringLiteral("사용자"), level,
                QStringLiteral("영업"));
    f.addProfile(QStringLiteral("영업"), QStringLiteral("이름"), QStringLiteral("no,name"));
    AppHarness app;
    app.start(f.deployment());
    if (level > 0) {
        app.login(QStringLiteral("u"), QStringLiteral("pw"));
        QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
    }
    TConfigF* dialog = nullptr;
    if (level > 0) {
        // After login the work bar's button "기본설정" runs the command.
        auto* button = app.window().findChild<QToolButton*>(QStringLiteral("tb_config"));
        QVERIFY(button);
        QCOMPARE(button->toolTip(), QStringLiteral("기본설정"));
        QTest::mouseClick(button, Qt::LeftButton);
        dialog = app.window().findChild<TConfigF*>(QStringLiteral("TConfigF"));
        QVERIFY(dialog && QTest::qWaitForWindowExposed(dialog));
    } else {
        dialog = openConfig(app);
    }
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("기본 설정"));
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->pages()->currentWidget(), dialog->generalPage());
    QVERIFY(dialog->passwordChange()->isVisible());
    QTabBar* bar = dialog->pages()->tabBar();
    QCOMPARE(bar->count(), 3);
    QCOMPARE(bar->tabText(0), QStringLiteral("일반"));
    QVERIFY(bar->isTabVisible(0));
    QCOMPARE(bar->isTabVisible(1), adminPages);
    QCOMPARE(bar->isTabVisible(2), adminPages);
    QCOMPARE(clickTab(dialog, QStringLiteral("사용자권한")), adminPages);
    QCOMPARE(clickTab(dialog, QStringLiteral("사용자")), adminPages);
    QVERIFY(app.messages.shown().isEmpty());
}

void TestProfiles::oneDialogAtATime()
{
    MemberFixture f;
    AppHarness app;
    app.start(f.deployment());
    TConfigF* first = openConfig(app);
    QVERIFY(first);
    QPointer<TConfigF> watch = first;
    // The command brings the open dialog back; its page rule was applied at creation.
    app.window().context().UserLevel = 1;
    QCOMPARE(openConfig(app), first);
    QCOMPARE(app.window().findChildren<TConfigF*>().size(), 1);
    QVERIFY(!first->pages()->tabBar()->isTabVisible(1));

    // Closing destroys it; the next command makes a new one with the rule applied again.
    QTest::keyClick(first, Qt::Key_Escape);
    QTRY_VERIFY(watch.isNull());
    TConfigF* second = openConfig(app);
    QVERIFY(second);
    QCOMPARE(app.window().findChildren<TConfigF*>().size(), 1);
    QVERIFY(second->pages()->tabBar()->isTabVisible(1));
}

void TestProfiles::pageShowsProfilesAndSwitchesLevels()
{
    ProfileSession s;
    QVERIFY(s.page);
    QVERIFY(s.app.messages.shown().isEmpty());
    QCOMPARE(entries(s.page->itemList()).size(), 17);
    QCOMPARE(entries(s.page->itemList()).first(), QStringLiteral("사용자"));
    QCOMPARE(entries(s.page->itemList()).last(), QStringLiteral("기타"));
    QCOMPARE(s.page->levelList()->count(), 2);
    QCOMPARE(s.page->levelList()->currentText(), QStringLiteral("영업"));
    QCOMPARE(s.page->varValues(), (QStringList{"no,name,home_tel", "no"}));
    QCOMPARE(entries(s.page->outputList()), (QStringList{"이름", "전화번호"}));

    // Picking a level by keyboard shows its labels; an empty profile shows one empty entry.
    s.page->levelList()->setFocus();
    QTest::keyClick(s.page->levelList(), Qt::Key_Down);
    QCOMPARE(s.page->levelList()->currentText(), QStringLiteral("조회"));
    QCOMPARE(entries(s.page->outputList()), QStringList{QString()});
    QTest::keyClick(s.page->levelList(), Qt::Key_Up);
    QCOMPARE(entries(s.page->outputList()), (QStringList{"이름", "전화번호"}));

    // Picking the shown level again from the open list drops an unsaved addition.
    QVERIFY(clickEntry(s.page->itemList(), QStringLiteral("메일")));
    QTest::mouseClick(s.dialog->findChild<QPushButton*>(QStringLiteral("ProfileAddButton")),
                      Qt::LeftButton);
    QCOMPARE(s.page->outputList()->count(), 3);
    s.page->levelList()->showPopup();
    QAbstractItemView* popup = s.page->levelList()->view();
    QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
    const QRect first = popup->visualRect(popup->model()->index(0, 0));
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(s.page->levelList()->currentText(), QStringLiteral("영업"));
    QCOMPARE(entries(s.page->outputList()), (QStringList{"이름", "전화번호"}));
}

void TestProfiles::addAndRemoveLabels()
{
    ProfileSession s;
    QVERIFY(s.page);
    s.click("ProfileAddButton");
    QCOMPARE(s.app.messages.texts(),
             QStringList{QStringLiteral("추가 하고자 하는 항목을 선택 하세요.")});
    s.click("ProfileRemoveButton");
    QCOMPARE(s.app.messages.texts().last(),
             QStringLiteral("삭제 하고자 하는 사용자 출력 항목을 선택 하세요."));

    s.app.messages.clear();
    QVERIFY(clickEntry(s.page->itemList(), QStringLiteral("휴대폰")));
    s.click("ProfileAddButton");
    QVERIFY(clickEntry(s.page->itemList(), QStringLiteral("이름")));
    s.click("ProfileAddButton");
    QCOMPARE(s.app.messages.texts(), QStringList{QStringLiteral("이름이미 등록 되어 있습니다.")});
    QCOMPARE(s.app.messages.shown().first().kind, 0);
    QCOMPARE(entries(s.page->outputList()), (QStringList{"이름", "전화번호", "휴대폰"}));

    QVERIFY(clickEntry(s.page->outputList(), QStringLiteral("전화번호")));
    s.click("ProfileRemoveButton");
    QCOMPARE(entries(s.page->outputList()), (QStringList{"이름", "휴대폰"}));
    // Nothing is written until "저장".
    QCOMPARE(s.stored(QStringLiteral("영업")), QStringLiteral("이름|전화번호|no,name,home_tel"));
}

void TestProfiles::savingWritesTheOutputList_data()
{
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QString>("varName");
    QTest::addColumn<QString>("varValues");
    QTest::addRow("empty profile saved as it is") << "" << QStringList{} << ""
                                                  << "no";
    QTest::addRow("labels added to an empty profile")
        << "" << QStringList{"주소", "이름"} << "주소|이름"
        << "no,home_address,name";
    QTest::addRow("unknown label kept, adds no column")
        << "집 전화|이름" << QStringList{"DM"} << "집 전화|이름|DM"
        << "no,name,DM_Check";
    QTest::addRow("empty entries between and at the end")
        << "이름||주소|" << QStringList{"기타"} << "이름||주소||기타"
        << "no,name,home_address,Member_Comment";
}

void TestProfiles::savingWritesTheOutputList()
{
    QFETCH(QString, storedName);
    QFETCH(QStringList, added);
    QFETCH(QString, varName);
    QFETCH(QString, varValues);
    ProfileSession s(false);
    s.f.addProfile(QStringLiteral("가"), storedName, QStringLiteral("no"));
    s.f.addProfile(QStringLiteral("나"), QStringLiteral("이름"), QStringLiteral("no,name"));
    QVERIFY(clickTab(s.dialog, QStringLiteral("일반")));
    QVERIFY(clickTab(s.dialog, QStringLiteral("사용자권한")));
    QCOMPARE(entries(s.page->outputList()), SplitStr(storedName, QStringLiteral("|")));
    for (const QString& label : added) {
        QVERIFY(clickEntry(s.page->itemList(), label));
        s.click("ProfileAddButton");
    }
    s.click("ProfileSaveButton");
    QCOMPARE(s.app.messages.texts(), QStringList{kSaved});
    QCOMPARE(s.stored(QStringLiteral("가")), varName + QLatin1Char('|') + varValues);
    QCOMPARE(s.stored(QStringLiteral("나")), QStringLiteral("이름|no,name"));
    QCOMPARE(s.f.members.scalar(QStringLiteral("select count(*) from RunLevel")),
             QStringLiteral("2"));
    // The saved texts are what the page shows when the level is picked again.
    QCOMPARE(s.page->varNames().first(), varName);
    QTest::keyClick(s.page->levelList(), Qt::Key_Down);
    QTest::keyClick(s.page->levelList(), Qt::Key_Up);
    QCOMPARE(entries(s.page->outputList()), SplitStr(varName, QStringLiteral("|")));
}

void TestProfiles::savingALevelDeletedMeanwhileInsertsIt()
{
    ProfileSession s;
    QVERIFY(s.page);
    s.f.members.exec(QStringLiteral("delete from RunLevel where Level_Name = '영업'"));
    QVERIFY(clickEntry(s.page->itemList(), QStringLiteral("메일")));
    s.click("ProfileAddButton");
    s.click("ProfileSaveButton");
    QCOMPARE(s.app.messages.texts(), QStringList{kSaved});
    QCOMPARE(s.stored(QStringLiteral("영업")),
             QStringLiteral("이름|전화번호|메일|no,name,home_tel,email"));
}

void TestProfiles::everyVisitReloads()
{
    ProfileSession s;
    QVERIFY(s.page);
    QVERIFY(clickEntry(s.page->itemList(), QStringLiteral("메일")));
    s.click("ProfileAddButton");
    s.f.addProfile(QStringLiteral("가입"), QStringLiteral("메일"), QStringLiteral("no,email"));
    QVERIFY(clickTab(s.dialog, QStringLiteral("일반")));
    QVERIFY(clickTab(s.dialog, QStringLiteral("사용자권한")));
    QCOMPARE(s.page->levelList()->count(), 3);
    QCOMPARE(s.page->levelList()->currentText(), QStringLiteral("가입"));
    QCOMPARE(entries(s.page->outputList()), QStringList{"메일"});
    QTest::keyClick(s.page->levelList(), Qt::Key_Down);
    QCOMPARE(entries(s.page->outputList()), (QStringList{"이름", "전화번호"}));
}

void TestProfiles::withoutProfilesNothingIsSavedUnderAnEmptyName()
{
    ProfileSession s(false);
    QVERIFY(s.page);
    QVERIFY(s.app.messages.shown().isEmpty());
    QCOMPARE(s.page->levelList()->count(), 0);
    QCOMPARE(entries(s.page->outputList()), QStringList{QString()});
    QVERIFY(clickEntry(s.page->itemList(), QStringLiteral("이름")));
    s.click("ProfileAddButton");
    s.click("ProfileSaveButton");
    QCOMPARE(s.app.messages.texts(),
             QStringList{QStringLiteral("저장 하고자 하는 사용권한을 선택 하세요.")});
    QCOMPARE(s.f.members.scalar(QStringLiteral("select count(*) from RunLevel")),
             QStringLiteral("0"));
}

void TestProfiles::failingDatabaseGivesTheCheckMessage()
{
    ProfileSession s;
    QVERIFY(s.page);
    QVERIFY(clickEntry(s.page->itemList(), QStringLiteral("메일")));
    s.click("ProfileAddButton");

    // Saving: the output list keeps its entries.
    s.f.members.exec(QStringLiteral("rename table RunLevel to RunLevelAway"));
    s.click("ProfileSaveButton");
    QCOMPARE(s.app.messages.texts(), QStringList{kCheck});
    QCOMPARE(entries(s.page->outputList()), (QStringList{"이름", "전화번호", "메일"}));
    QCOMPARE(s.page->varNames().first(), QStringLiteral("이름|전화번호"));

    // Loading: the levels read before stay.
    s.app.messages.clear();
    QVERIFY(clickTab(s.dialog, QStringLiteral("일반")));
    QVERIFY(clickTab(s.dialog, QStringLiteral("사용자권한")));
    QCOMPARE(s.app.messages.texts(), QStringList{kCheck});
    QCOMPARE(s.app.messages.shown().first().kind, 0);
    QVERIFY(!s.app.messages.shown().first().lastResort);
    QCOMPARE(s.page->levelList()->count(), 2);

    s.f.members.exec(QStringLiteral("rename table RunLevelAway to RunLevel"));
    s.app.messages.clear();
    QVERIFY(clickTab(s.dialog, QStringLiteral("일반")));
    QVERIFY(clickTab(s.dialog, QStringLiteral("사용자권한")));
    QVERIFY(s.app.messages.shown().isEmpty());
    QCOMPARE(entries(s.page->outputList()), (QStringList{"이름", "전화번호"}));
}

void TestProfiles::profileSavedHereIsWhatTheNextLoginReads()
{
    MemberFixture f;
    f.addMember(QStringLiteral("root"), QStringLiteral("rootpw"), QStringLiteral("관리자"), 1,
                QStringLiteral("관리"));
    f.addMember(QStringLiteral("kim"), QStringLiteral("kim1234"), QStringLiteral("김"), 8,
                QStringLiteral("영업"));
    f.addProfile(QStringLiteral("영업"), QStringLiteral("이름"), QStringLiteral("no,name"));
    {
        // The administrator's run: the profile of "영업" becomes 휴대폰, 이름, 그룹명.
        AppHarness admin;
        admin.start(f.deployment());
        admin.login(QStringLiteral("root"), QStringLiteral("rootpw"));
        QVERIFY2(admin.messages.shown().isEmpty(), qPrintable(admin.messages.texts().join('\n')));
        TConfigF* dialog = openConfig(admin);
        QVERIFY(dialog);
        QVERIFY(clickTab(dialog, QStringLiteral("사용자권한")));
        ProfilePage* page = dialog->profilePage();
        QCOMPARE(page->levelList()->currentText(), QStringLiteral("영업"));
        for (const char* label : {"휴대폰", "그룹명"}) {
            QVERIFY(clickEntry(page->itemList(), QString::fromUtf8(label)));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ProfileAddButton")),
                              Qt::LeftButton);
        }
        // Reorder to 휴대폰, 이름, 그룹명: remove two labels and add them again.
        QVERIFY(clickEntry(page->outputList(), QStringLiteral("그룹명")));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ProfileRemoveButton")),
                          Qt::LeftButton);
        QVERIFY(clickEntry(page->outputList(), QStringLiteral("이름")));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ProfileRemoveButton")),
                          Qt::LeftButton);
        for (const char* label : {"이름", "그룹명"}) {
            QVERIFY(clickEntry(page->itemList(), QString::fromUtf8(label)));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ProfileAddButton")),
                              Qt::LeftButton);
        }
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ProfileSaveButton")),
                          Qt::LeftButton);
        QCOMPARE(admin.messages.texts(), QStringList{kSaved});
    }
    // The user's run: a new program start and login read the saved profile.
    AppHarness user;
    user.start(f.deployment());
    user.login(QStringLiteral("kim"), QStringLiteral("kim1234"));
    QVERIFY2(user.messages.shown().isEmpty(), qPrintable(user.messages.texts().join('\n')));
    const QString table = QStringLiteral("`%1_kim`").arg(f.customers.name());
    QCOMPARE(user.window().context().ListSelect,
             QStringLiteral("SELECT no,handphone,name,group_name FROM ") + table);
    QCOMPARE(user.db().GoDB.columnNames(), (QStringList{"no", "handphone", "name", "group_name"}));
}

QTEST_MAIN(TestProfiles)
#include "tst_profiles.moc"
