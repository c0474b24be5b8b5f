#pragma once

#include "report/export/ReportExport.h"

#include <QImage>

namespace orvel::report
{

/// TIFF: every page as one image of a multi-page file (uncompressed RGB, baseline TIFF),
/// written by our own small writer so no image plugin is needed.
class TiffExport : public ReportExport
{
public:
    QString name() const override { return QStringLiteral("TIFF"); }
    QString extension() const override { return QStringLiteral("tif"); }
    bool write(const PreparedReport& report, QIODevice* device) override;
    void setDpi(double dpi) { m_dpi = dpi; }

    /// Writes images as the pages of one TIFF file.
    static bool writeImages(const std::vector<QImage>& pages, double dpi, QIODevice* device);

private:
    double m_dpi = 96;
};

} // namespace orvel::report
