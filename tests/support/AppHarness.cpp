#include "AppHarness.h"

#include "app/TMainF.h"
#include "data/TMainDB.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace orvel::test
{

ScriptedMessages::ScriptedMessages()
{
    MsgBox::setAnswerer([this](const ShownMessage& m) {
        m_shown.append(m);
        return m_answers.isEmpty() ? 1 : m_answers.takeFirst();
    });
}

ScriptedMessages::~ScriptedMessages()
{
    MsgBox::setAnswerer({});
}

QStringList ScriptedMessages::texts() const
{
    QStringList t;
    for (const ShownMessage& m : m_shown)
        t.append(m.message);
    return t;
}

MemberFixture::MemberFixture(const QString& charset)
    : members(charset, QStringLiteral("m")), customers(charset, QStringLiteral("c"))
{
    members.load(QStringLiteral("sql/member_directory.sql"));
    customers.load(QStringLiteral("sql/customer_database.sql"));
}

void MemberFixture::addMember(const QString& id, const QString& password, const QString& name,
                              const QVariant& level, const QString& accessLevel)
{
    const ConnectionSettings server = serverSettings(customers.charset());
    auto literal = [](const QString& s) {
        QString e = s;
        e.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        e.replace(QLatin1Char('\''), QLatin1String("\\'"));
        return QLatin1Char('\'') + e + QLatin1Char('\'');
    };
    members.exec(QStringLiteral("insert into zetyx_member_table (user_id, password, name, level, "
                                "acc_level, DB_Host, DB_Port, DB_DataBase, DB_UserName, "
                                "DB_PassWord) values (%1, password(%2), %3, %4, %5, %6, %7, %8, "
                                "%9, %10)")
                     .arg(literal(id), literal(password), literal(name),
                          level.isNull() ? QStringLiteral("NULL") : QString::number(level.toInt()),
                          literal(accessLevel), literal(QStringLiteral("127.0.0.1")),
                          QString::number(server.port), literal(customers.name()),
                          literal(server.user))
                     .arg(literal(server.password)));
}

void MemberFixture::addProfile(const QString& levelName, const QString& varName,
                               const QString& varValues)
{
    members.exec(QStringLiteral("insert into RunLevel (Level_Name, Var_Name, Var_Values) "
                                "values ('%1', '%2', '%3')")
                     .arg(levelName, varName, varValues));
}

Deployment MemberFixture::deployment() const
{
    Deployment d;
    d.memberDirectory = members.settings();
    d.startupDatabase = customers.settings();
    d.signupUrl = QStringLiteral("http://localhost/bbs/member_join.php");
    d.supportUrl = QStringLiteral("http://localhost/bbs/support.php");
    d.supportText = QStringLiteral("고객지원 02-000-0000");
    return d;
}

AppHarness::AppHarness()
{
    QVERIFY(m_dir.isValid());
    qputenv("ORVEL_PROGRAM_DIR", m_dir.path().toLocal8Bit());
}

AppHarness::~AppHarness()
{
    if (m_window)
        m_window->attachDatabase(nullptr);
    m_window.reset();
    m_db.reset();
    qunsetenv("ORVEL_PROGRAM_DIR");
}

QString AppHarness::programDir() const
{
    return m_dir.path() + QLatin1Char('/');
}

void AppHarness::start(const Deployment& deployment)
{
    m_window = std::make_unique<TMainF>(deployment);
    m_db = std::make_unique<TMainDB>(deployment.startupDatabase, deployment.memberDirectory);
    m_db->open();
    m_window->attachDatabase(m_db.get());
    m_window->keepAliveTimer()->stop();
}

void AppHarness::login(const QString& id, const QString& password)
{
    m_window->idField()->setText(id);
    m_window->passwordField()->setText(password);
    QPushButton* button = m_window->findChild<QPushButton*>(QStringLiteral("btn_login"));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace orvel::test
