#include "report/script/ScriptParser.h"

#include "report/script/ScriptBuiltins.h"
#include "report/script/ScriptConstants.h"
#include "report/script/ScriptOps.h"

namespace orvel::report
{

namespace
{
constexpr int MaxNesting = 100;
} // namespace

bool ScriptParser::compile(const QString& source, ScriptProgramData* out, ScriptError* error)
{
    std::vector<ScriptToken> tokens;
    if (!ScriptLexer::tokenize(source, &tokens, error))
        return false;
    try {
        ScriptParser parser(std::move(tokens), out);
        parser.program();
    } catch (const ScriptError& e) {
        *error = e;
        *out = ScriptProgramData();
        return false;
    }
    return true;
}

ScriptParser::ScriptParser(std::vector<ScriptToken> tokens, ScriptProgramData* out)
    : m_tokens(std::move(tokens)), m_prog(out)
{
}

// ---- tokens

const ScriptToken& ScriptParser::peek(int ahead) const
{
    const size_t i = std::min(m_pos + size_t(ahead), m_tokens.size() - 1);
    return m_tokens[i];
}

const ScriptToken& ScriptParser::next()
{
    const ScriptToken& t = m_tokens[m_pos];
    if (m_pos + 1 < m_tokens.size())
        ++m_pos;
    return t;
}

bool ScriptParser::acceptSymbol(const char* s)
{
    if (!peek().isSymbol(s))
        return false;
    next();
    return true;
}

bool ScriptParser::acceptKeyword(const char* s)
{
    if (!peek().isKeyword(s))
        return false;
    next();
    return true;
}

void ScriptParser::fail(const QString& message, const ScriptToken& at) const
{
    throw ScriptError{ScriptError::Syntax, message, at.line, at.column, {}, {}};
}

void ScriptParser::expected(const QString& what) const
{
    const ScriptToken& t = peek();
    if (t.kind == ScriptToken::End)
        fail(QStringLiteral("%1이(가) 와야 하는데 스크립트가 끝났습니다").arg(what), t);
    fail(QStringLiteral("%1이(가) 와야 하는데 %2이(가) 있습니다").arg(what, t.describe()), t);
}

void ScriptParser::expectSymbol(const char* s)
{
    if (!acceptSymbol(s))
        expected(QStringLiteral("'%1'").arg(QString::fromLatin1(s)));
}

void ScriptParser::expectKeyword(const char* s)
{
    if (!acceptKeyword(s))
        expected(QStringLiteral("'%1'").arg(QString::fromLatin1(s)));
}

const ScriptToken& ScriptParser::expectIdent()
{
    if (peek().kind != ScriptToken::Ident)
        expected(QStringLiteral("이름"));
    return next();
}

void ScriptParser::enter()
{
    if (++m_depth > MaxNesting)
        fail(QStringLiteral("문장이나 식이 너무 깊게 중첩되어 있습니다"), peek());
}

// ---- declarations

void ScriptParser::program()
{
    if (peek().kind == ScriptToken::End)
        return; // no script at all
    if (acceptKeyword("program")) {
        expectIdent();
        expectSymbol(";");
    }
    for (;;) {
        const ScriptToken& t = peek();
        if (t.isKeyword("var")) {
            next();
            varSection(true);
        } else if (t.isKeyword("const")) {
            next();
            constSection(true);
        } else if (t.isKeyword("procedure") || t.isKeyword("function")) {
            next();
            routine(t.lower == QLatin1String("function"));
        } else if (t.isKeyword("begin")) {
            break;
        } else if (t.kind == ScriptToken::End) {
            fail(QStringLiteral("주 블록 'begin ... end.'이(가) 없습니다"), t);
        } else if (t.kind == ScriptToken::Keyword) {
            fail(QStringLiteral("지원하지 않는 구문: '%1'").arg(t.text), t);
        } else {
            expected(QStringLiteral("'begin'"));
        }
    }
    const ScriptToken begin = next();
    m_prog->main = statementList("end");
    if (!peek().isKeyword("end"))
        fail(QStringLiteral("%1행의 'begin'이(가) 닫히지 않았습니다 ('end.'이(가) 없습니다)")
                 .arg(begin.line),
             peek());
    next();
    expectSymbol(".");
    resolvePending();
    for (const auto& r : m_prog->routines)
        if (!r->defined)
            fail(QStringLiteral("'%1'의 본문이 없습니다 (forward 선언만 있습니다)").arg(r->name),
                 m_tokens.back());
}

void ScriptParser::declareCheck(const ScriptToken& name, bool global)
{
    const bool taken = global ? m_globals.contains(name.lower) || m_consts.contains(name.lower) ||
                                    m_routines.contains(name.lower)
                              : m_locals.contains(name.lower) || m_localConsts.contains(name.lower);
    if (taken)
        fail(QStringLiteral("이미 선언된 이름입니다: '%1'").arg(name.text), name);
}

ScriptType ScriptParser::typeName()
{
    const ScriptToken& t = peek();
    if (t.kind == ScriptToken::Keyword)
        fail(QStringLiteral("지원하지 않는 형식: '%1'").arg(t.text), t);
    expectIdent();
    const QString& n = t.lower;
    ScriptType type = ScriptType::Any;
    static const QHash<QString, ScriptType> known = {
        {"integer", ScriptType::Int},        {"int64", ScriptType::Int},
        {"longint", ScriptType::Int},        {"cardinal", ScriptType::Int},
        {"longword", ScriptType::Int},       {"smallint", ScriptType::Int},
        {"shortint", ScriptType::Int},       {"word", ScriptType::Int},
        {"byte", ScriptType::Int},           {"double", ScriptType::Float},
        {"extended", ScriptType::Float},     {"real", ScriptType::Float},
        {"single", ScriptType::Float},       {"currency", ScriptType::Float},
        {"string", ScriptType::String},      {"ansistring", ScriptType::String},
        {"widestring", ScriptType::String},  {"unicodestring", ScriptType::String},
        {"shortstring", ScriptType::String}, {"char", ScriptType::String},
        {"widechar", ScriptType::String},    {"ansichar", ScriptType::String},
        {"boolean", ScriptType::Bool},       {"tdatetime", ScriptType::DateTime},
        {"tdate", ScriptType::DateTime},     {"ttime", ScriptType::DateTime},
        {"variant", ScriptType::Any},        {"olevariant", ScriptType::Any},
        {"tobject", ScriptType::Object}};
    const auto it = known.constFind(n);
    if (it != known.constEnd())
        type = *it;
    else if (n.startsWith(QLatin1Char('t')))
        type = ScriptType::Object; // a report class: TfrxComponent, TfrxMemoView ...
    else
        fail(QStringLiteral("알 수 없는 형식: '%1'").arg(t.text), t);
    if (type == ScriptType::String && acceptSymbol("[")) { // string[20]
        if (peek().kind != ScriptToken::Integer)
            expected(QStringLiteral("문자열 길이"));
        next();
        expectSymbol("]");
    }
    return type;
}

ScriptValue ScriptParser::constantValue()
{
    const ScriptToken at = peek();
    ScriptExprPtr e = expression();
    if (e->kind != ScriptExpr::Constant)
        fail(QStringLiteral("상수 식이 필요합니다"), at);
    return e->value;
}

void ScriptParser::varSection(bool global)
{
    do {
        std::vector<ScriptToken> names{expectIdent()};
        while (acceptSymbol(","))
            names.push_back(expectIdent());
        expectSymbol(":");
        const ScriptType type = typeName();
        ScriptValue init = ScriptOps::initial(type);
        if (acceptSymbol("=")) {
            const ScriptToken at = peek();
            try {
                init = ScriptOps::coerce(constantValue(), type);
            } catch (const ScriptFailure& f) {
                fail(f.message, at);
            }
        }
        expectSymbol(";");
        for (const ScriptToken& n : names) {
            declareCheck(n, global);
            if (global) {
                m_globals.insert(n.lower, int(m_prog->globalNames.size()));
                m_prog->globalNames.push_back(n.text);
                m_prog->globalTypes.push_back(type);
                m_prog->globalInit.push_back(init);
            } else {
                const int slot = int(m_routine->slotTypes.size());
                m_locals.insert(n.lower, Local{slot, false, type});
                m_routine->slotTypes.push_back(type);
                m_routine->slotInit.push_back(init);
            }
        }
    } while (peek().kind == ScriptToken::Ident);
}

void ScriptParser::constSection(bool global)
{
    do {
        const ScriptToken& name = expectIdent();
        ScriptType type = ScriptType::Any;
        if (acceptSymbol(":"))
            type = typeName();
        expectSymbol("=");
        const ScriptToken at = peek();
        ScriptValue v = constantValue();
        try {
            v = ScriptOps::coerce(v, type);
        } catch (const ScriptFailure& f) {
            fail(f.message, at);
        }
        expectSymbol(";");
        declareCheck(name, global);
        (global ? m_consts : m_localConsts).insert(name.lower, v);
    } while (peek().kind == ScriptToken::Ident);
}

void ScriptParser::params(ScriptRoutine* r)
{
    if (!acceptSymbol("("))
        return;
    if (acceptSymbol(")"))
        return;
    do {
        bool byRef = false;
        if (acceptKeyword("var"))
            byRef = true;
        else if (!acceptKeyword("const") && peek().is(ScriptToken::Ident, "out") &&
                 peek(1).kind == ScriptToken::Ident)
            byRef = (next(), true);
        std::vector<ScriptToken> names{expectIdent()};
        while (acceptSymbol(","))
            names.push_back(expectIdent());
        ScriptType type = ScriptType::Any;
        if (acceptSymbol(":"))
            type = typeName();
        for (const ScriptToken& n : names) {
            for (const ScriptParam& p : r->params)
                if (p.name.compare(n.text, Qt::CaseInsensitive) == 0)
                    fail(QStringLiteral("이미 선언된 이름입니다: '%1'").arg(n.text), n);
            r->params.push_back({n.text, type, byRef});
        }
    } while (acceptSymbol(";"));
    expectSymbol(")");
}

void ScriptParser::routine(bool isFunction)
{
    const ScriptToken name = expectIdent();
    auto r = std::make_unique<ScriptRoutine>();
    r->name = name.text;
    r->line = name.line;
    r->isFunction = isFunction;
    params(r.get());
    ScriptType resultType = ScriptType::Any;
    if (isFunction) {
        expectSymbol(":");
        resultType = typeName();
    }
    expectSymbol(";");

    ScriptRoutine* target;
    const auto known = m_routines.constFind(name.lower);
    if (known != m_routines.constEnd()) {
        target = m_prog->routines[*known].get();
        if (target->defined || target->params.size() != r->params.size() ||
            target->isFunction != isFunction)
            fail(QStringLiteral("이미 선언된 이름입니다: '%1'").arg(name.text), name);
    } else {
        declareCheck(name, true);
        m_routines.insert(name.lower, int(m_prog->routines.size()));
        m_prog->routines.push_back(std::move(r));
        target = m_prog->routines.back().get();
    }
    if (peek().is(ScriptToken::Ident, "forward")) {
        next();
        expectSymbol(";");
        return;
    }

    // The frame: parameters, then Result, then local variables.
    m_routine = target;
    m_routineLower = name.lower;
    m_locals.clear();
    m_localConsts.clear();
    target->slotTypes.clear();
    target->slotInit.clear();
    for (const ScriptParam& p : target->params) {
        const int slot = int(target->slotTypes.size());
        m_locals.insert(p.name.toLower(), Local{slot, p.byRef, p.type});
        target->slotTypes.push_back(p.type);
        target->slotInit.push_back({});
    }
    if (isFunction) {
        target->resultSlot = int(target->slotTypes.size());
        m_locals.insert(QStringLiteral("result"), Local{target->resultSlot, false, resultType});
        target->slotTypes.push_back(resultType);
        target->slotInit.push_back(ScriptOps::initial(resultType));
    }
    for (;;) {
        if (acceptKeyword("var"))
            varSection(false);
        else if (acceptKeyword("const"))
            constSection(false);
        else if (peek().isKeyword("procedure") || peek().isKeyword("function"))
            fail(QStringLiteral("지원하지 않는 구문: 프로시저 안의 프로시저"), peek());
        else
            break;
    }
    if (!peek().isKeyword("begin"))
        expected(QStringLiteral("'begin'"));
    const ScriptToken begin = next();
    target->body = statementList("end");
    if (!peek().isKeyword("end"))
        fail(QStringLiteral("%1행의 'begin'이(가) 닫히지 않았습니다 ('%2'의 'end'이(가) 없습니다)")
                 .arg(begin.line)
                 .arg(target->name),
             peek());
    next();
    expectSymbol(";");
    target->defined = true;
    m_routine = nullptr;
    m_routineLower.clear();
    m_locals.clear();
    m_localConsts.clear();
}

} // namespace orvel::report
