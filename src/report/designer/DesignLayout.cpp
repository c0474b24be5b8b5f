#include "report/designer/DesignLayout.h"

#include "report/template/TemplateFormat.h"

namespace orvel::report
{

DesignLayout::DesignLayout(const ReportDocument& doc)
{
    const ReportPage& p = doc.page();
    m_paper = QRectF(0, 0, mmToPx(p.paperWidth), mmToPx(p.paperHeight));
    m_margins = m_paper.adjusted(mmToPx(p.leftMargin), mmToPx(p.topMargin), -mmToPx(p.rightMargin),
                                 -mmToPx(p.bottomMargin));
    const double left = m_margins.left();
    const double width = std::max(10.0, m_margins.width());
    double y = m_margins.top();
    auto place = [&](BandRef ref, double height) {
        Slot s;
        s.band = ref;
        s.caption = QRectF(left, y, width, CaptionHeight);
        s.body = QRectF(left, y + CaptionHeight, width, std::max(0.0, height));
        y = s.body.bottom() + Gap;
        m_slots.push_back(s);
    };
    for (size_t i = 0; i < p.bands.size(); ++i)
        place({int(i), false}, p.bands[i].height);
    for (const BandRef& ref : doc.placeholderBands()) {
        double h = 0;
        parseTemplateNumber(doc.placeholderBand(ref)->attribute(QStringLiteral("Height")), &h);
        place(ref, std::min(h, 10000.0));
    }
    m_surface = m_paper;
    if (y + mmToPx(p.bottomMargin) > m_surface.bottom())
        m_surface.setBottom(y + mmToPx(p.bottomMargin));
}

const DesignLayout::Slot* DesignLayout::slotOf(const BandRef& band) const
{
    for (const Slot& s : m_slots)
        if (s.band == band)
            return &s;
    return nullptr;
}

int DesignLayout::bandAt(double y) const
{
    int found = -1;
    for (const Slot& s : m_slots) {
        if (s.band.placeholder)
            continue;
        if (y >= s.caption.top() && y < s.body.bottom() + Gap)
            found = s.band.index;
    }
    return found;
}

} // namespace orvel::report
