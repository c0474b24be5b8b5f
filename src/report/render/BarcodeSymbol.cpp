#include "report/render/BarcodeSymbol.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

#include <zint.h>

#include <memory>

namespace orvel::report
{

namespace
{
struct ZintDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

// Linear codes get this many modules of bar height per module of width when drawn;
// the target rectangle then stretches them.
constexpr float LinearHeight = 50.0f;

int symbology(BarcodeSymbol::Kind kind, qsizetype digits)
{
    using K = BarcodeSymbol::Kind;
    switch (kind) {
    case K::Code39:
        return BARCODE_CODE39;
    case K::Code128:
        return BARCODE_CODE128;
    case K::Ean13:
        return digits == 13 ? BARCODE_EANX_CHK : BARCODE_EANX;
    case K::Ean8:
        return digits == 8 ? BARCODE_EANX_CHK : BARCODE_EANX;
    case K::UpcA:
        return digits == 12 ? BARCODE_UPCA_CHK : BARCODE_UPCA;
    case K::Interleaved2of5:
        return BARCODE_C25INTER;
    case K::Qr:
        return BARCODE_QRCODE;
    }
    return BARCODE_CODE128;
}
} // namespace

std::optional<BarcodeSymbol::Kind> BarcodeSymbol::kindFromName(const QString& barType)
{
    static const QHash<QString, Kind> kinds = {
        {QStringLiteral("bccode39"), Kind::Code39},
        {QStringLiteral("bccode39extended"), Kind::Code39},
        {QStringLiteral("bccode128"), Kind::Code128},
        {QStringLiteral("bccode128a"), Kind::Code128},
        {QStringLiteral("bccode128b"), Kind::Code128},
        {QStringLiteral("bccode128c"), Kind::Code128},
        {QStringLiteral("bccodeean13"), Kind::Ean13},
        {QStringLiteral("bccodeean8"), Kind::Ean8},
        {QStringLiteral("bccodeupc_a"), Kind::UpcA},
        {QStringLiteral("bccode_2_5_interleaved"), Kind::Interleaved2of5},
        {QStringLiteral("bccodeqr"), Kind::Qr},
        {QStringLiteral("bcqr"), Kind::Qr},
    };
    const auto it = kinds.constFind(barType.trimmed().toLower());
    if (it == kinds.constEnd())
        return std::nullopt;
    return *it;
}

BarcodeSymbol BarcodeSymbol::encode(Kind kind, const QString& text, QString* error)
{
    BarcodeSymbol result;
    result.m_kind = kind;
    const QByteArray data = text.toUtf8();
    std::unique_ptr<zint_symbol, ZintDeleter> symbol(ZBarcode_Create());
    if (!symbol || data.isEmpty()) {
        if (error)
            *error = data.isEmpty() ? QStringLiteral("바코드 내용이 비어 있습니다.")
                                    : QStringLiteral("바코드를 만들 수 없습니다.");
        return result;
    }
    symbol->symbology = symbology(kind, data.size());
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0; // the text is drawn by us, in the report's font
    symbol->output_options = BARCODE_QUIET_ZONES;
    if (kind != Kind::Qr)
        symbol->height = LinearHeight;
    const int rc = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size()),
        0);
    if (rc >= ZINT_ERROR || !symbol->vector) {
        if (error)
            *error = QStringLiteral("바코드를 만들 수 없습니다: %1")
                         .arg(QString::fromLatin1(symbol->errtxt));
        return result;
    }
    result.m_size = QSizeF(symbol->vector->width, symbol->vector->height);
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next)
        if (r->colour == -1 || r->colour == 7) // foreground, or black
            result.m_bars.emplace_back(r->x, r->y, r->width, r->height);
    result.m_text = kind == Kind::Qr
                        ? QString()
                        : QString::fromUtf8(reinterpret_cast<const char*>(symbol->text));
    if (result.m_text.isEmpty() && kind != Kind::Qr)
        result.m_text = text;
    return result;
}

void BarcodeSymbol::paint(QPainter* p, const QRectF& target, bool showText) const
{
    if (isEmpty() || target.isEmpty())
        return;
    QRectF area = target;
    QRectF textArea;
    if (showText && !isTwoDimensional() && !m_text.isEmpty()) {
        const double h = QFontMetricsF(p->font()).height();
        if (h < area.height() / 2) {
            textArea = QRectF(area.left(), area.bottom() - h, area.width(), h);
            area.setBottom(area.bottom() - h);
        }
    }
    double sx = area.width() / m_size.width();
    double sy = area.height() / m_size.height();
    QPointF origin = area.topLeft();
    if (isTwoDimensional()) {
        // Square modules, centred.
        sx = sy = std::min(sx, sy);
        origin += QPointF((area.width() - m_size.width() * sx) / 2,
                          (area.height() - m_size.height() * sy) / 2);
    }
    p->save();
    p->setPen(Qt::NoPen);
    p->setBrush(Qt::black);
    for (const QRectF& bar : m_bars)
        p->drawRect(QRectF(origin.x() + bar.x() * sx, origin.y() + bar.y() * sy, bar.width() * sx,
                           bar.height() * sy));
    p->restore();
    if (!textArea.isEmpty())
        p->drawText(textArea, Qt::AlignHCenter | Qt::AlignVCenter, m_text);
}

} // namespace orvel::report
