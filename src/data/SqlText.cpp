#include "data/SqlText.h"

#include <QRegularExpression>

namespace orvel::sql
{

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('`'), QLatin1String("``"));
    return QLatin1Char('`') + quoted + QLatin1Char('`');
}

namespace
{

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Returns the index just past a quoted run that starts at `start` with `quote`.
// Backslash escapes count inside '...' and "..." (MySQL's default mode); a doubled
// quote stands for itself. An unterminated run ends at the end of the text.
qsizetype skipQuoted(const QString& s, qsizetype start, QChar quote)
{
    const bool backslashEscapes = quote != QLatin1Char('`');
    qsizetype i = start + 1;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (backslashEscapes && c == QLatin1Char('\\')) {
            i += 2;
            continue;
        }
        if (c == quote) {
            if (i + 1 < s.size() && s.at(i + 1) == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return s.size();
}

qsizetype skipLineComment(const QString& s, qsizetype start)
{
    const qsizetype end = s.indexOf(QLatin1Char('\n'), start);
    return end < 0 ? s.size() : end + 1;
}

qsizetype skipBlockComment(const QString& s, qsizetype start)
{
    const qsizetype end = s.indexOf(QLatin1String("*/"), start + 2);
    return end < 0 ? s.size() : end + 2;
}

} // namespace

QList<Piece> splitParameters(const QString& statement)
{
    QList<Piece> pieces;
    QString text;
    qsizetype i = 0;
    const qsizetype n = statement.size();
    auto copyRun = [&](qsizetype end) {
        text += QStringView(statement).mid(i, end - i);
        i = end;
    };
    while (i < n) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            copyRun(skipQuoted(statement, i, c));
        } else if (c == QLatin1Char('#')) {
            copyRun(skipLineComment(statement, i));
        } else if (c == QLatin1Char('-') && statement.mid(i, 3) == QLatin1String("-- ")) {
            copyRun(skipLineComment(statement, i));
        } else if (c == QLatin1Char('/') && i + 1 < n && statement.at(i + 1) == QLatin1Char('*')) {
            copyRun(skipBlockComment(statement, i));
        } else if (c == QLatin1Char(':') && i + 1 < n && statement.at(i + 1) == QLatin1Char(':')) {
            copyRun(i + 2);
        } else if (c == QLatin1Char(':') && i + 1 < n && isNameStart(statement.at(i + 1))) {
            qsizetype end = i + 2;
            while (end < n && isNameChar(statement.at(end)))
                ++end;
            if (!text.isEmpty())
                pieces.append({text, false});
            text.clear();
            pieces.append({statement.mid(i + 1, end - i - 1), true});
            i = end;
        } else {
            text += c;
            ++i;
        }
    }
    if (!text.isEmpty())
        pieces.append({text, false});
    return pieces;
}

QStringList parameterNames(const QString& statement)
{
    QStringList names;
    for (const Piece& p : splitParameters(statement)) {
        if (p.isParameter)
            names.append(p.text);
    }
    return names;
}

QStringList splitScript(const QString& script)
{
    static const QRegularExpression end(QStringLiteral(";[ \\t]*\\r?\\n"));
    QStringList statements;
    for (const QString& raw : script.split(end)) {
        QStringList kept;
        for (const QString& line : raw.split(QLatin1Char('\n'))) {
            if (!line.trimmed().startsWith(QLatin1String("--")))
                kept.append(line);
        }
        QString statement = kept.join(QLatin1Char('\n')).trimmed();
        if (statement.endsWith(QLatin1Char(';')))
            statement.chop(1);
        if (!statement.isEmpty())
            statements.append(statement);
    }
    return statements;
}

} // namespace orvel::sql
