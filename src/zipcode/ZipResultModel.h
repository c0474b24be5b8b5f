#pragma once

#include <QAbstractTableModel>

namespace orvel
{

class Query;

/// The zip-code search result: a table model over the stored rows of the lookup query,
/// titled and aligned for the result grid.
class ZipResultModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ZipResultModel(Query& query, QObject* parent = nullptr);

    /// Call before the query is closed or rebuilt, and after it was reopened.
    void beginReload();
    void endReload();

    /// Whether a column of the result stays hidden in the grid.
    bool isHiddenColumn(int column) const;
    QString fieldName(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    Query& m_query;
    bool m_reloading = false;
};

} // namespace orvel
