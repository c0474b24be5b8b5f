#pragma once

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace orvel::report
{

/// A bar code as vector bars and modules, encoded from its text through libzint, so it
/// stays sharp in PDF and on paper.
class BarcodeSymbol
{
public:
    enum class Kind { Code39, Code128, Ean13, Ean8, UpcA, Interleaved2of5, Qr };

    /// The kind a template's bar type names (bcCode39, bcCode128, bcCodeEAN13, ...).
    static std::optional<Kind> kindFromName(const QString& barType);

    /// Encodes the text; on failure the symbol is empty and error tells why.
    static BarcodeSymbol encode(Kind kind, const QString& text, QString* error = nullptr);

    bool isEmpty() const { return m_bars.empty(); }
    /// Size in the encoder's units, quiet zones included (only the proportions matter).
    QSizeF size() const { return m_size; }
    /// The human-readable text printed under linear codes.
    const QString& humanText() const { return m_text; }
    bool isTwoDimensional() const { return m_kind == Kind::Qr; }

    /// Draws the bars filling target (a square area kept for 2D codes); with showText,
    /// linear codes get their text under the bars in the painter's font.
    void paint(QPainter* painter, const QRectF& target, bool showText) const;

private:
    Kind m_kind = Kind::Code128;
    QSizeF m_size;
    std::vector<QRectF> m_bars; // in the encoder's units, from the top-left corner
    QString m_text;
};

} // namespace orvel::report
