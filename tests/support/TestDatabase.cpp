#include "TestDatabase.h"

#include "data/Cp949.h"
#include "data/DbError.h"
#include "data/Query.h"
#include "data/SqlText.h"

#include <QCoreApplication>
#include <QFile>
#include <QtTest>
#include <atomic>

namespace orvel::test
{

ConnectionSettings serverSettings(const QString& charset)
{
    ConnectionSettings s;
    s.socket = qEnvironmentVariable("ORVEL_TEST_DB_SOCKET");
    s.host = qEnvironmentVariable("ORVEL_TEST_DB_HOST", QStringLiteral("127.0.0.1"));
    s.port = qEnvironmentVariable("ORVEL_TEST_DB_PORT", QStringLiteral("3306")).toInt();
    s.user = qEnvironmentVariable("ORVEL_TEST_DB_USER", QStringLiteral("root"));
    s.password = qEnvironmentVariable("ORVEL_TEST_DB_PASSWORD");
    s.charset = charset;
    if (s.socket.isEmpty() && qEnvironmentVariableIsEmpty("ORVEL_TEST_DB_PORT"))
        qFatal("The test database is not running: eval \"$(scripts/testdb.sh start)\" first");
    return s;
}

ScratchDatabase::ScratchDatabase(const QString& charset, const QString& prefix) : m_charset(charset)
{
    static std::atomic<int> counter{0};
    m_name = QStringLiteral("orvel_%1_%2_%3")
                 .arg(prefix)
                 .arg(QCoreApplication::applicationPid())
                 .arg(++counter);
    m_admin = std::make_unique<Connection>(QStringLiteral("admin"), serverSettings(charset));
    exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_name));
    exec(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET %2").arg(m_name, charset));
    exec(QStringLiteral("USE `%1`").arg(m_name));
}

ScratchDatabase::~ScratchDatabase()
{
    try {
        exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_name));
    } catch (const DbError&) {
        // The server may have been stopped by the test; nothing to clean then.
    }
}

ConnectionSettings ScratchDatabase::settings() const
{
    ConnectionSettings s = serverSettings(m_charset);
    s.database = m_name;
    return s;
}

void ScratchDatabase::exec(const QString& statement)
{
    if (!m_admin->isOpen()) {
        m_admin->open();
        if (!statement.startsWith(QLatin1String("DROP DATABASE")) &&
            !statement.startsWith(QLatin1String("CREATE DATABASE")))
            m_admin->execRaw("USE `" + m_name.toLatin1() + "`");
    }
    m_admin->execRaw(cp949::encode(statement));
}

QString sourceFile(const QString& relativePath)
{
    QFile f(QStringLiteral(ORVEL_SOURCE_DIR "/") + relativePath);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("Cannot read %s", qPrintable(f.fileName()));
    return QString::fromUtf8(f.readAll());
}

void ScratchDatabase::load(const QString& relativePath)
{
    for (const QString& statement : sql::splitScript(sourceFile(relativePath)))
        exec(statement);
}

QString ScratchDatabase::scalar(const QString& statement)
{
    const QStringList r = rows(statement);
    return r.isEmpty() ? QString() : r.first().section(QLatin1Char('|'), 0, 0);
}

QStringList ScratchDatabase::rows(const QString& statement)
{
    exec(QStringLiteral("SELECT 1")); // makes sure the admin connection is on this database
    Query q(*m_admin);
    q.setSql(statement);
    q.open();
    QStringList out;
    for (int r = 0; r < q.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < q.columnCount(); ++c)
            cells.append(q.text(r, c));
        out.append(cells.join(QLatin1Char('|')));
    }
    return out;
}

} // namespace orvel::test
