#include "PageRenderer.h"

#include "ReportFonts.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
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

void PageRenderer::drawTextBlock(QPainter* p, const QRectF& box, const ItemStyle& s,
                                 const QString& text) const
{
    // Laid out like QPainter::drawText, but drawn as glyph runs without the space glyphs:
    // a PDF then holds words apart by position, and text extraction sees real spaces
    // (a drawn space glyph can come out as a control character in the PDF's Unicode map).
    QString t = text;
    t.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(t, ReportFonts::font(s.font), p->device());
    QTextOption option;
    option.setWrapMode(s.wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                  : QTextOption::NoWrap);
    const int flags = ReportFonts::textFlags(s.hAlign, s.vAlign, false);
    option.setAlignment(Qt::Alignment(flags & Qt::AlignHorizontal_Mask));
    layout.setTextOption(option);
    double height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    double dy = 0;
    if (s.vAlign == VAlign::Center)
        dy = (box.height() - height) / 2;
    else if (s.vAlign == VAlign::Bottom)
        dy = box.height() - height;
    const QPointF origin = box.topLeft() + QPointF(0, dy);
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> spaces = run.rawFont().glyphIndexesForString(QStringLiteral(" "));
        const quint32 space = spaces.isEmpty() ? quint32(-1) : spaces.first();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        QList<quint32> keptGlyphs;
        QList<QPointF> keptPositions;
        keptGlyphs.reserve(glyphs.size());
        keptPositions.reserve(glyphs.size());
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            if (glyphs[i] == space)
                continue;
            keptGlyphs << glyphs[i];
            keptPositions << positions[i];
        }
        if (keptGlyphs.isEmpty())
            continue;
        QGlyphRun kept = run;
        kept.setGlyphIndexes(keptGlyphs);
        kept.setPositions(keptPositions);
        p->drawGlyphRun(origin, kept);
    }
}

void PageRenderer::paintText(QPainter* p, const PreparedItem& item, const ItemStyle& s) const
{
    if (s.fill.isValid())
        p->fillRect(item.rect, s.fill);
    if (!item.text.isEmpty()) {
        p->setFont(ReportFonts::font(s.font));
        p->setPen(s.font.color);
        const QRectF inner = item.rect.adjusted(s.gapX, s.gapY, -s.gapX, -s.gapY);
        p->save();
        p->setClipRect(item.rect, Qt::IntersectClip);
        drawTextBlock(p, inner, s, item.text);
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
        case PreparedItem::Ellipse: {
            QPen pen = framePen(s.frame);
            p->setPen(pen);
            p->setBrush(s.fill.isValid() ? QBrush(s.fill) : Qt::NoBrush);
            if (item.kind == PreparedItem::Ellipse)
                p->drawEllipse(item.rect);
            else if (item.kind == PreparedItem::RoundRect)
                p->drawRoundedRect(item.rect, 8, 8);
            else
                p->drawRect(item.rect);
            p->setBrush(Qt::NoBrush);
            break;
        }
        case PreparedItem::Image:
            if (item.image >= 0 && item.image < int(m_report.images.size())) {
                const QImage& img = m_report.images[item.image];
                QSizeF size = img.size().scaled(item.rect.size().toSize(), Qt::KeepAspectRatio);
                QRectF target(item.rect.topLeft(), size);
                p->drawImage(target, img);
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
