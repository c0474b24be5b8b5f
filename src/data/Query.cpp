#include "data/Query.h"

#include "data/Cp949.h"
#include "data/DbError.h"
#include "data/SqlText.h"

#include <mysql.h>

namespace orvel
{

namespace
{

// Column kinds by the result metadata's type (the search dialog picks its operators and
// value editor by them):
//   SmallInt: TINYINT wider than one digit, SMALLINT, YEAR   (customer DM_Check smallint)
//   Integer:  MEDIUMINT, INT                                 (customer no int)
//   Float:    FLOAT, DOUBLE, DECIMAL
//   Date:     DATE, DATETIME, TIMESTAMP
//   Boolean:  TINYINT(1) (BOOL) and BIT(1)
//   Other:    BIGINT (the duplicate view's count r_count), BIT wider than 1, TIME, CHAR,
//             VARCHAR, TEXT, BLOB, ENUM, SET and every other type
ColumnKind kindOf(const MYSQL_FIELD& f)
{
    switch (f.type) {
    case MYSQL_TYPE_TINY:
        return f.length == 1 ? ColumnKind::Boolean : ColumnKind::SmallInt;
    case MYSQL_TYPE_BIT:
        return f.length == 1 ? ColumnKind::Boolean : ColumnKind::Other;
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_YEAR:
        return ColumnKind::SmallInt;
    case MYSQL_TYPE_INT24:
    case MYSQL_TYPE_LONG:
        return ColumnKind::Integer;
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
        return ColumnKind::Float;
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE:
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
        return ColumnKind::Date;
    default:
        // 64-bit integers (counts), text, blobs, times and the rest.
        return ColumnKind::Other;
    }
}

bool isNumericType(int type)
{
    switch (type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_INT24:
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_LONGLONG:
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
    case MYSQL_TYPE_YEAR:
        return true;
    default:
        return false;
    }
}

QDateTime parseDateTime(const QString& text)
{
    if (text.isEmpty() || text.startsWith(QLatin1String("0000-00-00")))
        return {};
    QDateTime dt = QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    return dt;
}

QString key(const QString& name)
{
    QString k = name.toLower();
    if (k.startsWith(QLatin1Char(':')))
        k.remove(0, 1);
    return k;
}

void drainResults(MYSQL* mysql)
{
    while (mysql_more_results(mysql) && mysql_next_result(mysql) == 0) {
        if (MYSQL_RES* extra = mysql_store_result(mysql))
            mysql_free_result(extra);
    }
}

} // namespace

Query::Query(Connection& connection, QString name)
    : m_connection(connection), m_name(std::move(name))
{
}

Query::~Query()
{
    close();
}

void Query::clearSql()
{
    m_lines.clear();
    m_paramValues.clear();
}

void Query::addLine(const QString& line)
{
    m_lines.append(line);
}

void Query::copyStatementFrom(const Query& other)
{
    m_lines = other.m_lines;
    m_paramValues = other.m_paramValues;
}

void Query::setSql(const QString& text)
{
    clearSql();
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_lines = t.split(QLatin1Char('\n'));
    if (!m_lines.isEmpty() && m_lines.last().isEmpty() && text.endsWith(QLatin1Char('\n')))
        m_lines.removeLast();
}

QString Query::sqlText() const
{
    QString text;
    for (const QString& line : m_lines)
        text += line + QLatin1String("\r\n");
    return text;
}

void Query::setParam(const QString& name, const QString& value)
{
    QVariant v = value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
    m_paramValues.insert(key(name), v);
}

void Query::setParam(const QString& name, qint64 value)
{
    m_paramValues.insert(key(name), QVariant(value));
}

void Query::setParam(const QString& name, const QDateTime& value)
{
    m_paramValues.insert(key(name), QVariant(value));
}

void Query::setNullParam(const QString& name)
{
    m_paramValues.insert(key(name), QVariant());
}

QByteArray Query::renderStatement()
{
    QByteArray out;
    for (const sql::Piece& piece : sql::splitParameters(statement())) {
        if (!piece.isParameter) {
            out += cp949::encode(piece.text);
            continue;
        }
        const auto it = m_paramValues.constFind(key(piece.text));
        if (it == m_paramValues.constEnd())
            throw DbError(QStringLiteral("Parameter :%1 has no value").arg(piece.text));
        const QVariant& v = *it;
        if (!v.isValid()) {
            out += "NULL";
        } else if (v.typeId() == QMetaType::LongLong) {
            out += QByteArray::number(v.toLongLong());
        } else if (v.typeId() == QMetaType::QDateTime) {
            const QDateTime dt = v.toDateTime();
            out += dt.isValid()
                       ? "'" + dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1() + "'"
                       : QByteArray("NULL");
        } else {
            out += '\'' + m_connection.escape(cp949::encode(v.toString())) + '\'';
        }
    }
    return out;
}

void Query::close()
{
    if (m_result) {
        mysql_free_result(m_result);
        m_result = nullptr;
    }
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_columns.clear();
    m_current = 0;
}

void Query::open()
{
    close();
    const QByteArray statementBytes = renderStatement();
    m_connection.run(statementBytes);
    MYSQL* mysql = m_connection.handle();
    MYSQL_RES* result = mysql_store_result(mysql);
    if (!result) {
        if (mysql_field_count(mysql) != 0)
            m_connection.fail();
        drainResults(mysql);
        throw DbError(QStringLiteral("%1: the statement returned no rows to open").arg(m_name));
    }
    drainResults(mysql);

    const unsigned int fieldCount = mysql_num_fields(result);
    const MYSQL_FIELD* fields = mysql_fetch_fields(result);
    m_columns.reserve(fieldCount);
    for (unsigned int i = 0; i < fieldCount; ++i) {
        ColumnInfo c;
        c.name = cp949::decode(fields[i].name, qsizetype(fields[i].name_length));
        c.mysqlType = fields[i].type;
        c.kind = kindOf(fields[i]);
        c.numeric = isNumericType(fields[i].type);
        c.length = fields[i].length;
        m_columns.push_back(std::move(c));
    }

    // Index the stored rows once so any row is reached directly; cells stay as the
    // client library stored them until they are read.
    m_rows.reserve(size_t(mysql_num_rows(result)));
    while (MYSQL_ROW row = mysql_fetch_row(result))
        m_rows.push_back(row);
    m_result = result;
    m_current = 0;
    m_affected = qint64(m_rows.size());
}

qint64 Query::exec()
{
    close();
    const QByteArray statementBytes = renderStatement();
    m_connection.run(statementBytes);
    MYSQL* mysql = m_connection.handle();
    if (MYSQL_RES* result = mysql_store_result(mysql))
        mysql_free_result(result);
    else if (mysql_field_count(mysql) != 0)
        m_connection.fail();
    m_affected = qint64(mysql_affected_rows(mysql));
    m_insertId = qint64(mysql_insert_id(mysql));
    drainResults(mysql);
    return m_affected;
}

QStringList Query::columnNames() const
{
    QStringList names;
    names.reserve(columnCount());
    for (const ColumnInfo& c : m_columns)
        names.append(c.name);
    return names;
}

int Query::columnIndex(const QString& name) const
{
    for (int i = 0; i < columnCount(); ++i) {
        if (m_columns[size_t(i)].name == name)
            return i;
    }
    for (int i = 0; i < columnCount(); ++i) {
        if (m_columns[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void Query::next()
{
    if (m_current < rowCount())
        ++m_current;
}

void Query::seek(int row)
{
    if (row < 0 || row >= rowCount())
        throw DbError(QStringLiteral("%1: row %2 does not exist").arg(m_name).arg(row + 1));
    m_current = row;
}

int Query::requireColumn(const QString& column) const
{
    const int index = columnIndex(column);
    if (index < 0)
        throw DbError(QStringLiteral("%1: Field '%2' not found").arg(m_name, column));
    return index;
}

void Query::requireRow() const
{
    if (!isOpen())
        throw DbError(QStringLiteral("%1: Operation not allowed on a closed dataset").arg(m_name));
    if (eof())
        throw DbError(QStringLiteral("%1: no current row").arg(m_name));
}

QString Query::fieldAsString(const QString& column) const
{
    const int c = requireColumn(column);
    requireRow();
    return text(m_current, c);
}

qint64 Query::fieldAsInt(const QString& column) const
{
    const int c = requireColumn(column);
    requireRow();
    const QByteArray raw = rawValue(m_current, c).trimmed();
    if (raw.isEmpty())
        return 0;
    bool ok = false;
    const qint64 v = raw.toLongLong(&ok);
    if (ok)
        return v;
    const double d = raw.toDouble(&ok);
    if (ok)
        return qint64(d);
    throw DbError(
        QStringLiteral("%1: '%2' is not a valid integer").arg(m_name, text(m_current, c)));
}

QDateTime Query::fieldAsDateTime(const QString& column) const
{
    const int c = requireColumn(column);
    requireRow();
    return parseDateTime(text(m_current, c));
}

const char* Query::cell(int row, int column, unsigned long* length) const
{
    *length = 0;
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    char** r = m_rows[size_t(row)];
    const char* start = r[column];
    if (!start)
        return nullptr;
    // Stored rows keep their cells back to back, each followed by a terminating zero,
    // and one more pointer marks the end of the last cell.
    for (int next = column + 1; next <= columnCount(); ++next) {
        if (r[next]) {
            *length = static_cast<unsigned long>(r[next] - start - 1);
            return start;
        }
    }
    *length = static_cast<unsigned long>(strlen(start));
    return start;
}

bool Query::isNull(int row, int column) const
{
    unsigned long length = 0;
    return cell(row, column, &length) == nullptr;
}

QByteArray Query::rawValue(int row, int column) const
{
    unsigned long length = 0;
    const char* data = cell(row, column, &length);
    return data ? QByteArray(data, qsizetype(length)) : QByteArray();
}

QString Query::text(int row, int column) const
{
    unsigned long length = 0;
    const char* data = cell(row, column, &length);
    return data ? cp949::decode(data, qsizetype(length)) : QString(QLatin1String(""));
}

QVariant Query::value(int row, int column) const
{
    unsigned long length = 0;
    const char* data = cell(row, column, &length);
    if (!data)
        return {};
    const ColumnInfo& info = m_columns[size_t(column)];
    const QByteArray raw = QByteArray::fromRawData(data, qsizetype(length));
    switch (info.kind) {
    case ColumnKind::Float:
        return raw.toDouble();
    case ColumnKind::Date:
        return parseDateTime(QString::fromLatin1(raw));
    default:
        break;
    }
    if (info.numeric)
        return raw.toLongLong();
    return cp949::decode(data, qsizetype(length));
}

} // namespace orvel
