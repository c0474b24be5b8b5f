#pragma once

#include "report/designer/ReportDocument.h"
#include "report/prepared/PreparedReport.h"

#include <QGraphicsItem>

namespace orvel::report
{

/// The scene's mirror of one template object: painted by the engine's page renderer, so
/// it looks as it prints. It never writes to the model.
class ObjectItem : public QGraphicsItem
{
public:
    enum Handle { NoHandle, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };
    enum { Type = UserType + 2 };

    ObjectItem(ObjectRef ref, QGraphicsItem* parent);

    ObjectRef ref() const { return m_ref; }
    void setRef(ObjectRef ref) { m_ref = ref; }
    /// Mirrors an object: position relative to its band, size and look.
    void syncWith(const ReportObject& object);
    /// Mirrors an element the designer keeps but cannot edit: a grey box with its kind.
    void syncWithPlaceholder(const XmlNode& node, const QRectF& rect);
    void setSelectedLook(bool selected);
    bool selectedLook() const { return m_selected; }
    /// The view's scale, so the handles keep their screen size and the item's bounds (and
    /// its cached picture) no more room than they need.
    void setViewScale(double scale);

    /// The object's box in its band (template pixels).
    QRectF boxInBand() const { return QRectF(pos(), m_size); }
    /// The resize handle under a scene point, for a view scale (handles keep their screen size).
    Handle handleAt(const QPointF& scenePos, double viewScale) const;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    static constexpr double HandleSize = 6; // screen pixels

private:
    QRectF handleRect(Handle h, double scale) const;

    ObjectRef m_ref;
    QSizeF m_size;
    ReportObject m_object;
    bool m_hasObject = false;
    PreparedReport m_look; // one page holding the object's primitive
    QString m_placeholderName;
    bool m_outline = false; // a text object that prints nothing visible on its own
    bool m_selected = false;
    double m_viewScale = 1;
};

} // namespace orvel::report
