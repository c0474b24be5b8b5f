#pragma once

#include "report/export/ReportExport.h"

namespace orvel::report
{

/// One page as an image file (PNG, JPEG or BMP) at a chosen resolution.
class ImageExport : public ReportExport
{
public:
    static constexpr double MaxPixels = 100e6; // an A4 page at about 1000 dpi

    ImageExport(QByteArray format, QString extension, QString name);
    QString name() const override { return m_name; }
    QString extension() const override { return m_extension; }
    bool write(const PreparedReport& report, QIODevice* device) override;
    void setPage(int page) { m_page = page; }
    void setDpi(double dpi) { m_dpi = dpi; }

private:
    QByteArray m_format;
    QString m_extension;
    QString m_name;
    int m_page = 0;
    double m_dpi = 96;
};

/// PNG page image.
class PngExport : public ImageExport
{
public:
    PngExport() : ImageExport("PNG", QStringLiteral("png"), QStringLiteral("PNG")) {}
};

/// JPEG page image.
class JpegExport : public ImageExport
{
public:
    JpegExport() : ImageExport("JPEG", QStringLiteral("jpg"), QStringLiteral("JPEG")) {}
};

/// BMP page image.
class BmpExport : public ImageExport
{
public:
    BmpExport() : ImageExport("BMP", QStringLiteral("bmp"), QStringLiteral("BMP")) {}
};

} // namespace orvel::report
