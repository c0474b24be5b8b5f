#include "customers/entry/GridRowWriter.h"

#include "appcore/LoginContext.h"
#include "customers/CustomerGridModel.h"
#include "customers/entry/EntryStatements.h"
#include "data/DbError.h"
#include "data/Query.h"
#include "data/SqlText.h"

namespace orvel
{

namespace
{

const QString kNo = QStringLiteral("no");
const QString kUserId = QStringLiteral("UserID");
const QString kDmCheck = QStringLiteral("DM_Check");

bool sameField(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Binds a cell's text: an empty number is NULL, anything else the text as typed.
void bind(Query& q, const QString& name, const CustomerGridModel& model, int column,
          const QString& text)
{
    if (model.isNumericColumn(column) && text.trimmed().isEmpty())
        q.setNullParam(name);
    else if (model.isNumericColumn(column))
        q.setParam(name, text.trimmed().toLongLong());
    else
        q.setParam(name, text);
}

} // namespace

GridRowWriter::GridRowWriter(Query& query, const LoginContext& context)
    : m_query(query), m_context(context)
{
}

bool GridRowWriter::write(CustomerGridModel& model)
{
    switch (model.rowState()) {
    case CustomerGridModel::RowState::Editing:
        return update(model);
    case CustomerGridModel::RowState::Inserting:
        insert(model);
        return true;
    case CustomerGridModel::RowState::Browsing:
        break;
    }
    return true;
}

bool GridRowWriter::update(CustomerGridModel& model)
{
    const int row = model.activeRow();
    const int noColumn = model.columnOf(kNo);
    if (noColumn < 0)
        throw DbError(
            QStringLiteral("관리번호(no)가 없는 목록에서는 고친 내용을 저장할 수 없습니다."));
    if (!model.isModified()) {
        model.cancelRow();
        return true;
    }
    const qint64 no = model.cellText(row, noColumn).trimmed().toLongLong();

    m_query.close();
    m_query.clearSql();
    m_query.addLine(QStringLiteral("update ") + sql::quoteIdentifier(m_context.CustomerTable) +
                    QStringLiteral(" set"));
    QStringList assignments;
    QHash<int, QString> stored;
    int n = 0;
    bool userIdTyped = false;
    const QHash<int, QString>& values = model.pendingValues();
    for (auto it = values.begin(); it != values.end(); ++it) {
        const QString field = model.fieldName(it.key());
        if (sameField(field, kNo))
            continue; // the record number is the database's
        userIdTyped = userIdTyped || sameField(field, kUserId);
        const QString param = QStringLiteral("a%1").arg(++n);
        assignments.append(sql::quoteIdentifier(field) + QStringLiteral("=:") + param);
        bind(m_query, param, model, it.key(), it.value());
    }
    if (!userIdTyped) {
        const QString param = QStringLiteral("a%1").arg(++n);
        assignments.append(QStringLiteral("UserID=:") + param);
        m_query.setParam(param, m_context.UserId);
        const int userColumn = model.columnOf(kUserId);
        if (userColumn >= 0)
            stored.insert(userColumn, m_context.UserId);
    }
    m_query.addLine(QLatin1Char(' ') + assignments.join(QLatin1Char(',')));
    m_query.addLine(QStringLiteral(" where no=:f1 "));
    m_query.setParam(QStringLiteral("f1"), no);
    if (m_query.exec() == 0 && !EntryStatements(m_query, m_context.CustomerTable).recordExists(no))
        return false;
    model.rowSaved(stored);
    return true;
}

void GridRowWriter::insert(CustomerGridModel& model)
{
    const int row = model.activeRow();
    QStringList columns{kUserId};
    QStringList params{QStringLiteral(":a1")};
    m_query.close();
    m_query.clearSql();
    m_query.setParam(QStringLiteral("a1"), m_context.UserId);
    QHash<int, QString> stored;
    QStringList seen;
    bool dmTyped = false;
    // The grid's columns, each field once (the last column of a repeated field wins).
    for (int c = model.columnCount() - 1; c >= 0; --c) {
        const QString field = model.fieldName(c);
        if (sameField(field, kNo) || sameField(field, kUserId))
            continue;
        bool repeated = false;
        for (const QString& s : seen)
            repeated = repeated || sameField(s, field);
        if (repeated)
            continue;
        seen.append(field);
        const QString text = model.cellText(row, c);
        if (model.isNumericColumn(c) && text.trimmed().isEmpty())
            continue; // the column's default applies
        if (sameField(field, kDmCheck))
            dmTyped = true;
        const QString param = QStringLiteral("a%1").arg(params.size() + 1);
        columns.append(sql::quoteIdentifier(field));
        params.append(QLatin1Char(':') + param);
        bind(m_query, param, model, c, text);
    }
    if (!dmTyped) {
        const QString param = QStringLiteral("a%1").arg(params.size() + 1);
        columns.append(kDmCheck);
        params.append(QLatin1Char(':') + param);
        m_query.setParam(param, 1);
    }
    m_query.addLine(QStringLiteral("insert into ") + sql::quoteIdentifier(m_context.CustomerTable));
    m_query.addLine(QStringLiteral(" (") + columns.join(QLatin1Char(',')) + QLatin1Char(')'));
    m_query.addLine(QStringLiteral(" values (") + params.join(QLatin1Char(',')) + QLatin1Char(')'));
    m_query.exec();

    const qint64 no = m_query.lastInsertId();
    for (int c = 0; c < model.columnCount(); ++c) {
        const QString field = model.fieldName(c);
        if (sameField(field, kNo))
            stored.insert(c, QString::number(no));
        else if (sameField(field, kUserId))
            stored.insert(c, m_context.UserId);
        else if (sameField(field, kDmCheck) && !dmTyped)
            stored.insert(c, QStringLiteral("1"));
    }
    model.rowSaved(stored);
}

} // namespace orvel
