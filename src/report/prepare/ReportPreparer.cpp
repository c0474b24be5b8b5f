#include "report/prepare/ReportPreparer.h"

#include "report/prepare/PageLayout.h"
#include "report/template/TemplateFormat.h"

#include <QSet>
#include <deque>

namespace orvel::report
{

using namespace prepare;

namespace
{

// Pages that subreport objects print inside other pages' bands: they print nowhere else.
void collectSubreportPages(const std::vector<XmlNode>& nodes, QSet<QString>* names)
{
    for (const XmlNode& node : nodes) {
        SubreportRef sub;
        if (TemplateFormat::subreportFromNode(node, &sub))
            names->insert(sub.pageName);
        collectSubreportPages(node.children, names);
    }
}

} // namespace

ReportPreparer::ReportPreparer(const ReportTemplate& report, DataSource* data, QString dataSetName)
    : m_report(report), m_data(data), m_dataSetName(std::move(dataSetName))
{
}

void ReportPreparer::addDataSource(const QString& name, DataSource* source)
{
    for (auto& [n, s] : m_more)
        if (n.compare(name, Qt::CaseInsensitive) == 0) {
            s = source;
            return;
        }
    m_more.emplace_back(name, source);
}

bool ReportPreparer::prepare(PreparedReport* out)
{
    m_error.clear();
    m_cancelled = false;
    out->clear();
    out->title = m_report.settings.reportName;
    RowContext ctx;
    if (m_data)
        ctx.bind(m_dataSetName, m_data);
    for (const auto& [name, source] : m_more)
        if (source)
            ctx.bind(name, source);
    ctx.now = m_now.isValid() ? m_now : QDateTime::currentDateTime();

    QSet<QString> subreportPages;
    for (const ReportPage& page : m_report.pages) {
        collectSubreportPages(page.kept.children, &subreportPages);
        for (const Band& band : page.bands)
            collectSubreportPages(band.kept.children, &subreportPages);
    }
    BandCompiler compiler(out);
    std::deque<BandPlan> plans;
    for (const ReportPage& page : m_report.pages)
        plans.emplace_back(page, m_report, &compiler);
    BandRenderer renderer(&ctx, [&plans](const QString& name) -> const BandPlan* {
        for (const BandPlan& plan : plans)
            if (plan.page().name == name)
                return &plan;
        return nullptr;
    });

    std::vector<std::pair<int, int>> totals;
    try {
        // Texts that compute with the page total ([IIF(<Page> = <TotalPages>, ...)]) are
        // laid out again once it is known, until it holds: a changed text may move a break.
        constexpr int MaxPasses = 3;
        for (int pass = 0; pass < MaxPasses; ++pass) {
            out->pages.clear();
            out->outline.clear();
            totals.clear();
            for (const BandPlan& plan : plans) {
                if (subreportPages.contains(plan.page().name))
                    continue;
                PageLayout layout(plan, out, &ctx, &renderer, m_maxPages, &m_progress);
                layout.run();
                totals.insert(totals.end(), layout.totalPageItems.begin(),
                              layout.totalPageItems.end());
            }
            if (!compiler.computesWithTotalPages() || ctx.totalPages == int(out->pages.size()))
                break;
            ctx.totalPages = int(out->pages.size());
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
