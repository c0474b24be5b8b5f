// The main window's frame, creation step, services and program start.
#include "AppHarness.h"
#include "app/ProgramStart.h"
#include "app/TMainF.h"
#include "customers/CustomerWorkspace.h"
#include "customers/EntryPanel.h"
#include "data/Cp949.h"
#include "data/TMainDB.h"
#include "platform/ShellOpen.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace orvel;
using namespace orvel::test;

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void creationStepWithoutSettingsFile();
    void settingsFileFillsTheIdAndFocusesThePassword();
    void menuBeforeLogin();
    void jobToolbarHints();
    void webButtonsOpenTheDeploymentAddresses();
    void msgDlgUsesTheWindowTitle();
    void enterKeysDriveTheLogin();
    void keepAliveRunsEvery100Seconds();
    void startFailsWithoutAWindowWhenADatabaseIsUnreachable();
};

void TestMainWindow::creationStepWithoutSettingsFile()
{
    MemberFixture f;
    AppHarness app;
    app.start(f.deployment());
    TMainF& w = app.window();
    QCOMPARE(w.windowTitle(), QStringLiteral("Orvel 관리 프로그램 Ver 2008"));
    QCOMPARE(w.minimumSize(), QSize(283, 84));
    QCOMPARE(w.topBar()->currentWidget(), w.loginPage());
    QCOMPARE(w.mainArea()->currentWidget(), w.backPage());
    QCOMPARE(w.idField()->text(), QString());
    QCOMPARE(w.passwordField()->echoMode(), QLineEdit::Password);
    QCOMPARE(w.userType()->currentIndex(), 0);
    QVERIFY(w.userType()->isHidden());
    QCOMPARE(w.userLabel()->text(), QString());
    QCOMPARE(w.workDateLabel()->text(),
             QStringLiteral("작업일자 : ") +
                 QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat) +
                 QStringLiteral("  "));
    const LoginContext& ctx = w.context();
    QCOMPARE(ctx.ProgramDir, QDir::toNativeSeparators(app.programDir()));
    QCOMPARE(ctx.DataDir, ctx.ProgramDir + QStringLiteral("orvel_data") + QDir::separator());
    QVERIFY(!ctx.LoggedIn);
    QCOMPARE(ctx.DuplicateMode, 0);
    QCOMPARE(w.workspace()->tabText(0), QStringLiteral("고객자료"));
    QCOMPARE(w.workspace()->entryPanel()->text(4), QString());
    QVERIFY(!QFile::exists(w.settingsFilePath()));
}

void TestMainWindow::settingsFileFillsTheIdAndFocusesThePassword()
{
    MemberFixture f;
    AppHarness app;
    QFile ini(app.programDir() + QStringLiteral("OrvelM2008.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(cp949::encode(QStringLiteral("[User]\r\nUserName=김철수\r\nUserType=1\r\n")));
    ini.close();
    app.start(f.deployment());
    TMainF& w = app.window();
    QCOMPARE(w.idField()->text(), QStringLiteral("김철수"));
    QCOMPARE(w.userType()->currentIndex(), 1);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), w.passwordField());
}

void TestMainWindow::menuBeforeLogin()
{
    MemberFixture f;
    AppHarness app;
    app.start(f.deployment());
    TMainF& w = app.window();
    QMenu* menu = w.menuBar()->findChild<QMenu*>(QStringLiteral("MainMenu"));
    QVERIFY(menu);
    QCOMPARE(menu->title(), QStringLiteral("Orvel 관리 프로그램?"));
    QStringList visible;
    for (QAction* a : menu->actions()) {
        if (a->isVisible() && !a->isSeparator())
            visible << a->text();
    }
    QCOMPARE(visible, (QStringList{"기본설정", "종료"}));
    QCOMPARE(w.A_ReportList->text(), QStringLiteral("양식관리"));
    QCOMPARE(w.A_RptEdit->text(), QStringLiteral("양식 디자인"));
}

void TestMainWindow::jobToolbarHints()
{
    MemberFixture f;
    AppHarness app;
    app.start(f.deployment());
    QStringList hints;
    for (QToolButton* b : app.window().jobPage()->findChildren<QToolButton*>()) {
        if (!b->objectName().startsWith(QLatin1String("qt_"))) // the toolbar's own buttons
            hints << b->toolTip();
    }
    QCOMPARE(hints,
             (QStringList{"종료", "기본설정", "출력", "고객지원", "양식관리", "중복 자료 검색"}));
}

