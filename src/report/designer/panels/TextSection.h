#pragma once

#include "report/designer/panels/PropertySection.h"

class QComboBox;
class QPlainTextEdit;
class QToolButton;

namespace orvel::report
{

class MixedCheckBox;

/// Text or expression of the selected text objects, its alignment and word wrap.
class TextSection : public PropertySection
{
    Q_OBJECT

public:
    TextSection(ReportDocument* doc, QWidget* parent = nullptr);
    bool appliesToSelection() const override;

protected:
    void load() override;

private:
    void openBuilder();

    QPlainTextEdit* m_text;
    QToolButton* m_builder;
    QComboBox* m_hAlign;
    QComboBox* m_vAlign;
    MixedCheckBox* m_wrap;
};

} // namespace orvel::report
