#include "report/designer/DesignScene.h"

#include "report/designer/BandItem.h"
#include "report/designer/ObjectItem.h"

#include <QPainter>
#include <cmath>

namespace orvel::report
{

DesignScene::DesignScene(ReportDocument* doc, QObject* parent)
    : QGraphicsScene(parent), m_doc(doc), m_gridStep(mmToPx(2))
{
    // Items move in hundreds at a time; a search tree would be rebuilt on every move.
    setItemIndexMethod(QGraphicsScene::NoIndex);
    connect(doc, &ReportDocument::changed, this, &DesignScene::sync);
    connect(doc, &ReportDocument::pageSwitched, this, &DesignScene::sync);
    connect(doc, &ReportDocument::selectionChanged, this, &DesignScene::syncSelection);
    sync();
}

DesignScene::~DesignScene() = default;

void DesignScene::setGridStep(double px)
{
    m_gridStep = std::max(1.0, px);
    invalidate(QRectF(), QGraphicsScene::BackgroundLayer);
}

void DesignScene::setGridVisible(bool on)
{
    m_gridVisible = on;
    invalidate(QRectF(), QGraphicsScene::BackgroundLayer);
}

double DesignScene::snap(double v) const
{
    if (!m_snap)
        return v;
    return std::round(v / m_gridStep) * m_gridStep;
}

template <typename Item, typename Ref>
static void resizeItems(std::vector<Item*>& items, size_t count, QGraphicsItem* parent,
                        QGraphicsScene* scene, Ref makeRef)
{
    while (items.size() > count) {
        delete items.back();
        items.pop_back();
    }
    while (items.size() < count) {
        auto* item = new Item(makeRef(items.size()), parent);
        if (!parent)
            scene->addItem(item);
        items.push_back(item);
    }
}

void DesignScene::sync()
{
    m_layout = std::make_unique<DesignLayout>(*m_doc);
    const ReportPage& page = m_doc->page();
    const size_t bandCount = page.bands.size();
    // Objects go before their bands, so deleting a band never deletes a tracked child.
    for (size_t b = bandCount; b < m_bands.size(); ++b) {
        m_objects[b].clear();
        m_placeholders[b].clear();
    }
    resizeItems(m_bands, bandCount, nullptr, this, [](size_t i) { return BandRef{int(i), false}; });
    m_objects.resize(bandCount);
    m_placeholders.resize(bandCount);
    for (size_t b = 0; b < bandCount; ++b) {
        const Band& band = page.bands[b];
        const BandRef ref{int(b), false};
        const DesignLayout::Slot* slot = m_layout->slotOf(ref);
        m_bands[b]->syncWith(band, slot->body, DesignLayout::CaptionHeight);
        resizeItems(m_objects[b], band.objects.size(), m_bands[b], this, [b](size_t i) {
            return ObjectRef{int(b), int(i), false};
        });
        for (size_t i = 0; i < band.objects.size(); ++i) {
            m_objects[b][i]->setViewScale(m_viewScale);
            m_objects[b][i]->syncWith(band.objects[i]);
            m_objects[b][i]->setZValue(double(i));
        }
        std::vector<ObjectRef> kept;
        for (const ObjectRef& r : m_doc->allObjects(int(b)))
            if (r.placeholder)
                kept.push_back(r);
        resizeItems(m_placeholders[b], kept.size(), m_bands[b], this,
                    [&kept](size_t i) { return kept[i]; });
        for (size_t i = 0; i < kept.size(); ++i) {
            m_placeholders[b][i]->setRef(kept[i]);
            m_placeholders[b][i]->setViewScale(m_viewScale);
            m_placeholders[b][i]->syncWithPlaceholder(*m_doc->placeholder(kept[i]),
                                                      m_doc->objectRect(kept[i]));
            m_placeholders[b][i]->setZValue(1e6 + double(i));
        }
    }
    const std::vector<BandRef> keptBands = m_doc->placeholderBands();
    resizeItems(m_placeholderBands, keptBands.size(), nullptr, this,
                [&keptBands](size_t i) { return keptBands[i]; });
    for (size_t i = 0; i < keptBands.size(); ++i) {
        m_placeholderBands[i]->setRef(keptBands[i]);
        m_placeholderBands[i]->syncWithPlaceholder(*m_doc->placeholderBand(keptBands[i]),
                                                   m_layout->slotOf(keptBands[i])->body,
                                                   DesignLayout::CaptionHeight);
    }
    const QRectF rect = m_layout->surface().adjusted(-40, -40, 40, 40);
    if (rect != sceneRect() || m_layout->paper() != m_drawnPaper ||
        m_layout->margins() != m_drawnMargins) {
        // The views cache the background: a new page size or margins draws it anew.
        setSceneRect(rect);
        m_drawnPaper = m_layout->paper();
        m_drawnMargins = m_layout->margins();
        invalidate(QRectF(), QGraphicsScene::BackgroundLayer);
    }
    syncSelection();
}

void DesignScene::setViewScale(double scale)
{
    m_viewScale = scale;
    for (auto* list : {&m_objects, &m_placeholders})
        for (auto& band : *list)
            for (ObjectItem* item : band)
                item->setViewScale(scale);
}

void DesignScene::syncSelection()
{
    const DesignSelection& s = m_doc->selection();
    for (auto& band : m_objects)
        for (ObjectItem* item : band)
            item->setSelectedLook(false);
    for (auto& band : m_placeholders)
        for (ObjectItem* item : band)
            item->setSelectedLook(false);
    for (const ObjectRef& r : s.objects)
        if (ObjectItem* item = objectItem(r))
            item->setSelectedLook(true);
    for (BandItem* b : m_bands)
        b->setSelectedLook(!s.band.placeholder && b->ref().index == s.band.index);
    for (BandItem* b : m_placeholderBands)
        b->setSelectedLook(s.band.placeholder && b->ref().index == s.band.index);
}

BandItem* DesignScene::bandItem(const BandRef& ref) const
{
    if (ref.placeholder) {
        for (BandItem* b : m_placeholderBands)
            if (b->ref() == ref)
                return b;
        return nullptr;
    }
    return ref.index >= 0 && ref.index < int(m_bands.size()) ? m_bands[size_t(ref.index)] : nullptr;
}

ObjectItem* DesignScene::objectItem(const ObjectRef& ref) const
{
    if (ref.band < 0 || ref.band >= int(m_objects.size()))
        return nullptr;
    if (ref.placeholder) {
        for (ObjectItem* item : m_placeholders[size_t(ref.band)])
            if (item->ref() == ref)
                return item;
        return nullptr;
    }
    const auto& items = m_objects[size_t(ref.band)];
    return ref.index >= 0 && ref.index < int(items.size()) ? items[size_t(ref.index)] : nullptr;
}

ObjectItem* DesignScene::objectAt(const QPointF& scenePos) const
{
    for (QGraphicsItem* item :
         items(scenePos, Qt::IntersectsItemBoundingRect, Qt::DescendingOrder)) {
        if (item->type() != ObjectItem::Type)
            continue;
        auto* o = static_cast<ObjectItem*>(item);
        // Thin lines stay easy to hit.
        const QRectF box = QRectF(QPointF(0, 0), o->boxInBand().size()).adjusted(-2, -2, 2, 2);
        if (box.contains(o->mapFromScene(scenePos)))
            return o;
    }
    return nullptr;
}

BandItem* DesignScene::bandAt(const QPointF& scenePos) const
{
    for (const auto& slot : m_layout->bandSlots())
        if (slot.caption.united(slot.body).contains(scenePos))
            return bandItem(slot.band);
    return nullptr;
}

QPointF DesignScene::bandOrigin(int band) const
{
    const DesignLayout::Slot* slot = m_layout->slotOf({band, false});
    return slot ? slot->body.topLeft() : QPointF();
}

void DesignScene::drawBackground(QPainter* p, const QRectF& rect)
{
    p->fillRect(rect, QColor(0x9a, 0x9a, 0x9a));
    const QRectF surface = m_layout->surface();
    p->fillRect(surface.translated(3, 3), QColor(0x60, 0x60, 0x60));
    p->fillRect(surface, Qt::white);
    if (surface.bottom() > m_layout->paper().bottom() + 0.5) {
        // The paper's real lower edge, where the design needs more room than one page.
        p->setPen(QPen(QColor(0xd0, 0x40, 0x40), 0, Qt::DashLine));
        p->drawLine(QPointF(surface.left(), m_layout->paper().bottom()),
                    QPointF(surface.right(), m_layout->paper().bottom()));
    }
    const QRectF m = m_layout->margins();
    if (m_gridVisible) {
        const double scale = p->worldTransform().m11();
        // No dots closer than 4 screen pixels.
        double step = m_gridStep;
        while (step * scale < 4)
            step *= 2;
        const QRectF area = m.intersected(rect);
        QPen pen(QColor(0xc0, 0xc0, 0xc0), 0);
        p->setPen(pen);
        std::vector<QPointF> dots;
        const double x0 = m.left() + std::ceil((area.left() - m.left()) / step) * step;
        const double y0 = m.top() + std::ceil((area.top() - m.top()) / step) * step;
        for (double y = y0; y <= area.bottom(); y += step)
            for (double x = x0; x <= area.right(); x += step)
                dots.emplace_back(x, y);
        if (!dots.empty())
            p->drawPoints(dots.data(), int(dots.size()));
    }
    p->setPen(QPen(QColor(0x80, 0x80, 0xc0), 0, Qt::DashLine));
    p->drawRect(QRectF(m.left(), m.top(), m.width(),
                       surface.bottom() - m.top() - (m_layout->paper().bottom() - m.bottom())));
}

} // namespace orvel::report
