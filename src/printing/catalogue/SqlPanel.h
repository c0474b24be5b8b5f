#pragma once

#include <QGroupBox>
#include <QStringList>

class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace orvel
{

class Query;

/// The catalogue's "SQL" panel: a statement box, "SQL 생성" and a table chooser with a
/// check list of the chosen table's columns.
class SqlPanel : public QGroupBox
{
    Q_OBJECT

public:
    /// Column names are read through query (the customer connection's scratch query).
    explicit SqlPanel(Query& query, QWidget* parent = nullptr);

    /// The chooser's entries: display names and, at the same positions, table names.
    static const QStringList& tableTitles();
    static const QStringList& tableNames();

    /// "SELECT " + the ticked columns joined by "," (or " * " when none is ticked)
    /// + " FROM &" + the table.
    static QString composeStatement(const QStringList& columns, const QString& table);

    QString statement() const;
    void setStatement(const QString& text);
    /// Clears the chooser's choice and the statement; the column list keeps its entries.
    void clearChoice();
    /// The table of the chooser's entry, "" when none is chosen.
    QString chosenTable() const;
    QStringList tickedColumns() const;

    QPlainTextEdit* statementEdit() const { return m_statement; }
    QPushButton* composeButton() const { return m_compose; }
    QComboBox* tableChooser() const { return m_tables; }
    QListWidget* columnList() const { return m_columns; }

private:
    void chooseTable(int index);
    void compose();

    Query& m_query;
    QPlainTextEdit* m_statement;
    QPushButton* m_compose;
    QComboBox* m_tables;
    QListWidget* m_columns;
};

} // namespace orvel
