#pragma once

// The statements that record entry sends to the customer table.

#include <QStringList>

namespace orvel
{

class Query;

/// The customer-table columns of the entry fields in1 ... in15, in field order.
const QStringList& entryColumns();

/// The statements of record entry, run on one scratch query against one customer table.
class EntryStatements
{
public:
    EntryStatements(Query& query, QString customerTable);

    /// True when a record with these group, name, home zip code and home address exists.
    bool duplicateExists(const QString& group, const QString& name, const QString& homePost,
                         const QString& homeAddress);
    /// Inserts a record: the user id, the fifteen field texts, the DM mark 1.
    void insertRecord(const QString& userId, const QStringList& fields);
    /// Updates record `no`; returns the affected row count (0 also when nothing changed).
    qint64 updateRecord(const QString& userId, const QStringList& fields, qint64 no);
    /// Deletes record `no`.
    void deleteRecord(qint64 no);
    /// True when record `no` is stored.
    bool recordExists(qint64 no);
    /// Every distinct value of a column, in ascending order.
    QStringList columnValues(const QString& field);

private:
    void begin();
    QString table() const;

    Query& m_query;
    QString m_table;
};

} // namespace orvel
