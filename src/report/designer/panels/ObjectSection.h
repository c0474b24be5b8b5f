#pragma once

#include "report/designer/panels/PropertySection.h"

class QLabel;

namespace orvel::report
{

class MixedSpinBox;

/// Position and size of the selected objects in millimetres (placeholders too).
class ObjectSection : public PropertySection
{
    Q_OBJECT

public:
    ObjectSection(ReportDocument* doc, QWidget* parent = nullptr);
    bool appliesToSelection() const override;

protected:
    void load() override;

private:
    enum Measure { X, Y, Width, Height };
    void edit(Measure measure, double mm, bool stepped);

    QLabel* m_note;
    MixedSpinBox* m_boxes[4];
};

} // namespace orvel::report
