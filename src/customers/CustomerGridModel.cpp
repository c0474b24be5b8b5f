#include "customers/CustomerGridModel.h"

#include "customers/CustomerColumns.h"
#include "customers/GridStyle.h"
#include "data/DbError.h"
#include "data/Query.h"

#include <cmath>

namespace orvel
{

CustomerGridModel::CustomerGridModel(QObject* parent)
    : QAbstractTableModel(parent), m_cellFont(gridstyle::cellFont()),
      m_titleFont(gridstyle::titleFont())
{
    buildColumns();
}

void CustomerGridModel::setQuery(Query* query)
{
    beginResetModel();
    m_query = query;
    clearEntry();
    buildColumns();
    endResetModel();
}

void CustomerGridModel::beginReload()
{
    beginResetModel();
    m_reloading = true;
    clearEntry();
}

void CustomerGridModel::endReload()
{
    m_reloading = false;
    clearEntry();
    buildColumns();
    endResetModel();
}

void CustomerGridModel::clearEntry()
{
    m_state = RowState::Browsing;
    m_activeRow = -1;
    m_pending.clear();
    m_savedRows.clear();
    m_appendedRows.clear();
}

void CustomerGridModel::buildColumns()
{
    m_columns.clear();
    if (m_reloading || !m_query || !m_query->isOpen())
        return;
    m_columns.reserve(m_query->columnCount());
    for (const ColumnInfo& info : m_query->columns()) {
        ColumnView c;
        const CustomerColumn* known = findCustomerColumn(info.name);
        c.title = known ? QString::fromUtf8(known->title) : info.name;
        c.numeric = info.numeric;
        c.floating = info.kind == ColumnKind::Float;
        if (known && known->centred)
            c.alignment = Qt::AlignCenter;
        else
            c.alignment = (info.numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        m_columns.append(c);
    }
}

QString CustomerGridModel::fieldName(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return {};
    return m_query->columns()[size_t(column)].name;
}

int CustomerGridModel::columnOf(const QString& field) const
{
    return isOpen() ? m_query->columnIndex(field) : -1;
}

bool CustomerGridModel::isNumericColumn(int column) const
{
    return column >= 0 && column < m_columns.size() && m_columns[column].numeric;
}

int CustomerGridModel::queryRows() const
{
    return m_columns.isEmpty() ? 0 : m_query->rowCount();
}

int CustomerGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_columns.isEmpty())
        return 0;
    return m_query->rowCount() + int(m_appendedRows.size()) +
           (m_state == RowState::Inserting ? 1 : 0);
}

int CustomerGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

// --- in-cell entry ---

void CustomerGridModel::setCellEditing(bool on)
{
    m_cellEditing = on;
}

void CustomerGridModel::setRowsEditable(bool on)
{
    m_rowsEditable = on;
}

bool CustomerGridModel::beginEdit(int row)
{
    if (m_state != RowState::Browsing)
        return m_activeRow == row;
    if (row < 0 || row >= rowCount())
        return false;
    m_state = RowState::Editing;
    m_activeRow = row;
    m_pending.clear();
    return true;
}

int CustomerGridModel::startInsert()
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    m_state = RowState::Inserting;
    m_activeRow = row;
    m_pending.clear();
    endInsertRows();
    return row;
}

