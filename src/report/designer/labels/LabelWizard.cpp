#include "report/designer/labels/LabelWizard.h"

#include "report/designer/labels/FieldsPage.h"
#include "report/designer/labels/SheetPage.h"
#include "report/designer/labels/SummaryPage.h"

#include <QAbstractButton>

namespace orvel::report::labels
{

LabelWizard::LabelWizard(const QString& dataSetName, const QStringList& columns,
                         const QStringList& catalogueDirectories, const QString& customSheetsPath,
                         QWidget* parent)
    : QWizard(parent), m_dataSetName(dataSetName)
{
    setObjectName(QStringLiteral("labelWizard"));
    setWindowTitle(QStringLiteral("라벨 마법사"));
    setAccessibleName(QStringLiteral("라벨 마법사"));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    m_catalogue.load(catalogueDirectories);

    m_sheetPage = new SheetPage(&m_catalogue, customSheetsPath, this);
    m_fieldsPage = new FieldsPage(columns, this);
    m_summaryPage = new SummaryPage(m_sheetPage, m_fieldsPage, this);
    setPage(SheetPageId, m_sheetPage);
    setPage(FieldsPageId, m_fieldsPage);
    setPage(SummaryPageId, m_summaryPage);

    const struct {
        WizardButton which;
        const char* text;
        const char* name;
    } buttons[] = {{BackButton, "< 이전(&B)", "backButton"},
                   {NextButton, "다음(&N) >", "nextButton"},
                   {FinishButton, "완료(&F)", "finishButton"},
                   {CancelButton, "취소", "cancelButton"}};
    for (const auto& b : buttons) {
        setButtonText(b.which, QString::fromUtf8(b.text));
        button(b.which)->setObjectName(QLatin1String(b.name));
    }
    resize(820, 560);
}

LabelWizard::~LabelWizard() = default;

void LabelWizard::setColumnCaptions(const QHash<QString, QString>& captions)
{
    m_fieldsPage->setColumnCaptions(captions);
}

std::optional<LabelSheet> LabelWizard::sheet() const
{
    return m_sheetPage->sheet();
}

const std::vector<LabelLine>& LabelWizard::lines() const
{
    return m_fieldsPage->lines();
}

ReportTemplate LabelWizard::result() const
{
    const std::optional<LabelSheet> s = sheet();
    if (!s)
        return ReportTemplate::newReport();
    return buildLabelTemplate(*s, lines(), m_dataSetName);
}

} // namespace orvel::report::labels
