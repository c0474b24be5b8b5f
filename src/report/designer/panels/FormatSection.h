#pragma once

#include "report/designer/panels/PropertySection.h"

class QComboBox;
class QLabel;

namespace orvel::report
{

/// Display format of the selected text objects (number, date, boolean) with a live sample.
class FormatSection : public PropertySection
{
    Q_OBJECT

public:
    FormatSection(ReportDocument* doc, QWidget* parent = nullptr);
    bool appliesToSelection() const override;

    /// Format strings offered for a kind; the first is the one a new choice of kind gets.
    static QStringList choices(DisplayFormat::Kind kind);
    /// The sample value shown for a kind: a number, now, true, or a text.
    static QVariant sampleValue(DisplayFormat::Kind kind);

protected:
    void load() override;

private:
    void fillChoices(int kind);
    void commitFormatString(const QString& text);
    void updateSample();

    QComboBox* m_kind;
    QComboBox* m_format;
    QLabel* m_sample;
    int m_choicesKind = -1;
};

} // namespace orvel::report
