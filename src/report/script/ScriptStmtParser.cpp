#include "report/script/ScriptParser.h"

namespace orvel::report
{

// ---- statements

std::vector<ScriptStmtPtr> ScriptParser::statementList(const char* end1, const char* end2,
                                                       const char* end3)
{
    std::vector<ScriptStmtPtr> list;
    auto atEnd = [&] {
        const ScriptToken& t = peek();
        // The end of the text or a stray "end." closes nothing: the caller reports it.
        return t.kind == ScriptToken::End || t.isSymbol(".") || t.isKeyword(end1) ||
               (end2 && t.isKeyword(end2)) || (end3 && t.isKeyword(end3));
    };
    while (!atEnd()) {
        ScriptStmtPtr s = statement();
        if (s->kind != ScriptStmt::Empty)
            list.push_back(std::move(s));
        if (atEnd())
            break;
        if (!acceptSymbol(";"))
            expected(QStringLiteral("';'"));
    }
    return list;
}

ScriptStmtPtr ScriptParser::statement()
{
    enter();
    const ScriptToken& t = peek();
    ScriptStmtPtr s;
    if (t.isSymbol(";") || t.isKeyword("end") || t.isKeyword("until") || t.isKeyword("else") ||
        t.isKeyword("except") || t.isKeyword("finally"))
        s = std::make_unique<ScriptStmt>(); // empty statement
    else if (t.isKeyword("begin"))
        s = block();
    else if (t.isKeyword("if"))
        s = ifStatement();
    else if (t.isKeyword("case"))
        s = caseStatement();
    else if (t.isKeyword("for"))
        s = forStatement();
    else if (t.isKeyword("while"))
        s = whileStatement();
    else if (t.isKeyword("repeat"))
        s = repeatStatement();
    else if (t.isKeyword("try"))
        s = tryStatement();
    else if (t.kind == ScriptToken::Ident &&
             (t.lower == QLatin1String("exit") || t.lower == QLatin1String("break") ||
              t.lower == QLatin1String("continue")) &&
             !m_locals.contains(t.lower) && !m_globals.contains(t.lower))
        s = exitStatement();
    else if (t.kind == ScriptToken::Ident)
        s = designatorStatement();
    else if (t.kind == ScriptToken::Keyword)
        fail(QStringLiteral("지원하지 않는 구문: '%1'").arg(t.text), t);
    else
        fail(QStringLiteral("문장이 와야 하는데 %1이(가) 있습니다").arg(t.describe()), t);
    if (s->line == 0)
        s->line = t.line;
    leave();
    return s;
}

ScriptStmtPtr ScriptParser::block()
{
    const ScriptToken begin = next();
    auto s = std::make_unique<ScriptStmt>();
    s->kind = ScriptStmt::Block;
    s->line = begin.line;
    s->body = statementList("end");
    if (!peek().isKeyword("end"))
        fail(QStringLiteral("%1행의 'begin'이(가) 닫히지 않았습니다 ('end'이(가) 없습니다)")
                 .arg(begin.line),
             peek());
    next();
    return s;
}

ScriptStmtPtr ScriptParser::ifStatement()
{
    auto s = std::make_unique<ScriptStmt>();
    s->kind = ScriptStmt::If;
    s->line = next().line;
    s->expr = expression();
    expectKeyword("then");
    s->body.push_back(statement());
    if (acceptKeyword("else"))
        s->other.push_back(statement());
    return s;
}

ScriptStmtPtr ScriptParser::caseStatement()
{
    auto s = std::make_unique<ScriptStmt>();
    s->kind = ScriptStmt::Case;
    const ScriptToken start = next();
    s->line = start.line;
    s->expr = expression();
    expectKeyword("of");
    while (!peek().isKeyword("else") && !peek().isKeyword("end")) {
        if (peek().kind == ScriptToken::End || peek().isSymbol("."))
            fail(QStringLiteral("%1행의 'case'이(가) 닫히지 않았습니다 ('end'이(가) 없습니다)")
                     .arg(start.line),
                 peek());
        ScriptCaseBranch branch;
        do {
            ScriptCaseLabel label;
            const ScriptToken at = peek();
            ScriptExprPtr low = simple();
            if (low->kind != ScriptExpr::Constant)
                fail(QStringLiteral("case의 값은 상수여야 합니다"), at);
            label.low = label.high = low->value;
            if (acceptSymbol("..")) {
                ScriptExprPtr high = simple();
                if (high->kind != ScriptExpr::Constant)
                    fail(QStringLiteral("case의 값은 상수여야 합니다"), at);
                label.high = high->value;
            }
            branch.labels.push_back(label);
        } while (acceptSymbol(","));
        expectSymbol(":");
        branch.stmt = statement();
        s->branches.push_back(std::move(branch));
        if (!acceptSymbol(";") && !peek().isKeyword("else") && !peek().isKeyword("end"))
            expected(QStringLiteral("';'"));
    }
    if (acceptKeyword("else"))
        s->other = statementList("end");
    if (!peek().isKeyword("end"))
        fail(QStringLiteral("%1행의 'case'이(가) 닫히지 않았습니다 ('end'이(가) 없습니다)")
                 .arg(start.line),
             peek());
    expectKeyword("end");
    return s;
}

ScriptStmtPtr ScriptParser::loopBody()
{
    ++m_loops;
    ScriptStmtPtr body = statement();
    --m_loops;
    return body;
}

ScriptStmtPtr ScriptParser::forStatement()
{
    auto s = std::make_unique<ScriptStmt>();
    s->kind = ScriptStmt::For;
    s->line = next().line;
    const ScriptToken var = peek();
    if (var.kind != ScriptToken::Ident)
        expected(QStringLiteral("반복 변수"));
    s->target = designator(true);
    if (s->target->kind != ScriptExpr::Global && s->target->kind != ScriptExpr::Local)
        fail(QStringLiteral("for의 반복 변수는 선언된 변수여야 합니다: '%1'").arg(var.text), var);
    if (s->target->varType != ScriptType::Int && s->target->varType != ScriptType::Any)
        fail(QStringLiteral("for의 반복 변수는 정수여야 합니다: '%1'").arg(var.text), var);
    expectSymbol(":=");
    s->expr = expression();
    if (acceptKeyword("downto"))
        s->downto = true;
    else
        expectKeyword("to");
    s->expr2 = expression();
    expectKeyword("do");
    s->body.push_back(loopBody());
    return s;
}

ScriptStmtPtr ScriptParser::whileStatement()
{
    auto s = std::make_unique<ScriptStmt>();
    s->kind = ScriptStmt::While;
    s->line = next().line;
    s->expr = expression();
    expectKeyword("do");
    s->body.push_back(loopBody());
    return s;
}

ScriptStmtPtr ScriptParser::repeatStatement()
{
    auto s = std::make_unique<ScriptStmt>();
    s->kind = ScriptStmt::Repeat;
    const ScriptToken start = next();
    s->line = start.line;
    ++m_loops;
    s->body = statementList("until");
    --m_loops;
    if (!peek().isKeyword("until"))
        fail(QStringLiteral("%1행의 'repeat'에 'until'이(가) 없습니다").arg(start.line), peek());
    next();
    s->expr = expression();
    return s;
}

ScriptStmtPtr ScriptParser::tryStatement()
{
    auto s = std::make_unique<ScriptStmt>();
    s->kind = ScriptStmt::Try;
    const ScriptToken start = next();
    s->line = start.line;
    s->body = statementList("except", "finally");
    if (acceptKeyword("finally")) {
        s->finally = true;
    } else if (!acceptKeyword("except")) {
        fail(QStringLiteral("%1행의 'try'에 'except'나 'finally'가 없습니다").arg(start.line),
             peek());
    }
    if (peek().is(ScriptToken::Ident, "on"))
        fail(QStringLiteral("지원하지 않는 구문: 'on ... do'"), peek());
    s->other = statementList("end");
    if (!peek().isKeyword("end"))
        fail(QStringLiteral("%1행의 'try'이(가) 닫히지 않았습니다 ('end'이(가) 없습니다)")
                 .arg(start.line),
             peek());
    next();
    return s;
}

ScriptStmtPtr ScriptParser::exitStatement()
{
    const ScriptToken& t = next();
    auto s = std::make_unique<ScriptStmt>();
    s->line = t.line;
    if (t.lower == QLatin1String("exit")) {
        s->kind = ScriptStmt::Exit;
        if (acceptSymbol("(")) {
            if (!acceptSymbol(")")) {
                if (!m_routine || !m_routine->isFunction)
                    fail(QStringLiteral("값을 돌려주는 Exit는 함수 안에서만 쓸 수 있습니다"), t);
                s->expr = expression();
                expectSymbol(")");
                auto target = node(ScriptExpr::Local, t);
                target->slot = m_routine->resultSlot;
                target->varType = m_routine->slotTypes[m_routine->resultSlot];
                target->name = QStringLiteral("Result");
                s->target = std::move(target);
            }
        }
        return s;
    }
    if (m_loops == 0)
        fail(QStringLiteral("'%1'은(는) 반복문 안에서만 쓸 수 있습니다").arg(t.text), t);
    s->kind = t.lower == QLatin1String("break") ? ScriptStmt::Break : ScriptStmt::Continue;
    return s;
}

ScriptStmtPtr ScriptParser::designatorStatement()
{
    const ScriptToken start = peek();
    // A plain name followed by ':=' must be a variable (or the function's own name).
    ScriptExprPtr target = designator(peek(1).isSymbol(":="));
    auto s = std::make_unique<ScriptStmt>();
    s->line = start.line;
    if (acceptSymbol(":=")) {
        if (target->isVariable()) {
            s->kind = ScriptStmt::Assign;
        } else if (target->kind == ScriptExpr::Property) {
            s->kind = ScriptStmt::SetProperty;
        } else {
            fail(QStringLiteral("값을 넣을 수 없는 대상입니다: '%1'").arg(start.text), start);
        }
        s->target = std::move(target);
        s->expr = expression();
        return s;
    }
    switch (target->kind) {
    case ScriptExpr::Property:
        target->kind = ScriptExpr::Method; // Memo1.Memo.Clear: a method without arguments
        break;
    case ScriptExpr::Call:
    case ScriptExpr::Method:
    case ScriptExpr::Builtin:
        break;
    case ScriptExpr::Unresolved:
        for (auto p = m_pending.rbegin(); p != m_pending.rend(); ++p) {
            if (p->node == target.get()) {
                p->statement = true;
                break;
            }
        }
        break;
    default:
        if (peek().isSymbol("="))
            fail(QStringLiteral("대입에는 '='가 아니라 ':='를 씁니다"), peek());
        fail(QStringLiteral("문장이 아닙니다: '%1'").arg(start.text), start);
    }
    s->kind = ScriptStmt::Call;
    s->expr = std::move(target);
    return s;
}

} // namespace orvel::report
