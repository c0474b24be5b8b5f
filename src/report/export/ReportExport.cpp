#include "report/export/ReportExport.h"

#include "report/export/CsvExport.h"
#include "report/export/HtmlExport.h"
#include "report/export/ImageExport.h"
#include "report/export/PdfExport.h"
#include "report/export/SimpleTextExport.h"
#include "report/export/TextExport.h"
#include "report/export/TiffExport.h"

namespace orvel::report
{

bool ReportExport::writeAll(QIODevice* device, const QByteArray& bytes)
{
    if (device->write(bytes) != bytes.size()) {
        m_error =
            QStringLiteral("cannot write the %1 output: %2").arg(name(), device->errorString());
        return false;
    }
    return true;
}

std::unique_ptr<ReportExport> ReportExport::forExtension(const QString& extension)
{
    const QString e = extension.toLower();
    if (e == QLatin1String("pdf"))
        return std::make_unique<PdfExport>();
    if (e == QLatin1String("csv"))
        return std::make_unique<CsvExport>();
    if (e == QLatin1String("html") || e == QLatin1String("htm"))
        return std::make_unique<HtmlExport>();
    if (e == QLatin1String("txt"))
        return std::make_unique<TextExport>();
    if (e == QLatin1String("png"))
        return std::make_unique<PngExport>();
    if (e == QLatin1String("jpg") || e == QLatin1String("jpeg"))
        return std::make_unique<JpegExport>();
    if (e == QLatin1String("bmp"))
        return std::make_unique<BmpExport>();
    if (e == QLatin1String("tif") || e == QLatin1String("tiff"))
        return std::make_unique<TiffExport>();
    return nullptr;
}

QStringList ReportExport::extensions()
{
    return {QStringLiteral("pdf"), QStringLiteral("html"), QStringLiteral("txt"),
            QStringLiteral("csv"), QStringLiteral("png"),  QStringLiteral("jpg"),
            QStringLiteral("bmp"), QStringLiteral("tif")};
}

bool ReportExport::pageStarts(int page)
{
    m_cancelled = m_progress && !m_progress(page);
    if (m_cancelled)
        m_error = QStringLiteral("the export was stopped");
    return !m_cancelled;
}

} // namespace orvel::report
