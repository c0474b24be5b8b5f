#include "customers/search/ValueList.h"

#include "data/Query.h"
#include "data/SqlText.h"

namespace orvel
{

QStringList ValueList::statement(const QString& listSelect, const QString& condition,
                                 const QString& field)
{
    // The base select is wrapped rather than grouped so the server only sorts the one
    // column (it merges the inner select into the outer one); a column the base select
    // lacks fails here just as it would in a group by over the base select.
    const QString column = sql::quoteIdentifier(field);
    QStringList lines{QStringLiteral("select distinct ") + column + QStringLiteral(" from ("),
                      listSelect};
    if (!condition.isEmpty())
        lines.append(QStringLiteral(" Where ") + condition);
    lines.append(QStringLiteral(") as value_list order by ") + column);
    return lines;
}

QStringList ValueList::load(Query& query, const QString& listSelect, const QString& condition,
                            const QString& field)
{
    query.close();
    query.clearSql();
    for (const QString& line : statement(listSelect, condition, field))
        query.addLine(line);
    query.open();
    QStringList values;
    values.reserve(query.rowCount());
    for (int row = 0; row < query.rowCount(); ++row)
        values.append(query.text(row, 0));
    return values;
}

} // namespace orvel
