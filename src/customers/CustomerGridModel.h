#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QHash>
#include <QVector>
#include <unordered_map>

namespace orvel
{

class Query;

/// Table model over the stored rows of a query: no item per cell, each cell decoded
/// only when the view asks for it. For in-cell entry it keeps one active row (an edited
/// stored row or a new row shown after the last one) with its typed values, and the
/// values of rows saved since the last reload, which the stored result cannot hold.
class CustomerGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    /// What the active row is doing.
    enum class RowState { Browsing, Editing, Inserting };

    explicit CustomerGridModel(QObject* parent = nullptr);

    /// Binds the model to the query whose result it shows (null shows nothing).
    void setQuery(Query* query);

    /// Call before the query is closed or rebuilt; the model then shows nothing.
    void beginReload();
    /// Call after the query was reopened (or failed to); the model shows its result.
    void endReload();

    Query* query() const { return m_query; }
    /// True when the model shows an open result.
    bool isOpen() const { return !m_columns.isEmpty(); }
    /// Field name of a column ("" outside the result).
    QString fieldName(int column) const;
    /// Column of a field (exact name first, then ignoring case); -1 when missing.
    int columnOf(const QString& field) const;
    bool isNumericColumn(int column) const;

    // --- in-cell entry ---
    /// Whether cells may be edited at all (switched on at workspace entry).
    void setCellEditing(bool on);
    /// Whether the rows shown may be edited (not in a grouped view).
    void setRowsEditable(bool on);
    bool isEditable() const { return m_cellEditing && m_rowsEditable; }

    RowState rowState() const { return m_state; }
    /// The edited or new row; -1 while browsing.
    int activeRow() const { return m_state == RowState::Browsing ? -1 : m_activeRow; }
    /// True once a value of the active row was set.
    bool isModified() const { return !m_pending.isEmpty(); }
    /// Typed values of the active row by column.
    const QHash<int, QString>& pendingValues() const { return m_pending; }

    /// Puts a row into editing; does nothing when that row is already active.
    /// Returns false when another row is active.
    bool beginEdit(int row);
    /// Appends a new row after the last one and makes it active; returns its row.
    int startInsert();
    /// Drops the active row's typed values; a new row disappears.
    void cancelRow();
    /// The active row was written: its values (with `stored`, the values the database
    /// assigned, such as the record number) stay shown and the row is browsed again.
    void rowSaved(const QHash<int, QString>& stored);

    /// A cell as text, typed and saved values included; "" outside the rows.
    QString cellText(int row, int column) const;
    /// A field of a row as text; throws DbError when the column or the row is missing.
    QString fieldText(int row, const QString& field) const;
    /// Sets a cell of the active row (a browsed row goes into editing first). Throws
    /// DbError for a text that is not a number in a numeric column, or when another row
    /// is active.
    void setCellText(int row, int column, const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
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
    void clearEntry();
    int queryRows() const;
    /// The typed or saved text of a cell, or null when the stored value applies.
    const QString* overrideFor(int row, int column) const;
    QVariant displayText(const ColumnView& c, const QString& text) const;
    bool acceptsText(int column, const QString& text) const;

    Query* m_query = nullptr;
    bool m_reloading = false;
    QVector<ColumnView> m_columns;
    QFont m_cellFont;
    QFont m_titleFont;

    bool m_cellEditing = false;
    bool m_rowsEditable = true;
    RowState m_state = RowState::Browsing;
    int m_activeRow = -1;
    QHash<int, QString> m_pending;
    // Saved since the reload: edited stored rows, and new rows after the stored ones.
    std::unordered_map<int, QHash<int, QString>> m_savedRows;
    QVector<QHash<int, QString>> m_appendedRows;
};

} // namespace orvel
