#include "report/designer/DesignView.h"

#include "report/designer/BandItem.h"
#include "report/designer/DesignEdits.h"
#include "report/designer/DesignScene.h"
#include "report/designer/DesignerTexts.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace orvel::report
{

namespace
{
constexpr int BandHeightMergeBase = 300000;
constexpr int ResizeMergeBase = 400000;
int dragSerial = 0;
} // namespace

DesignView::DesignView(DesignScene* scene, QWidget* parent)
    : QGraphicsView(scene, parent), m_scene(scene)
{
    setObjectName(QStringLiteral("designView"));
    setAccessibleName(QStringLiteral("양식 페이지"));
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    // Paper, margins and grid change only with the page; moves repaint items alone.
    setCacheMode(QGraphicsView::CacheBackground);
    // Objects paint themselves smoothly into their cached pictures; the view blits those
    // pictures and draws band lines crisp, without smoothing every pixel again.
    setRenderHint(QPainter::Antialiasing, false);
    setRenderHint(QPainter::TextAntialiasing, true);
    setOptimizationFlags(QGraphicsView::DontAdjustForAntialiasing);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_rubber = new QRubberBand(QRubberBand::Rectangle, viewport());
    m_rubber->hide();
}

ReportDocument* DesignView::document() const
{
    return m_scene->document();
}

QString DesignView::fieldMimeType()
{
    return QStringLiteral("application/x-orvel-report-field");
}

void DesignView::setInsertTool(const ReportObject& object)
{
    m_tool.insert = true;
    m_tool.object = object;
    viewport()->setCursor(Qt::CrossCursor);
    emit toolChanged();
}

void DesignView::setSelectTool()
{
    const bool was = m_tool.insert;
    m_tool = Tool();
    viewport()->unsetCursor();
    if (was)
        emit toolChanged();
}

void DesignView::setZoom(double zoom)
{
    zoom = std::clamp(zoom, 0.1, 8.0);
    m_zoom = zoom;
    m_scene->setViewScale(zoom);
    setTransform(QTransform::fromScale(zoom, zoom));
    emit zoomChanged(zoom);
    emit viewportMoved();
}

void DesignView::zoomToWidth()
{
    const QRectF s = m_scene->designLayout().surface();
    setZoom((viewport()->width() - 24) / std::max(1.0, s.width() + 20));
}

void DesignView::zoomToPage()
{
    const QRectF p = m_scene->designLayout().paper();
    const double w = (viewport()->width() - 24) / std::max(1.0, p.width() + 20);
    const double h = (viewport()->height() - 24) / std::max(1.0, p.height() + 20);
    setZoom(std::min(w, h));
}

QPointF DesignView::snappedDelta(const QPointF& raw) const
{
    if (m_dragStartRects.empty() || !m_scene->snapToGrid())
        return raw;
    // The first object's corner lands on the grid; the others keep their distances.
    const QRectF& first = m_dragStartRects.front();
    return QPointF(m_scene->snap(first.left() + raw.x()) - first.left(),
                   m_scene->snap(first.top() + raw.y()) - first.top());
}

QRectF DesignView::resizedRect(const QRectF& start, const QPointF& d) const
{
    QRectF r = start;
    auto edge = [this](double v) { return m_scene->snap(v); };
    switch (m_handle) {
    case ObjectItem::TopLeft:
        r.setTopLeft(QPointF(edge(start.left() + d.x()), edge(start.top() + d.y())));
        break;
    case ObjectItem::Top:
        r.setTop(edge(start.top() + d.y()));
        break;
    case ObjectItem::TopRight:
        r.setTopRight(QPointF(edge(start.right() + d.x()), edge(start.top() + d.y())));
        break;
    case ObjectItem::Right:
        r.setRight(edge(start.right() + d.x()));
        break;
    case ObjectItem::BottomRight:
        r.setBottomRight(QPointF(edge(start.right() + d.x()), edge(start.bottom() + d.y())));
        break;
    case ObjectItem::Bottom:
        r.setBottom(edge(start.bottom() + d.y()));
        break;
    case ObjectItem::BottomLeft:
        r.setBottomLeft(QPointF(edge(start.left() + d.x()), edge(start.bottom() + d.y())));
        break;
    case ObjectItem::Left:
        r.setLeft(edge(start.left() + d.x()));
        break;
    case ObjectItem::NoHandle:
        break;
    }
    // Lines may be drawn flat; boxes keep a minimal size and never turn inside out.
    if (r.width() < 0)
        r.setWidth(0);
    if (r.height() < 0)
        r.setHeight(0);
    return r;
}

void DesignView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QGraphicsView::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    ReportDocument* doc = document();
    const QPointF pos = mapToScene(event->position().toPoint());
    m_pressScene = pos;
    m_pressView = event->position().toPoint();
    m_moved = false;
    m_drag = Drag::None;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;

    if (m_tool.insert) {
        const int band = m_scene->designLayout().bandAt(pos.y());
        if (band >= 0) {
            ReportObject o = m_tool.object;
            const QPointF at = pos - m_scene->bandOrigin(band);
            o.left = std::max(0.0, m_scene->snap(at.x()));
            o.top = std::max(0.0, m_scene->snap(at.y()));
            doc->addObjects(QStringLiteral("넣기: ") + objectKindName(o.type), band, {o});
        }
        setSelectTool();
        return;
    }

    for (const ObjectRef& r : doc->selection().objects) {
        ObjectItem* item = m_scene->objectItem(r);
        const ObjectItem::Handle h = item ? item->handleAt(pos, m_zoom) : ObjectItem::NoHandle;
        if (h != ObjectItem::NoHandle) {
            m_drag = Drag::Resize;
            m_handle = h;
            m_handleObject = r;
            m_dragRefs = doc->selection().objects;
            m_dragStartRects.clear();
            for (const ObjectRef& s : m_dragRefs)
                m_dragStartRects.push_back(doc->objectRect(s));
            ++dragSerial;
            return;
        }
    }
    for (int b = 0; b < int(doc->page().bands.size()); ++b) {
        BandItem* band = m_scene->bandItem({b, false});
        if (band && band->onLowerEdge(pos, m_zoom) && !m_scene->objectAt(pos)) {
            m_drag = Drag::BandHeight;
            m_dragBand = b;
            m_bandStartHeight = doc->band(b).height;
            ++dragSerial;
            return;
        }
    }
    if (ObjectItem* item = m_scene->objectAt(pos)) {
        std::vector<ObjectRef> sel = doc->selection().objects;
        const auto found = std::find(sel.begin(), sel.end(), item->ref());
        const bool wasSelected = found != sel.end();
        if (ctrl) {
            // Ctrl+click toggles; an object taken out of the selection is not dragged.
            if (wasSelected)
                sel.erase(found);
            else
                sel.push_back(item->ref());
            doc->selectObjects(sel);
            if (wasSelected)
                return;
        } else if (!wasSelected) {
            doc->selectObjects({item->ref()});
        }
        // The clicked object leads: its corner snaps to the grid.
        m_dragRefs = doc->selection().objects;
        auto lead = std::find(m_dragRefs.begin(), m_dragRefs.end(), item->ref());
        if (lead != m_dragRefs.end())
            std::rotate(m_dragRefs.begin(), lead, lead + 1);
        m_dragStartRects.clear();
        for (const ObjectRef& r : m_dragRefs)
            m_dragStartRects.push_back(doc->objectRect(r));
        m_drag = Drag::Move;
        return;
    }
    if (BandItem* band = m_scene->bandAt(pos)) {
        if (!ctrl)
            doc->selectBand(band->ref());
    } else if (!ctrl) {
        doc->clearSelection();
    }
    m_drag = Drag::Rubber;
    m_rubberAdds = ctrl;
    m_rubber->setGeometry(QRect(m_pressView, QSize()));
    m_rubber->show();
}

