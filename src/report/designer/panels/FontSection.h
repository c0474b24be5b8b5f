#pragma once

#include "report/designer/panels/PropertySection.h"

class QComboBox;

namespace orvel::report
{

class ColorButton;
class MixedCheckBox;
class MixedSpinBox;

/// Font of the selected text objects: family, size in points or pixels, style and colour.
class FontSection : public PropertySection
{
    Q_OBJECT

public:
    FontSection(ReportDocument* doc, QWidget* parent = nullptr);
    bool appliesToSelection() const override;

protected:
    void load() override;

private:
    bool inPoints() const;
    void loadSize();
    void commitFamily(const QString& family);
    void setStyleBit(int bit, bool on);

    QComboBox* m_family;
    MixedSpinBox* m_size;
    QComboBox* m_unit;
    MixedCheckBox* m_bold;
    MixedCheckBox* m_italic;
    MixedCheckBox* m_underline;
    ColorButton* m_color;
};

} // namespace orvel::report
