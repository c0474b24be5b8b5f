#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace orvel::sql
{

/// Quotes an identifier with backticks, doubling any backtick inside it.
QString quoteIdentifier(const QString& name);

/// A run of statement text: either literal SQL or a named parameter (":a1").
struct Piece {
    QString text; // SQL text, or the parameter's name without the colon
    bool isParameter;
};

/// Splits a statement into SQL text and named parameters. A colon inside a quoted
/// literal ('...' or "..."), a backtick identifier or a comment is plain text, and
/// so is "::" and a colon not followed by a letter or underscore.
QList<Piece> splitParameters(const QString& statement);

/// Names of the parameters in the order they appear (repeats kept).
QStringList parameterNames(const QString& statement);

/// Splits a script of statements, each ending in ";" at the end of a line, into the
/// statements; whole-line "--" comments and empty statements are dropped.
QStringList splitScript(const QString& script);

} // namespace orvel::sql
