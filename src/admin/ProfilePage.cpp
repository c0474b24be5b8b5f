#include "admin/ProfilePage.h"

#include "admin/Profiles.h"
#include "appcore/MainServices.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orvel
{

namespace
{

const QString kCheckConnection = QStringLiteral("접속 환경을 접검하여 주세요.");

QPushButton* namedButton(const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    return button;
}

QGroupBox* listPanel(const QString& caption, QListWidget* list)
{
    auto* panel = new QGroupBox(caption);
    panel->setObjectName(caption);
    auto* layout = new QVBoxLayout(panel);
    list->setAccessibleName(caption);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(list);
    return panel;
}

} // namespace

ProfilePage::ProfilePage(MainServices& services, QWidget* parent)
    : QWidget(parent), m_services(services), m_items(new QListWidget), m_output(new QListWidget),
      m_levels(new QComboBox), m_save(namedButton(QStringLiteral("저장"), "ProfileSaveButton")),
      m_add(namedButton(QStringLiteral("추가"), "ProfileAddButton")),
      m_remove(namedButton(QStringLiteral("삭제"), "ProfileRemoveButton"))
{
    m_items->setObjectName(QStringLiteral("ItemList"));
    m_output->setObjectName(QStringLiteral("OutputList"));
    m_levels->setObjectName(QStringLiteral("LevelList"));
    m_levels->setAccessibleName(QStringLiteral("사용권한"));
    for (const ProfileLabel& row : profileLabels())
        m_items->addItem(row.label);

    auto* middle = new QVBoxLayout;
    auto* levelRow = new QHBoxLayout;
    levelRow->addWidget(m_levels, 1);
    levelRow->addWidget(m_save);
    middle->addLayout(levelRow);
    middle->addStretch(1);
    middle->addWidget(m_add);
    middle->addWidget(m_remove);
    middle->addStretch(1);

    auto* row = new QHBoxLayout(this);
    row->addWidget(listPanel(QStringLiteral("항목"), m_items), 1);
    row->addLayout(middle);
    row->addWidget(listPanel(QStringLiteral("사용자 출력 항목"), m_output), 1);

    setTabOrder(m_items, m_levels);
    setTabOrder(m_levels, m_save);
    setTabOrder(m_save, m_add);
    setTabOrder(m_add, m_remove);
    setTabOrder(m_remove, m_output);

    // Picking a level, even the one already shown, drops unsaved changes of the output list.
    connect(m_levels, &QComboBox::currentIndexChanged, this,
            [this] { guarded([this] { showSelectedProfile(); }); });
    connect(m_levels, &QComboBox::activated, this,
            [this] { guarded([this] { showSelectedProfile(); }); });
    connect(m_add, &QPushButton::clicked, this, [this] { guarded([this] { addLabel(); }); });
    connect(m_remove, &QPushButton::clicked, this, [this] { guarded([this] { removeLabel(); }); });
    connect(m_save, &QPushButton::clicked, this, [this] { guarded([this] { saveProfile(); }); });
}

QStringList ProfilePage::outputEntries() const
{
    QStringList entries;
    for (int i = 0; i < m_output->count(); ++i)
        entries.append(m_output->item(i)->text());
    return entries;
}

void ProfilePage::reloadProfiles()
{
    try {
        m_output->clear();
        Query& q = m_services.db().STemp_Data;
        q.clearSql();
        q.addLine(QStringLiteral("select Level_Name, Var_Name, Var_Values from RunLevel"));
        q.addLine(QStringLiteral("order by Level_Name"));
        q.open();
        {
            const QSignalBlocker quiet(m_levels);
            m_levels->clear();
            m_varNames.clear();
            m_varValues.clear();
            for (q.first(); !q.eof(); q.next()) {
                m_levels->addItem(q.fieldAsString(QStringLiteral("Level_Name")));
                m_varNames.append(q.fieldAsString(QStringLiteral("Var_Name")));
                m_varValues.append(q.fieldAsString(QStringLiteral("Var_Values")));
            }
            if (m_levels->count() > 0)
                m_levels->setCurrentIndex(0);
        }
        showSelectedProfile();
    } catch (...) {
        m_services.msgDlg(kCheckConnection, 0);
    }
}

void ProfilePage::showSelectedProfile()
{
    const int at = m_levels->currentIndex();
    const QString varName = at >= 0 && at < m_varNames.size() ? m_varNames.at(at) : QString();
    m_output->clear();
    m_output->addItems(SplitStr(varName, QStringLiteral("|")));
}

void ProfilePage::addLabel()
{
    const QList<QListWidgetItem*> picked = m_items->selectedItems();
    if (picked.isEmpty()) {
        m_services.msgDlg(QStringLiteral("추가 하고자 하는 항목을 선택 하세요."), 0);
        return;
    }
    const QString label = picked.first()->text();
    if (outputEntries().contains(label)) {
        m_services.msgDlg(label + QStringLiteral("이미 등록 되어 있습니다."), 0);
        return;
    }
    m_output->addItem(label);
}

void ProfilePage::removeLabel()
{
    const QList<QListWidgetItem*> picked = m_output->selectedItems();
    if (picked.isEmpty()) {
        m_services.msgDlg(QStringLiteral("삭제 하고자 하는 사용자 출력 항목을 선택 하세요."), 0);
        return;
    }
    delete m_output->takeItem(m_output->row(picked.first()));
}

void ProfilePage::saveProfile()
{
    // With no level to save under, a profile without a name would be created.
    const int at = m_levels->currentIndex();
    if (at < 0) {
        m_services.msgDlg(QStringLiteral("저장 하고자 하는 사용권한을 선택 하세요."), 0);
        return;
    }
    try {
        const ProfileTexts texts = composeProfile(outputEntries());
        Run_Save(m_services.db(), m_levels->currentText(), texts.varName, texts.varValues);
        if (at < m_varNames.size()) {
            m_varNames[at] = texts.varName;
            m_varValues[at] = texts.varValues;
        }
        m_services.msgDlg(QStringLiteral("저장이 완료 되었습니다."), 0);
    } catch (...) {
        m_services.msgDlg(kCheckConnection, 0);
    }
}

} // namespace orvel