void CustomerGridModel::cancelRow()
{
    if (m_state == RowState::Inserting) {
        // The row stops being active before the view hears of its removal, so moving
        // the current cell off it is not taken for leaving (and saving) it.
        const int row = m_activeRow;
        m_activeRow = -1;
        m_pending.clear();
        beginRemoveRows({}, row, row);
        m_state = RowState::Browsing;
        endRemoveRows();
        return;
    }
    if (m_state == RowState::Editing) {
        const int row = m_activeRow;
        m_state = RowState::Browsing;
        m_activeRow = -1;
        m_pending.clear();
        if (row >= 0 && !m_columns.isEmpty())
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

void CustomerGridModel::rowSaved(const QHash<int, QString>& stored)
{
    if (m_state == RowState::Browsing)
        return;
    QHash<int, QString> values = m_pending;
    for (auto it = stored.begin(); it != stored.end(); ++it)
        values.insert(it.key(), it.value());
    const int row = m_activeRow;
    if (m_state == RowState::Inserting) {
        // The new row keeps its place as the last saved row after the stored ones.
        m_appendedRows.append(values);
    } else if (row >= queryRows()) {
        QHash<int, QString>& saved = m_appendedRows[row - queryRows()];
        for (auto it = values.begin(); it != values.end(); ++it)
            saved.insert(it.key(), it.value());
    } else {
        QHash<int, QString>& saved = m_savedRows[row];
        for (auto it = values.begin(); it != values.end(); ++it)
            saved.insert(it.key(), it.value());
    }
    m_state = RowState::Browsing;
    m_activeRow = -1;
    m_pending.clear();
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

const QString* CustomerGridModel::overrideFor(int row, int column) const
{
    if (m_state != RowState::Browsing && row == m_activeRow) {
        auto it = m_pending.constFind(column);
        if (it != m_pending.constEnd())
            return &it.value();
    }
    const int stored = m_query->rowCount();
    if (row >= stored) {
        const int appended = row - stored;
        if (appended < m_appendedRows.size()) {
            auto it = m_appendedRows[appended].constFind(column);
            if (it != m_appendedRows[appended].constEnd())
                return &it.value();
        }
        return nullptr;
    }
    if (!m_savedRows.empty()) {
        auto saved = m_savedRows.find(row);
        if (saved != m_savedRows.end()) {
            auto it = saved->second.constFind(column);
            if (it != saved->second.constEnd())
                return &it.value();
        }
    }
    return nullptr;
}

QString CustomerGridModel::cellText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    if (const QString* o = overrideFor(row, column))
        return *o;
    if (row >= m_query->rowCount())
        return {};
    return data(index(row, column), Qt::EditRole).toString();
}

QString CustomerGridModel::fieldText(int row, const QString& field) const
{
    const int column = columnOf(field);
    if (column < 0)
        throw DbError(QStringLiteral("%1: Field '%2' not found")
                          .arg(m_query ? m_query->name() : QString(), field));
    if (row < 0 || row >= rowCount())
        throw DbError(
            QStringLiteral("%1: row %2 does not exist").arg(m_query->name()).arg(row + 1));
    return cellText(row, column);
}

bool CustomerGridModel::acceptsText(int column, const QString& text) const
{
    if (!isNumericColumn(column) || text.trimmed().isEmpty())
        return true;
    bool ok = false;
    if (m_columns[column].floating)
        text.trimmed().toDouble(&ok);
    else
        text.trimmed().toLongLong(&ok);
    return ok;
}

void CustomerGridModel::setCellText(int row, int column, const QString& text)
{
    if (column < 0 || column >= columnCount())
        throw DbError(QStringLiteral("No column %1 in the list").arg(column + 1));
    if (!acceptsText(column, text))
        throw DbError(QStringLiteral("'%1'은(는) 올바른 숫자가 아닙니다.").arg(text));
    if (!beginEdit(row))
        throw DbError(QStringLiteral("The list is saving another row"));
    m_pending.insert(column, text);
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell);
}

QVariant CustomerGridModel::displayText(const ColumnView& c, const QString& text) const
{
    if (!c.numeric || text.trimmed().isEmpty())
        return text;
    bool ok = false;
    if (c.floating) {
        const double v = text.trimmed().toDouble(&ok);
        return ok ? formatThousands(v) : text;
    }
    const qint64 v = text.trimmed().toLongLong(&ok);
    return ok ? formatThousands(v) : text;
}

QVariant CustomerGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return {};
    const ColumnView& c = m_columns[index.column()];
    const bool entry =
        m_state != RowState::Browsing || !m_savedRows.empty() || !m_appendedRows.isEmpty();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
        if (entry) {
            if (const QString* o = overrideFor(index.row(), index.column()))
                return displayText(c, *o);
            if (index.row() >= m_query->rowCount())
                return QString();
        }
        if (m_query->isNull(index.row(), index.column()))
            return QString();
        if (!c.numeric)
            return m_query->text(index.row(), index.column());
        const QByteArray raw = m_query->rawValue(index.row(), index.column());
        return c.floating ? formatThousands(raw.toDouble()) : formatThousands(raw.toLongLong());
    }
    case Qt::EditRole: {
        if (entry) {
            if (const QString* o = overrideFor(index.row(), index.column()))
                return *o;
            if (index.row() >= m_query->rowCount())
                return QString();
        }
        if (!c.numeric)
            return m_query->text(index.row(), index.column());
        if (m_query->isNull(index.row(), index.column()))
            return QString();
        const QByteArray raw = m_query->rawValue(index.row(), index.column());
        // "#0": the plain number, no separators, no decimals.
        return c.floating ? QString::number(qint64(std::llround(raw.toDouble())))
                          : QString::number(raw.toLongLong());
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(c.alignment);
    case Qt::FontRole:
        return m_cellFont;
    case Qt::ForegroundRole:
        return gridstyle::cellText();
    case Qt::BackgroundRole:
        return gridstyle::cellBackground();
    default:
        return {};
    }
}

bool CustomerGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    // Called by the cell editor; a refused value leaves the cell as it was.
    if (role != Qt::EditRole || !index.isValid() || !isEditable())
        return false;
    const QString text = value.toString();
    if (text == cellText(index.row(), index.column()))
        return true;
    if (!acceptsText(index.column(), text) || !beginEdit(index.row()))
        return false;
    m_pending.insert(index.column(), text);
    emit dataChanged(index, index);
    return true;
}

QVariant CustomerGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role != Qt::DisplayRole)
            return {};
        // The row indicator marks the row being entered.
        if (m_state == RowState::Inserting && section == m_activeRow)
            return QStringLiteral("*");
        return QString();
    }
    if (section < 0 || section >= m_columns.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_columns[section].title;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::FontRole:
        return m_titleFont;
    case Qt::ForegroundRole:
        return gridstyle::titleText();
    case Qt::BackgroundRole:
        return gridstyle::titleBackground();
    default:
        return {};
    }
}

Qt::ItemFlags CustomerGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (isEditable())
        f |= Qt::ItemIsEditable;
    return f;
}

} // namespace orvel
