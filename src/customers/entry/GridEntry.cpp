#include "customers/entry/GridEntry.h"

#include "appcore/MainServices.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "customers/entry/EntryController.h"
#include "customers/entry/EntryStatements.h"
#include "customers/entry/GridRowWriter.h"
#include "customers/entry/TInputF.h"
#include "data/DbError.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"
#include "zipcode/RunZipLookup.h"

#include <QPointer>

namespace orvel
{

namespace
{

using RowState = CustomerGridModel::RowState;

const QString kHomeAddress = QStringLiteral("home_address");
const QString kHomePost = QStringLiteral("home_post");
const QString kOfficeAddress = QStringLiteral("office_address");
const QString kOfficePost = QStringLiteral("office_post");

} // namespace

GridEntry::GridEntry(MainServices& services, CustomerWorkspace& workspace, QObject* parent)
    : QObject(parent), m_services(services), m_grid(*workspace.grid()),
      m_model(*workspace.gridModel())
{
    connect(&m_grid, &CustomerGrid::enterPressed, this,
            [this] { guarded([this] { GridKeyPress(); }); });
    connect(&m_grid, &CustomerGrid::downReleased, this,
            [this] { guarded([this] { GridKeyUp(); }); });
    connect(&m_grid, &CustomerGrid::appendRowRequested, this,
            [this] { guarded([this] { appendRow(); }); });
    connect(&m_grid, &CustomerGrid::rowLeft, this,
            [this](int row) { guarded([this, row] { rowLeft(row); }); });
    connect(&m_grid, &CustomerGrid::focusLeft, this, [this] { guarded([this] { focusLeft(); }); });
    // The grouped duplicate view has no single record behind a row: no entry there.
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] { updateEditable(); });
}

QString GridEntry::duplicateViewText()
{
    return QStringLiteral("중복 자료 보기에서는 자료를 고칠 수 없습니다. 검색초기화 후에 고쳐 "
                          "주십시오.");
}

void GridEntry::updateEditable()
{
    m_model.setRowsEditable(m_services.context().DuplicateMode != 1);
}

int GridEntry::lastColumn() const
{
    for (int c = m_model.columnCount() - 1; c >= 0; --c)
        if (!m_grid.isColumnHidden(c))
            return c;
    return m_model.columnCount() - 1;
}

int GridEntry::nextColumn(int column) const
{
    for (int c = column + 1; c < m_model.columnCount(); ++c)
        if (!m_grid.isColumnHidden(c))
            return c;
    return column;
}

int GridEntry::secondColumn() const
{
    // The first column, no, is hidden: rows start at the second.
    return m_model.columnCount() > 1 ? 1 : 0;
}

void GridEntry::moveTo(int row, int column)
{
    m_grid.setCurrentIndex(m_model.index(row, column));
}

void GridEntry::GridKeyPress()
{
    if (m_grid.cellEditing() && m_services.context().DuplicateMode == 1) {
        m_services.msgDlg(duplicateViewText(), 0);
        return;
    }
    if (!m_grid.cellEditing())
        return;
    if (!m_model.isOpen())
        throw DbError(QStringLiteral("GoDB: 목록이 열려 있지 않아 고칠 수 없습니다."));

    // 1. Into editing, or a new row when the list is empty.
    QModelIndex current = m_grid.currentIndex();
    if (m_model.rowState() != RowState::Inserting) {
        if (m_model.rowCount() == 0) {
            const int row = m_model.startInsert();
            moveTo(row, current.isValid() ? current.column() : secondColumn());
        } else {
            if (!current.isValid()) {
                moveTo(0, secondColumn());
                current = m_grid.currentIndex();
            }
            if (!m_model.beginEdit(current.row()))
                throw DbError(QStringLiteral("GoDB: 다른 행을 저장하는 중입니다."));
        }
    }
    current = m_grid.currentIndex();
    if (!current.isValid() || m_model.rowState() == RowState::Browsing)
        return;
    const int row = current.row();
    const int column = current.column();

    // 2-4. An empty cell is filled by the zip-code lookup or the pick list.
    if (m_model.cellText(row, column).isEmpty()) {
        const QString field = m_model.fieldName(column);
        if (field == kHomeAddress || field == kHomePost)
            zipLookup(row, kHomeAddress, kHomePost);
        else if (field == kOfficeAddress || field == kOfficePost)
            zipLookup(row, kOfficeAddress, kOfficePost);
        else
            pickList(row, column);
    }

    // 5. Move on; the last column saves the row.
    const bool last = column == lastColumn();
    if (m_model.rowState() == RowState::Editing) {
        if (!last) {
            moveTo(row, nextColumn(column));
            return;
        }
        if (!saveRow())
            return;
        moveTo(row + 1 < m_model.rowCount() ? row + 1 : row, secondColumn());
    } else if (m_model.rowState() == RowState::Inserting) {
        if (!last) {
            moveTo(row, nextColumn(column));
            return;
        }
        if (!saveRow())
            return;
        moveTo(m_model.startInsert(), secondColumn());
    }
}

