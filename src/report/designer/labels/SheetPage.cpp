#include "report/designer/labels/SheetPage.h"

#include "report/designer/labels/CataloguePanel.h"
#include "report/designer/labels/CustomSheetEditor.h"
#include "report/designer/labels/LabelTemplateBuilder.h"
#include "report/designer/labels/SheetPreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvel::report::labels
{

SheetPage::SheetPage(const LabelCatalogue* catalogue, const QString& customSheetsPath,
                     QWidget* parent)
    : QWizardPage(parent)
{
    setObjectName(QStringLiteral("sheetPage"));
    setTitle(QStringLiteral("용지"));
    setSubTitle(QStringLiteral("라벨 용지를 목록에서 고르거나 사용자 용지의 치수를 입력하십시오."));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("sheetTabs"));
    m_catalogue = new CataloguePanel(catalogue, m_tabs);
    m_custom = new CustomSheetEditor(customSheetsPath, m_tabs);
    m_tabs->addTab(m_catalogue, QStringLiteral("라벨 목록"));
    m_tabs->addTab(m_custom, QStringLiteral("사용자 용지"));
    // Without an installed catalogue only custom sheets can be used.
    if (catalogue->sheets().empty())
        m_tabs->setCurrentWidget(m_custom);
    m_preview = new SheetPreview(this);
    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("sheetInfoLabel"));
    m_info->setWordWrap(true);

    auto* right = new QVBoxLayout;
    right->addWidget(m_preview, 1);
    right->addWidget(m_info);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_tabs, 3);
    layout->addLayout(right, 2);

    connect(m_tabs, &QTabWidget::currentChanged, this, &SheetPage::updateSheet);
    connect(m_catalogue, &CataloguePanel::sheetChanged, this, &SheetPage::updateSheet);
    connect(m_custom, &CustomSheetEditor::sheetChanged, this, &SheetPage::updateSheet);
    updateSheet();
}

std::optional<LabelSheet> SheetPage::sheet() const
{
    std::optional<LabelSheet> s =
        m_tabs->currentWidget() == m_custom ? m_custom->sheet() : m_catalogue->currentSheet();
    if (!s || !s->isUsable())
        return std::nullopt;
    if (s->custom && s->part.isEmpty())
        s->part = customSheetBrand();
    return s;
}

// The wizard shows its page anew on every completeChanged(), which makes a spin box being
// typed in reformat its text under the cursor. So the custom tab does not disable "다음"
// while measurements are typed; validatePage() refuses a sheet that cannot be laid out, and
// the editor already says why.
bool SheetPage::isComplete() const
{
    return m_tabs->currentWidget() == m_custom || sheet().has_value();
}

bool SheetPage::validatePage()
{
    if (sheet())
        return true;
    m_info->setText(m_tabs->currentWidget() == m_custom ? QStringLiteral("용지 치수를 고치십시오.")
                                                        : QStringLiteral("용지를 고르십시오."));
    return false;
}

void SheetPage::updateSheet()
{
    // The preview follows what is typed even while it is not yet usable.
    const std::optional<LabelSheet> typed =
        m_tabs->currentWidget() == m_custom ? m_custom->sheet() : m_catalogue->currentSheet();
    m_preview->setSheet(typed.value_or(LabelSheet{}));
    const std::optional<LabelSheet> s = sheet();
    if (!s) {
        m_info->setText(QStringLiteral("용지를 고르십시오."));
    } else {
        QString text = QStringLiteral("%1\n%2\n라벨 %3 x %4 mm, 한 장에 %5개")
                           .arg(s->displayName(), s->paperText())
                           .arg(s->labelWidth, 0, 'f', 1)
                           .arg(s->labelHeight, 0, 'f', 1)
                           .arg(s->labelsPerSheet());
        const LabelPlacement place = labelPlacement(*s);
        if (!place.exact)
            text += QStringLiteral("\n마지막 줄이 용지 밖으로 나가 한 장에 %1줄만 인쇄합니다.")
                        .arg(place.rowsPerPage);
        m_info->setText(text);
    }
    if (isComplete() != m_complete) {
        m_complete = isComplete();
        emit completeChanged();
    }
}

} // namespace orvel::report::labels
