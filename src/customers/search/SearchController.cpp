#include "customers/search/SearchController.h"

#include "appcore/MainServices.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "customers/FindPanel.h"
#include "customers/search/SearchGrammar.h"
#include "customers/search/TSQLInF.h"
#include "customers/search/ValueList.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

namespace orvel
{

SearchController::SearchController(MainServices& services, CustomerWorkspace& workspace)
    : QObject(&workspace), m_services(services), m_workspace(workspace)
{
    FindPanel* panel = workspace.findPanel();
    connect(workspace.grid()->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { guarded([&] { GridTitleClick(column); }); });
    connect(panel->tfc_1, &QPushButton::clicked, this, [this] { guarded([&] { tfc_1Click(); }); });
    connect(panel->tfc_2, &QPushButton::clicked, this, [this] { guarded([&] { tfc_2Click(); }); });
}

void SearchController::GridTitleClick(int column)
{
    FindPanel* panel = m_workspace.findPanel();
    if (!panel->isExpanded())
        return;
    const CustomerGridModel* model = m_workspace.gridModel();
    if (column < 0 || column >= model->columnCount() || !model->query())
        return;
    if (panel->isSearchMode())
        searchClick(column);
    else
        indexClick(column);
}

void SearchController::indexClick(int column)
{
    const CustomerGridModel* model = m_workspace.gridModel();
    LoginContext& ctx = m_services.context();
    QLabel* label = m_workspace.findPanel()->tf_2;
    QString order = ctx.ListOrder;
    QString text = label->text();
    appendSortColumn(order, text, model->fieldName(column),
                     model->headerData(column, Qt::Horizontal).toString());
    ctx.ListOrder = order;
    label->setText(text);
    m_services.refreshCustomerList();
}

void SearchController::searchClick(int column)
{
    const CustomerGridModel* model = m_workspace.gridModel();
    const ColumnInfo info = model->query()->columns()[size_t(column)];
    const QString title = model->headerData(column, Qt::Horizontal).toString();
    LoginContext& ctx = m_services.context();
    QLabel* label = m_workspace.findPanel()->tf_1;

    TSQLInF dialog(m_services.window());
    dialog.prepare(label->text(), title, info.kind);
    // Not caught here: a failing value list ends the click before the dialog shows.
    if (dialog.editor() == ValueEditor::ValueBox)
        dialog.setValueList(ValueList::load(m_services.db().Temp_Data, ctx.ListSelect,
                                            ctx.ListCondition, info.name));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString valueText = dialog.valueText();
    if (valueText.isEmpty())
        return;

    Connection& connection = m_services.db().DBConnect;
    const QString op = dialog.selectedOperator();
    const QString value = termValue(info.kind, op, valueText, [&](const QString& text) {
        return connection.quoteLiteral(text);
    });
    ctx.ListCondition = appendTerm(ctx.ListCondition, dialog.orSelected(), info.name, op, value);
    label->setText(label->text() + searchLabelGroup(title, valueText));
    m_services.refreshCustomerList();
}

void SearchController::tfc_1Click()
{
    LoginContext& ctx = m_services.context();
    ctx.DuplicateMode = 0;
    ctx.DuplicateSource.clear();
    m_workspace.findPanel()->tf_1->clear();
    ctx.ListCondition.clear();
    m_services.refreshCustomerList();
}

void SearchController::tfc_2Click()
{
    m_workspace.findPanel()->tf_2->clear();
    m_services.context().ListOrder.clear();
    m_services.refreshCustomerList();
}

} // namespace orvel
