#include "report/render/PageRenderer.h"

#include "report/render/ReportFonts.h"

#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace orvel::report
{

static QPen framePen(const FrameSpec& f)
{
    QPen pen(f.color.isValid() ? f.color : QColor(Qt::black));
    pen.setWidthF(std::max(0.1, f.width));
    pen.setStyle(Qt::PenStyle(f.style >= 1 && f.style <= 5 ? f.style : 1));
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void PageRenderer::paintFrame(QPainter* p, const QRectF& r, const FrameSpec& f) const
{
    if (f.sides == 0)
        return;
    p->setPen(framePen(f));
    if (f.sides & FrameSpec::Left)
        p->drawLine(r.topLeft(), r.bottomLeft());
    if (f.sides & FrameSpec::Right)
        p->drawLine(r.topRight(), r.bottomRight());
    if (f.sides & FrameSpec::Top)
        p->drawLine(r.topLeft(), r.topRight());
    if (f.sides & FrameSpec::Bottom)
        p->drawLine(r.bottomLeft(), r.bottomRight());
}

void PageRenderer::paintText(QPainter* p, const PreparedItem& item, const ItemStyle& s) const
{
    if (s.fill.isValid())
        p->fillRect(item.rect, s.fill);
    if (!item.text.isEmpty()) {
        p->setFont(ReportFonts::font(s.font));
        p->setPen(s.font.color);
        const QRectF inner = item.rect.adjusted(s.gapX, s.gapY, -s.gapX, -s.gapY);
        QTextLayout layout;
        const double height = ReportFonts::layoutText(&layout, s.font, item.text, inner.width(),
                                                      s.wordWrap, s.hAlign);
        double dy = 0;
        if (s.vAlign == VAlign::Center)
            dy = (inner.height() - height) / 2;
        else if (s.vAlign == VAlign::Bottom)
            dy = inner.height() - height;
        // Text that stays inside its object needs no clip; most do, and a clip per object
        // makes printing and PDF output slower and larger.
        const QPointF origin = inner.topLeft() + QPointF(0, dy);
        QRectF drawn = layout.boundingRect().translated(origin);
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            drawn |= QRectF(origin.x() + line.x(), origin.y() + line.y(), line.naturalTextWidth(),
                            line.height());
        }
        const bool clip = !item.rect.contains(drawn);
        if (clip) {
            p->save();
            p->setClipRect(item.rect, Qt::IntersectClip);
        }
        layout.draw(p, origin);
        if (clip)
            p->restore();
    }
    paintFrame(p, item.rect, s.frame);
}

void PageRenderer::paint(QPainter* p, int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= int(m_report.pages.size()))
        return;
    const PreparedPage& page = m_report.pages[pageIndex];
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setRenderHint(QPainter::TextAntialiasing, true);
    const ItemStyle fallback;
    for (const PreparedItem& item : page.items) {
        const ItemStyle& s = item.style >= 0 && item.style < int(m_report.styles.size())
                                 ? m_report.styles[item.style]
                                 : fallback;
        switch (item.kind) {
        case PreparedItem::Text:
            paintText(p, item, s);
            break;
        case PreparedItem::Line:
            p->setPen(framePen(s.frame));
            p->drawLine(item.rect.topLeft(), item.rect.bottomRight());
            break;
        case PreparedItem::Rect:
        case PreparedItem::RoundRect:
        case PreparedItem::Ellipse:
        case PreparedItem::Triangle:
        case PreparedItem::Diamond: {
            QPen pen = framePen(s.frame);
            p->setPen(pen);
            p->setBrush(s.fill.isValid() ? QBrush(s.fill) : Qt::NoBrush);
            const QRectF& r = item.rect;
            if (item.kind == PreparedItem::Ellipse)
                p->drawEllipse(r);
            else if (item.kind == PreparedItem::RoundRect)
                p->drawRoundedRect(r, 8, 8);
            else if (item.kind == PreparedItem::Triangle)
                p->drawPolygon(
                    QPolygonF({QPointF(r.center().x(), r.top()), r.bottomRight(), r.bottomLeft()}));
            else if (item.kind == PreparedItem::Diamond)
                p->drawPolygon(QPolygonF(
                    {QPointF(r.center().x(), r.top()), QPointF(r.right(), r.center().y()),
                     QPointF(r.center().x(), r.bottom()), QPointF(r.left(), r.center().y())}));
            else
                p->drawRect(r);
            p->setBrush(Qt::NoBrush);
            break;
        }
        case PreparedItem::Image:
            if (item.image >= 0 && item.image < int(m_report.images.size())) {
                const QImage& img = m_report.images[item.image];
                // Pictures: scaled into the box (keeping their shape, if asked) or at their
                // own size at 96 dpi, at the top-left corner or centred; never outside the box.
                QSizeF size = img.size();
                if (s.stretched)
                    size = s.keepAspect ? size.scaled(item.rect.size(), Qt::KeepAspectRatio)
                                        : item.rect.size();
                QRectF target(item.rect.topLeft(), size);
                if (s.center)
                    target.moveCenter(item.rect.center());
                p->save();
                p->setClipRect(item.rect, Qt::IntersectClip);
                p->drawImage(target, img);
                p->restore();
            }
            break;
        }
    }
    p->restore();
}

QImage PageRenderer::image(int pageIndex, double dpi) const
{
    if (pageIndex < 0 || pageIndex >= int(m_report.pages.size()))
        return {};
    const PreparedPage& page = m_report.pages[pageIndex];
    const double scale = dpi / 96.0;
    QImage img(int(std::ceil(page.widthPx() * scale)), int(std::ceil(page.heightPx() * scale)),
               QImage::Format_RGB32);
    img.setDotsPerMeterX(int(dpi / 0.0254));
    img.setDotsPerMeterY(int(dpi / 0.0254));
    img.fill(Qt::white);
    QPainter p(&img);
    p.scale(scale, scale);
    paint(&p, pageIndex);
    return img;
}

} // namespace orvel::report
