#include "CustomerGrid.h"

#include "CustomerColumns.h"
#include "CustomerGridModel.h"
#include "GridStyle.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace orvel
{

namespace
{

// Fills the focused cell green and selected cells yellow; the focus colour wins.
class CellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* opt, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(opt, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(opt->widget);
        const bool focused = view && view->currentIndex() == index;
        const bool selected = opt->state & QStyle::State_Selected;
        if (focused || selected) {
            opt->backgroundBrush = focused ? gridstyle::focusedCell() : gridstyle::selectedCell();
            opt->palette.setColor(QPalette::Text, gridstyle::cellText());
        }
        opt->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }
};

} // namespace

CustomerGrid::CustomerGrid(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("CustomerGrid"));
    setAccessibleName(QStringLiteral("고객자료"));
    setFrameShape(QFrame::NoFrame);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new CellDelegate(this));

    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(19);
    rows->setFixedWidth(12);
    QHeaderView* titles = horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setDefaultSectionSize(DefaultColumnWidth);
    titles->setHighlightSections(false);
    titles->setSectionsClickable(true);

    // Title row and row indicator colours; the selection stays visible without focus.
    setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(91,142,210); color: white; "
                       "border: 1px solid rgb(70,110,170); padding: 1px; }"
                       "QTableView { background: white; gridline-color: rgb(192,192,192); "
                       "selection-background-color: yellow; selection-color: rgb(0,0,2); }"
                       "QTableView:!active { selection-background-color: yellow; }"));
}

void CustomerGrid::setGridModel(CustomerGridModel* model)
{
    m_model = model;
    setModel(model);
}

void CustomerGrid::applyColumnLayout()
{
    if (!m_model)
        return;
    QHeaderView* titles = horizontalHeader();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const CustomerColumn* known = findCustomerColumn(m_model->fieldName(c));
        const int width = known && known->width > 0 ? known->width : DefaultColumnWidth;
        titles->resizeSection(c, width);
        setColumnHidden(c, known && known->hidden);
    }
}

void CustomerGrid::setCellEditing(bool on)
{
    m_cellEditing = on;
}

} // namespace orvel
