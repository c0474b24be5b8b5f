#pragma once

#include "report/designer/panels/PropertySection.h"

class QComboBox;

namespace orvel::report
{

class MixedSpinBox;

/// The shown page, when nothing is selected: paper, orientation, margins, page columns.
class PageSection : public PropertySection
{
    Q_OBJECT

public:
    /// The paper code of a size of one's own.
    static constexpr int CustomPaper = 256;

    PageSection(ReportDocument* doc, QWidget* parent = nullptr);
    bool appliesToSelection() const override;

protected:
    void load() override;

private:
    void change(const QString& name, const std::function<void(ReportPage&)>& f, int mergeId = 0);
    void choosePaper(int code);
    void setOrientation(bool landscape);
    void setSize(bool width, double mm, bool stepped);
    MixedSpinBox* addMmBox(const char* objectName, const QString& label, double max);

    QComboBox* m_paper;
    MixedSpinBox* m_width;
    MixedSpinBox* m_height;
    QComboBox* m_orientation;
    MixedSpinBox* m_margins[4];
    MixedSpinBox* m_columns;
    MixedSpinBox* m_columnWidth;
};

} // namespace orvel::report
