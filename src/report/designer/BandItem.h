#pragma once

#include "report/designer/ReportDocument.h"

#include <QGraphicsItem>

namespace orvel::report
{

/// The scene's mirror of one band: its caption strip above, its area with the label
/// columns marked, and its lower edge to drag. Its objects are child items.
class BandItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 1 };

    BandItem(BandRef ref, QGraphicsItem* parent = nullptr);

    BandRef ref() const { return m_ref; }
    void setRef(BandRef ref) { m_ref = ref; }
    /// Mirrors a band at its place in the layout (body = the band's area in the scene).
    void syncWith(const Band& band, const QRectF& body, double captionHeight);
    /// Mirrors a band element the designer keeps but cannot edit.
    void syncWithPlaceholder(const XmlNode& node, const QRectF& body, double captionHeight);
    void setSelectedLook(bool selected);

    double bodyHeight() const { return m_size.height(); }
    /// Whether a scene point lies on the lower edge that resizes the band.
    bool onLowerEdge(const QPointF& scenePos, double viewScale) const;

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    BandRef m_ref;
    QSizeF m_size;
    double m_captionHeight = 18;
    QString m_caption;
    QColor m_color;
    std::vector<double> m_columnEdges; // x of label column edges
    bool m_selected = false;
    bool m_placeholder = false;
};

} // namespace orvel::report
