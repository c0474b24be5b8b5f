#include "CustomerGridModel.h"

#include "CustomerColumns.h"
#include "GridStyle.h"
#include "Query.h"

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
    buildColumns();
    endResetModel();
}

void CustomerGridModel::beginReload()
{
    beginResetModel();
    m_reloading = true;
}

void CustomerGridModel::endReload()
{
    m_reloading = false;
    buildColumns();
    endResetModel();
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

int CustomerGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_columns.isEmpty())
        return 0;
    return m_query->rowCount();
}

int CustomerGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant CustomerGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return {};
    const ColumnView& c = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
        if (m_query->isNull(index.row(), index.column()))
            return QString();
        if (!c.numeric)
            return m_query->text(index.row(), index.column());
        const QByteArray raw = m_query->rawValue(index.row(), index.column());
        return c.floating ? formatThousands(raw.toDouble()) : formatThousands(raw.toLongLong());
    }
    case Qt::EditRole: {
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

QVariant CustomerGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
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
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

} // namespace orvel
