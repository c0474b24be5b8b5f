#include "report/preview/PreviewPageView.h"

#include "report/render/PageRenderer.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace orvel::report
{

namespace
{
constexpr double Gap = 12;
}

PreviewPageView::PreviewPageView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("pageView"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("페이지 보기"));
}

void PreviewPageView::setReport(const PreparedReport* report)
{
    m_report = report;
    m_highlightPage = -1;
    m_lastPage = -1;
    relayout();
    verticalScrollBar()->setValue(0);
    notifyPage();
}

int PreviewPageView::pageCount() const
{
    return m_report ? int(m_report->pages.size()) : 0;
}

double PreviewPageView::scale() const
{
    return m_zoom * logicalDpiX() / 96.0;
}

void PreviewPageView::relayout()
{
    m_tops.clear();
    m_width = 0;
    double y = Gap;
    const double s = scale();
    for (int i = 0; i < pageCount(); ++i) {
        const PreparedPage& p = m_report->pages[i];
        m_tops.push_back(y);
        y += p.heightPx() * s + Gap;
        m_width = std::max(m_width, p.widthPx() * s + 2 * Gap);
    }
    m_height = y;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(40);
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(m_height)) - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(m_width)) - viewport()->width()));
    viewport()->update();
}

QRectF PreviewPageView::pageRect(int page) const
{
    const PreparedPage& p = m_report->pages[page];
    const double s = scale();
    const double w = p.widthPx() * s;
    const double area = std::max(m_width, double(viewport()->width()));
    return QRectF((area - w) / 2 - horizontalScrollBar()->value(),
                  m_tops[page] - verticalScrollBar()->value(), w, p.heightPx() * s);
}

int PreviewPageView::currentPage() const
{
    if (pageCount() == 0)
        return -1;
    const double probe = verticalScrollBar()->value() + viewport()->height() / 3.0;
    int page = 0;
    for (int i = 0; i < pageCount(); ++i)
        if (m_tops[i] <= probe)
            page = i;
    return page;
}

void PreviewPageView::goToPage(int page, double y)
{
    if (page < 0 || page >= pageCount())
        return;
    verticalScrollBar()->setValue(int(m_tops[page] - Gap + y * scale()));
    notifyPage();
}

void PreviewPageView::setZoom(double zoom)
{
    zoom = std::clamp(zoom, 0.1, 8.0);
    if (qFuzzyCompare(zoom, m_zoom))
        return;
    const int page = currentPage();
    m_zoom = zoom;
    relayout();
    goToPage(page);
    emit zoomChanged(m_zoom);
}

void PreviewPageView::fitWidth()
{
    if (pageCount() == 0)
        return;
    const double w = m_report->pages[std::max(0, currentPage())].widthPx();
    setZoom((viewport()->width() - 2 * Gap) / (w * logicalDpiX() / 96.0));
}

void PreviewPageView::fitPage()
{
    if (pageCount() == 0)
        return;
    const PreparedPage& p = m_report->pages[std::max(0, currentPage())];
    const double dpi = logicalDpiX() / 96.0;
    setZoom(std::min((viewport()->width() - 2 * Gap) / (p.widthPx() * dpi),
                     (viewport()->height() - 2 * Gap) / (p.heightPx() * dpi)));
}

void PreviewPageView::setHighlight(int page, const QRectF& rect)
{
    m_highlightPage = rect.isValid() ? page : -1;
    m_highlight = rect;
    viewport()->update();
}

void PreviewPageView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    if (!m_report)
        return;
    const PageRenderer renderer(*m_report);
    const QRectF visible = viewport()->rect();
    const double s = scale();
    for (int i = 0; i < pageCount(); ++i) {
        const QRectF r = pageRect(i);
        if (!r.intersects(visible))
            continue;
        p.fillRect(r.translated(3, 3), QColor(0, 0, 0, 80));
        p.fillRect(r, Qt::white);
        p.save();
        p.setClipRect(r);
        p.translate(r.topLeft());
        p.scale(s, s);
        renderer.paint(&p, i);
        if (i == m_highlightPage)
            p.fillRect(m_highlight, QColor(255, 200, 0, 110));
        p.restore();
    }
}

void PreviewPageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void PreviewPageView::scrollContentsBy(int, int)
{
    viewport()->update();
    notifyPage();
}

void PreviewPageView::notifyPage()
{
    const int page = currentPage();
    if (page != m_lastPage) {
        m_lastPage = page;
        emit currentPageChanged(page);
    }
}

void PreviewPageView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        setZoom(m_zoom * (event->angleDelta().y() > 0 ? 1.25 : 0.8));
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PreviewPageView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        goToPage(currentPage() + 1);
        break;
    case Qt::Key_PageUp:
        goToPage(currentPage() - 1);
        break;
    case Qt::Key_Home:
        goToPage(0);
        break;
    case Qt::Key_End:
        goToPage(pageCount() - 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

} // namespace orvel::report
