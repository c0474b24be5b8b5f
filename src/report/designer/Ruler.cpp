#include "report/designer/Ruler.h"

#include "report/designer/DesignView.h"

#include <QPainter>
#include <cmath>

namespace orvel::report
{

Ruler::Ruler(Qt::Orientation orientation, DesignView* view, QWidget* parent)
    : QWidget(parent), m_orientation(orientation), m_view(view)
{
    setObjectName(orientation == Qt::Horizontal ? QStringLiteral("horizontalRuler")
                                                : QStringLiteral("verticalRuler"));
    if (orientation == Qt::Horizontal)
        setFixedHeight(20);
    else
        setFixedWidth(24);
    connect(view, &DesignView::viewportMoved, this, qOverload<>(&QWidget::update));
}

QSize Ruler::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(100, 20) : QSize(24, 100);
}

void Ruler::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xf0, 0xf0, 0xf0));
    p.setPen(QColor(0x60, 0x60, 0x60));
    QFont f = font();
    f.setPixelSize(9);
    p.setFont(f);
    const bool horizontal = m_orientation == Qt::Horizontal;
    // Where scene x (or y) = 0 lies on this widget.
    const QPoint origin = m_view->mapFromScene(QPointF(0, 0));
    const QPoint viewTopLeft = m_view->viewport()->mapTo(m_view, QPoint(0, 0));
    const QPoint inParent = m_view->mapTo(parentWidget(), viewTopLeft + origin);
    const QPoint zero = mapFrom(parentWidget(), inParent);
    const double pxPerMm = 96.0 / 25.4 * m_view->zoom();
    const int length = horizontal ? width() : height();
    const double start = -(horizontal ? zero.x() : zero.y()) / pxPerMm;
    const double end = start + length / pxPerMm;
    const int thickness = horizontal ? height() : width();
    const int labelEvery = pxPerMm * 10 < 30 ? 50 : 10;
    for (int mm = int(std::floor(start)); mm <= int(std::ceil(end)); ++mm) {
        const double at = (horizontal ? zero.x() : zero.y()) + mm * pxPerMm;
        int tick = 0;
        if (mm % 10 == 0)
            tick = thickness / 2;
        else if (mm % 5 == 0)
            tick = thickness / 3;
        else if (pxPerMm >= 3)
            tick = thickness / 5;
        if (tick == 0)
            continue;
        if (horizontal)
            p.drawLine(QPointF(at, thickness - tick), QPointF(at, thickness));
        else
            p.drawLine(QPointF(thickness - tick, at), QPointF(thickness, at));
        if (mm % labelEvery == 0) {
            const QString label = QString::number(mm);
            if (horizontal)
                p.drawText(QPointF(at + 2, 9), label);
            else
                p.drawText(QPointF(2, at + 10), label);
        }
    }
}

} // namespace orvel::report
