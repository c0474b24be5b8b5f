#pragma once

// Internal to preparing: the bands of one template page, compiled, and how they belong
// together (data bands with their headers, footers, details and child bands).

#include "report/model/ReportModel.h"
#include "report/prepare/PrepareContext.h"
#include "report/prepared/PreparedReport.h"

#include <QHash>
#include <deque>
#include <optional>
#include <vector>

namespace orvel::report::prepare
{

inline constexpr double Epsilon = 0.01; // pixels of rounding a band may overrun the page by

/// A template object with its text compiled and its style resolved once.
struct CompiledObject {
    const ReportObject* object = nullptr;
    TextTemplate text;
    int style = 0;
    int image = -1;
    bool usesTotalPages = false;
};

/// A template band with its objects, subreports and outline expression compiled.
struct CompiledBand {
    const Band* band = nullptr;
    LinkedBand linked = LinkedBand::None;
    std::vector<CompiledObject> objects;
    std::vector<SubreportRef> subreports;
    std::optional<Expression> outline;
};

/// Compiles bands into the styles and images of one prepared report, sharing pictures.
class BandCompiler
{
public:
    explicit BandCompiler(PreparedReport* out) : m_out(out) {}
    CompiledBand compile(const Band& band, LinkedBand linked);
    /// Whether a compiled text computes with the page total, so it needs its value.
    bool computesWithTotalPages() const { return m_computesWithTotalPages; }

private:
    PreparedReport* m_out;
    QHash<QString, int> m_imageCache;
    bool m_computesWithTotalPages = false;
};

/// A detail band's relation to its master: detail rows whose fields equal the master's.
struct DataRelation {
    QStringList masterFields;
    QStringList detailFields;
    /// Reads "d=m;d2=m2" pairs from masterFields, or two lists paired by position, or one
    /// list naming the same fields on both sides.
    static DataRelation parse(const QString& masterFields, const QString& detailFields);
    bool isEmpty() const { return masterFields.isEmpty(); }
};

/// A data band with the bands that print around and below each of its rows.
struct DataNode {
    const CompiledBand* band = nullptr;
    const CompiledBand* header = nullptr;
    const CompiledBand* footer = nullptr;
    std::vector<DataNode*> details; // printed, in order, for each row
    DataNode* master = nullptr;
    int level = 0; // 0 master, 1 detail, 2 sub-detail
    DataRelation relation;
};

/// The bands of one template page and their links.
class BandPlan
{
public:
    BandPlan(const ReportPage& page, const ReportTemplate& report, BandCompiler* compiler);
    BandPlan(const BandPlan&) = delete;
    BandPlan& operator=(const BandPlan&) = delete;

    const ReportPage& page() const { return m_page; }
    /// The first band of a kind.
    const CompiledBand* find(Band::Type type) const;
    /// The child band printed after a band; nullptr when it has none.
    const CompiledBand* childOf(const CompiledBand& band) const { return m_childOf.value(&band); }

    const std::vector<const CompiledBand*>& groupHeaders() const { return m_groupHeaders; }
    /// The footer closing each group level (nullptr where none).
    const std::vector<const CompiledBand*>& groupFooters() const { return m_groupFooters; }
    /// Top-level data runs, in print order.
    const std::vector<DataNode*>& masters() const { return m_masters; }
    /// Bands whose aggregates count rows; with the group level they reset at (-1: never,
    /// PageScope: on each page) and the data band they count (nullptr: the master bands).
    struct AggregateBand {
        const CompiledBand* band;
        int level;
        const DataNode* feed;
    };
    std::vector<AggregateBand> aggregateBands() const;

private:
    void linkChildren();
    void buildDataTree();
    void bindHeadersAndFooters();

    const ReportPage& m_page;
    const ReportTemplate& m_report;
    std::deque<Band> m_keptBands; // linked bands read from the page's kept elements
    std::deque<CompiledBand> m_bands;
    std::deque<DataNode> m_nodes;
    QHash<const CompiledBand*, const CompiledBand*> m_childOf;
    std::vector<const CompiledBand*> m_groupHeaders, m_groupFooters;
    std::vector<DataNode*> m_masters;
};

} // namespace orvel::report::prepare
