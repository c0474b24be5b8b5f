#pragma once

#include "report/data/DataSource.h"
#include "report/model/ReportModel.h"
#include "report/prepared/PreparedReport.h"

#include <QDateTime>
#include <functional>

namespace orvel::report
{

/// Lays out a template's bands over the rows of its data set into prepared pages.
class ReportPreparer
{
public:
    static constexpr int DefaultMaxPages = 200000;

    /// dataSetName is the name under which templates see the data source.
    ReportPreparer(const ReportTemplate& report, DataSource* data, QString dataSetName);

    /// Binds a further data set (detail bands, subreports); a name bound again is replaced.
    void addDataSource(const QString& name, DataSource* source);

    /// Fixes the time [Date] and [Time] show (tests); default: when prepare() starts.
    void setNow(const QDateTime& now) { m_now = now; }
    void setMaxPages(int pages) { m_maxPages = pages; }
    /// Called with the pages made so far as each page starts; returning false stops
    /// preparing (prepare() then answers false and wasCancelled() is true).
    void setProgress(std::function<bool(int pages)> progress) { m_progress = std::move(progress); }
    bool wasCancelled() const { return m_cancelled; }

    /// Replaces out's pages; false with errorString() set on failure.
    bool prepare(PreparedReport* out);
    QString errorString() const { return m_error; }

private:
    const ReportTemplate& m_report;
    DataSource* m_data;
    QString m_dataSetName;
    std::vector<std::pair<QString, DataSource*>> m_more;
    QDateTime m_now;
    int m_maxPages = DefaultMaxPages;
    std::function<bool(int)> m_progress;
    bool m_cancelled = false;
    QString m_error;
};

} // namespace orvel::report
