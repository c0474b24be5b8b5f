#pragma once

#include "report/designer/ObjectItem.h"

#include <QGraphicsView>
#include <QHash>
#include <optional>

class QRubberBand;

namespace orvel::report
{

class DesignScene;
class ReportDocument;

/// The designer's page view: selecting (click, Ctrl+click, rubber band), moving and
/// resizing with the mouse and the arrow keys, resizing bands by their lower edge,
/// inserting objects, dropping data fields, and zoom.
class DesignView : public QGraphicsView
{
    Q_OBJECT

public:
    /// What a click on the page inserts; Select is the ordinary pointer.
    struct Tool {
        bool insert = false;
        ReportObject object; // template of the object to insert
    };

    DesignView(DesignScene* scene, QWidget* parent = nullptr);

    DesignScene* designScene() const { return m_scene; }
    ReportDocument* document() const;

    void setInsertTool(const ReportObject& object);
    void setSelectTool();
    bool insertToolActive() const { return m_tool.insert; }

    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    void zoomToWidth();
    void zoomToPage();

    /// Titles of data fields for the column header (field name -> title).
    void setFieldTitles(const QHash<QString, QString>& titles) { m_titles = titles; }

    static QString fieldMimeType();

signals:
    void zoomChanged(double zoom);
    /// The visible part of the scene moved (scrolling or zoom): the rulers follow.
    void viewportMoved();
    /// The insert tool was used or dropped.
    void toolChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class Drag { None, Move, Resize, BandHeight, Rubber };
    void finishMove(const QPointF& delta);
    void finishResize(const QPointF& scenePos);
    void updateCursor(const QPointF& scenePos);
    QPointF snappedDelta(const QPointF& raw) const;
    QRectF resizedRect(const QRectF& start, const QPointF& delta) const;

    DesignScene* m_scene;
    Tool m_tool;
    double m_zoom = 1.0;
    QHash<QString, QString> m_titles;

    Drag m_drag = Drag::None;
    QPointF m_pressScene;
    QPoint m_pressView;
    bool m_moved = false;
    ObjectItem::Handle m_handle = ObjectItem::NoHandle;
    ObjectRef m_handleObject;
    int m_dragBand = -1;
    double m_bandStartHeight = 0;
    std::vector<ObjectRef> m_dragRefs;
    std::vector<QRectF> m_dragStartRects;
    QRubberBand* m_rubber = nullptr;
    bool m_rubberAdds = false;
    bool m_shown = false;
};

} // namespace orvel::report
