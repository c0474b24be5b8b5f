#include "customers/search/SearchGrammar.h"

#include <QDate>

namespace orvel
{

namespace
{

const QString kEq = QStringLiteral(" = ");
const QString kLike = QStringLiteral(" like ");

QStringList comparisons()
{
    return {kEq, QStringLiteral(" > "), QStringLiteral(" >= "), QStringLiteral(" <= "),
            QStringLiteral(" < ")};
}

} // namespace

KindSearch KindSearch::of(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::SmallInt:
        return {{kEq}, kEq, ValueEditor::Number, false};
    case ColumnKind::Integer:
    case ColumnKind::Float:
        return {comparisons(), kEq, ValueEditor::Number, false};
    case ColumnKind::Date:
        return {comparisons(), kEq, ValueEditor::Date, true};
    case ColumnKind::Boolean:
        return {{kEq}, kEq, ValueEditor::TrueFalse, false};
    case ColumnKind::Other:
        break;
    }
    return {{kEq, kLike}, kLike, ValueEditor::ValueBox, true};
}

QString termValue(ColumnKind kind, const QString& op, const QString& valueText,
                  const QuoteLiteral& quote)
{
    if (!KindSearch::of(kind).quoted)
        return valueText;
    if (op == kLike)
        return quote(QLatin1Char('%') + valueText + QLatin1Char('%'));
    return quote(valueText);
}

QString appendTerm(const QString& condition, bool useOr, const QString& field, const QString& op,
                   const QString& value)
{
    QString result = condition;
    if (!result.isEmpty())
        result += useOr ? QStringLiteral(" or ") : QStringLiteral(" and ");
    return result + field + op + value;
}

QString searchLabelGroup(const QString& title, const QString& valueText)
{
    return QLatin1Char('[') + title + QLatin1Char('=') + valueText + QLatin1Char(']');
}

void appendSortColumn(QString& order, QString& label, const QString& field, const QString& title)
{
    if (order.isEmpty()) {
        order = field;
        label = QLatin1Char('[') + title + QLatin1Char(']');
        return;
    }
    order += QLatin1Char(',') + field;
    label += QStringLiteral(" [") + title + QLatin1Char(']');
}

QString dateValueText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace orvel
