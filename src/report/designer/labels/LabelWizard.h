#pragma once

#include "report/designer/labels/LabelCatalogue.h"
#include "report/designer/labels/LabelTemplateBuilder.h"
#include "report/model/ReportModel.h"

#include <QHash>
#include <QWizard>
#include <optional>

namespace orvel::report::labels
{

class FieldsPage;
class SheetPage;
class SummaryPage;

/// The label wizard: sheet, lines of fields, summary; gives a label template to print or to
/// refine in the designer.
class LabelWizard : public QWizard
{
    Q_OBJECT

public:
    enum PageId { SheetPageId, FieldsPageId, SummaryPageId };

    /// columns are the data set's column names; catalogueDirectories where the makers'
    /// sheets are read from (LabelCatalogue::defaultDirectories(), or none); the office's own
    /// sheets are kept in customSheetsPath.
    LabelWizard(const QString& dataSetName, const QStringList& columns,
                const QStringList& catalogueDirectories, const QString& customSheetsPath,
                QWidget* parent = nullptr);
    ~LabelWizard() override;

    /// Korean captions of columns for the field list.
    void setColumnCaptions(const QHash<QString, QString>& captions);

    const LabelCatalogue& catalogue() const { return m_catalogue; }
    std::optional<LabelSheet> sheet() const;
    const std::vector<LabelLine>& lines() const;
    /// The template built from the choices (a plain new report while no usable sheet is
    /// chosen). Hides QDialog::result(); exec() still answers whether the wizard was finished.
    ReportTemplate result() const;

private:
    QString m_dataSetName;
    LabelCatalogue m_catalogue;
    SheetPage* m_sheetPage;
    FieldsPage* m_fieldsPage;
    SummaryPage* m_summaryPage;
};

} // namespace orvel::report::labels
