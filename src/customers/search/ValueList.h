#pragma once

#include <QString>
#include <QStringList>

namespace orvel
{

class Query;

/// Loads the value list of the search dialog: the distinct values of one column among
/// the rows the current search condition leaves, in ascending order.
class ValueList
{
public:
    /// Sets the query's statement and opens it (the query stays open with the values);
    /// a NULL value gives an empty entry. Throws DbError when the server refuses, for
    /// example when the column is not in the base select.
    static QStringList load(Query& query, const QString& listSelect, const QString& condition,
                            const QString& field);

    /// The statement's lines, as load() sets them.
    static QStringList statement(const QString& listSelect, const QString& condition,
                                 const QString& field);
};

} // namespace orvel
