// The designer's label wizard command.
#include "report/designer/DesignerWindow.h"
#include "report/designer/labels/LabelWizard.h"

namespace orvel::report
{

void DesignerWindow::runLabelWizard()
{
    if (!maybeSave())
        return;
    QStringList directories = m_options.labelCatalogueDirs;
    if (directories.isEmpty())
        directories = labels::LabelCatalogue::defaultDirectories();
    const QString dataSet =
        m_doc->dataSetName().isEmpty() ? QStringLiteral("RPTDB") : m_doc->dataSetName();
    labels::LabelWizard wizard(dataSet, m_doc->fieldNames(), directories, m_options.labelSheetsFile,
                               this);
    wizard.setColumnCaptions(m_options.fieldTitles);
    if (wizard.exec() != QDialog::Accepted)
        return;
    // A new template, not saved anywhere yet: saving asks for its file.
    m_doc->reset(wizard.result(), true);
    m_doc->setFilePath({});
}

} // namespace orvel::report
