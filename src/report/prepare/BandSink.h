#pragma once

// Internal to preparing: evaluated bands and the places they are put (pages, a recorded
// group, a subreport's box).

#include "report/prepare/BandPlan.h"

#include <variant>

namespace orvel::report::prepare
{

/// An item of an evaluated band, relative to the band's top-left corner.
struct BandItem {
    PreparedItem item;
    bool totalPages = false; // holds the page-total mark
};

/// One band evaluated for the current row.
struct BandInstance {
    const CompiledBand* band = nullptr;
    std::vector<BandItem> items;
    double height = 0;
    double width = 0; // the width objects of no width stretch to
    double x = 0;     // from the column's left edge (label cells)
    int cell = 0;     // label cell of a multi-column data band; 0 starts a row
    bool splittable = false;
    bool live = true; // still the current row: it can be evaluated again on a new page
    QString outline;  // outline caption, empty for none
    double outlineY = 0;
};

class BandRecording;

/// Where a data run puts its bands.
class BandSink
{
public:
    virtual ~BandSink() = default;
    /// Puts bands in order; together keeps them on one page (a band and its kept children).
    virtual void put(std::vector<BandInstance> bands, bool together) = 0;
    /// A band that starts a new page (or page column), unless nothing is printed there yet.
    virtual void breakPage() = 0;
    /// Headers printed again below the page and column headers of each new page.
    virtual void pushRepeated(const CompiledBand* header) = 0;
    virtual void popRepeated(const CompiledBand* header) = 0;
    /// A group recorded ahead, to be kept on one page when it fits on one.
    virtual void putGroup(const BandRecording& group);
};

/// Bands recorded in order, to be measured and then put elsewhere.
class BandRecording : public BandSink
{
public:
    void put(std::vector<BandInstance> bands, bool together) override;
    void breakPage() override { m_events.emplace_back(Break{}); }
    void pushRepeated(const CompiledBand* header) override
    {
        m_events.emplace_back(Repeat{header, true});
    }
    void popRepeated(const CompiledBand* header) override
    {
        m_events.emplace_back(Repeat{header, false});
    }
    double height() const { return m_height; }
    void replay(BandSink* sink) const;

private:
    struct Bands {
        std::vector<BandInstance> bands;
        bool together;
    };
    struct Break {
    };
    struct Repeat {
        const CompiledBand* header;
        bool push;
    };
    std::vector<std::variant<Bands, Break, Repeat>> m_events;
    double m_height = 0;
};

/// Stacks bands in a box of unlimited height: a subreport's content.
class BoxSink : public BandSink
{
public:
    void put(std::vector<BandInstance> bands, bool together) override;
    void breakPage() override {}
    void pushRepeated(const CompiledBand*) override {}
    void popRepeated(const CompiledBand*) override {}
    std::vector<BandItem> items;
    double height = 0;

private:
    double m_rowTop = 0;
};

} // namespace orvel::report::prepare
