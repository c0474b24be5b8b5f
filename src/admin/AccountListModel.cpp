#include "admin/AccountListModel.h"

#include "data/Query.h"

namespace orvel
{

namespace
{

struct ShownColumn {
    const char* field;
    const char* title;
    int width;
};

// The account grid's columns in display order: field, title, width in pixels.
const ShownColumn kShown[] = {
    {"user_id", "아이디", 98},
    {"password", "비밀번호", 130},
    {"name", "사용자명", 78},
    {"level", "레벨", 45},
    {"DB_Host", "DB_Host", 83},
    {"DB_Port", "DB_Port", 57},
    {"DB_DataBase", "DB_DataBase", 100},
    {"DB_UserName", "DB_UserName", 100},
    {"DB_PassWord", "DB_PassWord", 100},
    {"acc_level", "사용권한", 100},
};

} // namespace

AccountListModel::AccountListModel(QObject* parent) : QAbstractTableModel(parent) {}

void AccountListModel::reload(Query& query)
{
    beginResetModel();
    m_query = nullptr;
    m_columns.clear();
    try {
        query.open();
    } catch (...) {
        endResetModel();
        throw;
    }
    m_query = &query;
    buildColumns();
    endResetModel();
}

void AccountListModel::buildColumns()
{
    const std::vector<ColumnInfo>& info = m_query->columns();
    QVector<bool> used(int(info.size()), false);
    for (const ShownColumn& shown : kShown) {
        const QString field = QString::fromLatin1(shown.field);
        // Exact name first, then ignoring case, as the query's own lookup does.
        const int source = m_query->columnIndex(field);
        if (source < 0 || used[source])
            continue;
        used[source] = true;
        m_columns.append({source, info[source].name, QString::fromUtf8(shown.title), shown.width,
                          info[source].numeric});
    }
    for (int i = 0; i < int(info.size()); ++i) {
        if (!used[i])
            m_columns.append({i, info[i].name, info[i].name, 0, info[i].numeric});
    }
}

bool AccountListModel::isShown(int column) const
{
    return column >= 0 && column < m_columns.size() && m_columns[column].width > 0;
}

int AccountListModel::columnWidth(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].width : 0;
}

QString AccountListModel::fieldName(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns[column].field : QString();
}

QString AccountListModel::value(int row, const QString& field) const
{
    if (!m_query || row < 0 || row >= m_query->rowCount())
        return {};
    const int source = m_query->columnIndex(field);
    return source < 0 ? QString() : m_query->text(row, source);
}

int AccountListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_query ? 0 : m_query->rowCount();
}

int AccountListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant AccountListModel::data(const QModelIndex& index, int role) const
{
    if (!m_query || !index.isValid() || index.column() >= m_columns.size())
        return {};
    const ColumnView& c = m_columns[index.column()];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_query->text(index.row(), c.source);
    if (role == Qt::TextAlignmentRole)
        return int((c.numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

QVariant AccountListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_columns[section].title;
}

Qt::ItemFlags AccountListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace orvel