void GridEntry::GridKeyUp()
{
    if (m_services.context().UserLevel != 8 && m_model.rowState() == RowState::Inserting)
        m_model.cancelRow();
}

bool GridEntry::saveRow()
{
    GridRowWriter writer(m_services.db().Temp_Data, m_services.context());
    if (writer.write(m_model))
        return true;
    // The record was deleted meanwhile: say so and keep the typed values.
    m_services.msgDlg(EntryController::recordGoneText(), 0);
    return false;
}

void GridEntry::zipLookup(int row, const QString& addressField, const QString& zipField)
{
    const std::optional<ZipChoice> choice = RunZipLookup(m_services);
    if (!choice)
        return;
    for (int c = 0; c < m_model.columnCount(); ++c) {
        const QString field = m_model.fieldName(c);
        if (field == addressField)
            m_model.setCellText(row, c, choice->address);
        else if (field == zipField)
            m_model.setCellText(row, c, choice->zipCode);
    }
}

void GridEntry::pickList(int row, int column)
{
    const QStringList values =
        EntryStatements(m_services.db().Temp_Data, m_services.context().CustomerTable)
            .columnValues(m_model.fieldName(column));
    const QString title = m_model.headerData(column, Qt::Horizontal).toString();
    QPointer<TInputF> dialog = new TInputF(title, values, m_services.window());
    const int result = dialog->exec();
    if (!dialog)
        return;
    const QString value = dialog->value();
    delete dialog;
    if (result == QDialog::Accepted)
        m_model.setCellText(row, column, value);
}

void GridEntry::appendRow()
{
    if (m_model.rowState() == RowState::Inserting) {
        // On the new row itself: a filled row is saved and the next one started.
        if (!m_model.isModified() || !saveRow())
            return;
    } else if (m_model.rowState() == RowState::Editing) {
        if (!saveRow())
            return;
    }
    const QModelIndex current = m_grid.currentIndex();
    moveTo(m_model.startInsert(), current.isValid() ? current.column() : secondColumn());
}

void GridEntry::rowLeft(int row)
{
    if (m_movingBack || m_model.rowState() == RowState::Browsing || m_model.activeRow() != row)
        return;
    if (m_model.rowState() == RowState::Inserting && !m_model.isModified()) {
        m_model.cancelRow();
        return;
    }
    // Leaving a changed row saves it; when that fails, the cursor goes back to it.
    const int column =
        m_grid.currentIndex().isValid() ? m_grid.currentIndex().column() : secondColumn();
    bool saved = false;
    struct MoveBack {
        GridEntry& entry;
        const bool& saved;
        int row;
        int column;
        ~MoveBack()
        {
            if (saved)
                return;
            entry.m_movingBack = true;
            entry.moveTo(row, column);
            entry.m_movingBack = false;
        }
    } back{*this, saved, row, column};
    saved = saveRow();
}

void GridEntry::focusLeft()
{
    // An untouched new row is dropped when the grid loses the focus.
    if (m_model.rowState() == RowState::Inserting && !m_model.isModified())
        m_model.cancelRow();
}

} // namespace orvel
