#include "report/script/ScriptLexer.h"

#include <QSet>

namespace orvel::report
{

namespace
{

/// Scans one source text; throws ScriptError on bad text.
class Scanner
{
public:
    explicit Scanner(const QString& s) : src(s) {}

    void run(std::vector<ScriptToken>* out)
    {
        for (;;) {
            skipBlanks();
            ScriptToken t;
            t.line = line;
            t.column = int(pos - lineStart) + 1;
            if (pos >= src.size()) {
                out->push_back(t);
                return;
            }
            scan(t);
            out->push_back(std::move(t));
        }
    }

private:
    QChar at(qsizetype i) const { return i < src.size() ? src[i] : QChar(); }
    [[noreturn]] void fail(const QString& message, int l, int c) const
    {
        throw ScriptError{ScriptError::Syntax, message, l, c, {}, {}};
    }
    void newline()
    {
        ++line;
        lineStart = pos + 1;
    }
    void skipBlanks()
    {
        while (pos < src.size()) {
            const QChar c = src[pos];
            if (c == QLatin1Char('\n')) {
                newline();
                ++pos;
            } else if (c.isSpace()) {
                ++pos;
            } else if (c == QLatin1Char('/') && at(pos + 1) == QLatin1Char('/')) {
                while (pos < src.size() && src[pos] != QLatin1Char('\n'))
                    ++pos;
            } else if (c == QLatin1Char('{')) {
                skipComment(1, QStringLiteral("}"));
            } else if (c == QLatin1Char('(') && at(pos + 1) == QLatin1Char('*')) {
                skipComment(2, QStringLiteral("*)"));
            } else {
                return;
            }
        }
    }
    void skipComment(int openLength, const QString& close)
    {
        const int l = line, c = int(pos - lineStart) + 1;
        pos += openLength;
        while (pos < src.size()) {
            if (src[pos] == QLatin1Char('\n'))
                newline();
            if (QStringView(src).mid(pos).startsWith(close)) {
                pos += close.size();
                return;
            }
            ++pos;
        }
        fail(QStringLiteral("주석이 닫히지 않았습니다"), l, c);
    }
    static bool identStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
    static bool identChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

