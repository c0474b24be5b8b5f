#include "report/designer/labels/CataloguePanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace orvel::report::labels
{

namespace
{
constexpr int SheetRole = Qt::UserRole + 1;

QString itemText(const LabelSheet& s)
{
    QString text = QStringLiteral("%1  —  %2 x %3 mm, %4 x %5, %6")
                       .arg(s.displayName())
                       .arg(s.labelWidth, 0, 'f', 1)
                       .arg(s.labelHeight, 0, 'f', 1)
                       .arg(s.columns)
                       .arg(s.rows)
                       .arg(s.paperName);
    if (!s.description.isEmpty())
        text += QStringLiteral("\n    ") + s.description;
    return text;
}
} // namespace

CataloguePanel::CataloguePanel(const LabelCatalogue* catalogue, QWidget* parent)
    : QWidget(parent), m_catalogue(catalogue)
{
    setObjectName(QStringLiteral("cataloguePanel"));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("sheetSearchEdit"));
    m_search->setAccessibleName(QStringLiteral("제조사, 품번 찾기"));
    m_search->setPlaceholderText(QStringLiteral("제조사나 품번 (예: Avery L7163)"));
    m_search->setClearButtonEnabled(true);
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paperFilterBox"));
    m_paper->setAccessibleName(QStringLiteral("용지 크기"));
    m_paper->addItem(QStringLiteral("모든 용지"), QString());
    for (const PaperSize& p : catalogue->papers())
        m_paper->addItem(p.name, p.id);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("sheetList"));
    m_list->setAccessibleName(QStringLiteral("라벨 용지 목록"));
    m_list->setUniformItemSizes(false);
    for (int i = 0; i < int(catalogue->sheets().size()); ++i) {
        auto* item = new QListWidgetItem(itemText(catalogue->sheets()[i]), m_list);
        item->setData(SheetRole, i);
    }
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("sheetCountLabel"));

    auto* search = new QLabel(QStringLiteral("찾기(&S)"), this);
    search->setBuddy(m_search);
    auto* paper = new QLabel(QStringLiteral("용지(&P)"), this);
    paper->setBuddy(m_paper);
    auto* list = new QLabel(QStringLiteral("제조사, 품번(&M)"), this);
    list->setBuddy(m_list);
    auto* form = new QFormLayout;
    form->addRow(search, m_search);
    form->addRow(paper, m_paper);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(list);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_count);
    setTabOrder(m_search, m_paper);
    setTabOrder(m_paper, m_list);

    connect(m_search, &QLineEdit::textChanged, this, &CataloguePanel::refilter);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &CataloguePanel::refilter);
    connect(m_list, &QListWidget::currentRowChanged, this, &CataloguePanel::sheetChanged);
    refilter();
}

void CataloguePanel::refilter()
{
    const std::vector<int> found =
        m_catalogue->find(m_search->text(), m_paper->currentData().toString());
    std::vector<bool> shown(m_catalogue->sheets().size(), false);
    for (int i : found)
        shown[i] = true;
    m_list->setUpdatesEnabled(false);
    for (int row = 0; row < m_list->count(); ++row)
        m_list->item(row)->setHidden(!shown[m_list->item(row)->data(SheetRole).toInt()]);
    m_list->setUpdatesEnabled(true);
    // A chosen sheet that is filtered away is no longer chosen; a single match is chosen.
    QListWidgetItem* current = m_list->currentItem();
    if (current && current->isHidden())
        m_list->setCurrentRow(-1);
    if (found.size() == 1)
        m_list->setCurrentRow(found.front());
    m_count->setText(
        m_catalogue->sheets().empty()
            ? QStringLiteral("라벨 목록이 설치되어 있지 않습니다. 사용자 용지를 쓰십시오.")
            : QStringLiteral("%1개").arg(found.size()));
    emit sheetChanged();
}

std::optional<LabelSheet> CataloguePanel::currentSheet() const
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item || item->isHidden())
        return std::nullopt;
    return m_catalogue->sheets()[item->data(SheetRole).toInt()];
}

int CataloguePanel::shownCount() const
{
    int n = 0;
    for (int row = 0; row < m_list->count(); ++row)
        n += m_list->item(row)->isHidden() ? 0 : 1;
    return n;
}

} // namespace orvel::report::labels
