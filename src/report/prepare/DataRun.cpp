#include "report/prepare/DataRun.h"

namespace orvel::report::prepare
{

namespace
{
constexpr int MaxChildChain = 32; // child bands of child bands, against links in a circle
}

/// Group state of the grouped master run: the current condition values and the row
/// before, which the group footers print.
struct DataRun::Groups {
    std::vector<QVariant> current;
    QVariantList previous;
    bool any = false;
};

DataRun::DataRun(const BandPlan& plan, RowContext* ctx, BandRenderer* renderer, BandSink* sink)
    : m_plan(plan), m_ctx(ctx), m_renderer(renderer), m_flow(sink), m_sink(sink),
      m_savedAccumulators(ctx->accumulators)
{
    for (const auto& [band, level, feed] : plan.aggregateBands())
        for (const CompiledObject& co : band->objects)
            for (const Expression& e : co.text.expressions())
                for (const auto& [node, function] : e.aggregates())
                    m_accumulators.push_back({&e, node, function, level, feed});
    for (const CompiledBand* h : plan.groupHeaders())
        m_conditions.push_back(Expression::parse(h->band->condition));
    m_ctx->accumulators = &m_accumulators;
}

DataRun::~DataRun()
{
    m_ctx->accumulators = m_savedAccumulators;
}

void DataRun::print(const CompiledBand* band, double width, int cell, double x)
{
    if (!band || !band->band->visible)
        return;
    std::vector<BandInstance> chain;
    chain.push_back(m_renderer->evaluate(*band, width < 0 ? band->band->width : width));
    chain.back().cell = cell;
    chain.back().x = x;
    int depth = 0;
    for (const CompiledBand* c = m_plan.childOf(*band); c && depth < MaxChildChain;
         c = m_plan.childOf(*c), ++depth)
        if (c->band->visible)
            chain.push_back(m_renderer->evaluate(*c, c->band->width));
    m_sink->put(std::move(chain), band->band->keepChild);
}

void DataRun::run()
{
    bool first = true;
    for (const DataNode* master : m_plan.masters()) {
        runNode(*master, first && !m_plan.groupHeaders().empty());
        first = false;
    }
}

bool DataRun::rowMatches(const DataNode& node, const DataSource* source) const
{
    if (!node.master || node.relation.isEmpty())
        return true;
    const QString masterSet = node.master->band->band->dataSetName;
    for (qsizetype i = 0; i < node.relation.masterFields.size(); ++i) {
        const QVariant m = m_ctx->field(masterSet, node.relation.masterFields[i]);
        const QVariant d = source->value(node.relation.detailFields[i]);
        if (!m.isValid() || !d.isValid() || m.toString() != d.toString())
            return false;
    }
    return true;
}

bool DataRun::printsRow(const DataNode& node)
{
    if (node.details.empty() || node.band->band->printIfDetailEmpty)
        return true;
    for (const DataNode* d : node.details)
        if (hasRows(*d))
            return true;
    return false;
}

bool DataRun::hasRows(const DataNode& node)
{
    const Band& band = *node.band->band;
    if (band.dataSetName.isEmpty())
        return band.rowCount > 0 && printsRow(node);
    DataSource* source = m_ctx->source(band.dataSetName);
    if (!source || m_ctx->isBusy(source) || !source->open())
        return false;
    m_ctx->busy.push_back(source);
    bool found = false;
    for (; !found && !source->eof(); source->next())
        found = rowMatches(node, source) && printsRow(node);
    m_ctx->busy.pop_back();
    return found;
}

void DataRun::printRow(const DataNode& node)
{
    const Band& band = *node.band->band;
    const ReportPage& page = m_plan.page();
    const int across = std::max(1, band.columns);
    const double pageInner = mmToPx(page.paperWidth - page.leftMargin - page.rightMargin);
    const double cellWidth = band.columnWidth > 0 ? band.columnWidth : pageInner / across;
    const int cell = (m_ctx->line - 1) % across;
    print(node.band, cellWidth, cell, cell * (cellWidth + band.columnGap));
    for (Accumulator& a : m_accumulators)
        if (a.counts(&node, node.level == 0, band.name))
            a.add(a.expression->aggregateArgument(a.node, *m_ctx), m_ctx->page);
    ++m_ctx->line;
    ++m_ctx->runningLine;
    for (const DataNode* d : node.details)
        runNode(*d, false);
}

void DataRun::startGroups(size_t from)
{
    for (Accumulator& a : m_accumulators)
        if (a.resetLevel >= int(from))
            a.reset();
    const auto& headers = m_plan.groupHeaders();
    for (size_t g = from; g < headers.size(); ++g) {
        const Band& h = *headers[g]->band;
        if (h.keepTogether && !m_recording) {
            // The group is laid out ahead, then put where it fits whole.
            m_recording = std::make_unique<BandRecording>();
            m_recordLevel = g;
            m_sink = m_recording.get();
        }
        print(headers[g]);
        if (h.reprintOnNewPage && h.visible)
            m_sink->pushRepeated(headers[g]);
    }
    m_ctx->line = 1;
}

void DataRun::closeGroups(Groups& groups, size_t from, DataSource* source)
{
    m_ctx->snapshot = &groups.previous;
    m_ctx->snapshotOf = source;
    const auto& headers = m_plan.groupHeaders();
    const auto& footers = m_plan.groupFooters();
    for (size_t g = headers.size(); g-- > from;) {
        if (footers[g]) {
            m_ctx->line = 1; // group footers start below a part-filled row of labels
            print(footers[g]);
        }
        if (headers[g]->band->reprintOnNewPage && headers[g]->band->visible)
            m_sink->popRepeated(headers[g]);
        if (m_recording && m_recordLevel == g) {
            m_sink = m_flow;
            const auto recording = std::move(m_recording);
            m_flow->putGroup(*recording);
        }
    }
    m_ctx->snapshot = nullptr;
    m_ctx->snapshotOf = nullptr;
}

void DataRun::runNode(const DataNode& node, bool grouped)
{
    const Band& band = *node.band->band;
    const int line = m_ctx->line;
    const int runningLine = m_ctx->runningLine;
    m_ctx->line = 1;
    m_ctx->runningLine = 1;
    bool started = false;
    // The header prints before the first row that prints, the footer after the last.
    auto start = [&] {
        if (started)
            return;
        started = true;
        for (Accumulator& a : m_accumulators)
            if (a.feed == &node)
                a.reset();
        print(node.header);
        if (node.header && node.header->band->reprintOnNewPage && node.header->band->visible)
            m_sink->pushRepeated(node.header);
    };
    DataSource* source = nullptr;
    Groups groups;
    if (band.dataSetName.isEmpty()) {
        for (int i = 0; i < band.rowCount; ++i)
            if (printsRow(node)) {
                start();
                printRow(node);
            }
    } else {
        source = m_ctx->source(band.dataSetName);
        if (!source || m_ctx->isBusy(source)) {
            m_ctx->line = line;
            m_ctx->runningLine = runningLine;
            return;
        }
        if (!source->open())
            throw PageLimit{QStringLiteral("cannot read the data set %1: %2")
                                .arg(band.dataSetName, source->errorString())};
        m_ctx->busy.push_back(source);
        const auto& headers = m_plan.groupHeaders();
        groups.current.resize(grouped ? headers.size() : 0);
        const bool keepRow = grouped || node.footer;
        const int fieldCount = keepRow ? int(source->fieldNames().size()) : 0;
        for (; !source->eof(); source->next()) {
            if (!rowMatches(node, source) || !printsRow(node))
                continue;
            start();
            if (grouped) {
                size_t changed = headers.size();
                for (size_t g = 0; g < headers.size(); ++g) {
                    QVariant v = m_conditions[g].evaluate(*m_ctx);
                    if (changed == headers.size() && (!groups.any || v != groups.current[g]))
                        changed = g;
                    groups.current[g] = v;
                }
                if (changed < headers.size()) {
                    if (groups.any)
                        closeGroups(groups, changed, source);
                    startGroups(changed);
                }
                groups.any = true;
            }
            groups.previous.clear();
            for (int f = 0; f < fieldCount; ++f)
                groups.previous << source->value(f);
            printRow(node);
        }
        if (groups.any)
            closeGroups(groups, 0, source);
        m_ctx->busy.pop_back();
    }
    if (started) {
        if (node.header && node.header->band->reprintOnNewPage && node.header->band->visible)
            m_sink->popRepeated(node.header);
        // The footer shows the last row, as group footers do.
        m_ctx->snapshot = source ? &groups.previous : nullptr;
        m_ctx->snapshotOf = source;
        print(node.footer);
        m_ctx->snapshot = nullptr;
        m_ctx->snapshotOf = nullptr;
    }
    m_ctx->line = line;
    m_ctx->runningLine = runningLine;
}

} // namespace orvel::report::prepare
