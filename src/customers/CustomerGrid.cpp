#include "customers/CustomerGrid.h"

#include "customers/CustomerColumns.h"
#include "customers/CustomerGridModel.h"
#include "customers/GridStyle.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace orvel
{

namespace
{

bool isEnterKey(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Fills the focused cell green and selected cells yellow (the focus colour wins); edits
// numbers as plain digits; Enter in a cell editor commits at once and is handed to the
// grid, so the typed text is the cell's value before the grid acts on the key.
class CellDelegate : public QStyledItemDelegate
{
public:
    explicit CellDelegate(CustomerGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        auto* line = qobject_cast<QLineEdit*>(editor);
        const CustomerGridModel* model = m_grid->gridModel();
        if (line && model && model->isNumericColumn(index.column()))
            line->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("-?[0-9]*")), line));
        return editor;
    }

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

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && isEnterKey(static_cast<QKeyEvent*>(event))) {
            auto* editor = qobject_cast<QWidget*>(object);
            if (editor) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                emit m_grid->enterPressed();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    CustomerGrid* m_grid;
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
    if (m_model)
        m_model->setCellEditing(m_cellEditing);
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
    if (m_model)
        m_model->setCellEditing(on);
    // Typing into a cell (or F2) starts editing it; a double click belongs to the record.
    setEditTriggers(on ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}

void CustomerGrid::commitEditor()
{
    if (state() != EditingState)
        return;
    QWidget* editor = QApplication::focusWidget();
    if (editor && viewport()->isAncestorOf(editor)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void CustomerGrid::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (isEnterKey(event) && modifiers == Qt::NoModifier) {
        emit enterPressed();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Down && modifiers == Qt::NoModifier && m_model && m_cellEditing &&
        m_model->isEditable() && currentIndex().isValid() &&
        currentIndex().row() == m_model->rowCount() - 1) {
        // Down typed in a cell editor arrives here: its text counts before the row moves.
        commitEditor();
        emit appendRowRequested();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CustomerGrid::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Down && !event->isAutoRepeat())
        emit downReleased();
    QTableView::keyReleaseEvent(event);
}

void CustomerGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    // A dialog or popup over the window is no move to another control; a cell editor
    // of this grid is none either.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    QWidget* now = QApplication::focusWidget();
    if (now && isAncestorOf(now))
        return;
    emit focusLeft();
}

void CustomerGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit recordDoubleClicked();
}

void CustomerGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (previous.isValid() && (!current.isValid() || current.row() != previous.row()))
        emit rowLeft(previous.row());
}

} // namespace orvel
