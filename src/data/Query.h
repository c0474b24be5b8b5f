#pragma once

#include "data/Connection.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

struct st_mysql_res;

namespace orvel
{

/// How a result column is typed, from the result metadata.
enum class ColumnKind { SmallInt, Integer, Float, Date, Boolean, Other };

/// One column of a result.
struct ColumnInfo {
    QString name;
    int mysqlType = 0; // enum_field_types of the C API
    ColumnKind kind = ColumnKind::Other;
    bool numeric = false; // any numeric type, 64-bit counts included
    unsigned long length = 0;
};

/// One statement and its last result, on one connection.
///
/// The statement is kept as lines, joined with "\r\n" when sent. Named parameters
/// (":a1" ... ":f1") are substituted as escaped literals. open() stores all rows of
/// the result; cells are decoded from CP949 only when read.
class Query
{
public:
    explicit Query(Connection& connection, QString name = {});
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    QString name() const { return m_name; }
    Connection& connection() const { return m_connection; }

    // --- statement ---
    void clearSql();
    void addLine(const QString& line);
    void setSql(const QString& text); // one or more lines, as given
    QStringList lines() const { return m_lines; }
    /// The statement as text: every line followed by "\r\n".
    QString sqlText() const;
    /// The statement as sent: the lines joined with "\r\n".
    QString statement() const { return m_lines.join(QStringLiteral("\r\n")); }

    // --- parameters (kept until the statement is cleared) ---
    void setParam(const QString& name, const QString& value);
    void setParam(const QString& name, qint64 value);
    void setParam(const QString& name, int value) { setParam(name, qint64(value)); }
    void setParam(const QString& name, const QDateTime& value);
    void setNullParam(const QString& name);
    /// Takes another query's statement lines and parameter values (printing reruns the
    /// list's statement so).
    void copyStatementFrom(const Query& other);

    // --- running ---
    /// Runs a select and stores all its rows; positions on the first row.
    void open();
    /// Runs a statement that returns no rows; returns the affected row count.
    qint64 exec();
    /// Discards the result.
    void close();
    bool isOpen() const { return m_result != nullptr; }
    qint64 affectedRows() const { return m_affected; }
    qint64 lastInsertId() const { return m_insertId; }

    // --- result ---
    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return int(m_columns.size()); }
    const std::vector<ColumnInfo>& columns() const { return m_columns; }
    QStringList columnNames() const;
    /// Index of a column by name (exact match first, then ignoring case); -1 if none.
    int columnIndex(const QString& name) const;

    int currentRow() const { return m_current; }
    bool eof() const { return m_current >= rowCount(); }
    void next();
    void first() { m_current = 0; }
    /// Moves to a row; throws DbError when the row does not exist.
    void seek(int row);

    /// Field of the current row by column name; throws DbError when the column is missing
    /// or there is no current row. NULL reads "" / 0 / invalid date.
    QString fieldAsString(const QString& column) const;
    qint64 fieldAsInt(const QString& column) const;
    QDateTime fieldAsDateTime(const QString& column) const;

    // --- random access for grids (no exceptions) ---
    bool isNull(int row, int column) const;
    QByteArray rawValue(int row, int column) const; // CP949 bytes as stored
    QString text(int row, int column) const;        // decoded; NULL gives ""
    QVariant value(int row, int column) const;      // typed by the column kind

private:
    QByteArray renderStatement();
    int requireColumn(const QString& column) const;
    void requireRow() const;
    const char* cell(int row, int column, unsigned long* length) const;

    Connection& m_connection;
    QString m_name;
    QStringList m_lines;
    QHash<QString, QVariant> m_paramValues; // lower-case name -> value (invalid = NULL)

    st_mysql_res* m_result = nullptr;
    std::vector<ColumnInfo> m_columns;
    std::vector<char**> m_rows; // the client library's stored rows, indexed once
    int m_current = 0;
    qint64 m_affected = 0;
    qint64 m_insertId = 0;
};

} // namespace orvel
