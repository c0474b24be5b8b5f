#include "report/designer/labels/SheetPreview.h"

#include <QPainter>
#include <algorithm>

namespace orvel::report::labels
{

namespace
{
constexpr double Border = 8;    // pixels around the paper
constexpr int MaxDrawn = 20000; // labels drawn at most, for absurd typed-in counts
} // namespace

SheetPreview::SheetPreview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("sheetPreview"));
    setAccessibleName(QStringLiteral("용지 미리 보기"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SheetPreview::setSheet(const LabelSheet& sheet)
{
    if (sheet == m_sheet)
        return;
    m_sheet = sheet;
    setAccessibleDescription(QStringLiteral("%1, 라벨 %2 x %3")
                                 .arg(sheet.displayName())
                                 .arg(sheet.columns)
                                 .arg(sheet.rows));
    update();
}

double SheetPreview::scale() const
{
    if (m_sheet.paperWidth <= 0 || m_sheet.paperHeight <= 0)
        return 0;
    return std::max(0.0, std::min((width() - 2 * Border) / m_sheet.paperWidth,
                                  (height() - 2 * Border) / m_sheet.paperHeight));
}

QRectF SheetPreview::mapFromPaper(const QRectF& mm) const
{
    const double s = scale();
    const QPointF origin((width() - m_sheet.paperWidth * s) / 2,
                         (height() - m_sheet.paperHeight * s) / 2);
    return QRectF(origin + mm.topLeft() * s, mm.size() * s);
}

void SheetPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (scale() <= 0)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF paper = mapFromPaper(QRectF(0, 0, m_sheet.paperWidth, m_sheet.paperHeight));
    painter.fillRect(paper.translated(2, 2), QColor(0, 0, 0, 60));
    painter.fillRect(paper, Qt::white);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.drawRect(paper);
    if (m_sheet.labelWidth <= 0 || m_sheet.labelHeight <= 0)
        return;

    const double radius = m_sheet.cornerRadius * scale();
    painter.setClipRect(paper.adjusted(-1, -1, 1, 1));
    int drawn = 0;
    for (int row = 0; row < m_sheet.rows && drawn < MaxDrawn; ++row) {
        for (int column = 0; column < m_sheet.columns && drawn < MaxDrawn; ++column, ++drawn) {
            const QRectF label = mapFromPaper(m_sheet.labelRect(column, row));
            // The first label is where the first data row prints.
            painter.setBrush(drawn == 0 ? QColor(255, 214, 130) : QColor(214, 232, 255));
            painter.setPen(QPen(QColor(40, 90, 160), 1));
            painter.drawRoundedRect(label, radius, radius);
        }
    }
}

} // namespace orvel::report::labels
