#pragma once

#include "data/Connection.h"
#include "data/Deployment.h"

#include <QString>
#include <memory>

namespace orvel::bench
{

/// The benchmark's member directory and customer database on the test server: created
/// when missing, the customer table filled with generated rows and kept between runs.
class BenchDatabase
{
public:
    /// Reads where the server is from the ORVEL_TEST_DB_* environment.
    BenchDatabase();
    ~BenchDatabase();

    static QString memberDatabase() { return QStringLiteral("orvel_bench_members"); }
    static QString customerDatabase() { return QStringLiteral("orvel_bench"); }
    static QString userId() { return QStringLiteral("bench"); }
    static QString password() { return QStringLiteral("bench1234"); }
    /// The member's customer table, named as the login names it.
    static QString customerTable() { return customerDatabase() + QLatin1Char('_') + userId(); }

    /// (Re)creates the member directory with one level-1 member whose customer database
    /// is customerDatabase(), reached over TCP as the login does.
    void prepareMemberDirectory();
    /// Catalogues a shipped print form (kind 1) in the member directory.
    void addPrintForm(const QString& name, const QString& file);
    /// Makes the customer table hold exactly rows generated rows; returns false when the
    /// table already had them and was kept.
    bool prepareCustomers(qint64 rows);

    /// Gives the server's InnoDB buffer pool room for the whole customer table (it only
    /// grows it) and reads the table once, so every measured fetch runs on a warm cache.
    /// Returns the pool size in MiB.
    double warmServerCache();

    /// Deployment values for the program: both start-up connections on the test server.
    Deployment deployment() const;
    const ConnectionSettings& server() const { return m_server; }

private:
    void loadSchema(Connection& connection, const QString& relativePath);
    void fillCustomers(qint64 rows);

    ConnectionSettings m_server;
    std::unique_ptr<Connection> m_admin;
};

/// A file of the source tree.
QString sourcePath(const QString& relativePath);

} // namespace orvel::bench
