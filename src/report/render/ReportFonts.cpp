#include "report/render/ReportFonts.h"

#include <QHash>
#include <QMutex>
#include <QTextLayout>

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

double ReportFonts::layoutText(QTextLayout* layout, const FontSpec& spec, const QString& text,
                               double width, bool wordWrap, HAlign align)
{
    // Lines break at word boundaries, and inside a word only when it is wider than a line.
    QString t = text;
    t.replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout->setText(t);
    layout->setFont(font(spec));
    QTextOption option;
    option.setWrapMode(wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    option.setAlignment(
        Qt::Alignment(textFlags(align, VAlign::Top, false) & Qt::AlignHorizontal_Mask));
    layout->setTextOption(option);
    double height = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(std::max(1.0, width));
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout->endLayout();
    return height;
}

double ReportFonts::textHeight(const FontSpec& spec, const QString& text, double width, double gapX,
                               double gapY, bool wordWrap)
{
    if (text.isEmpty())
        return QFontMetricsF(font(spec)).height() + 2 * gapY;
    QTextLayout layout;
    return layoutText(&layout, spec, text, width - 2 * gapX, wordWrap, HAlign::Left) + 2 * gapY;
}

} // namespace orvel::report
