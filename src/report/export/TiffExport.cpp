#include "report/export/TiffExport.h"

#include "report/render/PageRenderer.h"

#include <QtEndian>

namespace orvel::report
{

namespace
{

void put16(QByteArray& b, quint16 v)
{
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

void put32(QByteArray& b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

struct Entry {
    quint16 tag, type;
    quint32 count, value;
};

} // namespace

bool TiffExport::writeImages(const std::vector<QImage>& pages, double dpi, QIODevice* device)
{
    // Layout per page: pixel data, then resolution and bits values, then the directory.
    if (pages.empty())
        return false; // a TIFF needs at least one directory
    // The first directory follows the first page's pixels and values.
    const quint32 firstPixels = quint32(pages[0].width()) * quint32(pages[0].height()) * 3;
    QByteArray header("II");
    put16(header, 42);
    put32(header, 8 + firstPixels + (firstPixels % 2) + 24);
    if (device->write(header) != header.size())
        return false;
    quint32 offset = 8;
    for (size_t p = 0; p < pages.size(); ++p) {
        const QImage img = pages[p].convertToFormat(QImage::Format_RGB888);
        const quint32 w = quint32(img.width()), h = quint32(img.height());
        const quint32 stripBytes = w * h * 3;
        QByteArray pixels;
        pixels.reserve(stripBytes);
        for (quint32 y = 0; y < h; ++y)
            pixels.append(reinterpret_cast<const char*>(img.constScanLine(int(y))), w * 3);
        if (pixels.size() % 2)
            pixels.append('\0');
        const quint32 dataOffset = offset;
        const quint32 extraOffset = dataOffset + quint32(pixels.size());
        QByteArray extra;
        put32(extra, quint32(dpi * 100));
        put32(extra, 100); // x resolution
        put32(extra, quint32(dpi * 100));
        put32(extra, 100); // y resolution
        put16(extra, 8);
        put16(extra, 8);
        put16(extra, 8); // bits per sample
        put16(extra, 0);
        const quint32 ifdOffset = extraOffset + quint32(extra.size());
        const Entry entries[] = {
            {256, 4, 1, w},                // width
            {257, 4, 1, h},                // length
            {258, 3, 3, extraOffset + 16}, // bits per sample
            {259, 3, 1, 1},                // no compression
            {262, 3, 1, 2},                // RGB
            {273, 4, 1, dataOffset},       // strip offset
            {277, 3, 1, 3},                // samples per pixel
            {278, 4, 1, h},                // rows per strip
            {279, 4, 1, stripBytes},       // strip bytes
            {282, 5, 1, extraOffset},      // x resolution
            {283, 5, 1, extraOffset + 8},  // y resolution
            {296, 3, 1, 2},                // inch
        };
        const quint32 count = sizeof(entries) / sizeof(entries[0]);
        quint32 next = 0;
        if (p + 1 < pages.size()) {
            const quint32 nextPixels =
                quint32(pages[p + 1].width()) * quint32(pages[p + 1].height()) * 3;
            next = ifdOffset + 2 + count * 12 + 4 + nextPixels + (nextPixels % 2) + 24;
        }
        QByteArray ifd;
        put16(ifd, quint16(count));
        for (const Entry& e : entries) {
            put16(ifd, e.tag);
            put16(ifd, e.type);
            put32(ifd, e.count);
            if (e.type == 3 && e.count == 1) {
                put16(ifd, quint16(e.value));
                put16(ifd, 0);
            } else {
                put32(ifd, e.value);
            }
        }
        put32(ifd, next);
        if (device->write(pixels) != pixels.size() || device->write(extra) != extra.size() ||
            device->write(ifd) != ifd.size())
            return false;
        offset = ifdOffset + quint32(ifd.size());
    }
    return true;
}

bool TiffExport::write(const PreparedReport& report, QIODevice* device)
{
    m_error.clear();
    const PageRenderer renderer(report);
    std::vector<QImage> pages;
    for (size_t i = 0; i < report.pages.size(); ++i) {
        if (!pageStarts(int(i)))
            return false;
        pages.push_back(renderer.image(int(i), m_dpi));
    }
    if (pages.empty())
        pages.push_back([] {
            QImage img(1, 1, QImage::Format_RGB888);
            img.fill(Qt::white);
            return img;
        }());
    if (!writeImages(pages, m_dpi, device)) {
        m_error = QStringLiteral("cannot write the TIFF file: ") + device->errorString();
        return false;
    }
    return true;
}

} // namespace orvel::report