void DesignView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = mapToScene(event->position().toPoint());
    if (!m_moved && (event->position().toPoint() - m_pressView).manhattanLength() >=
                        QApplication::startDragDistance())
        m_moved = true;
    const QPointF raw = pos - m_pressScene;
    ReportDocument* doc = document();
    switch (m_drag) {
    case Drag::None:
        updateCursor(pos);
        break;
    case Drag::Move: {
        if (!m_moved)
            break;
        const QPointF d = snappedDelta(raw);
        for (size_t i = 0; i < m_dragRefs.size(); ++i)
            if (ObjectItem* it = m_scene->objectItem(m_dragRefs[i]))
                it->setPos(m_dragStartRects[i].topLeft() + d);
        break;
    }
    case Drag::Resize: {
        std::vector<QRectF> rects;
        for (const QRectF& start : m_dragStartRects)
            rects.push_back(resizedRect(start, raw));
        doc->setObjectRects(QStringLiteral("크기 변경"), m_dragRefs, rects,
                            ResizeMergeBase + dragSerial);
        break;
    }
    case Drag::BandHeight: {
        const double h = std::max(0.0, m_scene->snap(m_bandStartHeight + raw.y()));
        doc->changeBand(
            QStringLiteral("밴드 높이"), m_dragBand, [h](Band& b) { b.height = h; },
            BandHeightMergeBase + dragSerial);
        break;
    }
    case Drag::Rubber:
        m_rubber->setGeometry(QRect(m_pressView, event->position().toPoint()).normalized());
        break;
    }
}

