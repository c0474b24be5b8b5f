#include "ReportFonts.h"

#include <QHash>
#include <QMutex>

namespace orvel::report
{

QStringList ReportFonts::fallbackFamilies()
{
    return {QStringLiteral("돋움체"), QStringLiteral("DotumChe"), QStringLiteral("NanumGothic"),
            QStringLiteral("NanumGothicCoding"), QStringLiteral("NanumBarunGothic")};
}

QFont ReportFonts::font(const FontSpec& spec)
{
    static QMutex mutex;
    static QHash<QString, QFont> cache;
    const QString key = spec.name + QLatin1Char('|') + QString::number(spec.pixelHeight) +
                        QLatin1Char('|') + QString::number(spec.style);
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QFont f;
    QStringList families{spec.name};
    families << fallbackFamilies();
    f.setFamilies(families);
    f.setPixelSize(std::max(1, spec.pixelHeight));
    f.setBold(spec.style & FontSpec::Bold);
    f.setItalic(spec.style & FontSpec::Italic);
    f.setUnderline(spec.style & FontSpec::Underline);
    f.setStrikeOut(spec.style & FontSpec::StrikeOut);
    // The same layout on screen, paper and PDF.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    cache.insert(key, f);
    return f;
}

int ReportFonts::textFlags(HAlign h, VAlign v, bool wordWrap)
{
    int flags = 0;
    switch (h) {
    case HAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case HAlign::Right:
        flags |= Qt::AlignRight;
        break;
    case HAlign::Center:
        flags |= Qt::AlignHCenter;
        break;
    case HAlign::Justify:
        flags |= Qt::AlignJustify;
        break;
    }
    switch (v) {
    case VAlign::Top:
        flags |= Qt::AlignTop;
        break;
    case VAlign::Center:
        flags |= Qt::AlignVCenter;
        break;
    case VAlign::Bottom:
        flags |= Qt::AlignBottom;
        break;
    }
    if (wordWrap)
        flags |= Qt::TextWordWrap;
    return flags;
}

double ReportFonts::textHeight(const FontSpec& spec, const QString& text, double width, double gapX,
                               double gapY, bool wordWrap)
{
    const QFontMetricsF fm(font(spec));
    if (text.isEmpty())
        return fm.height() + 2 * gapY;
    const double inner = std::max(1.0, width - 2 * gapX);
    const QRectF r = fm.boundingRect(QRectF(0, 0, inner, 1e6),
                                     textFlags(HAlign::Left, VAlign::Top, wordWrap), text);
    return r.height() + 2 * gapY;
}

} // namespace orvel::report
