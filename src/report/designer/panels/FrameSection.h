#pragma once

#include "report/designer/panels/PropertySection.h"

class QComboBox;
class QPushButton;
class QWidget;

namespace orvel::report
{

class ColorButton;
class MixedCheckBox;
class MixedSpinBox;

/// Frame lines (sides, width, line style, colour) and fill colour of the selected objects.
class FrameSection : public PropertySection
{
    Q_OBJECT

public:
    FrameSection(ReportDocument* doc, QWidget* parent = nullptr);
    bool appliesToSelection() const override;

protected:
    void load() override;

private:
    void setSides(int mask, bool on);

    QWidget* m_sidesRow;
    MixedCheckBox* m_sides[4];
    QPushButton* m_all;
    QPushButton* m_none;
    MixedSpinBox* m_width;
    QComboBox* m_style;
    ColorButton* m_color;
    QWidget* m_fillRow;
    ColorButton* m_fill;
    QPushButton* m_noFill;
};

} // namespace orvel::report
