#include "report/export/PdfExport.h"

#include "report/render/PageRenderer.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>

#include <cctype>

namespace orvel::report
{

static QPageLayout layoutOf(const PreparedPage& page)
{
    // The page size as oriented; the layout itself stays portrait so nothing is rotated.
    return QPageLayout(QPageSize(QSizeF(page.widthMm, page.heightMm), QPageSize::Millimeter),
                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void PdfExport::fixSpaceMaps(QByteArray* pdf)
{
    // Qt's font subsets map each glyph back to the first character that uses it, and the
    // font engine gives control characters the space glyph: a space then extracts as U+0001.
    // We never draw control characters, so such a target in a ToUnicode map is a space.
    // The maps are stored uncompressed and the fix keeps every length, so offsets stay valid.
    // The search runs on the bytes: a text copy of a large PDF would double its memory.
    static const QByteArray key("/ToUnicode ");
    QSet<QByteArray> done;
    for (qsizetype at = pdf->indexOf(key); at >= 0; at = pdf->indexOf(key, at + 1)) {
        qsizetype n = at + key.size();
        while (n < pdf->size() && std::isdigit(static_cast<unsigned char>(pdf->at(n))))
            ++n;
        const QByteArray object = pdf->mid(at + key.size(), n - at - key.size());
        if (object.isEmpty() || !pdf->mid(n, 4).startsWith(" 0 R") || done.contains(object))
            continue;
        done.insert(object);
        const qsizetype start = pdf->indexOf(QByteArray("\n") + object + " 0 obj");
        const qsizetype begin = start < 0 ? -1 : pdf->indexOf("stream", start);
        const qsizetype end = begin < 0 ? -1 : pdf->indexOf("endstream", begin);
        if (end < 0)
            continue;
        bool inArray = false;
        char* d = pdf->data();
        for (qsizetype i = begin; i + 5 < end; ++i) {
            if (d[i] == '[')
                inArray = true;
            else if (d[i] == ']')
                inArray = false;
            else if (inArray && d[i] == '<' && d[i + 1] == '0' && d[i + 2] == '0' &&
                     (d[i + 3] == '0' || d[i + 3] == '1') && d[i + 5] == '>' &&
                     !(d[i + 3] == '0' && d[i + 4] == '0')) {
                d[i + 3] = '2';
                d[i + 4] = '0';
            }
        }
    }
}

bool PdfExport::write(const PreparedReport& report, QIODevice* device)
{
    m_error.clear();
    if (!render(report))
        return false;
    fixSpaceMaps(&m_pdf);
    const QByteArray bytes = std::exchange(m_pdf, QByteArray());
    return writeAll(device, bytes);
}

bool PdfExport::render(const PreparedReport& report)
{
    QBuffer buffer(&m_pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
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
        if (!pageStarts(int(i))) {
            painter.end();
            return false;
        }
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
