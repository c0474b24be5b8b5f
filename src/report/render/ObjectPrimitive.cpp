#include "report/render/ObjectPrimitive.h"

#include <QFile>

namespace orvel::report
{

ItemStyle itemStyleOf(const ReportObject& o)
{
    ItemStyle style;
    style.fill = o.fill;
    style.frame = o.frame;
    if (o.type == ReportObject::Memo || o.type == ReportObject::SysMemo) {
        style.font = o.font;
        style.hAlign = o.hAlign;
        style.vAlign = o.vAlign;
        style.wordWrap = o.wordWrap;
        style.gapX = o.gapX;
        style.gapY = o.gapY;
    }
    if (o.type == ReportObject::Picture) {
        style.stretched = o.stretched;
        style.keepAspect = o.keepAspect;
        style.center = o.center;
    }
    return style;
}

PreparedItem::Kind primitiveKindOf(const ReportObject& o, QRectF* rect)
{
    switch (o.type) {
    case ReportObject::Memo:
    case ReportObject::SysMemo:
        return PreparedItem::Text;
    case ReportObject::Picture:
        return PreparedItem::Image;
    case ReportObject::Line:
        if (!o.diagonal) {
            // A line is as long as its larger extent.
            if (rect->width() >= rect->height())
                rect->setHeight(0);
            else
                rect->setWidth(0);
        }
        return PreparedItem::Line;
    case ReportObject::Shape:
        break;
    }
    switch (o.shape) {
    case ShapeKind::Rectangle:
        return PreparedItem::Rect;
    case ShapeKind::RoundRectangle:
        return PreparedItem::RoundRect;
    case ShapeKind::Ellipse:
        return PreparedItem::Ellipse;
    case ShapeKind::Triangle:
        return PreparedItem::Triangle;
    case ShapeKind::Diamond:
        return PreparedItem::Diamond;
    case ShapeKind::Diagonal1:
        return PreparedItem::Line;
    case ShapeKind::Diagonal2:
        // From the bottom-left to the top-right corner.
        *rect = QRectF(QPointF(rect->left(), rect->bottom()), QPointF(rect->right(), rect->top()));
        return PreparedItem::Line;
    }
    return PreparedItem::Rect;
}

QImage pictureOf(const ReportObject& o)
{
    QImage img;
    if (!o.imageData.isEmpty())
        img.loadFromData(o.imageData);
    if (img.isNull() && !o.fileLink.isEmpty() && QFile::exists(o.fileLink))
        img.load(o.fileLink);
    return img;
}

} // namespace orvel::report
