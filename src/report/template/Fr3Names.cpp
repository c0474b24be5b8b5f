#include "report/template/Fr3Names.h"

#include <QHash>

namespace orvel::report::fr3
{

namespace
{
struct BandName {
    Band::Type type;
    const char* element;
};
const BandName bandNames[] = {
    {Band::ReportTitle, "TfrxReportTitle"},   {Band::PageHeader, "TfrxPageHeader"},
    {Band::ColumnHeader, "TfrxColumnHeader"}, {Band::GroupHeader, "TfrxGroupHeader"},
    {Band::MasterData, "TfrxMasterData"},     {Band::GroupFooter, "TfrxGroupFooter"},
    {Band::ColumnFooter, "TfrxColumnFooter"}, {Band::ReportSummary, "TfrxReportSummary"},
    {Band::PageFooter, "TfrxPageFooter"},
};

struct LinkedName {
    LinkedBand kind;
    const char* element;
};
const LinkedName linkedNames[] = {
    {LinkedBand::Header, "TfrxHeader"},
    {LinkedBand::Footer, "TfrxFooter"},
    {LinkedBand::Child, "TfrxChild"},
    {LinkedBand::DetailData, "TfrxDetailData"},
    {LinkedBand::SubdetailData, "TfrxSubdetailData"},
};

template <typename E, size_t N> QString nameOf(E value, const char* const (&names)[N])
{
    size_t i = size_t(value);
    return QString::fromLatin1(names[i < N ? i : 0]);
}

template <typename E, size_t N> E valueOf(const QString& s, const char* const (&names)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (s.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return E(i);
    return E(0);
}

const char* const hAlignNames[] = {"haLeft", "haRight", "haCenter", "haBlock"};
const char* const vAlignNames[] = {"vaTop", "vaCenter", "vaBottom"};
const char* const stretchNames[] = {"smDontStretch", "smActualHeight", "smMaxHeight"};
const char* const shapeNames[] = {"skRectangle", "skRoundRectangle", "skEllipse",  "skTriangle",
                                  "skDiamond",   "skDiagonal1",      "skDiagonal2"};
const char* const kindNames[] = {"fkText", "fkNumeric", "fkDateTime", "fkBoolean"};
const char* const frameStyleNames[] = {"fsSolid", "fsDash", "fsDot", "fsDashDot", "fsDashDotDot"};
} // namespace

QString bandElement(Band::Type type)
{
    for (const auto& b : bandNames)
        if (b.type == type)
            return QString::fromLatin1(b.element);
    return QStringLiteral("TfrxMasterData");
}

Band::Type bandType(const QString& element, bool* isBand)
{
    for (const auto& b : bandNames) {
        if (element == QLatin1String(b.element)) {
            *isBand = true;
            return b.type;
        }
    }
    *isBand = false;
    return Band::Other;
}

LinkedBand linkedBand(const QString& element)
{
    for (const auto& l : linkedNames)
        if (element == QLatin1String(l.element))
            return l.kind;
    return LinkedBand::None;
}

QString hAlignName(HAlign a)
{
    return nameOf(a, hAlignNames);
}
HAlign hAlignFromName(const QString& s)
{
    return valueOf<HAlign>(s, hAlignNames);
}
QString vAlignName(VAlign a)
{
    return nameOf(a, vAlignNames);
}
VAlign vAlignFromName(const QString& s)
{
    return valueOf<VAlign>(s, vAlignNames);
}
QString stretchName(StretchMode m)
{
    return nameOf(m, stretchNames);
}
StretchMode stretchFromName(const QString& s)
{
    return valueOf<StretchMode>(s, stretchNames);
}
QString shapeName(ShapeKind k)
{
    return nameOf(k, shapeNames);
}
ShapeKind shapeFromName(const QString& s)
{
    return valueOf<ShapeKind>(s, shapeNames);
}
QString formatKindName(DisplayFormat::Kind k)
{
    return nameOf(k, kindNames);
}
DisplayFormat::Kind formatKindFromName(const QString& s)
{
    return valueOf<DisplayFormat::Kind>(s, kindNames);
}

QString frameStyleName(int penStyle)
{
    // Qt::SolidLine = 1 ... Qt::DashDotDotLine = 5
    int i = penStyle - 1;
    return QString::fromLatin1(frameStyleNames[i >= 0 && i < 5 ? i : 0]);
}

int frameStyleFromName(const QString& s)
{
    for (int i = 0; i < 5; ++i)
        if (s.compare(QLatin1String(frameStyleNames[i]), Qt::CaseInsensitive) == 0)
            return i + 1;
    return 1;
}

int setFromText(const QString& s, const QStringList& names, bool* ok)
{
    *ok = true;
    QString t = s.trimmed();
    if (t.startsWith(QLatin1Char('['))) {
        t = t.mid(1);
        if (t.endsWith(QLatin1Char(']')))
            t.chop(1);
        int bits = 0;
        for (const QString& part : t.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            int i = names.indexOf(part.trimmed(), 0);
            if (i < 0) {
                for (int k = 0; k < names.size(); ++k)
                    if (names[k].compare(part.trimmed(), Qt::CaseInsensitive) == 0)
                        i = k;
            }
            if (i >= 0)
                bits |= 1 << i;
        }
        return bits;
    }
    if (t.isEmpty())
        return 0;
    return t.toInt(ok);
}

QString setToText(int bits, const QStringList& names)
{
    QStringList parts;
    for (int i = 0; i < names.size(); ++i)
        if (bits & (1 << i))
            parts << names[i];
    return QLatin1Char('[') + parts.join(QLatin1Char(',')) + QLatin1Char(']');
}

const QStringList& fontStyleNames()
{
    static const QStringList n{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
    return n;
}

const QStringList& frameSideNames()
{
    static const QStringList n{"ftLeft", "ftRight", "ftTop", "ftBottom"};
    return n;
}

const QStringList& previewButtonNames()
{
    static const QStringList n{"pbPrint", "pbLoad", "pbSave",      "pbExport",
                               "pbZoom",  "pbFind", "pbOutline",   "pbPageSetup",
                               "pbTools", "pbEdit", "pbNavigator", "pbExportQuick"};
    return n;
}

static const qint64 clNone = 0x1FFFFFFF;
static const qint64 clDefault = 0x20000000;

QColor colorFromText(const QString& s, bool* ok)
{
    const QString t = s.trimmed();
    *ok = true;
    // Named colours sometimes written by hand.
    static const QHash<QString, QColor> named{{"clBlack", Qt::black},
                                              {"clWhite", Qt::white},
                                              {"clRed", QColor(255, 0, 0)},
                                              {"clGreen", QColor(0, 128, 0)},
                                              {"clBlue", QColor(0, 0, 255)},
                                              {"clGray", QColor(128, 128, 128)},
                                              {"clSilver", QColor(192, 192, 192)},
                                              {"clNavy", QColor(0, 0, 128)},
                                              {"clMaroon", QColor(128, 0, 0)},
                                              {"clYellow", QColor(255, 255, 0)}};
    if (t.startsWith(QLatin1String("cl"))) {
        if (t == QLatin1String("clNone") || t == QLatin1String("clDefault"))
            return QColor();
        return named.value(t, Qt::black);
    }
    qint64 v = t.toLongLong(ok);
    if (!*ok) {
        v = t.startsWith(QLatin1Char('$')) ? t.mid(1).toLongLong(ok, 16) : 0;
        if (!*ok)
            return QColor();
    }
    if (v == clNone || v == clDefault)
        return QColor();
    if (v < 0) {
        // Windows system colours: the low byte is the system colour index.
        switch (int(v & 0xFF)) {
        case 5:
        case 14:
            return Qt::white; // window, highlight text
        case 4:
        case 15:
            return QColor(240, 240, 240); // menu, button face
        case 13:
            return QColor(0, 120, 215); // highlight
        case 16:
            return QColor(160, 160, 160); // button shadow
        case 17:
            return QColor(109, 109, 109); // grey text
        case 22:
            return QColor(227, 227, 227); // 3D light
        case 24:
            return QColor(255, 255, 225); // info background
        default:
            return Qt::black; // texts, frames
        }
    }
    if (v > 0xFFFFFF) {
        *ok = false;
        return QColor();
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QString colorToText(const QColor& c)
{
    if (!c.isValid() || c.alpha() == 0)
        return QString::number(clNone);
    return QString::number(c.red() | (c.green() << 8) | (c.blue() << 16));
}

} // namespace orvel::report::fr3
