#pragma once

#include "report/model/ReportModel.h"

#include <QFont>
#include <QFontMetricsF>

class QTextLayout;

namespace orvel::report
{

/// Qt fonts for report fonts: the template's family first, then Korean fallbacks.
class ReportFonts
{
public:
    static QFont font(const FontSpec& spec);
    static QStringList fallbackFamilies();
    /// Qt alignment and wrap flags for a text item.
    static int textFlags(HAlign h, VAlign v, bool wordWrap);
    /// Lays text out in lines of a width (the same on every device); returns its height.
    static double layoutText(QTextLayout* layout, const FontSpec& spec, const QString& text,
                             double width, bool wordWrap, HAlign align);
    /// Height needed by wrapped text in a box of the given width, gaps included.
    static double textHeight(const FontSpec& spec, const QString& text, double width, double gapX,
                             double gapY, bool wordWrap);
};

} // namespace orvel::report
