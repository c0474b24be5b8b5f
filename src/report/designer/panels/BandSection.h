#pragma once

#include "report/designer/panels/PropertySection.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace orvel::report
{

class MixedCheckBox;
class MixedSpinBox;

/// The selected band: height, data set, labels across, group condition, new page.
class BandSection : public PropertySection
{
    Q_OBJECT

public:
    BandSection(ReportDocument* doc, QWidget* parent = nullptr);
    bool appliesToSelection() const override;

    /// The Korean name of a band kind ("데이터", "그룹 머리글" ...).
    static QString kindName(Band::Type type);

protected:
    void load() override;

private:
    int bandIndex() const;
    const Band* band() const;
    void change(const QString& name, const std::function<void(Band&)>& f, int mergeId = 0);
    MixedSpinBox* addMmBox(const char* objectName, const QString& label, double max,
                           MergeField merge, double Band::*member);
    void openBuilder();

    QLabel* m_kind;
    QLabel* m_note;
    MixedSpinBox* m_height;
    QComboBox* m_dataSet;
    MixedSpinBox* m_rowCount;
    MixedSpinBox* m_columns;
    MixedSpinBox* m_columnWidth;
    MixedSpinBox* m_columnGap;
    QWidget* m_conditionRow;
    QLineEdit* m_condition;
    QToolButton* m_conditionBuilder;
    MixedCheckBox* m_newPage;
};

} // namespace orvel::report
