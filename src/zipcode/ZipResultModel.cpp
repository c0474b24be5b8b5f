#include "zipcode/ZipResultModel.h"

#include "data/Query.h"

namespace orvel
{

namespace
{

const QString kZipCode = QStringLiteral("ZIPCODE");
const QString kZipFind = QStringLiteral("ZIPFIND");

} // namespace

ZipResultModel::ZipResultModel(Query& query, QObject* parent)
    : QAbstractTableModel(parent), m_query(query)
{
}

void ZipResultModel::beginReload()
{
    beginResetModel();
    m_reloading = true;
}

void ZipResultModel::endReload()
{
    m_reloading = false;
    endResetModel();
}

QString ZipResultModel::fieldName(int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    return m_query.columns()[size_t(column)].name;
}

bool ZipResultModel::isHiddenColumn(int column) const
{
    // The user sees the zip code and the address text; every other column is hidden.
    const QString name = fieldName(column);
    return name != kZipCode && name != kZipFind;
}

int ZipResultModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_reloading || !m_query.isOpen())
        return 0;
    return m_query.rowCount();
}

int ZipResultModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid() || m_reloading || !m_query.isOpen())
        return 0;
    return m_query.columnCount();
}

QVariant ZipResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_query.text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (fieldName(index.column()) == kZipCode)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant ZipResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const QString name = fieldName(section);
    if (name == kZipCode)
        return QStringLiteral("우편번호");
    if (name == kZipFind)
        return QStringLiteral("주소");
    return name;
}

} // namespace orvel
