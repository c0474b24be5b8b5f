#pragma once

#include "TestDatabase.h"
#include "data/Deployment.h"
#include "platform/MsgBox.h"

#include <QTemporaryDir>
#include <QVariant>
#include <memory>

namespace orvel
{
class TMainDB;
class TMainF;
} // namespace orvel

namespace orvel::test
{

/// Answers the program's message boxes in place of the user and records them.
class ScriptedMessages
{
public:
    ScriptedMessages();
    ~ScriptedMessages();
    /// Answers to give, in order; when they run out every box is answered with 1.
    void queueAnswers(const QList<int>& answers) { m_answers += answers; }
    const QList<ShownMessage>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QList<ShownMessage> m_shown;
    QList<int> m_answers;
};

/// A member directory and a customer database on the test server, with members whose
/// customer database is the scratch customer database.
class MemberFixture
{
public:
    explicit MemberFixture(const QString& charset = QStringLiteral("latin1"));

    ScratchDatabase members;
    ScratchDatabase customers;

    /// Adds a member; a null level is stored as NULL.
    void addMember(const QString& id, const QString& password, const QString& name,
                   const QVariant& level, const QString& accessLevel);
    void addProfile(const QString& levelName, const QString& varName, const QString& varValues);
    /// Deployment values pointing at both scratch databases.
    Deployment deployment() const;
};

/// The main window and its data module, created as at program start in a temporary
/// program folder, with message boxes answered by a script.
class AppHarness
{
public:
    AppHarness();
    ~AppHarness();

    /// Creates the window, then the data module (opened), as the program does.
    void start(const Deployment& deployment);
    /// Types the id and password and presses "로그인".
    void login(const QString& id, const QString& password);

    QString programDir() const;
    TMainF& window() { return *m_window; }
    TMainDB& db() { return *m_db; }
    ScriptedMessages messages;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TMainDB> m_db;
    std::unique_ptr<TMainF> m_window;
};

} // namespace orvel::test
