#pragma once

#include "report/designer/labels/LabelSheet.h"

#include <QWidget>

namespace orvel::report::labels
{

/// Draws a label sheet to scale: the paper and every label on it.
class SheetPreview : public QWidget
{
    Q_OBJECT

public:
    explicit SheetPreview(QWidget* parent = nullptr);

    void setSheet(const LabelSheet& sheet);
    const LabelSheet& sheet() const { return m_sheet; }
    /// Where a rectangle in millimetres on the paper is drawn in the widget.
    QRectF mapFromPaper(const QRectF& mm) const;

    QSize sizeHint() const override { return {260, 340}; }
    QSize minimumSizeHint() const override { return {120, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double scale() const;

    LabelSheet m_sheet;
};

} // namespace orvel::report::labels
