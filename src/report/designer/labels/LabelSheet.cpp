#include "report/designer/labels/LabelSheet.h"

namespace orvel::report::labels
{

namespace
{
constexpr double PitchTolerance = 0.05; // mm of rounding a catalogue entry may be off by
constexpr double PaperTolerance = 0.5;  // mm a label may hang over the paper edge
} // namespace

const std::vector<PaperSize>& standardPaperSizes()
{
    static const std::vector<PaperSize> list{
        {QStringLiteral("A4"), QStringLiteral("A4"), 210, 297},
        {QStringLiteral("A5"), QStringLiteral("A5"), 148, 210},
        {QStringLiteral("B5"), QStringLiteral("B5"), 182, 257},
        {QStringLiteral("A3"), QStringLiteral("A3"), 297, 420},
        {QStringLiteral("US-Letter"), QStringLiteral("Letter"), 215.9, 279.4},
        {QStringLiteral("US-Legal"), QStringLiteral("Legal"), 215.9, 355.6},
    };
    return list;
}

const PaperSize* standardPaperSize(const QString& id)
{
    for (const PaperSize& p : standardPaperSizes())
        if (p.id == id)
            return &p;
    return nullptr;
}

QString paperSizeName(double widthMm, double heightMm)
{
    return QStringLiteral("%1 x %2 mm").arg(widthMm, 0, 'f', 1).arg(heightMm, 0, 'f', 1);
}

QString customSheetBrand()
{
    return QStringLiteral("사용자 용지");
}

QString LabelSheet::displayName() const
{
    if (custom || brand.isEmpty())
        return part;
    return brand + QLatin1Char(' ') + part;
}

QString LabelSheet::paperText() const
{
    const QString size = paperSizeName(paperWidth, paperHeight);
    if (paperName.isEmpty() || paperName == size)
        return size;
    return QStringLiteral("%1 (%2)").arg(paperName, size);
}

QRectF LabelSheet::labelRect(int column, int row) const
{
    return QRectF(x0 + column * dx, y0 + row * dy, labelWidth, labelHeight);
}

bool LabelSheet::isUsable(QString* why) const
{
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (!(paperWidth > 0) || !(paperHeight > 0))
        return fail(QStringLiteral("용지 크기가 없습니다."));
    if (!(labelWidth > 0) || !(labelHeight > 0))
        return fail(QStringLiteral("라벨 크기가 없습니다."));
    if (columns < 1 || rows < 1)
        return fail(QStringLiteral("라벨 개수가 없습니다."));
    if (x0 < 0 || y0 < 0)
        return fail(QStringLiteral("여백은 0 이상이어야 합니다."));
    if (columns > 1 && dx + PitchTolerance < labelWidth)
        return fail(QStringLiteral("가로 피치가 라벨 너비보다 작습니다."));
    if (rows > 1 && dy <= 0)
        return fail(QStringLiteral("세로 피치가 없습니다."));
    const QRectF last = labelRect(columns - 1, rows - 1);
    if (last.right() > paperWidth + PaperTolerance)
        return fail(QStringLiteral("라벨이 용지 오른쪽 밖으로 나갑니다."));
    if (last.bottom() > paperHeight + PaperTolerance)
        return fail(QStringLiteral("라벨이 용지 아래쪽 밖으로 나갑니다."));
    if (why)
        why->clear();
    return true;
}

} // namespace orvel::report::labels
