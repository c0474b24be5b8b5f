#pragma once

#include "report/designer/panels/PropertySection.h"

class QLabel;
class QPushButton;

namespace orvel::report
{

class MixedCheckBox;

/// The picture of the selected picture objects (embedded from a file) and how it fits its box.
class PictureSection : public PropertySection
{
    Q_OBJECT

public:
    PictureSection(ReportDocument* doc, QWidget* parent = nullptr);
    bool appliesToSelection() const override;

protected:
    void load() override;

private:
    void chooseFile();

    QLabel* m_info;
    QPushButton* m_file;
    QPushButton* m_clear;
    MixedCheckBox* m_stretched;
    MixedCheckBox* m_keepAspect;
    MixedCheckBox* m_center;
};

} // namespace orvel::report
