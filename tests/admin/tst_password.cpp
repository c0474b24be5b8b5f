// The password change on the page "일반".
#include "AdminDriver.h"
#include "admin/PasswordChange.h"
#include "data/TMainDB.h"

#include <QLineEdit>
#include <QPushButton>

using namespace orvel;
using namespace orvel::test;

namespace
{

const QString kQuestion = QStringLiteral("비밀번호를 변경 하시겠습니까?");
const QString kWrongCurrent = QStringLiteral("현제 비밀번호를 입력 하세요.");
const QString kMismatch = QStringLiteral("\"신규 비밀번호\"와 \"확인 비밀번호\"가 맞지 않습니다.");
const QString kFailed = QStringLiteral("비밀번호 변경에 실패 하였습니다.");

QString changed(const QString& password)
{
    return QStringLiteral("비밀번호가 [") + password + QStringLiteral("] 으로 변경 되었습니다.");
}

/// A user of level 8, logged in (unless told otherwise) with the settings dialog open.
struct PasswordSession {
    MemberFixture f;
    AppHarness app;
    PasswordChange* box = nullptr;

    explicit PasswordSession(bool login = true, const QString& password = "kim1234")
    {
        f.addMember(QStringLiteral("kim"), password, QStringLiteral("김"), 8,
                    QStringLiteral("영업"));
        f.addProfile(QStringLiteral("영업"), QStringLiteral("이름"), QStringLiteral("no,name"));
        app.start(f.deployment());
        if (login)
            app.login(QStringLiteral("kim"), password);
        app.messages.clear();
        if (TConfigF* dialog = openConfig(app))
            box = dialog->passwordChange();
    }
    /// Types into the three boxes (replacing their text) and presses "비밀번호 변경".
    void change(const QString& current, const QString& fresh, const QString& confirm)
    {
        const QList<QPair<QLineEdit*, QString>> typed = {
            {box->currentBox(), current}, {box->newBox(), fresh}, {box->confirmBox(), confirm}};
        for (const auto& [edit, text] : typed) {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, text);
        }
        QTest::mouseClick(box->changeButton(), Qt::LeftButton);
    }
    bool storedIs(const QString& password)
    {
        return f.members.scalar(QStringLiteral("select password = password('%1') from "
                                               "zetyx_member_table where user_id = 'kim'")
                                    .arg(password)) == QLatin1String("1");
    }
};

} // namespace

class TestPassword : public QObject
{
    Q_OBJECT
private slots:
    void boxesAreMaskedAndEmpty();
    void outcomes_data();
    void outcomes();
    void secondChangeNeedsTheFirstNewPassword();
    void beforeLoginNothingChanges();
    void sameNewPasswordIsAccepted();
    void failureKeepsThePassword_data();
    void failureKeepsThePassword();
    void userWithEmptyPasswordCanChangeIt();
};

void TestPassword::boxesAreMaskedAndEmpty()
{
    PasswordSession s;
    QVERIFY(s.box);
    QCOMPARE(s.box->title(), QStringLiteral("비밀번호 변경"));
    QCOMPARE(s.box->changeButton()->text(), QStringLiteral("비밀번호 변경"));
    for (QLineEdit* edit : {s.box->currentBox(), s.box->newBox(), s.box->confirmBox()}) {
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QVERIFY(edit->text().isEmpty());
    }
    QCOMPARE(s.box->currentBox()->accessibleName(), QStringLiteral("현재 비밀번호"));
    QCOMPARE(s.box->newBox()->accessibleName(), QStringLiteral("신규 비밀번호"));
    QCOMPARE(s.box->confirmBox()->accessibleName(), QStringLiteral("확인 비밀번호"));
}

void TestPassword::outcomes_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("isChanged");
    QTest::addRow("current box empty") << ""
                                       << "a"
                                       << "a" << 1 << QStringList{} << false;
    QTest::addRow("current password wrong") << "kim123"
                                            << "a"
                                            << "a" << 1 << QStringList{kWrongCurrent} << false;
    QTest::addRow("new boxes differ") << "kim1234"
                                      << "abc"
                                      << "abd" << 1 << QStringList{kMismatch} << false;
    QTest::addRow("question answered no") << "kim1234"
                                          << "abc"
                                          << "abc" << 2 << QStringList{kQuestion} << false;
    QTest::addRow("changed") << "kim1234"
                             << "new 'pw'"
                             << "new 'pw'" << 1 << QStringList{kQuestion, changed("new 'pw'")}
                             << true;
    QTest::addRow("changed to empty") << "kim1234"
                                      << ""
                                      << "" << 1 << QStringList{kQuestion, changed("")} << true;
}

