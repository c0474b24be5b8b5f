#include "report/prepare/ReportPreparer.h"

#include "report/prepare/PageLayout.h"

namespace orvel::report
{

using namespace prepare;

ReportPreparer::ReportPreparer(const ReportTemplate& report, DataSource* data, QString dataSetName)
    : m_report(report), m_data(data), m_dataSetName(std::move(dataSetName))
{
}

} // namespace orvel::report

namespace orvel::report
{

bool ReportPreparer::prepare(PreparedReport* out)
{
    m_error.clear();
    m_cancelled = false;
    out->clear();
    out->title = m_report.settings.reportName;
    RowContext ctx;
    ctx.data = m_data;
    ctx.dataSetName = m_dataSetName;
    ctx.now = m_now.isValid() ? m_now : QDateTime::currentDateTime();
    std::vector<std::pair<int, int>> totals;
    try {
        for (const ReportPage& page : m_report.pages) {
            PageLayout layout(page, out, &ctx, m_maxPages, &m_progress);
            layout.run(m_data, m_dataSetName);
            totals.insert(totals.end(), layout.totalPageItems.begin(), layout.totalPageItems.end());
        }
    } catch (const PageLimit& e) {
        m_error = e.message;
        out->clear();
        return false;
    } catch (const PrepareCancelled&) {
        // Nothing of a stopped report is kept: no half report reaches a preview.
        m_cancelled = true;
        m_error = QStringLiteral("preparing was stopped");
        out->clear();
        return false;
    }
    const QString total = QString::number(out->pages.size());
    for (const auto& [page, item] : totals)
        out->pages[page].items[item].text.replace(TotalPagesMark, total);
    return true;
}

} // namespace orvel::report
