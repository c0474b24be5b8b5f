#pragma once

#include "report/prepared/PreparedReport.h"

#include <QImage>

class QPainter;

namespace orvel::report
{

/// Paints prepared pages with QPainter: screen, printer, PDF and images share it.
class PageRenderer
{
public:
    explicit PageRenderer(const PreparedReport& report) : m_report(report) {}

    /// Paints one page in template pixels (96 dpi); the caller sets the painter's scale.
    void paint(QPainter* painter, int page) const;
    /// The page as an image at the given resolution, on white.
    QImage image(int page, double dpi) const;

private:
    void paintText(QPainter* p, const PreparedItem& item, const ItemStyle& s) const;
    void paintFrame(QPainter* p, const QRectF& r, const FrameSpec& f) const;

    const PreparedReport& m_report;
};

} // namespace orvel::report
