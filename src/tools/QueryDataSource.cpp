#include "tools/QueryDataSource.h"

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Deployment.h"
#include "data/Query.h"

#include <QFileInfo>

namespace orvel::tools
{

QueryDataSource::QueryDataSource(Query& query) : m_query(&query) {}

QueryDataSource::QueryDataSource(const ConnectionSettings& settings, const QString& statement)
    : m_connection(std::make_unique<Connection>(QStringLiteral("RPTDB"), settings)),
      m_ownQuery(std::make_unique<Query>(*m_connection, QStringLiteral("RPTDB"))),
      m_query(m_ownQuery.get())
{
    m_query->setSql(statement);
    m_query->open();
}

QueryDataSource::~QueryDataSource() = default;

bool QueryDataSource::open()
{
    // The report reads the stored rows from the first one; the statement is not run again.
    m_error.clear();
    try {
        if (!m_query->isOpen())
            m_query->open();
        m_query->first();
    } catch (const DbError& e) {
        m_error = e.message();
        return false;
    }
    return true;
}

bool QueryDataSource::eof() const
{
    return m_query->eof();
}

void QueryDataSource::next()
{
    m_query->next();
}

int QueryDataSource::rowCount() const
{
    return m_query->rowCount();
}

QStringList QueryDataSource::fieldNames() const
{
    return m_query->columnNames();
}

int QueryDataSource::fieldIndex(const QString& field) const
{
    return m_query->columnIndex(field);
}

QVariant QueryDataSource::value(int column) const
{
    if (m_query->eof() || column < 0 || column >= m_query->columnCount())
        return {};
    if (m_query->isNull(m_query->currentRow(), column))
        return QString();
    return m_query->value(m_query->currentRow(), column);
}

std::unique_ptr<report::DataSource>
openDeploymentQuery(const QString& statement, const QString& deploymentFile, QString* error)
{
    if (!QFileInfo(deploymentFile).isFile()) {
        *error = QStringLiteral("deployment file not found: %1").arg(deploymentFile);
        return nullptr;
    }
    try {
        const Deployment deployment = Deployment::load(deploymentFile);
        return std::make_unique<QueryDataSource>(deployment.startupDatabase, statement);
    } catch (const DbError& e) {
        *error = QStringLiteral("database: ") + e.message();
        return nullptr;
    }
}

} // namespace orvel::tools
