#pragma once

#include "report/designer/DesignLayout.h"

#include <QGraphicsScene>
#include <memory>
#include <vector>

namespace orvel::report
{

class BandItem;
class ObjectItem;

/// The page being designed as a Graphics View scene: paper, margins and grid in the
/// background, a BandItem per band with an ObjectItem per object. It follows the document
/// (model and selection) and never changes it.
class DesignScene : public QGraphicsScene
{
    Q_OBJECT

public:
    explicit DesignScene(ReportDocument* doc, QObject* parent = nullptr);
    ~DesignScene() override;

    ReportDocument* document() const { return m_doc; }
    const DesignLayout& designLayout() const { return *m_layout; }

    /// Grid step in template pixels; snapping moves and resizes to it when on.
    double gridStep() const { return m_gridStep; }
    void setGridStep(double px);
    bool snapToGrid() const { return m_snap; }
    void setSnapToGrid(bool on) { m_snap = on; }
    bool gridVisible() const { return m_gridVisible; }
    void setGridVisible(bool on);
    double snap(double v) const;

    BandItem* bandItem(const BandRef& ref) const;
    ObjectItem* objectItem(const ObjectRef& ref) const;
    /// The topmost object under a scene point, or nullptr.
    ObjectItem* objectAt(const QPointF& scenePos) const;
    /// The band (editable or placeholder) whose caption or area holds the point.
    BandItem* bandAt(const QPointF& scenePos) const;
    /// Scene position of a band's top-left (objects are placed relative to it).
    QPointF bandOrigin(int band) const;

    /// Mirrors the whole model again (also done on every change of the document).
    void sync();
    /// The zoom of the view showing the scene (handles are drawn at a fixed screen size).
    void setViewScale(double scale);

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;

private:
    void syncSelection();

    ReportDocument* m_doc;
    std::unique_ptr<DesignLayout> m_layout;
    std::vector<BandItem*> m_bands;
    std::vector<std::vector<ObjectItem*>> m_objects;
    std::vector<std::vector<ObjectItem*>> m_placeholders;
    std::vector<BandItem*> m_placeholderBands;
    QRectF m_drawnPaper, m_drawnMargins;
    double m_gridStep;
    double m_viewScale = 1;
    bool m_snap = true;
    bool m_gridVisible = true;
};

} // namespace orvel::report
