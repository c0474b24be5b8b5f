#pragma once

#include "report/prepared/PreparedReport.h"

#include <QAbstractScrollArea>
#include <vector>

namespace orvel::report
{

/// Shows prepared pages one below the other at a zoom, painting only the visible ones.
class PreviewPageView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit PreviewPageView(QWidget* parent = nullptr);

    /// The pages to show; the view keeps a pointer, call again after they change.
    void setReport(const PreparedReport* report);
    int pageCount() const;
    int currentPage() const;
    /// Scrolls so that the page (and the point y on it, in page pixels) is at the top.
    void goToPage(int page, double y = 0);

    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    void fitWidth();
    void fitPage();

    /// Marks a found text on a page; an invalid rectangle clears the mark.
    void setHighlight(int page, const QRectF& rect);

signals:
    void currentPageChanged(int page);
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    double scale() const;
    QRectF pageRect(int page) const;
    void relayout();
    void notifyPage();

    const PreparedReport* m_report = nullptr;
    double m_zoom = 1.0;
    std::vector<double> m_tops; // page tops in view pixels
    double m_width = 0, m_height = 0;
    int m_lastPage = -1;
    int m_highlightPage = -1;
    QRectF m_highlight;
};

} // namespace orvel::report