void DesignView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QGraphicsView::mouseReleaseEvent(event);
        return;
    }
    const QPointF pos = mapToScene(event->position().toPoint());
    ReportDocument* doc = document();
    const Drag drag = m_drag;
    m_drag = Drag::None;
    if (drag == Drag::Move && m_moved) {
        finishMove(snappedDelta(pos - m_pressScene));
    } else if (drag == Drag::Rubber) {
        m_rubber->hide();
        if (m_moved) {
            const QRectF area =
                mapToScene(QRect(m_pressView, event->position().toPoint()).normalized())
                    .boundingRect();
            std::vector<ObjectRef> sel;
            if (m_rubberAdds)
                sel = doc->selection().objects;
            for (int b = 0; b < int(doc->page().bands.size()); ++b)
                for (const ObjectRef& r : doc->allObjects(b)) {
                    ObjectItem* it = m_scene->objectItem(r);
                    if (it && area.intersects(it->mapRectToScene(
                                  QRectF(QPointF(0, 0), it->boxInBand().size()))))
                        sel.push_back(r);
                }
            if (!sel.empty() || !m_rubberAdds)
                doc->selectObjects(sel);
        }
    }
    m_dragRefs.clear();
    m_dragStartRects.clear();
}

void DesignView::finishMove(const QPointF& delta)
{
    ReportDocument* doc = document();
    const DesignLayout& layout = m_scene->designLayout();
    std::vector<QRectF> rects;
    std::vector<int> targets;
    for (size_t i = 0; i < m_dragRefs.size(); ++i) {
        const ObjectRef& r = m_dragRefs[i];
        QRectF rect = m_dragStartRects[i].translated(delta);
        // An object dropped over another band moves into it.
        const QPointF origin = m_scene->bandOrigin(r.band);
        const double sceneTop = origin.y() + rect.top();
        int target = layout.bandAt(sceneTop);
        if (target < 0 || target == r.band) {
            target = -1;
        } else {
            rect.moveTop(sceneTop - m_scene->bandOrigin(target).y());
            if (m_scene->snapToGrid())
                rect.moveTop(m_scene->snap(rect.top()));
        }
        rects.push_back(rect);
        targets.push_back(target);
    }
    doc->setObjectRects(QStringLiteral("이동"), m_dragRefs, rects, 0, targets);
    // Items that did not change (a move back to the start) return to their places.
    m_scene->sync();
}

