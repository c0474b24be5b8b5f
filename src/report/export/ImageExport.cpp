#include "report/export/ImageExport.h"

#include "report/render/PageRenderer.h"

#include <QImageWriter>

namespace orvel::report
{

ImageExport::ImageExport(QByteArray format, QString extension, QString name)
    : m_format(std::move(format)), m_extension(std::move(extension)), m_name(std::move(name))
{
}

bool ImageExport::write(const PreparedReport& report, QIODevice* device)
{
    m_error.clear();
    if (m_page < 0 || m_page >= int(report.pages.size())) {
        m_error = QStringLiteral("there is no page %1 to export").arg(m_page + 1);
        return false;
    }
    const PreparedPage& page = report.pages[m_page];
    const double scale = m_dpi / 96.0;
    if (m_dpi <= 0 || page.widthPx() * scale * page.heightPx() * scale > MaxPixels) {
        m_error = QStringLiteral("the page image would be too large at %1 dpi").arg(m_dpi);
        return false;
    }
    const QImage img = PageRenderer(report).image(m_page, m_dpi);
    if (img.isNull()) {
        m_error = QStringLiteral("not enough memory for the page image");
        return false;
    }
    QImageWriter writer(device, m_format);
    if (m_format == "JPEG")
        writer.setQuality(90);
    if (!writer.write(img)) {
        m_error = QStringLiteral("cannot write the %1 image: %2").arg(m_name, writer.errorString());
        return false;
    }
    return true;
}

} // namespace orvel::report
