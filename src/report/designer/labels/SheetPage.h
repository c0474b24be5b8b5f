#pragma once

#include "report/designer/labels/LabelCatalogue.h"

#include <QWizardPage>
#include <optional>

class QLabel;
class QTabWidget;

namespace orvel::report::labels
{

class CataloguePanel;
class CustomSheetEditor;
class SheetPreview;

/// First wizard step: a maker's sheet from the catalogue or one entered by its measurements,
/// shown to scale beside.
class SheetPage : public QWizardPage
{
    Q_OBJECT

public:
    SheetPage(const LabelCatalogue* catalogue, const QString& customSheetsPath,
              QWidget* parent = nullptr);

    /// The sheet chosen on the visible tab, if it can be laid out.
    std::optional<LabelSheet> sheet() const;
    bool isComplete() const override;
    bool validatePage() override;

private:
    void updateSheet();

    QTabWidget* m_tabs;
    CataloguePanel* m_catalogue;
    CustomSheetEditor* m_custom;
    SheetPreview* m_preview;
    QLabel* m_info;
    bool m_complete = false;
};

} // namespace orvel::report::labels
