#pragma once

#include "report/designer/ReportDocument.h"

#include <QRectF>
#include <vector>

namespace orvel::report
{

/// Where the designer draws a page: the paper, its margins and the bands stacked in print
/// order below the top margin, each under a caption strip. Scene units are template pixels.
class DesignLayout
{
public:
    static constexpr double CaptionHeight = 18;
    static constexpr double Gap = 8;

    struct Slot {
        BandRef band;
        QRectF caption; // the strip with the band's name
        QRectF body;    // the band itself: objects are placed relative to its top-left
    };

    explicit DesignLayout(const ReportDocument& doc);

    QRectF paper() const { return m_paper; }
    QRectF margins() const { return m_margins; }
    /// The design surface: the paper, grown downwards when the bands need more room.
    QRectF surface() const { return m_surface; }
    const std::vector<Slot>& bandSlots() const { return m_slots; }
    const Slot* slotOf(const BandRef& band) const;
    /// The editable band whose caption or body holds the scene y (or the nearest one
    /// above it within its gap); -1 when none.
    int bandAt(double y) const;

private:
    QRectF m_paper, m_margins, m_surface;
    std::vector<Slot> m_slots;
};

} // namespace orvel::report