void TestPassword::outcomes()
{
    QFETCH(QString, current);
    QFETCH(QString, fresh);
    QFETCH(QString, confirm);
    QFETCH(int, answer);
    QFETCH(QStringList, messages);
    QFETCH(bool, isChanged);
    PasswordSession s;
    QVERIFY(s.box);
    s.app.messages.queueAnswers({answer});
    s.change(current, fresh, confirm);

    QCOMPARE(s.app.messages.texts(), messages);
    if (!messages.isEmpty())
        QCOMPARE(s.app.messages.shown().first().kind, messages.first() == kQuestion ? 2 : 0);
    const QString expected = isChanged ? fresh : QStringLiteral("kim1234");
    QCOMPARE(s.app.window().context().UserPassword, expected);
    QVERIFY(s.storedIs(QString(expected).replace(QLatin1Char('\''), QLatin1String("''"))));
    // The boxes keep their text.
    QCOMPARE(s.box->currentBox()->text(), current);
    QCOMPARE(s.box->newBox()->text(), fresh);
    QCOMPARE(s.box->confirmBox()->text(), confirm);
}

void TestPassword::secondChangeNeedsTheFirstNewPassword()
{
    {
        PasswordSession s;
        QVERIFY(s.box);
        s.change(QStringLiteral("kim1234"), QStringLiteral("pw2"), QStringLiteral("pw2"));
        QCOMPARE(s.app.messages.texts().last(), changed(QStringLiteral("pw2")));
        s.app.messages.clear();
        s.change(QStringLiteral("kim1234"), QStringLiteral("pw3"), QStringLiteral("pw3"));
        QCOMPARE(s.app.messages.texts(), QStringList{kWrongCurrent});
        s.app.messages.clear();
        s.change(QStringLiteral("pw2"), QStringLiteral("pw3"), QStringLiteral("pw3"));
        QCOMPARE(s.app.messages.texts(), (QStringList{kQuestion, changed(QStringLiteral("pw3"))}));
        QVERIFY(s.storedIs(QStringLiteral("pw3")));

        // The next run logs in with the last password only.
        AppHarness old;
        old.start(s.f.deployment());
        old.login(QStringLiteral("kim"), QStringLiteral("kim1234"));
        QCOMPARE(old.messages.texts(),
                 QStringList{QStringLiteral("아이디 또는 비밀번호가 맞지 않습니다.")});
        AppHarness next;
        next.start(s.f.deployment());
        next.login(QStringLiteral("kim"), QStringLiteral("pw3"));
        QVERIFY2(next.messages.shown().isEmpty(), qPrintable(next.messages.texts().join('\n')));
        QVERIFY(next.window().context().LoggedIn);
    }
}

void TestPassword::beforeLoginNothingChanges()
{
    PasswordSession s(false);
    QVERIFY(s.box);
    s.change(QString(), QStringLiteral("x"), QStringLiteral("x"));
    QVERIFY(s.app.messages.shown().isEmpty());
    s.change(QStringLiteral("kim1234"), QStringLiteral("x"), QStringLiteral("x"));
    QCOMPARE(s.app.messages.texts(), QStringList{kWrongCurrent});
    QVERIFY(s.storedIs(QStringLiteral("kim1234")));
    QVERIFY(s.app.window().context().UserPassword.isEmpty());
}

void TestPassword::sameNewPasswordIsAccepted()
{
    PasswordSession s;
    QVERIFY(s.box);
    s.change(QStringLiteral("kim1234"), QStringLiteral("kim1234"), QStringLiteral("kim1234"));
    QCOMPARE(s.app.messages.texts(), (QStringList{kQuestion, changed(QStringLiteral("kim1234"))}));
    QVERIFY(s.storedIs(QStringLiteral("kim1234")));
}

void TestPassword::failureKeepsThePassword_data()
{
    QTest::addColumn<QString>("breakage");
    QTest::addRow("table missing") << "rename table zetyx_member_table to members_away";
    // An update that finds no account must not be reported as a change.
    QTest::addRow("account deleted meanwhile")
        << "delete from zetyx_member_table where user_id = 'kim'";
}

void TestPassword::failureKeepsThePassword()
{
    QFETCH(QString, breakage);
    PasswordSession s;
    QVERIFY(s.box);
    s.f.members.exec(breakage);
    s.change(QStringLiteral("kim1234"), QStringLiteral("pw2"), QStringLiteral("pw2"));
    QCOMPARE(s.app.messages.texts(), (QStringList{kQuestion, kFailed}));
    QCOMPARE(s.app.messages.shown().last().kind, 0);
    QVERIFY(!s.app.messages.shown().last().lastResort);
    QCOMPARE(s.app.window().context().UserPassword, QStringLiteral("kim1234"));
}

void TestPassword::userWithEmptyPasswordCanChangeIt()
{
    PasswordSession s(true, QString());
    QVERIFY(s.box);
    QVERIFY(s.app.window().context().LoggedIn);
    s.change(QString(), QStringLiteral("set"), QStringLiteral("set"));
    QCOMPARE(s.app.messages.texts(), (QStringList{kQuestion, changed(QStringLiteral("set"))}));
    QVERIFY(s.storedIs(QStringLiteral("set")));
}

QTEST_MAIN(TestPassword)
#include "tst_password.moc"
