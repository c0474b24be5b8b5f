#pragma once

// Internal to preparing: going through the rows of a page's data bands.

#include "report/prepare/BandRenderer.h"

#include <memory>

namespace orvel::report::prepare
{

/// Prints a page's data bands over their data sets into a sink: groups, data headers and
/// footers, detail bands per master row and child bands. Owns the page's running
/// aggregates while it lives.
class DataRun
{
public:
    DataRun(const BandPlan& plan, RowContext* ctx, BandRenderer* renderer, BandSink* sink);
    ~DataRun();
    DataRun(const DataRun&) = delete;
    DataRun& operator=(const DataRun&) = delete;

    /// Every data band of the page, in print order.
    void run();
    /// A band and its child bands; nothing for nullptr or a hidden band.
    void print(const CompiledBand* band, double width = -1, int cell = 0, double x = 0);

private:
    struct Groups;
    void runNode(const DataNode& node, bool grouped);
    bool rowMatches(const DataNode& node, const DataSource* source) const;
    bool printsRow(const DataNode& node);
    bool hasRows(const DataNode& node);
    void printRow(const DataNode& node);
    void startGroups(size_t from);
    void closeGroups(Groups& groups, size_t from, DataSource* source);

    const BandPlan& m_plan;
    RowContext* m_ctx;
    BandRenderer* m_renderer;
    BandSink* m_flow; // where bands go
    BandSink* m_sink; // the flow, or the recording of a group kept together
    std::unique_ptr<BandRecording> m_recording;
    size_t m_recordLevel = 0;
    std::vector<Accumulator> m_accumulators;
    std::vector<Accumulator>* m_savedAccumulators;
    std::vector<Expression> m_conditions;
};

} // namespace orvel::report::prepare
