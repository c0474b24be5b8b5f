#pragma once

// Table model of the account grid over the member list query's stored rows.

#include <QAbstractTableModel>
#include <QVector>

namespace orvel
{

class Query;

/// Shows a member-table result with the account grid's columns first, in their order and
/// with their titles and widths, followed by every other column of the result (which the
/// grid hides). Cells are decoded only when the view asks for them.
class AccountListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit AccountListModel(QObject* parent = nullptr);

    /// Re-runs the query's select and shows its rows. The model is empty while the query
    /// runs; a failure is passed on and leaves the model empty.
    void reload(Query& query);

    /// Whether a model column is one the grid shows, and the width it gets.
    bool isShown(int column) const;
    int columnWidth(int column) const;
    /// The result column a model column shows ("" outside the result).
    QString fieldName(int column) const;
    /// A row's value of a result column by name, decoded ("" when missing or NULL).
    QString value(int row, const QString& field) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct ColumnView {
        int source = -1; // column of the result
        QString field;
        QString title;
        int width = 0; // 0: hidden
        bool numeric = false;
    };
    void buildColumns();

    Query* m_query = nullptr;
    QVector<ColumnView> m_columns;
};

} // namespace orvel
