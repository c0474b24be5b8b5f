#pragma once

#include <QWizardPage>

class QLabel;

namespace orvel::report::labels
{

class FieldsPage;
class SheetPage;
class SheetPreview;

/// Last wizard step: what the template will be, before it is made.
class SummaryPage : public QWizardPage
{
    Q_OBJECT

public:
    SummaryPage(const SheetPage* sheet, const FieldsPage* fields, QWidget* parent = nullptr);
    void initializePage() override;

private:
    const SheetPage* m_sheetPage;
    const FieldsPage* m_fieldsPage;
    QLabel* m_summary;
    SheetPreview* m_preview;
};

} // namespace orvel::report::labels
