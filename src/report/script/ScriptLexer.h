#pragma once

#include "report/script/ScriptError.h"

#include <QString>
#include <vector>

namespace orvel::report
{

/// One token of script text, with where it starts.
struct ScriptToken {
    enum Kind {
        End,      // end of text
        Ident,    // text: as written, lower: folded
        Keyword,  // lower: the reserved word
        Integer,  // number
        Real,     // real
        Text,     // text: the string's value ('..' and #nn runs joined)
        Field,    // <DataSet."field">: text = data set, field = field name
        Variable, // <Name>: text = the report variable's name
        Symbol    // lower: the symbol itself (":=", "<=", "..", "(", ...)
    };
    Kind kind = End;
    int line = 1;
    int column = 1;
    QString text;
    QString lower;
    QString field;
    qint64 number = 0;
    double real = 0;

    bool is(Kind k, const char* s) const { return kind == k && lower == QLatin1String(s); }
    bool isKeyword(const char* s) const { return is(Keyword, s); }
    bool isSymbol(const char* s) const { return is(Symbol, s); }
    /// How the token reads in a message: "'end'", "문자열", "스크립트 끝".
    QString describe() const;
};

/// Splits script text into tokens; comments and white space are dropped.
class ScriptLexer
{
public:
    /// All tokens, ending with an End token; false with *error set on bad text.
    static bool tokenize(const QString& source, std::vector<ScriptToken>* out, ScriptError* error);
    static bool isReserved(const QString& lower);
};

} // namespace orvel::report
