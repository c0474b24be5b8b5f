#include "customers/CustomerWorkspace.h"

#include "appcore/MainServices.h"
#include "customers/CustomerColumns.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/EntryPanel.h"
#include "customers/FindPanel.h"
#include "customers/entry/EntryController.h"
#include "customers/search/SearchController.h"
#include "data/TMainDB.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvel
{

namespace
{

// Shows the busy cursor while a long statement runs on the interface thread.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

CustomerWorkspace::CustomerWorkspace(MainServices& services, QWidget* parent)
    : QTabWidget(parent), m_services(services)
{
    setObjectName(QStringLiteral("CustomerTabs"));
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("CustomerPage"));
    m_pageLayout = new QVBoxLayout(page);
    m_pageLayout->setContentsMargins(0, 0, 0, 0);
    m_pageLayout->setSpacing(2);

    m_findPanel = new FindPanel;
    m_model = new CustomerGridModel(this);
    m_grid = new CustomerGrid;
    m_grid->setGridModel(m_model);

    m_deleteStrip = new QWidget;
    m_deleteStrip->setObjectName(QStringLiteral("DeleteStrip"));
    auto* strip = new QHBoxLayout(m_deleteStrip);
    strip->setContentsMargins(2, 0, 2, 0);
    m_deleteButton = new QPushButton(QStringLiteral("선택 항목 삭제"));
    m_deleteButton->setObjectName(QStringLiteral("btn_delete"));
    strip->addWidget(m_deleteButton);
    strip->addStretch();

    m_entryPanel = new EntryPanel;

    m_pageLayout->addWidget(m_findPanel);
    m_pageLayout->addWidget(m_grid, 1);
    m_pageLayout->addWidget(m_deleteStrip);
    m_pageLayout->addWidget(m_entryPanel);
    addTab(page, baseCaption());

    // The behaviour of the search panel and of record entry lives in their controllers.
    new SearchController(services, *this);
    new EntryController(services, *this);
}

void CustomerWorkspace::setPrintBar(QWidget* bar)
{
    m_pageLayout->insertWidget(0, bar);
}

void CustomerWorkspace::refreshCustomerList()
{
    LoginContext& ctx = m_services.context();
    Query& list = m_services.db().GoDB;
    if (m_model->query() != &list)
        m_model->setQuery(&list);
    m_model->beginReload();
    try {
        list.close();
        list.clearSql();
        if (ctx.DuplicateMode == 1) {
            list.addLine(QStringLiteral("select * from (select *,count(*) as r_count from (") +
                         ctx.DuplicateSource +
                         QStringLiteral(") as aa group by group_name,name,home_post,home_address) "
                                        "as dd where r_count>1"));
        } else {
            list.addLine(ctx.ListSelect);
            if (!ctx.ListCondition.isEmpty())
                list.addLine(QStringLiteral("Where ") + ctx.ListCondition);
            if (!ctx.ListOrder.isEmpty())
                list.addLine(QStringLiteral("Order by ") + ctx.ListOrder);
        }
        {
            BusyCursor busy;
            list.open();
        }
    } catch (const std::exception&) {
        list.close();
        m_model->endReload();
        m_services.msgDlg(QStringLiteral("검색 조건이 맞지 않습니다."), 0);
        return;
    }
    m_model->endReload();
    setTabText(0, QStringLiteral("%1-[검색=%2명]")
                      .arg(baseCaption(), formatThousands(qint64(list.rowCount()))));
    m_grid->applyColumnLayout();
    if (m_model->rowCount() > 0) {
        int firstVisible = 0;
        while (firstVisible < m_model->columnCount() && m_grid->isColumnHidden(firstVisible))
            ++firstVisible;
        if (firstVisible < m_model->columnCount())
            m_grid->setCurrentIndex(m_model->index(0, firstVisible));
    }
}

void CustomerWorkspace::findDuplicates()
{
    LoginContext& ctx = m_services.context();
    ctx.DuplicateMode = 1;
    ctx.DuplicateSource = m_services.db().GoDB.sqlText();
    m_findPanel->tf_1->setText(m_findPanel->tf_1->text() + QStringLiteral("[중복자료]"));
    refreshCustomerList();
}

void CustomerWorkspace::loadGroupNames()
{
    m_entryPanel->loadGroupNames(m_services.db().Temp_Data, m_services.context().CustomerTable);
}

} // namespace orvel
