#pragma once

#include <QByteArray>
#include <QString>

struct st_mysql;

namespace orvel
{

/// How a connection uses TLS.
enum class TlsMode { Off, Preferred, Required };

/// Everything needed to reach one MySQL database.
struct ConnectionSettings {
    QString host = QStringLiteral("localhost");
    int port = 3306;
    QString socket; // unix socket path; used instead of host/port when set
    QString database;
    QString user;
    QString password;
    QString charset = QStringLiteral("latin1"); // must equal the stored columns' charset
    TlsMode tls = TlsMode::Off;
    QString tlsCa;
};

/// One MySQL client connection (auto-commit) over the MySQL C API.
class Connection
{
public:
    explicit Connection(QString name, ConnectionSettings settings = {});
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString name() const { return m_name; }
    const ConnectionSettings& settings() const { return m_settings; }
    /// Settings change only while closed; throws DbError otherwise.
    void setSettings(const ConnectionSettings& settings);
    void setHost(const QString& host);
    void setPort(int port);
    void setDatabase(const QString& database);
    void setUser(const QString& user);
    void setPassword(const QString& password);

    /// Opens with the current settings; throws DbError with the server's text.
    void open();
    void close();
    bool isOpen() const { return m_mysql != nullptr; }

    /// Opens the connection when closed; returns the live handle.
    st_mysql* handle();
    /// Escapes bytes for use inside a quoted literal with the connection's escape
    /// function (opens the connection when needed).
    QByteArray escape(const QByteArray& bytes);
    /// The text as a quoted SQL string literal, escaped by the connection's escape
    /// function (opens the connection when needed).
    QString quoteLiteral(const QString& text);
    /// Runs a statement (bytes as sent); throws DbError. Closes the connection when
    /// the server has gone away, so the next statement reconnects.
    void run(const QByteArray& statement);
    /// Runs a statement as it is (no parameters) and discards any rows it returns;
    /// returns the affected row count.
    qint64 execRaw(const QByteArray& statement);
    /// Throws DbError with the handle's current error. Closes on a lost connection.
    [[noreturn]] void fail();
    /// How often the connection has been opened; tests use it to see reconnects.
    int openCount() const { return m_openCount; }

private:
    void requireClosed(const char* what) const;

    QString m_name;
    ConnectionSettings m_settings;
    st_mysql* m_mysql = nullptr;
    int m_openCount = 0;
};

} // namespace orvel
