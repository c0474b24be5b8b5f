#include "customers/entry/EntryStatements.h"

#include "data/Query.h"
#include "data/SqlText.h"

namespace orvel
{

const QStringList& entryColumns()
{
    static const QStringList columns{"group_name", "name",        "home_post",     "home_address",
                                     "home_tel",   "handphone",   "jumin",         "email",
                                     "homepage",   "Office_Name", "office_post",   "office_address",
                                     "office_tel", "office_fax",  "Member_Comment"};
    return columns;
}

EntryStatements::EntryStatements(Query& query, QString customerTable)
    : m_query(query), m_table(std::move(customerTable))
{
}

void EntryStatements::begin()
{
    m_query.close();
    m_query.clearSql();
}

QString EntryStatements::table() const
{
    return sql::quoteIdentifier(m_table);
}

bool EntryStatements::duplicateExists(const QString& group, const QString& name,
                                      const QString& homePost, const QString& homeAddress)
{
    begin();
    m_query.addLine(QStringLiteral("select group_name,name,home_post,home_address from ") +
                    table());
    m_query.addLine(QStringLiteral(" where group_name=:a1 and name=:a2 and home_post=:a3 and "
                                   "home_address=:a4 "));
    m_query.setParam(QStringLiteral("a1"), group);
    m_query.setParam(QStringLiteral("a2"), name);
    m_query.setParam(QStringLiteral("a3"), homePost);
    m_query.setParam(QStringLiteral("a4"), homeAddress);
    m_query.open();
    return m_query.rowCount() > 0;
}

void EntryStatements::insertRecord(const QString& userId, const QStringList& fields)
{
    begin();
    m_query.addLine(QStringLiteral("insert into ") + table());
    m_query.addLine(QStringLiteral(
        " (UserID,group_name,name,home_post,home_address,home_tel,handphone,jumin,email,homepage,"
        "Office_Name,office_post,office_address,office_tel,office_fax,Member_Comment,DM_Check)"));
    m_query.addLine(QStringLiteral(" values (:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11,:a12,"
                                   ":a13,:a14,:a15,:a16,:a17)"));
    m_query.setParam(QStringLiteral("a1"), userId);
    for (int i = 0; i < 15; ++i)
        m_query.setParam(QStringLiteral("a%1").arg(i + 2), fields.value(i));
    m_query.setParam(QStringLiteral("a17"), 1);
    m_query.exec();
}

qint64 EntryStatements::updateRecord(const QString& userId, const QStringList& fields, qint64 no)
{
    begin();
    m_query.addLine(QStringLiteral("update ") + table() + QStringLiteral("  set "));
    m_query.addLine(QStringLiteral(" UserID=:a1,group_name=:a2,name=:a3,home_post=:a4,"));
    m_query.addLine(QStringLiteral(" home_address=:a5,home_tel=:a6,handphone=:a7,jumin=:a8,"));
    m_query.addLine(QStringLiteral(" email=:a9,homepage=:a10,Office_Name=:a11,office_post=:a12,"));
    m_query.addLine(
        QStringLiteral(" office_address=:a13,office_tel=:a14,office_fax=:a15,Member_Comment=:a16"));
    m_query.addLine(QStringLiteral(" where no=:f1 "));
    m_query.setParam(QStringLiteral("a1"), userId);
    for (int i = 0; i < 15; ++i)
        m_query.setParam(QStringLiteral("a%1").arg(i + 2), fields.value(i));
    m_query.setParam(QStringLiteral("f1"), no);
    return m_query.exec();
}

void EntryStatements::deleteRecord(qint64 no)
{
    begin();
    m_query.addLine(QStringLiteral("Delete From ") + table());
    m_query.addLine(QStringLiteral(" Where No=:a1"));
    m_query.setParam(QStringLiteral("a1"), no);
    m_query.exec();
}

bool EntryStatements::recordExists(qint64 no)
{
    begin();
    m_query.addLine(QStringLiteral("select no from ") + table() + QStringLiteral(" where no=:a1"));
    m_query.setParam(QStringLiteral("a1"), no);
    m_query.open();
    return m_query.rowCount() > 0;
}

QStringList EntryStatements::columnValues(const QString& field)
{
    const QString column = sql::quoteIdentifier(field);
    begin();
    m_query.addLine(QStringLiteral("select ") + column + QStringLiteral(" from ") + table());
    m_query.addLine(QStringLiteral(" Group by ") + column);
    m_query.addLine(QStringLiteral(" Order By ") + column);
    m_query.open();
    QStringList values;
    values.reserve(m_query.rowCount());
    for (int r = 0; r < m_query.rowCount(); ++r)
        values.append(m_query.text(r, 0));
    return values;
}

} // namespace orvel
