#pragma once

// The texts a title click adds to the list state and to the search panel's labels.

#include "data/Query.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace orvel
{

/// Which editor takes the value of a search term.
enum class ValueEditor { ValueBox, Date, Number, TrueFalse };

/// What the search dialog offers for one column kind.
struct KindSearch {
    QStringList operators; // in the order offered, each with a space on both sides
    QString preselected;   // one of operators
    ValueEditor editor = ValueEditor::ValueBox;
    bool quoted = true; // false: the value text goes into the condition as it is

    static KindSearch of(ColumnKind kind);
};

/// Writes text as a quoted SQL string literal with its quotes escaped.
using QuoteLiteral = std::function<QString(const QString&)>;

/// The value part of a term: unquoted for numbers and true/false, otherwise a quoted
/// literal of the value text, with "%" on both sides for " like ".
QString termValue(ColumnKind kind, const QString& op, const QString& valueText,
                  const QuoteLiteral& quote);

/// The condition with one more term (field name + operator + value) appended; from the
/// second term on, " and " or " or " goes before it.
QString appendTerm(const QString& condition, bool useOr, const QString& field, const QString& op,
                   const QString& value);

/// The search label's group for one term: "[" + title + "=" + value text + "]".
QString searchLabelGroup(const QString& title, const QString& valueText);

/// Appends a sort column to the order ("," between field names) and its title to the
/// index label (" [" + title + "]", or "[" + title + "]" when the order was empty).
void appendSortColumn(QString& order, QString& label, const QString& field, const QString& title);

/// The text form of a date value in a condition: ISO yyyy-MM-dd, which the server
/// compares correctly with date and date-time columns whatever the desktop's locale.
QString dateValueText(const QDate& date);

} // namespace orvel