    void scan(ScriptToken& t)
    {
        const QChar c = src[pos];
        if (identStart(c)) {
            const qsizetype start = pos;
            while (pos < src.size() && identChar(src[pos]))
                ++pos;
            t.text = src.mid(start, pos - start);
            t.lower = t.text.toLower();
            t.kind = ScriptLexer::isReserved(t.lower) ? ScriptToken::Keyword : ScriptToken::Ident;
            return;
        }
        if (c.isDigit() || (c == QLatin1Char('$') && isHex(at(pos + 1))))
            return number(t);
        if (c == QLatin1Char('\'') || c == QLatin1Char('#'))
            return text(t);
        if (c == QLatin1Char('<') && angleName(t))
            return;
        static const char* const twoChar[] = {":=", "<=", ">=", "<>", ".."};
        for (const char* s : twoChar) {
            if (c == QLatin1Char(s[0]) && at(pos + 1) == QLatin1Char(s[1])) {
                t.kind = ScriptToken::Symbol;
                t.lower = QString::fromLatin1(s);
                pos += 2;
                return;
            }
        }
        if (QStringLiteral("+-*/=<>()[],;:.^@").contains(c)) {
            t.kind = ScriptToken::Symbol;
            t.lower = c;
            ++pos;
            return;
        }
        fail(QStringLiteral("알 수 없는 문자 '%1'").arg(c), t.line, t.column);
    }
    static bool isHex(QChar c)
    {
        return c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
    }
    void number(ScriptToken& t)
    {
        const qsizetype start = pos;
        bool ok = false;
        if (src[pos] == QLatin1Char('$')) {
            ++pos;
            while (pos < src.size() && isHex(src[pos]))
                ++pos;
            t.kind = ScriptToken::Integer;
            t.number = src.mid(start + 1, pos - start - 1).toLongLong(&ok, 16);
        } else {
            bool real = false;
            while (pos < src.size() && src[pos].isDigit())
                ++pos;
            // "1..5" is a range: the dot belongs to "..".
            if (at(pos) == QLatin1Char('.') && at(pos + 1).isDigit()) {
                real = true;
                ++pos;
                while (pos < src.size() && src[pos].isDigit())
                    ++pos;
            }
            if (at(pos).toLower() == QLatin1Char('e')) {
                qsizetype e = pos + 1;
                if (at(e) == QLatin1Char('+') || at(e) == QLatin1Char('-'))
                    ++e;
                if (at(e).isDigit()) {
                    real = true;
                    pos = e;
                    while (pos < src.size() && src[pos].isDigit())
                        ++pos;
                }
            }
            const QString digits = src.mid(start, pos - start);
            if (real) {
                t.kind = ScriptToken::Real;
                t.real = digits.toDouble(&ok);
            } else {
                t.kind = ScriptToken::Integer;
                t.number = digits.toLongLong(&ok);
            }
        }
        if (!ok)
            fail(QStringLiteral("잘못된 수 '%1'").arg(src.mid(start, pos - start)), t.line,
                 t.column);
        if (identChar(at(pos)))
            fail(QStringLiteral("수 뒤에 '%1'이(가) 붙어 있습니다").arg(src[pos]), t.line,
                 t.column);
    }
    // 'it''s' #13#10 'next': quoted runs and character codes make one string.
    void text(ScriptToken& t)
    {
        t.kind = ScriptToken::Text;
        for (;;) {
            if (at(pos) == QLatin1Char('\'')) {
                ++pos;
                for (;;) {
                    if (pos >= src.size() || src[pos] == QLatin1Char('\n'))
                        fail(QStringLiteral("문자열이 닫히지 않았습니다"), t.line, t.column);
                    if (src[pos] == QLatin1Char('\'')) {
                        if (at(pos + 1) != QLatin1Char('\''))
                            break;
                        ++pos;
                    }
                    t.text += src[pos++];
                }
                ++pos;
            } else if (at(pos) == QLatin1Char('#')) {
                const qsizetype start = ++pos;
                bool hex = at(pos) == QLatin1Char('$');
                if (hex)
                    ++pos;
                while (pos < src.size() && (hex ? isHex(src[pos]) : src[pos].isDigit()))
                    ++pos;
                bool ok = false;
                const uint code = src.mid(start + (hex ? 1 : 0), pos - start - (hex ? 1 : 0))
                                      .toUInt(&ok, hex ? 16 : 10);
                if (!ok || code > 0xFFFF)
                    fail(QStringLiteral("잘못된 문자 코드"), t.line, t.column);
                t.text += QChar(char16_t(code));
            } else {
                return;
            }
        }
    }
    // <DataSet."field"> or <Name>, written without spaces; anything else is an operator.
    bool angleName(ScriptToken& t)
    {
        qsizetype p = pos + 1;
        if (!identStart(at(p)))
            return false;
        const qsizetype start = p;
        while (identChar(at(p)) || at(p) == QLatin1Char('#'))
            ++p;
        const QString name = src.mid(start, p - start);
        if (at(p) == QLatin1Char('>')) {
            t.kind = ScriptToken::Variable;
            t.text = name;
            pos = p + 1;
            return true;
        }
        if (at(p) != QLatin1Char('.') || at(p + 1) != QLatin1Char('"'))
            return false;
        const qsizetype fieldStart = p + 2;
        const qsizetype close = src.indexOf(QLatin1String("\">"), fieldStart);
        if (close < 0)
            return false;
        const QString field = src.mid(fieldStart, close - fieldStart);
        if (field.contains(QLatin1Char('\n')))
            return false;
        t.kind = ScriptToken::Field;
        t.text = name;
        t.field = field;
        pos = close + 2;
        return true;
    }

    const QString& src;
    qsizetype pos = 0;
    qsizetype lineStart = 0;
    int line = 1;
};

} // namespace

QString ScriptToken::describe() const
{
    switch (kind) {
    case End:
        return QStringLiteral("스크립트 끝");
    case Ident:
    case Keyword:
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    case Integer:
    case Real:
        return QStringLiteral("수");
    case Text:
        return QStringLiteral("문자열");
    case Field:
        return QStringLiteral("데이터 필드");
    case Variable:
        return QStringLiteral("변수 <%1>").arg(text);
    case Symbol:
        return QLatin1Char('\'') + lower + QLatin1Char('\'');
    }
    return {};
}

bool ScriptLexer::isReserved(const QString& lower)
{
    static const QSet<QString> words = {
        "and",     "array", "as",     "begin",  "case",    "class", "const",    "div",  "do",
        "downto",  "else",  "end",    "except", "finally", "for",   "function", "goto", "if",
        "in",      "is",    "label",  "mod",    "nil",     "not",   "of",       "or",   "procedure",
        "program", "raise", "record", "repeat", "shl",     "shr",   "then",     "to",   "try",
        "type",    "until", "uses",   "var",    "while",   "with",  "xor"};
    return words.contains(lower);
}

bool ScriptLexer::tokenize(const QString& source, std::vector<ScriptToken>* out, ScriptError* error)
{
    out->clear();
    try {
        Scanner(source).run(out);
    } catch (const ScriptError& e) {
        *error = e;
        return false;
    }
    return true;
}

} // namespace orvel::report
