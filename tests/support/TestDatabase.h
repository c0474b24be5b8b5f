#pragma once

#include "data/Connection.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace orvel::test
{

/// Where the throwaway test server is (scripts/testdb.sh prints the environment).
ConnectionSettings serverSettings(const QString& charset = QStringLiteral("latin1"));

/// A uniquely named database on the test server, created empty and dropped again.
class ScratchDatabase
{
public:
    explicit ScratchDatabase(const QString& charset = QStringLiteral("latin1"),
                             const QString& prefix = QStringLiteral("t"));
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    QString name() const { return m_name; }
    QString charset() const { return m_charset; }
    /// Settings of a connection to this database with the database's character set.
    ConnectionSettings settings() const;
    /// Runs statements (text converted to CP949) on an administrative connection.
    void exec(const QString& statement);
    /// Runs every statement of a file under sql/ (split on ";" at line end).
    void load(const QString& relativePath);
    /// The first column of the first row of a select, decoded from CP949; "" if none.
    QString scalar(const QString& statement);
    /// All rows of a select, cells joined with "|".
    QStringList rows(const QString& statement);

private:
    QString m_name;
    QString m_charset;
    std::unique_ptr<Connection> m_admin;
};

/// Reads a file of the source tree (ORVEL_SOURCE_DIR-relative) as UTF-8.
QString sourceFile(const QString& relativePath);

} // namespace orvel::test
