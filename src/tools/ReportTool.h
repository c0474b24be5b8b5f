#pragma once

#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>

namespace orvel::report
{
class DataSource;
struct PreparedReport;
} // namespace orvel::report

namespace orvel::tools
{

/// Opens the rows of a SQL statement for the tool; nullptr with error set on failure.
using SqlSourceFactory = std::function<std::unique_ptr<report::DataSource>(
    const QString& statement, const QString& deploymentFile, QString* error)>;

/// The orvel-report command line: render templates and convert prepared reports.
class ReportTool
{
public:
    enum Exit { Ok = 0, Failed = 1, Usage = 2 };

    explicit ReportTool(SqlSourceFactory sql = {}) : m_sql(std::move(sql)) {}
    /// Runs one command (arguments without the program name); messages go to err.
    int run(const QStringList& args, QTextStream& out, QTextStream& err);
    static QString usage();

private:
    int render(const QStringList& args, QTextStream& out, QTextStream& err);
    int convert(const QStringList& args, QTextStream& out, QTextStream& err);
    bool writeOutput(const report::PreparedReport& prepared, const QString& path, double dpi,
                     QString* error);

    SqlSourceFactory m_sql;
};

} // namespace orvel::tools
