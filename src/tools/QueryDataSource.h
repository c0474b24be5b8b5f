#pragma once

#include "report/data/DataSource.h"

#include <memory>

namespace orvel
{
class Connection;
class Query;
struct ConnectionSettings;
} // namespace orvel

namespace orvel::tools
{

/// The rows of a database query as the report engine reads them.
class QueryDataSource : public report::DataSource
{
public:
    /// Reads an open (or to be opened) query that the caller keeps alive.
    explicit QueryDataSource(Query& query);
    /// Runs a statement on its own connection; throws DbError when it fails.
    QueryDataSource(const ConnectionSettings& settings, const QString& statement);
    ~QueryDataSource() override;

    bool open() override;
    bool eof() const override;
    void next() override;
    int rowCount() const override;
    QStringList fieldNames() const override;
    int fieldIndex(const QString& field) const override;
    using DataSource::value;
    QVariant value(int column) const override;
    QString errorString() const override { return m_error; }

private:
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<Query> m_ownQuery;
    Query* m_query;
    QString m_error;
};

/// Rows of a statement on the start-up customer database a deployment file names;
/// nullptr with error set when the file or the statement fails.
std::unique_ptr<report::DataSource>
openDeploymentQuery(const QString& statement, const QString& deploymentFile, QString* error);

} // namespace orvel::tools
