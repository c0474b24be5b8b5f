#include "report/print/CalibrationPage.h"

namespace orvel::report
{

namespace
{
constexpr double ArmMm = 8.0;    // half length of a mark's cross
constexpr double CircleMm = 2.5; // radius of the circle round its centre

QRectF mmRect(double x, double y, double w, double h)
{
    return QRectF(mmToPx(x), mmToPx(y), mmToPx(w), mmToPx(h));
}

QString mm(double v)
{
    return QString::number(v, 'f', 1);
}
} // namespace

std::vector<QPointF> CalibrationPage::markCentres(double widthMm, double heightMm)
{
    const double d = MarkInsetMm;
    return {{d, d},
            {widthMm - d, d},
            {d, heightMm - d},
            {widthMm - d, heightMm - d},
            {widthMm / 2, heightMm / 2}};
}

PreparedReport CalibrationPage::make(double widthMm, double heightMm, const QString& printer,
                                     PrintOffset current)
{
    PreparedReport report;
    report.title = QStringLiteral("인쇄 위치 보정");
    PreparedPage page;
    page.widthMm = widthMm;
    page.heightMm = heightMm;
    page.landscape = widthMm > heightMm;
    page.paperSize = 256;

    ItemStyle lineStyle;
    lineStyle.frame.width = 0.5;
    const int lines = report.styleIndex(lineStyle);
    ItemStyle textStyle;
    textStyle.font.name = QStringLiteral("NanumGothic");
    textStyle.font.pixelHeight = 13;
    textStyle.wordWrap = false;
    const int text = report.styleIndex(textStyle);
    ItemStyle headStyle = textStyle;
    headStyle.font.pixelHeight = 18;
    headStyle.font.style = FontSpec::Bold;
    headStyle.hAlign = HAlign::Center;
    const int head = report.styleIndex(headStyle);

    auto add = [&page](PreparedItem::Kind kind, int style, QRectF rect, QString s = {}) {
        PreparedItem item;
        item.kind = kind;
        item.style = style;
        item.rect = rect;
        item.text = std::move(s);
        page.items.push_back(std::move(item));
    };

    const double d = MarkInsetMm;
    for (const QPointF& c : markCentres(widthMm, heightMm)) {
        add(PreparedItem::Line, lines, mmRect(c.x() - ArmMm, c.y(), 2 * ArmMm, 0));
        add(PreparedItem::Line, lines, mmRect(c.x(), c.y() - ArmMm, 0, 2 * ArmMm));
        add(PreparedItem::Ellipse, lines,
            mmRect(c.x() - CircleMm, c.y() - CircleMm, 2 * CircleMm, 2 * CircleMm));
        // The mark's distances, beside it on the side towards the middle.
        const bool right = c.x() > widthMm / 2 + 1;
        const bool bottom = c.y() > heightMm / 2 + 1;
        const double tx = right ? c.x() - ArmMm - 52 : c.x() + ArmMm + 1;
        const double ty = bottom ? c.y() - ArmMm - 6 : c.y() + 1;
        const double fromLeft = c.x(), fromTop = c.y();
        add(PreparedItem::Text, text, mmRect(tx, ty, 52, 5),
            QStringLiteral("왼쪽 %1 mm, 위 %2 mm").arg(mm(fromLeft), mm(fromTop)));
    }

    const double boxLeft = d + 15, boxWidth = widthMm - 2 * (d + 15);
    double y = d + 25;
    add(PreparedItem::Text, head, mmRect(boxLeft, y, boxWidth, 8),
        QStringLiteral("인쇄 위치 보정 페이지"));
    y += 12;
    const QStringList steps = {
        QStringLiteral("프린터: %1").arg(printer.isEmpty() ? QStringLiteral("(기본)") : printer),
        QStringLiteral("인쇄할 때의 보정값: 가로 %1 mm, 세로 %2 mm")
            .arg(mm(current.xMm), mm(current.yMm)),
        QString(),
        QStringLiteral("1. 용지 왼쪽 끝에서 왼쪽 위 십자의 중심까지 자로 잽니다."),
        QStringLiteral("2. 가로 보정값 = 지금의 가로 보정값 + %1 - 잰 거리 (mm)").arg(mm(d)),
        QStringLiteral("3. 용지 위쪽 끝에서 같은 십자의 중심까지 재어 세로 보정값을 같은 식으로 "
                       "구합니다."),
        QStringLiteral("4. 인쇄 옵션에 두 값을 넣고 이 페이지를 다시 인쇄하여 확인합니다."),
        QStringLiteral("네 모서리 십자의 거리가 서로 다르면 용지가 비뚤게 들어간 것입니다."),
    };
    for (const QString& line : steps) {
        if (!line.isEmpty())
            add(PreparedItem::Text, text, mmRect(boxLeft, y, boxWidth, 6), line);
        y += 7;
    }
    report.pages.push_back(std::move(page));
    return report;
}

} // namespace orvel::report
