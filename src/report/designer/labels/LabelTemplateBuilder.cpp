#include "report/designer/labels/LabelTemplateBuilder.h"

#include <algorithm>
#include <cmath>

namespace orvel::report::labels
{

namespace
{

constexpr double PaddingMm = 2.0;
constexpr double PitchSlackMm = 0.05; // the last row may print this much above its place
constexpr int FontPixels = 13;
constexpr int BoldFontPixels = 16;
constexpr int MinFontPixels = 6;
constexpr int HangulCharset = 129;

// Template numbers are written with 12 significant digits; lengths rounded to 1/10000 are
// read back as the same doubles, so a built template survives a save unchanged.
double round4(double v)
{
    return std::round(v * 1e4) / 1e4;
}
double floor4(double v)
{
    return std::floor(v * 1e4 + 1e-6) / 1e4;
}
double ceil4(double v)
{
    return std::ceil(v * 1e4 - 1e-6) / 1e4;
}
double px(double mm)
{
    return round4(mmToPx(mm));
}

bool isAddressColumn(const QString& column)
{
    return column.contains(QLatin1String("addr"), Qt::CaseInsensitive) ||
           column.contains(QStringLiteral("주소"));
}

/// Address lines get two shares of the label height, as addresses wrap.
int lineWeight(const LabelLine& line)
{
    for (const LabelPiece& p : line.pieces)
        if (p.kind == LabelPiece::Field && isAddressColumn(p.value))
            return 2;
    return 1;
}

int findColumn(const QStringList& columns, std::initializer_list<const char*> candidates)
{
    for (const char* c : candidates)
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
                return i;
    return -1;
}

} // namespace

QString LabelLine::displayText() const
{
    QStringList out;
    for (const LabelPiece& p : pieces)
        out << (p.kind == LabelPiece::Field ? QLatin1Char('[') + p.value + QLatin1Char(']')
                                            : p.value);
    return out.join(QLatin1Char(' '));
}

bool LabelLine::hasFields() const
{
    return std::any_of(pieces.begin(), pieces.end(),
                       [](const LabelPiece& p) { return p.kind == LabelPiece::Field; });
}

QString LabelLine::memoText(const QString& dataSetName) const
{
    const bool expressions = hasFields();
    QStringList out;
    for (const LabelPiece& p : pieces) {
        if (p.kind == LabelPiece::Field) {
            out << QStringLiteral("[%1.\"%2\"]").arg(dataSetName, p.value);
        } else {
            // Brackets would start an expression on a line that has columns.
            QString t = p.value;
            if (expressions)
                t.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
            out << t;
        }
    }
    return out.join(QLatin1Char(' '));
}

int paperSizeCode(double widthMm, double heightMm)
{
    static const struct {
        int code;
        double width, height;
    } papers[] = {{9, 210, 297},  {8, 297, 420},     {11, 148, 210},
                  {13, 182, 257}, {1, 215.9, 279.4}, {5, 215.9, 355.6}};
    const double w = std::min(widthMm, heightMm), h = std::max(widthMm, heightMm);
    for (const auto& p : papers)
        if (std::abs(p.width - w) < 0.5 && std::abs(p.height - h) < 0.5)
            return p.code;
    return CustomPaperCode;
}

LabelPlacement labelPlacement(const LabelSheet& sheet)
{
    LabelPlacement p;
    const double h = sheet.labelHeight;
    // A single row needs no room below its label.
    p.rowPitchMm = sheet.rows > 1 ? sheet.dy : h;
    p.paddingMm = std::min({PaddingMm, sheet.labelWidth / 8, h / 8});
    const double maxShift = std::max(0.0, std::min(sheet.y0, p.rowPitchMm - h));
    p.rowsPerPage = 0;
    for (int rows = sheet.rows; rows >= 1 && p.rowsPerPage == 0; --rows) {
        const double over = sheet.y0 + rows * p.rowPitchMm - sheet.paperHeight;
        if (over <= 1e-6) {
            p.rowsPerPage = rows;
        } else if (ceil4(over) <= maxShift + 1e-9) {
            p.rowsPerPage = rows;
            p.shiftMm = ceil4(over);
        } else if (rows > 1 && over - maxShift <= PitchSlackMm) {
            // Catalogue pitches rounded to a thousandth of an inch can add up to a hair more
            // than the paper: the rows move up by at most PitchSlackMm.
            p.rowsPerPage = rows;
            p.shiftMm = floor4(maxShift);
            const double top = round4(sheet.y0 - p.shiftMm);
            p.rowPitchMm = floor4((sheet.paperHeight - top) / rows);
        }
    }
    if (p.rowsPerPage == 0) // the first row of a page is printed whether it fits or not
        p.rowsPerPage = 1;
    p.exact = p.rowsPerPage == sheet.rows;
    return p;
}

std::vector<LabelLine> defaultLabelLines(const QStringList& columns)
{
    std::vector<LabelLine> lines;
    const int zip = findColumn(columns, {"home_post", "zip", "zipcode", "post", "우편번호"});
    const int address = findColumn(columns, {"home_address", "address", "addr", "주소"});
    const int name = findColumn(columns, {"name", "이름", "성명"});
    if (zip >= 0)
        lines.push_back({{LabelPiece::field(columns[zip])}});
    if (address >= 0)
        lines.push_back({{LabelPiece::field(columns[address])}});
    if (name >= 0)
        lines.push_back(
            {{LabelPiece::field(columns[name]), LabelPiece::text(QStringLiteral("귀하"))},
             HAlign::Right,
             true});
    return lines;
}

ReportTemplate buildLabelTemplate(const LabelSheet& sheet, const std::vector<LabelLine>& lines,
                                  const QString& dataSetName)
{
    const LabelPlacement place = labelPlacement(sheet);
    ReportTemplate t = ReportTemplate::newReport();
    const QString name = sheet.displayName();
    t.settings.reportName =
        name.isEmpty() ? QStringLiteral("라벨") : QStringLiteral("라벨 ") + name;
    t.dataSets = {DataSetRef{dataSetName, {}}};

    ReportPage& page = t.pages.front();
    page.paperWidth = round4(sheet.paperWidth);
    page.paperHeight = round4(sheet.paperHeight);
    page.landscape = page.paperWidth > page.paperHeight;
    page.paperSize = paperSizeCode(page.paperWidth, page.paperHeight);
    // The top-left margin corner is label (0, 0); the bottom margin ends right below the
    // last row's pitch, so exactly rowsPerPage rows fit and the next row starts a page.
    page.leftMargin = round4(sheet.x0);
    page.topMargin = round4(sheet.y0 - place.shiftMm);
    const double lastRight = sheet.x0 + (sheet.columns - 1) * sheet.dx + sheet.labelWidth;
    page.rightMargin = std::max(0.0, floor4(sheet.paperWidth - lastRight));
    page.bottomMargin = std::max(
        0.0, floor4(page.paperHeight - page.topMargin - place.rowsPerPage * place.rowPitchMm));

    Band band;
    band.type = Band::MasterData;
    band.elementName = QStringLiteral("TfrxMasterData");
    band.name = QStringLiteral("Labels");
    band.dataSetName = dataSetName;
    band.height = px(place.rowPitchMm);
    band.width = px(sheet.labelWidth);
    if (sheet.columns > 1) {
        // Column i starts at i * (columnWidth + columnGap) = i * dx from the left margin.
        band.columns = sheet.columns;
        band.columnWidth = px(std::min(sheet.labelWidth, sheet.dx));
        band.columnGap = std::max(0.0, round4(px(sheet.dx) - band.columnWidth));
        band.width = band.columnWidth;
    }

    const double pad = place.paddingMm;
    const double usable = std::min(sheet.labelHeight, place.rowPitchMm - place.shiftMm);
    const double inner = std::max(0.0, usable - 2 * pad);
    int weights = 0;
    for (const LabelLine& line : lines)
        weights += lineWeight(line);
    double top = place.shiftMm + pad;
    for (size_t i = 0; i < lines.size(); ++i) {
        const LabelLine& line = lines[i];
        const int weight = lineWeight(line);
        const double height = inner * weight / weights;
        ReportObject o;
        o.type = ReportObject::Memo;
        o.name = QStringLiteral("LabelLine%1").arg(i + 1);
        o.left = px(pad);
        o.top = px(top);
        o.width = px(std::max(0.0, sheet.labelWidth - 2 * pad));
        o.height = px(height);
        o.text = line.memoText(dataSetName);
        o.allowExpressions = line.hasFields();
        o.hAlign = line.align;
        o.frame.style = Qt::SolidLine; // what a template file without a frame style reads as
        o.vAlign = weight == 1 ? VAlign::Center : VAlign::Top;
        o.font.name = QStringLiteral("돋움체");
        o.font.charset = HangulCharset;
        o.font.style = line.bold ? o.font.Bold : 0;
        // Small labels get smaller type so that each line keeps its rows of text.
        const int nominal = line.bold ? BoldFontPixels : FontPixels;
        const int fits = int((o.height - 2 * o.gapY) / (1.25 * weight));
        o.font.pixelHeight = std::clamp(fits, MinFontPixels, nominal);
        band.objects.push_back(std::move(o));
        top += height;
    }
    page.bands.push_back(std::move(band));
    return t;
}

} // namespace orvel::report::labels