void TestMainWindow::webButtonsOpenTheDeploymentAddresses()
{
    MemberFixture f;
    AppHarness app;
    app.start(f.deployment());
    QList<QUrl> opened;
    bool browser = true;
    ShellOpen::setOpener([&](const QUrl& url) {
        opened << url;
        return browser;
    });
    QTest::mouseClick(app.window().findChild<QWidget*>(QStringLiteral("btn_signup")),
                      Qt::LeftButton);
    app.window().findChild<QToolButton*>(QStringLiteral("tb_support"))->click();
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[0].toString().endsWith(QLatin1String("member_join.php")));
    QCOMPARE(opened[1], QUrl(QStringLiteral("http://localhost/bbs/support.php")));
    QVERIFY(app.messages.shown().isEmpty());
    // Without a browser the user is told the address to open by hand.
    browser = false;
    app.window().findChild<QToolButton*>(QStringLiteral("tb_support"))->click();
    ShellOpen::setOpener({});
    QCOMPARE(app.messages.shown().size(), 1);
    QCOMPARE(app.messages.shown()[0].kind, 0);
    QVERIFY(app.messages.shown()[0].message.endsWith(
        QStringLiteral("\nhttp://localhost/bbs/support.php")));
}

void TestMainWindow::msgDlgUsesTheWindowTitle()
{
    MemberFixture f;
    AppHarness app;
    app.start(f.deployment());
    app.messages.queueAnswers({2});
    QCOMPARE(app.window().msgDlg(QStringLiteral("질문"), 2), 2);
    QCOMPARE(app.messages.shown().size(), 1);
    QCOMPARE(app.messages.shown()[0].caption, TMainF::windowTitleText());
    QCOMPARE(app.messages.shown()[0].kind, 2);
    QCOMPARE(app.window().msgDlg(QStringLiteral("없음"), 6), 0);
    QCOMPARE(app.messages.shown().size(), 1);
}

void TestMainWindow::enterKeysDriveTheLogin()
{
    MemberFixture f;
    f.addMember(QStringLiteral("kim"), QStringLiteral("kim1234"), QStringLiteral("홍길동"), 1,
                QStringLiteral("관리자"));
    AppHarness app;
    app.start(f.deployment());
    TMainF& w = app.window();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.idField()->setFocus();
    QTest::keyClicks(w.idField(), QStringLiteral("kim"));
    QTest::keyClick(w.idField(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w.passwordField());
    QTest::keyClicks(w.passwordField(), QStringLiteral("kim1234"));
    QTest::keyClick(w.passwordField(), Qt::Key_Return);
    QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
    QVERIFY(w.context().LoggedIn);
    QCOMPARE(w.topBar()->currentWidget(), w.jobPage());
}

void TestMainWindow::keepAliveRunsEvery100Seconds()
{
    MemberFixture f;
    AppHarness app;
    app.start(f.deployment());
    QCOMPARE(app.window().keepAliveTimer()->interval(), 100 * 1000);
    app.db().DBConnect.close();
    QVERIFY(!app.db().SDate.isOpen());
    QMetaObject::invokeMethod(app.window().keepAliveTimer(), "timeout", Qt::DirectConnection);
    QVERIFY(app.db().DBConnect.isOpen());
    QVERIFY(app.db().SDate.isOpen());
    QVERIFY(app.db().SSDate.isOpen());
}

void TestMainWindow::startFailsWithoutAWindowWhenADatabaseIsUnreachable()
{
    MemberFixture f;
    Deployment d = f.deployment();
    d.memberDirectory.database = QStringLiteral("missing_member_directory");
    AppHarness app; // for its program folder and message script
    Program p = startProgram(d);
    QVERIFY(!p.window);
    QVERIFY(!p.db);
    QCOMPARE(app.messages.shown().size(), 1);
    QVERIFY(app.messages.shown()[0].lastResort);
    QVERIFY2(app.messages.shown()[0].message.contains(QLatin1String("missing_member_directory")),
             qPrintable(app.messages.shown()[0].message));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
