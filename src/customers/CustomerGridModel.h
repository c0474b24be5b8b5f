#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QVector>

namespace orvel
{

class Query;

/// Table model over the stored rows of a query: no item per cell, each cell decoded
/// only when the view asks for it.
class CustomerGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit CustomerGridModel(QObject* parent = nullptr);

    /// Binds the model to the query whose result it shows (null shows nothing).
    void setQuery(Query* query);

    /// Call before the query is closed or rebuilt; the model then shows nothing.
    void beginReload();
    /// Call after the query was reopened (or failed to); the model shows its result.
    void endReload();

    Query* query() const { return m_query; }
    /// Field name of a column ("" outside the result).
    QString fieldName(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct ColumnView {
        QString title;
        Qt::Alignment alignment;
        bool numeric = false;
        bool floating = false;
    };
    void buildColumns();

    Query* m_query = nullptr;
    bool m_reloading = false;
    QVector<ColumnView> m_columns;
    QFont m_cellFont;
    QFont m_titleFont;
};

} // namespace orvel
