#include "PdfExport.h"

#include "PageRenderer.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace orvel::report
{

static QPageLayout layoutOf(const PreparedPage& page)
{
    // The page size as oriented; the layout itself stays portrait so nothing is rotated.
    return QPageLayout(QPageSize(QSizeF(page.widthMm, page.heightMm), QPageSize::Millimeter),
                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool PdfExport::write(const PreparedReport& report, QIODevice* device)
{
    m_error.clear();
    if (!device->isOpen() && !device->open(QIODevice::WriteOnly)) {
        m_error = device->errorString();
        return false;
    }
    QPdfWriter writer(device);
    writer.setResolution(m_dpi);
    writer.setCreator(QStringLiteral("orvel-report"));
    writer.setTitle(report.title);
    if (!report.pages.empty())
        writer.setPageLayout(layoutOf(report.pages.front()));
    QPainter painter;
    if (!painter.begin(&writer)) {
        m_error = QStringLiteral("cannot start the PDF output");
        return false;
    }
    const PageRenderer renderer(report);
    const double scale = m_dpi / 96.0;
    for (size_t i = 0; i < report.pages.size(); ++i) {
        if (i > 0) {
            writer.setPageLayout(layoutOf(report.pages[i]));
            writer.newPage();
        }
        painter.save();
        painter.scale(scale, scale);
        renderer.paint(&painter, int(i));
        painter.restore();
    }
    if (!painter.end()) {
        m_error = QStringLiteral("cannot finish the PDF output");
        return false;
    }
    return true;
}

} // namespace orvel::report
