#pragma once

#include "report/designer/panels/PropertySection.h"

class QComboBox;

namespace orvel::report
{

/// The kind of the selected shapes (rectangle, ellipse, diamond ...).
class ShapeSection : public PropertySection
{
    Q_OBJECT

public:
    ShapeSection(ReportDocument* doc, QWidget* parent = nullptr);
    bool appliesToSelection() const override;

protected:
    void load() override;

private:
    QComboBox* m_kind;
};

} // namespace orvel::report