void DesignView::updateCursor(const QPointF& pos)
{
    if (m_tool.insert)
        return;
    ReportDocument* doc = document();
    for (const ObjectRef& r : doc->selection().objects) {
        ObjectItem* item = m_scene->objectItem(r);
        switch (item ? item->handleAt(pos, m_zoom) : ObjectItem::NoHandle) {
        case ObjectItem::TopLeft:
        case ObjectItem::BottomRight:
            viewport()->setCursor(Qt::SizeFDiagCursor);
            return;
        case ObjectItem::TopRight:
        case ObjectItem::BottomLeft:
            viewport()->setCursor(Qt::SizeBDiagCursor);
            return;
        case ObjectItem::Top:
        case ObjectItem::Bottom:
            viewport()->setCursor(Qt::SizeVerCursor);
            return;
        case ObjectItem::Left:
        case ObjectItem::Right:
            viewport()->setCursor(Qt::SizeHorCursor);
            return;
        case ObjectItem::NoHandle:
            break;
        }
    }
    for (int b = 0; b < int(doc->page().bands.size()); ++b) {
        BandItem* band = m_scene->bandItem({b, false});
        if (band && band->onLowerEdge(pos, m_zoom)) {
            viewport()->setCursor(Qt::SplitVCursor);
            return;
        }
    }
    if (m_scene->objectAt(pos))
        viewport()->setCursor(Qt::SizeAllCursor);
    else
        viewport()->unsetCursor();
}

void DesignView::keyPressEvent(QKeyEvent* event)
{
    ReportDocument* doc = document();
    double dx = 0, dy = 0;
    const double step = (event->modifiers() & Qt::ControlModifier) ? 1.0 : m_scene->gridStep();
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -step;
        break;
    case Qt::Key_Right:
        dx = step;
        break;
    case Qt::Key_Up:
        dy = -step;
        break;
    case Qt::Key_Down:
        dy = step;
        break;
    case Qt::Key_Escape:
        if (m_tool.insert)
            setSelectTool();
        else
            doc->clearSelection();
        return;
    default:
        QGraphicsView::keyPressEvent(event);
        return;
    }
    if (doc->selection().objects.empty()) {
        QGraphicsView::keyPressEvent(event);
        return;
    }
    nudgeSelection(doc, dx, dy, event->modifiers() & Qt::ShiftModifier);
}

void DesignView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        setZoom(m_zoom * (event->angleDelta().y() > 0 ? 1.25 : 0.8));
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

void DesignView::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    emit viewportMoved();
}

bool DesignView::focusNextPrevChild(bool next)
{
    // While an object is selected, Tab and Shift+Tab go from object to object in print
    // order; Escape clears the selection, and Tab then leaves the page.
    ReportDocument* doc = document();
    if (doc->selection().objects.empty())
        return QGraphicsView::focusNextPrevChild(next);
    std::vector<ObjectRef> all;
    for (int b = 0; b < int(doc->page().bands.size()); ++b)
        for (const ObjectRef& r : doc->allObjects(b))
            all.push_back(r);
    auto it = std::find(all.begin(), all.end(), doc->selection().objects.back());
    long i = it == all.end() ? 0 : long(it - all.begin());
    i = (i + (next ? 1 : long(all.size()) - 1)) % long(all.size());
    doc->selectObjects({all[size_t(i)]});
    return true;
}

void DesignView::showEvent(QShowEvent* event)
{
    QGraphicsView::showEvent(event);
    if (!m_shown) {
        // A page opens at its top.
        m_shown = true;
        verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    }
}

void DesignView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(fieldMimeType()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DesignView::dragMoveEvent(QDragMoveEvent* event)
{
    const QPointF pos = mapToScene(event->position().toPoint());
    if (event->mimeData()->hasFormat(fieldMimeType()) &&
        m_scene->designLayout().bandAt(pos.y()) >= 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void DesignView::dropEvent(QDropEvent* event)
{
    const QPointF pos = mapToScene(event->position().toPoint());
    const int band = m_scene->designLayout().bandAt(pos.y());
    const QStringList parts =
        QString::fromUtf8(event->mimeData()->data(fieldMimeType())).split(QLatin1Char('\n'));
    if (band < 0 || parts.size() != 2) {
        event->ignore();
        return;
    }
    const QPointF at = pos - m_scene->bandOrigin(band);
    dropField(document(), band, QPointF(m_scene->snap(at.x()), m_scene->snap(at.y())), parts[0],
              parts[1], m_titles);
    event->acceptProposedAction();
    setFocus(Qt::OtherFocusReason);
}

} // namespace orvel::report
