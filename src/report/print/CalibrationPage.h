#pragma once

#include "report/prepared/PreparedReport.h"
#include "report/print/PrintOffsets.h"

namespace orvel::report
{

/// The calibration page: cross marks at known distances from the paper's edges, so a user
/// can measure where a printer really puts them and enter the difference as its offset.
struct CalibrationPage {
    /// Distance of every mark's centre from the two nearest paper edges.
    static constexpr double MarkInsetMm = 20.0;

    /// One page of the given paper, naming the printer and the offset it was printed with.
    static PreparedReport make(double widthMm, double heightMm, const QString& printer,
                               PrintOffset current);
    /// The marks' centres in mm from the paper's top-left corner: the four corners, then
    /// the middle.
    static std::vector<QPointF> markCentres(double widthMm, double heightMm);
};

} // namespace orvel::report
