#pragma once

#include "report/data/DataSource.h"
#include "report/model/ReportModel.h"
#include "report/prepared/PreparedReport.h"

#include <functional>
#include <stdexcept>
#include <vector>

namespace orvel::report
{

/// A failure of the report engine (damaged file, unwritable path ...), with its message.
class ReportError : public std::runtime_error
{
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

/// Preparing stopped by its progress callback; nothing was kept.
class ReportCancelled : public ReportError
{
public:
    ReportCancelled() : ReportError(QStringLiteral("preparing was stopped")) {}
};

/// The report the program works with: one template at a time, its data binding and its
/// prepared pages. Failures throw ReportError.
class Report
{
public:
    Report();

    /// Empties the report, then reads the template if the file exists (a name differing
    /// only in letter case is found too). Answers whether it existed; a missing file leaves
    /// the report empty and is no error.
    bool loadTemplate(const QString& path);
    void saveTemplate(const QString& path) const;
    /// The file the template was read from (empty for a report not read from a file); the
    /// designer saves to it.
    QString templatePath() const { return m_templatePath; }
    void setTemplatePath(const QString& path) { m_templatePath = path; }
    /// Back to the settings of a report before any template is loaded.
    void clear();

    /// Binds the rows and the name under which templates see them ("RPTDB").
    void setDataSource(DataSource* source, const QString& name);
    DataSource* dataSource() const { return m_source; }
    QString dataSetName() const { return m_dataSetName; }
    /// Binds a further data set by name (detail bands, subreports), beside the one above;
    /// nullptr unbinds it.
    void setDataSource(const QString& name, DataSource* source);
    /// The source bound under a name (ignoring case), nullptr when none.
    DataSource* dataSource(const QString& name) const;

    /// Prepares pages from the data set, discarding earlier prepared pages. progress is
    /// told the pages made so far as each page starts; when it answers false, preparing
    /// stops, no pages are kept and ReportCancelled is thrown.
    void prepare(const std::function<bool(int pages)>& progress = {});
    /// Loads prepared pages; a missing file is no error (answers false, pages emptied).
    bool loadPrepared(const QString& path);
    void savePrepared(const QString& path) const;

    ReportTemplate& reportTemplate() { return m_template; }
    const ReportTemplate& reportTemplate() const { return m_template; }
    PreparedReport& prepared() { return m_prepared; }
    const PreparedReport& prepared() const { return m_prepared; }

private:
    ReportTemplate m_template;
    PreparedReport m_prepared;
    DataSource* m_source = nullptr;
    QString m_dataSetName;
    std::vector<std::pair<QString, DataSource*>> m_moreSources;
    QString m_templatePath;
};

} // namespace orvel::report
