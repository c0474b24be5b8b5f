#include "report/designer/BandItem.h"

#include "report/designer/DesignerTexts.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace orvel::report
{

namespace
{
QColor kindColor(Band::Type type)
{
    switch (type) {
    case Band::MasterData:
        return QColor(0xcf, 0xe2, 0xf3);
    case Band::GroupHeader:
    case Band::GroupFooter:
        return QColor(0xd9, 0xea, 0xd3);
    case Band::PageHeader:
    case Band::PageFooter:
        return QColor(0xfc, 0xe5, 0xcd);
    case Band::ReportTitle:
    case Band::ReportSummary:
        return QColor(0xea, 0xd1, 0xdc);
    default:
        return QColor(0xe6, 0xe6, 0xe6);
    }
}
} // namespace

BandItem::BandItem(BandRef ref, QGraphicsItem* parent) : QGraphicsItem(parent), m_ref(ref)
{
    setZValue(-1);
}

void BandItem::syncWith(const Band& band, const QRectF& body, double captionHeight)
{
    prepareGeometryChange();
    setPos(body.topLeft());
    m_size = body.size();
    m_captionHeight = captionHeight;
    m_placeholder = false;
    m_color = kindColor(band.type);
    QString caption = bandKindName(band.type) + QStringLiteral(": ") + band.name;
    if (!band.dataSetName.isEmpty())
        caption += QStringLiteral(" (%1)").arg(band.dataSetName);
    if (band.type == Band::GroupHeader && !band.condition.isEmpty())
        caption += QStringLiteral("  ") + band.condition;
    m_caption = caption;
    m_columnEdges.clear();
    if (band.columns > 1) {
        const double cell = band.columnWidth > 0 ? band.columnWidth : body.width() / band.columns;
        for (int c = 0; c < band.columns; ++c) {
            const double x = c * (cell + band.columnGap);
            if (c > 0)
                m_columnEdges.push_back(x);
            m_columnEdges.push_back(x + cell);
        }
    }
    update();
}

void BandItem::syncWithPlaceholder(const XmlNode& node, const QRectF& body, double captionHeight)
{
    prepareGeometryChange();
    setPos(body.topLeft());
    m_size = body.size();
    m_captionHeight = captionHeight;
    m_placeholder = true;
    m_color = QColor(0xc8, 0xc8, 0xc8);
    m_caption = node.name + QStringLiteral(": ") + node.attribute(QStringLiteral("Name")) +
                QStringLiteral(" (편집할 수 없음)");
    m_columnEdges.clear();
    update();
}

void BandItem::setSelectedLook(bool selected)
{
    if (selected != m_selected) {
        m_selected = selected;
        update();
    }
}

bool BandItem::onLowerEdge(const QPointF& scenePos, double viewScale) const
{
    if (m_placeholder)
        return false;
    const QPointF p = mapFromScene(scenePos);
    const double tolerance = 3 / std::max(0.05, viewScale);
    return p.x() >= 0 && p.x() <= m_size.width() && std::abs(p.y() - m_size.height()) <= tolerance;
}

QRectF BandItem::boundingRect() const
{
    return QRectF(0, -m_captionHeight, m_size.width(), m_size.height() + m_captionHeight + 2);
}

void BandItem::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QRectF caption(0, -m_captionHeight, m_size.width(), m_captionHeight);
    const QRectF body(QPointF(0, 0), m_size);
    p->fillRect(caption, m_selected ? m_color.darker(115) : m_color);
    p->setPen(QColor(0x30, 0x30, 0x30));
    QFont f = p->font();
    f.setPixelSize(11);
    f.setBold(m_selected);
    p->setFont(f);
    p->drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, m_caption);
    QColor fill = m_color;
    fill.setAlpha(m_placeholder ? 160 : 60);
    p->fillRect(body, fill);
    p->setPen(QPen(QColor(0x90, 0x90, 0x90), 0, Qt::DotLine));
    for (double x : m_columnEdges)
        p->drawLine(QPointF(x, 0), QPointF(x, m_size.height()));
    p->setPen(QPen(m_selected ? QColor(0x1e, 0x64, 0xd2) : QColor(0x70, 0x70, 0x70), 0));
    p->drawLine(body.bottomLeft(), body.bottomRight());
}

} // namespace orvel::report
