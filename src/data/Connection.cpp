#include "data/Connection.h"

#include "data/Cp949.h"
#include "data/DbError.h"

#include <errmsg.h>
#include <mysql.h>

namespace orvel
{

namespace
{

// The client library keeps process-wide state; initialise it once.
void ensureLibrary()
{
    static const bool initialised = [] {
        mysql_library_init(0, nullptr, nullptr);
        return true;
    }();
    (void)initialised;
}

bool isConnectionLost(unsigned int code)
{
    return code == CR_SERVER_GONE_ERROR || code == CR_SERVER_LOST || code == CR_CONNECTION_ERROR ||
           code == CR_CONN_HOST_ERROR || code == 4031 /* ER_CLIENT_INTERACTION_TIMEOUT */;
}

} // namespace

Connection::Connection(QString name, ConnectionSettings settings)
    : m_name(std::move(name)), m_settings(std::move(settings))
{
    ensureLibrary();
}

Connection::~Connection()
{
    close();
}

void Connection::requireClosed(const char* what) const
{
    if (isOpen())
        throw DbError(QStringLiteral("%1: cannot change %2 while the connection is open")
                          .arg(m_name, QLatin1String(what)));
}

void Connection::setSettings(const ConnectionSettings& settings)
{
    requireClosed("settings");
    m_settings = settings;
}

void Connection::setHost(const QString& host)
{
    requireClosed("host");
    m_settings.host = host;
}

void Connection::setPort(int port)
{
    requireClosed("port");
    m_settings.port = port;
}

void Connection::setDatabase(const QString& database)
{
    requireClosed("database");
    m_settings.database = database;
}

void Connection::setUser(const QString& user)
{
    requireClosed("user");
    m_settings.user = user;
}

void Connection::setPassword(const QString& password)
{
    requireClosed("password");
    m_settings.password = password;
}

void Connection::open()
{
    if (isOpen())
        return;
    MYSQL* mysql = mysql_init(nullptr);
    if (!mysql)
        throw DbError(QStringLiteral("%1: out of memory").arg(m_name));

    const QByteArray charset =
        m_settings.charset.isEmpty() ? QByteArray("latin1") : m_settings.charset.toLatin1();
    mysql_options(mysql, MYSQL_SET_CHARSET_NAME, charset.constData());
    const unsigned int timeout = 15;
    mysql_options(mysql, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    const my_bool off = 0;
    mysql_options(mysql, MYSQL_OPT_RECONNECT, &off);

    if (m_settings.tls != TlsMode::Off) {
        const QByteArray ca = m_settings.tlsCa.toLocal8Bit();
        if (!ca.isEmpty())
            mysql_options(mysql, MYSQL_OPT_SSL_CA, ca.constData());
        if (m_settings.tls == TlsMode::Required) {
            // Enforce TLS and verify the server's certificate; enforcing alone would
            // accept any certificate.
            const my_bool on = 1;
            mysql_options(mysql, MYSQL_OPT_SSL_ENFORCE, &on);
            mysql_options(mysql, MYSQL_OPT_SSL_VERIFY_SERVER_CERT, &on);
        }
    }

    // Names and passwords travel in the connection's code page, like all other text.
    const QByteArray host = m_settings.host.toUtf8();
    const QByteArray user = cp949::encode(m_settings.user);
    const QByteArray password = cp949::encode(m_settings.password);
    const QByteArray database = cp949::encode(m_settings.database);
    const QByteArray socket = m_settings.socket.toLocal8Bit();
    const bool useSocket = !socket.isEmpty();

    if (!mysql_real_connect(mysql, useSocket ? "localhost" : host.constData(), user.constData(),
                            password.constData(),
                            database.isEmpty() ? nullptr : database.constData(),
                            static_cast<unsigned int>(m_settings.port),
                            useSocket ? socket.constData() : nullptr, CLIENT_MULTI_RESULTS)) {
        const QString message = cp949::decode(QByteArray(mysql_error(mysql)));
        const unsigned int code = mysql_errno(mysql);
        mysql_close(mysql);
        throw DbError(message, code);
    }
    m_mysql = mysql;
    ++m_openCount;
}

void Connection::close()
{
    if (m_mysql) {
        mysql_close(m_mysql);
        m_mysql = nullptr;
    }
}

st_mysql* Connection::handle()
{
    if (!isOpen())
        open();
    return m_mysql;
}

QByteArray Connection::escape(const QByteArray& bytes)
{
    MYSQL* mysql = handle();
    QByteArray out(bytes.size() * 2 + 1, Qt::Uninitialized);
    const unsigned long n =
        mysql_real_escape_string(mysql, out.data(), bytes.constData(), bytes.size());
    out.truncate(qsizetype(n));
    return out;
}

QString Connection::quoteLiteral(const QString& text)
{
    return QLatin1Char('\'') + cp949::decode(escape(cp949::encode(text))) + QLatin1Char('\'');
}

void Connection::run(const QByteArray& statement)
{
    MYSQL* mysql = handle();
    if (mysql_real_query(mysql, statement.constData(), statement.size()) != 0)
        fail();
}

qint64 Connection::execRaw(const QByteArray& statement)
{
    run(statement);
    MYSQL* mysql = m_mysql;
    qint64 affected = 0;
    for (;;) {
        if (MYSQL_RES* result = mysql_store_result(mysql))
            mysql_free_result(result);
        else if (mysql_field_count(mysql) != 0)
            fail();
        else
            affected = qint64(mysql_affected_rows(mysql));
        if (!mysql_more_results(mysql))
            break;
        if (mysql_next_result(mysql) > 0)
            fail();
    }
    return affected;
}

void Connection::fail()
{
    if (!m_mysql)
        throw DbError(QStringLiteral("%1: not connected").arg(m_name));
    const unsigned int code = mysql_errno(m_mysql);
    const QString message = cp949::decode(QByteArray(mysql_error(m_mysql)));
    // A lost server leaves the handle unusable; closing it lets the next statement
    // reconnect with the current settings.
    if (isConnectionLost(code))
        close();
    throw DbError(message, code);
}

} // namespace orvel
