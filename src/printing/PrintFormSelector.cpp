#include "printing/PrintFormSelector.h"

#include "appcore/MainServices.h"
#include "data/TMainDB.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>

namespace orvel
{

PrintFormSelector::PrintFormSelector(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PrintFormBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 0, 2, 0);

    auto* group = new QGroupBox(QStringLiteral("양식 종류"));
    group->setObjectName(QStringLiteral("PrintFormGroup"));
    auto* inside = new QHBoxLayout(group);
    inside->setContentsMargins(4, 0, 4, 2);
    m_forms = new QComboBox;
    m_forms->setObjectName(QStringLiteral("PrintFormList"));
    m_forms->setAccessibleName(group->title());
    m_forms->setMaxVisibleItems(30);
    m_forms->setMinimumWidth(240);
    inside->addWidget(m_forms);
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("PrintFormFiles"));
    m_files->hide();

    m_print = new QToolButton;
    m_print->setObjectName(QStringLiteral("btn_print"));
    m_print->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_print->setToolTip(QStringLiteral("출력"));
    m_print->setAccessibleName(QStringLiteral("출력"));

    row->addWidget(group);
    row->addWidget(m_print);
    row->addStretch();
}

void PrintFormSelector::loadPrintFormList(MainServices& services)
{
    m_forms->clear();
    m_files->clear();

    Query& q = services.db().STemp_Data;
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("select no, RL_Name, RL_File from RPTList"));
    q.addLine(QStringLiteral("where RL_Code2 = :a1"));
    q.addLine(QStringLiteral("order by RL_Name"));
    q.setParam(QStringLiteral("a1"), 1);
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        m_forms->addItem(QStringLiteral("[D]") + q.fieldAsString(QStringLiteral("RL_Name")));
        m_files->addItem(q.fieldAsString(QStringLiteral("RL_File")));
    }
    if (m_forms->count() > 0) {
        m_forms->setCurrentIndex(0);
        m_files->setCurrentRow(0);
    } else {
        m_forms->setCurrentIndex(-1);
    }

    // User forms: any "*.fr3" in the user-forms folder, whatever the letter case of the
    // extension, directories included, in the order the file system gives them.
    QDir userForms(services.context().ProgramDir + QStringLiteral("Orvel_User"));
    userForms.setNameFilters({QStringLiteral("*.fr3")});
    userForms.setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    userForms.setSorting(QDir::Unsorted);
    const int selected = m_forms->currentIndex();
    for (const QString& name : userForms.entryList()) {
        m_forms->addItem(QStringLiteral("[U]") + name.left(name.size() - 4));
        m_files->addItem(name);
    }
    m_forms->setCurrentIndex(selected);

    services.setHangeulMode(true);
}

} // namespace orvel
