#include "report/script/ScriptParser.h"

#include "report/script/ScriptBuiltins.h"
#include "report/script/ScriptConstants.h"
#include "report/script/ScriptOps.h"

namespace orvel::report
{

namespace
{
// Longest run of operators at one level: evaluation recurses once per operator.
constexpr int MaxChain = 500;

bool relational(const ScriptToken& t, ScriptOp* op)
{
    if (t.kind != ScriptToken::Symbol)
        return false;
    static const std::pair<const char*, ScriptOp> ops[] = {
        {"=", ScriptOp::Eq}, {"<>", ScriptOp::Ne}, {"<", ScriptOp::Lt},
        {">", ScriptOp::Gt}, {"<=", ScriptOp::Le}, {">=", ScriptOp::Ge}};
    for (const auto& [s, o] : ops) {
        if (t.lower == QLatin1String(s)) {
            *op = o;
            return true;
        }
    }
    return false;
}
} // namespace

ScriptExprPtr ScriptParser::node(ScriptExpr::Kind kind, const ScriptToken& at)
{
    auto e = std::make_unique<ScriptExpr>();
    e->kind = kind;
    e->line = at.line;
    e->column = at.column;
    return e;
}

ScriptExprPtr ScriptParser::binaryNode(ScriptOp op, ScriptExprPtr a, ScriptExprPtr b,
                                       const ScriptToken& at)
{
    if (a->kind == ScriptExpr::Constant && b->kind == ScriptExpr::Constant) {
        try {
            a->value = ScriptOps::binary(op, a->value, b->value);
        } catch (const ScriptFailure& f) {
            fail(f.message, at);
        }
        return a;
    }
    auto e = node(ScriptExpr::Binary, at);
    e->op = op;
    e->args.push_back(std::move(a));
    e->args.push_back(std::move(b));
    return e;
}

ScriptExprPtr ScriptParser::unaryNode(ScriptOp op, ScriptExprPtr a, const ScriptToken& at)
{
    if (a->kind == ScriptExpr::Constant) {
        try {
            a->value = ScriptOps::unary(op, a->value);
        } catch (const ScriptFailure& f) {
            fail(f.message, at);
        }
        return a;
    }
    auto e = node(ScriptExpr::Unary, at);
    e->op = op;
    e->args.push_back(std::move(a));
    return e;
}

ScriptExprPtr ScriptParser::expression()
{
    enter();
    ScriptExprPtr left = simple();
    const ScriptToken at = peek();
    ScriptOp op;
    if (relational(at, &op)) {
        next();
        left = binaryNode(op, std::move(left), simple(), at);
    } else if (at.isKeyword("in")) {
        next();
        ScriptExprPtr set = simple();
        auto e = node(set->kind == ScriptExpr::SetOf ? ScriptExpr::InSet : ScriptExpr::InValue, at);
        e->args.push_back(std::move(left));
        if (set->kind == ScriptExpr::SetOf) {
            for (ScriptExprPtr& item : set->args)
                e->args.push_back(std::move(item));
        } else {
            e->args.push_back(std::move(set));
        }
        left = std::move(e);
    } else if (at.isKeyword("is")) {
        fail(QStringLiteral("지원하지 않는 구문: 'is'"), at);
    }
    ScriptOp again;
    if (relational(peek(), &again) || peek().isKeyword("in"))
        fail(QStringLiteral("비교식은 괄호로 묶어야 합니다 (예: (a > 1) and (b < 2))"), peek());
    leave();
    return left;
}

ScriptExprPtr ScriptParser::simple()
{
    ScriptExprPtr left = term();
    for (int n = 0;; ++n) {
        const ScriptToken at = peek();
        ScriptOp op;
        if (at.isSymbol("+"))
            op = ScriptOp::Add;
        else if (at.isSymbol("-"))
            op = ScriptOp::Sub;
        else if (at.isKeyword("or"))
            op = ScriptOp::Or;
        else if (at.isKeyword("xor"))
            op = ScriptOp::Xor;
        else
            return left;
        if (n >= MaxChain)
            fail(QStringLiteral("식이 너무 깁니다"), at);
        next();
        left = binaryNode(op, std::move(left), term(), at);
    }
}

ScriptExprPtr ScriptParser::term()
{
    ScriptExprPtr left = factor();
    for (int n = 0;; ++n) {
        const ScriptToken at = peek();
        ScriptOp op;
        if (at.isSymbol("*"))
            op = ScriptOp::Mul;
        else if (at.isSymbol("/"))
            op = ScriptOp::Divide;
        else if (at.isKeyword("div"))
            op = ScriptOp::IntDiv;
        else if (at.isKeyword("mod"))
            op = ScriptOp::Mod;
        else if (at.isKeyword("and"))
            op = ScriptOp::And;
        else if (at.isKeyword("shl"))
            op = ScriptOp::Shl;
        else if (at.isKeyword("shr"))
            op = ScriptOp::Shr;
        else if (at.isKeyword("as")) { // Sender as TfrxMemoView: objects are not typed here
            next();
            typeName();
            continue;
        } else
            return left;
        if (n >= MaxChain)
            fail(QStringLiteral("식이 너무 깁니다"), at);
        next();
        left = binaryNode(op, std::move(left), factor(), at);
    }
}

ScriptExprPtr ScriptParser::factor()
{
    enter();
    const ScriptToken at = peek();
    ScriptExprPtr e;
    if (acceptKeyword("not"))
        e = unaryNode(ScriptOp::Not, factor(), at);
    else if (acceptSymbol("-"))
        e = unaryNode(ScriptOp::Neg, factor(), at);
    else if (acceptSymbol("+"))
        e = factor();
    else
        e = primary();
    leave();
    return e;
}

ScriptExprPtr ScriptParser::primary()
{
    const ScriptToken& t = peek();
    switch (t.kind) {
    case ScriptToken::Integer: {
        auto e = node(ScriptExpr::Constant, next());
        e->value = ScriptValue(t.number);
        return e;
    }
    case ScriptToken::Real: {
        auto e = node(ScriptExpr::Constant, next());
        e->value = ScriptValue(t.real);
        return e;
    }
    case ScriptToken::Text: {
        auto e = node(ScriptExpr::Constant, next());
        e->value = ScriptValue(t.text);
        return e;
    }
    case ScriptToken::Field: {
        auto e = node(ScriptExpr::Field, next());
        e->name = t.text;
        e->path = t.field;
        return e;
    }
    case ScriptToken::Variable: {
        auto e = node(ScriptExpr::Variable, next());
        e->name = t.text;
        return e;
    }
    case ScriptToken::Ident: {
        const ScriptToken at = t;
        ScriptExprPtr e = designator(false);
        const bool procedure =
            (e->kind == ScriptExpr::Call && !m_prog->routines[e->slot]->isFunction) ||
            (e->kind == ScriptExpr::Builtin &&
             !ScriptBuiltins::info(ScriptBuiltins::Id(e->slot)).returnsValue);
        if (procedure)
            fail(QStringLiteral("프로시저 '%1'은(는) 값을 돌려주지 않습니다").arg(at.text), at);
        return e;
    }
    case ScriptToken::Keyword:
        if (t.isKeyword("nil")) {
            next();
            return node(ScriptExpr::Constant, t);
        }
        break;
    case ScriptToken::Symbol:
        if (t.isSymbol("(")) {
            next();
            ScriptExprPtr e = expression();
            expectSymbol(")");
            return postfix(std::move(e));
        }
        if (t.isSymbol("["))
            return setConstructor();
        break;
    case ScriptToken::End:
        break;
    }
    expected(QStringLiteral("식"));
}

ScriptExprPtr ScriptParser::setConstructor()
{
    auto e = node(ScriptExpr::SetOf, next());
    bool constant = true;
    qint64 mask = 0;
    auto bits = [&](const ScriptValue& lo, const ScriptValue& hi) {
        if (lo.type() == ScriptValue::Set && hi.type() == ScriptValue::Set) {
            mask |= lo.setMask() | hi.setMask();
            return true;
        }
        if (lo.type() != ScriptValue::Int || hi.type() != ScriptValue::Int || lo.intValue() < 0 ||
            hi.intValue() > 63)
            return false;
        for (qint64 b = lo.intValue(); b <= hi.intValue(); ++b)
            mask |= qint64(1) << b;
        return true;
    };
    if (!acceptSymbol("]")) {
        do {
            const ScriptToken at = peek();
            ScriptExprPtr item = expression();
            if (acceptSymbol("..")) {
                auto range = node(ScriptExpr::Range, at);
                range->args.push_back(std::move(item));
                range->args.push_back(expression());
                item = std::move(range);
            }
            const ScriptExpr& lo = item->kind == ScriptExpr::Range ? *item->args[0] : *item;
            const ScriptExpr& hi = item->kind == ScriptExpr::Range ? *item->args[1] : *item;
            constant = constant && lo.kind == ScriptExpr::Constant &&
                       hi.kind == ScriptExpr::Constant && bits(lo.value, hi.value);
            e->args.push_back(std::move(item));
        } while (acceptSymbol(","));
        expectSymbol("]");
    }
    // [fsBold, fsItalic] and [1..5] are set values; a set of texts only serves 'in'.
    if (constant) {
        auto c = std::make_unique<ScriptExpr>();
        c->line = e->line;
        c->column = e->column;
        c->value = ScriptValue::set(mask);
        return c;
    }
    return e;
}

std::vector<ScriptExprPtr> ScriptParser::arguments()
{
    std::vector<ScriptExprPtr> args;
    expectSymbol("(");
    if (acceptSymbol(")"))
        return args;
    do
        args.push_back(expression());
    while (acceptSymbol(","));
    expectSymbol(")");
    return args;
}

int ScriptParser::objectSlot(const QString& name)
{
    const QString lower = name.toLower();
    const auto it = m_objects.constFind(lower);
    if (it != m_objects.constEnd())
        return *it;
    const int slot = int(m_prog->objectNames.size());
    m_objects.insert(lower, slot);
    m_prog->objectNames.push_back(name);
    return slot;
}

void ScriptParser::checkCall(const ScriptExpr& call, const ScriptRoutine& r, const ScriptToken& at)
{
    if (call.args.size() != r.params.size())
        fail(QStringLiteral("'%1'의 인수 개수가 맞지 않습니다 (%2개가 필요한데 %3개 있습니다)")
                 .arg(r.name)
                 .arg(r.params.size())
                 .arg(call.args.size()),
             at);
    for (size_t i = 0; i < r.params.size(); ++i)
        if (r.params[i].byRef && !call.args[i]->isVariable())
            fail(QStringLiteral("'%1'의 %2번째 인수(var)에는 변수가 와야 합니다")
                     .arg(r.name)
                     .arg(i + 1),
                 at);
}

ScriptExprPtr ScriptParser::routineCall(const ScriptToken& name, int index)
{
    auto e = node(ScriptExpr::Call, name);
    e->slot = index;
    e->name = name.text;
    if (peek().isSymbol("("))
        e->args = arguments();
    checkCall(*e, *m_prog->routines[index], name);
    return e;
}

ScriptExprPtr ScriptParser::builtinCall(const ScriptToken& name, int id)
{
    const ScriptBuiltins::Info& info = ScriptBuiltins::info(ScriptBuiltins::Id(id));
    auto e = node(info.id == ScriptBuiltins::Iif ? ScriptExpr::Iif : ScriptExpr::Builtin, name);
    e->slot = id;
    e->name = name.text;
    if (peek().isSymbol("("))
        e->args = arguments();
    const int n = int(e->args.size());
    if (n < info.minArgs || n > info.maxArgs) {
        const QString want = info.minArgs == info.maxArgs
                                 ? QString::number(info.minArgs)
                                 : QStringLiteral("%1~%2").arg(info.minArgs).arg(info.maxArgs);
        fail(QStringLiteral("'%1'의 인수 개수가 맞지 않습니다 (%2개가 필요한데 %3개 있습니다)")
                 .arg(name.text, want)
                 .arg(n),
             name);
    }
    for (int i = 0; i < n; ++i)
        if ((info.refMask >> i & 1) && !e->args[i]->isVariable())
            fail(QStringLiteral("'%1'의 %2번째 인수(var)에는 변수가 와야 합니다")
                     .arg(name.text)
                     .arg(i + 1),
                 name);
    return e;
}

ScriptExprPtr ScriptParser::designator(bool assignTarget)
{
    const ScriptToken t = next();
    ScriptExprPtr e;
    if (m_routine) {
        const auto local = m_locals.constFind(t.lower);
        if (assignTarget && m_routine->isFunction && t.lower == m_routineLower) {
            e = node(ScriptExpr::Local, t); // FunctionName := value sets the result
            e->slot = m_routine->resultSlot;
            e->varType = m_routine->slotTypes[m_routine->resultSlot];
        } else if (local != m_locals.constEnd()) {
            e = node(local->byRef ? ScriptExpr::LocalRef : ScriptExpr::Local, t);
            e->slot = local->slot;
            e->varType = local->type;
        } else if (m_localConsts.contains(t.lower)) {
            e = node(ScriptExpr::Constant, t);
            e->value = m_localConsts.value(t.lower);
        }
    }
    if (!e) {
        if (const auto g = m_globals.constFind(t.lower); g != m_globals.constEnd()) {
            e = node(ScriptExpr::Global, t);
            e->slot = *g;
            e->varType = m_prog->globalTypes[*g];
        } else if (m_consts.contains(t.lower)) {
            e = node(ScriptExpr::Constant, t);
            e->value = m_consts.value(t.lower);
        } else if (const auto r = m_routines.constFind(t.lower); r != m_routines.constEnd()) {
            e = routineCall(t, *r);
        } else if (const auto c = ScriptConstants::find(t.lower)) {
            e = node(ScriptExpr::Constant, t);
            e->value = *c;
        } else if (const ScriptBuiltins::Info* b = ScriptBuiltins::find(t.lower)) {
            e = builtinCall(t, b->id);
        } else {
            if (assignTarget)
                fail(QStringLiteral("선언되지 않은 변수입니다: '%1'").arg(t.text), t);
            // An object of the report, or a routine declared further down.
            e = node(ScriptExpr::Unresolved, t);
            e->name = t.text;
            e->path = t.lower;
            if (peek().isSymbol("(")) {
                e->hasArgs = true;
                e->args = arguments();
            }
            m_pending.push_back({e.get(), false, t});
        }
    }
    if (e->kind == ScriptExpr::Constant && assignTarget)
        fail(QStringLiteral("상수에는 값을 넣을 수 없습니다: '%1'").arg(t.text), t);
    e->name = t.text;
    return postfix(std::move(e));
}

ScriptExprPtr ScriptParser::postfix(ScriptExprPtr base)
{
    for (;;) {
        if (peek().isSymbol(".")) {
            const ScriptToken at = peek(1);
            if (base->kind == ScriptExpr::Constant)
                fail(QStringLiteral("'.' 앞에는 개체가 와야 합니다"), at);
            QString path, written;
            while (acceptSymbol(".")) {
                const ScriptToken& member = peek();
                if (member.kind != ScriptToken::Ident && member.kind != ScriptToken::Keyword)
                    expected(QStringLiteral("속성 이름"));
                next();
                path += (path.isEmpty() ? QString() : QStringLiteral(".")) + member.lower;
                written += QLatin1Char('.') + member.text;
            }
            const QString baseName = base->name;
            const bool call = peek().isSymbol("(");
            auto e = node(call ? ScriptExpr::Method : ScriptExpr::Property, at);
            e->path = path;
            e->name = baseName + written;
            e->args.push_back(std::move(base));
            if (call) {
                for (ScriptExprPtr& a : arguments())
                    e->args.push_back(std::move(a));
                if (peek().isSymbol(".") || peek().isSymbol("["))
                    fail(QStringLiteral("지원하지 않는 구문: 메서드 결과의 속성"), peek());
                return e;
            }
            base = std::move(e);
        } else if (peek().isSymbol("[")) {
            const ScriptToken at = next();
            auto e = node(ScriptExpr::Index, at);
            e->name = base->name;
            e->args.push_back(std::move(base));
            e->args.push_back(expression());
            expectSymbol("]");
            base = std::move(e);
        } else {
            return base;
        }
    }
}

void ScriptParser::resolvePending()
{
    // In reading order, so a name inside another's arguments is settled first.
    for (const Pending& p : m_pending) {
        ScriptExpr* e = p.node;
        const auto r = m_routines.constFind(e->path);
        if (r != m_routines.constEnd()) {
            const ScriptRoutine& routine = *m_prog->routines[*r];
            if (!p.statement && !routine.isFunction)
                fail(QStringLiteral("프로시저 '%1'은(는) 값을 돌려주지 않습니다").arg(e->name),
                     p.at);
            e->kind = ScriptExpr::Call;
            e->slot = *r;
            checkCall(*e, routine, p.at);
        } else if (e->hasArgs && e->args.size() == 1 && e->path.startsWith(QLatin1Char('t')) &&
                   !p.statement) {
            // TfrxMemoView(Sender): a class typecast leaves the value as it is.
            ScriptExprPtr inner = std::move(e->args[0]);
            *e = std::move(*inner);
        } else if (p.statement) {
            fail(QStringLiteral("알 수 없는 프로시저입니다: '%1'").arg(e->name), p.at);
        } else if (e->hasArgs) {
            fail(QStringLiteral("알 수 없는 함수입니다: '%1'").arg(e->name), p.at);
        } else {
            e->kind = ScriptExpr::Object;
            e->slot = objectSlot(e->name);
        }
    }
    m_pending.clear();
}

} // namespace orvel::report
