#pragma once

// Internal to preparing: a band evaluated for the current row.

#include "report/prepare/BandSink.h"

#include <functional>

namespace orvel::report::prepare
{

/// Evaluates bands for the current row: texts, stretched heights, items and subreports.
class BandRenderer
{
public:
    using PlanLookup = std::function<const BandPlan*(const QString& pageName)>;
    BandRenderer(RowContext* ctx, PlanLookup plans) : m_ctx(ctx), m_plans(std::move(plans)) {}

    /// width is what objects of no width of their own stretch to.
    BandInstance evaluate(const CompiledBand& band, double width);

private:
    void addSubreport(const SubreportRef& sub, BandInstance* out);

    RowContext* m_ctx;
    PlanLookup m_plans;
    std::vector<QString> m_open; // subreport pages being printed, innermost last
};

} // namespace orvel::report::prepare
