#include "report/designer/ObjectItem.h"

#include "report/render/ObjectPrimitive.h"
#include "report/render/PageRenderer.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace orvel::report
{

ObjectItem::ObjectItem(ObjectRef ref, QGraphicsItem* parent) : QGraphicsItem(parent), m_ref(ref) {}

void ObjectItem::syncWith(const ReportObject& o)
{
    const QSizeF size(std::max(0.0, o.width), std::max(0.0, o.height));
    if (size != m_size)
        prepareGeometryChange();
    setPos(o.left, o.top);
    m_size = size;
    m_placeholderName.clear();
    if (m_hasObject && m_object == o)
        return;
    // Rebuild the look only when more than the position changed.
    m_object = o;
    m_hasObject = true;
    m_look.clear();
    PreparedPage page;
    PreparedItem item;
    item.rect = QRectF(QPointF(0, 0), size);
    item.kind = primitiveKindOf(o, &item.rect);
    item.style = m_look.styleIndex(itemStyleOf(o));
    if (item.kind == PreparedItem::Text)
        item.text = o.text;
    if (item.kind == PreparedItem::Image) {
        const QImage img = pictureOf(o);
        if (!img.isNull()) {
            m_look.images.push_back(img);
            item.image = 0;
        }
    }
    m_outline = (item.kind == PreparedItem::Text && o.frame.sides == 0 && !o.fill.isValid()) ||
                (item.kind == PreparedItem::Image && item.image < 0);
    page.items.push_back(item);
    m_look.pages.push_back(std::move(page));
    update();
}

void ObjectItem::syncWithPlaceholder(const XmlNode& node, const QRectF& rect)
{
    const QSizeF size(std::max(0.0, rect.width()), std::max(0.0, rect.height()));
    if (size != m_size)
        prepareGeometryChange();
    setPos(rect.topLeft());
    m_size = size;
    m_hasObject = false;
    m_look.clear();
    const QString name = node.attribute(QStringLiteral("Name"));
    m_placeholderName = name.isEmpty() ? node.name : node.name + QStringLiteral(": ") + name;
    update();
}

void ObjectItem::setSelectedLook(bool selected)
{
    if (selected == m_selected)
        return;
    prepareGeometryChange();
    m_selected = selected;
    update();
}

QRectF ObjectItem::boundingRect() const
{
    // Room for half a handle at the view's scale, and for a pen's width.
    const double m = m_selected ? (HandleSize / 2 + 1) / m_viewScale : 2;
    return QRectF(QPointF(0, 0), m_size).adjusted(-m, -m, m, m);
}

QRectF ObjectItem::handleRect(Handle h, double scale) const
{
    const double s = HandleSize / std::max(0.05, scale);
    const double w = m_size.width(), ht = m_size.height();
    QPointF c;
    switch (h) {
    case TopLeft:
        c = {0, 0};
        break;
    case Top:
        c = {w / 2, 0};
        break;
    case TopRight:
        c = {w, 0};
        break;
    case Right:
        c = {w, ht / 2};
        break;
    case BottomRight:
        c = {w, ht};
        break;
    case Bottom:
        c = {w / 2, ht};
        break;
    case BottomLeft:
        c = {0, ht};
        break;
    case Left:
        c = {0, ht / 2};
        break;
    case NoHandle:
        return {};
    }
    return QRectF(c.x() - s / 2, c.y() - s / 2, s, s);
}

void ObjectItem::setViewScale(double scale)
{
    scale = std::max(0.05, scale);
    if (scale == m_viewScale)
        return;
    if (m_selected)
        prepareGeometryChange();
    m_viewScale = scale;
}

ObjectItem::Handle ObjectItem::handleAt(const QPointF& scenePos, double viewScale) const
{
    if (!m_selected)
        return NoHandle;
    const QPointF p = mapFromScene(scenePos);
    for (int h = TopLeft; h <= Left; ++h)
        if (handleRect(Handle(h), viewScale).adjusted(-1, -1, 1, 1).contains(p))
            return Handle(h);
    return NoHandle;
}

void ObjectItem::paint(QPainter* p, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const QRectF box(QPointF(0, 0), m_size);
    if (!m_placeholderName.isEmpty()) {
        p->fillRect(box, QColor(0xd8, 0xd8, 0xd8));
        p->setPen(QPen(QColor(0x80, 0x80, 0x80), 0, Qt::DashLine));
        p->drawRect(box);
        p->setPen(QColor(0x50, 0x50, 0x50));
        QFont f = p->font();
        f.setPixelSize(10);
        p->setFont(f);
        p->drawText(box.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                    m_placeholderName);
    } else if (!m_look.pages.empty()) {
        PageRenderer(m_look).paint(p, 0);
        if (m_outline) {
            p->setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 0, Qt::DotLine));
            p->setBrush(Qt::NoBrush);
            p->drawRect(box);
        }
    }
    if (m_selected) {
        const double scale = option->levelOfDetailFromTransform(p->worldTransform());
        p->setPen(QPen(QColor(0x1e, 0x64, 0xd2), 0, Qt::DashLine));
        p->setBrush(Qt::NoBrush);
        p->drawRect(box);
        p->setPen(QPen(Qt::black, 0));
        p->setBrush(QColor(0x1e, 0x64, 0xd2));
        for (int h = TopLeft; h <= Left; ++h)
            p->drawRect(handleRect(Handle(h), scale));
    }
}

} // namespace orvel::report
