#include "report/script/ScriptInterpreter.h"

#include "report/script/ScriptBuiltins.h"
#include "report/script/ScriptOps.h"

namespace orvel::report
{

using ScriptOps::fail;

/// Keeps the interpreter's position (frame, routine, depth) across one routine call and
/// gives it back however the call ends.
class ScriptInterpreter::Entry
{
public:
    explicit Entry(ScriptInterpreter& in)
        : m_in(in), m_frame(in.m_frame), m_routine(in.m_routine), m_depth(in.m_depth),
          m_line(in.m_line)
    {
    }
    ~Entry()
    {
        m_in.m_frame = m_frame;
        m_in.m_routine = m_routine;
        m_in.m_depth = m_depth;
        m_in.m_line = m_line;
    }

private:
    ScriptInterpreter& m_in;
    ScriptValue* m_frame;
    const ScriptRoutine* m_routine;
    int m_depth;
    int m_line;
};

ScriptInterpreter::ScriptInterpreter(const ScriptProgramData& program, ScriptHost& host,
                                     const ScriptLimits& limits)
    : m_prog(program), m_host(host), m_limits(limits)
{
    reset();
}

void ScriptInterpreter::reset()
{
    m_globals = m_prog.globalInit;
    m_objects.assign(m_prog.objectNames.size(), -2);
    m_steps = 0;
    m_nextCheck = 0;
    m_usedNs = 0;
}

// ---- budgets

void ScriptInterpreter::startClock()
{
    m_clock.start();
    m_clockRunning = true;
}

void ScriptInterpreter::stopClock()
{
    if (m_clockRunning)
        m_usedNs += m_clock.nsecsElapsed();
    m_clockRunning = false;
}

void ScriptInterpreter::limit(const QString& message)
{
    throw ScriptFailure{message, true, false, 0, {}};
}

void ScriptInterpreter::checkpoint()
{
    if (m_steps > m_limits.maxSteps)
        limit(QStringLiteral("실행 단계 한도(%1)를 넘었습니다. 끝나지 않는 반복이 있는지 "
                             "확인하세요")
                  .arg(m_limits.maxSteps));
    const qint64 used = m_usedNs + (m_clockRunning ? m_clock.nsecsElapsed() : 0);
    if (used > qint64(m_limits.maxMilliseconds) * 1000000)
        limit(QStringLiteral("실행 시간 한도(%1 ms)를 넘었습니다").arg(m_limits.maxMilliseconds));
    m_nextCheck = std::min(m_steps + 1024, m_limits.maxSteps + 1);
}

// ---- entries

void ScriptInterpreter::runMain()
{
    Entry entry(*this);
    startClock();
    m_frame = nullptr;
    m_routine = nullptr;
    try {
        checkpoint();
        execList(m_prog.main);
    } catch (ScriptFailure& f) {
        if (!f.located) {
            f.line = m_line;
            f.located = true;
        }
        stopClock();
        throw;
    }
    stopClock();
}

ScriptValue ScriptInterpreter::call(int routine, std::vector<ScriptValue> args)
{
    const ScriptRoutine& r = *m_prog.routines.at(routine);
    startClock();
    try {
        checkpoint();
        args.resize(r.params.size());
        // A var parameter called from outside has no caller's variable: give it a cell.
        std::vector<ScriptValue> cells(args.size());
        for (size_t i = 0; i < args.size(); ++i) {
            if (r.params[i].byRef) {
                cells[i] = ScriptOps::initial(r.params[i].type);
                args[i] = ScriptValue::ref(&cells[i]);
            } else if (args[i].isNull()) {
                args[i] = ScriptOps::initial(r.params[i].type);
            }
        }
        ScriptValue result = invoke(r, args.data(), args.size());
        stopClock();
        return result;
    } catch (...) {
        stopClock();
        throw;
    }
}

ScriptValue ScriptInterpreter::callRoutine(const ScriptExpr& call)
{
    const ScriptRoutine& r = *m_prog.routines[call.slot];
    constexpr size_t Small = 8;
    const size_t n = call.args.size();
    ScriptValue small[Small];
    std::vector<ScriptValue> large;
    ScriptValue* args = small;
    if (n > Small) {
        large.resize(n);
        args = large.data();
    }
    for (size_t i = 0; i < n; ++i)
        args[i] =
            r.params[i].byRef ? ScriptValue::ref(&variable(*call.args[i])) : eval(*call.args[i]);
    return invoke(r, args, n);
}

ScriptValue ScriptInterpreter::invoke(const ScriptRoutine& r, ScriptValue* args, size_t count)
{
    if (m_depth >= m_limits.maxCallDepth)
        limit(QStringLiteral("호출 깊이 한도(%1)를 넘었습니다. 끝나지 않는 재귀 호출인지 "
                             "확인하세요")
                  .arg(m_limits.maxCallDepth));
    Entry entry(*this);
    if (m_frames.size() <= size_t(m_depth))
        m_frames.push_back(std::make_unique<std::vector<ScriptValue>>());
    std::vector<ScriptValue>& frame = *m_frames[m_depth];
    frame.assign(r.slotInit.begin(), r.slotInit.end());
    for (size_t i = 0; i < count; ++i) {
        const ScriptType t = r.params[i].type;
        frame[i] = r.params[i].byRef || t == ScriptType::Any ? std::move(args[i])
                                                             : ScriptOps::coerce(args[i], t);
    }
    ++m_depth;
    m_frame = frame.data();
    m_routine = &r;
    try {
        execList(r.body);
    } catch (ScriptFailure& f) {
        if (!f.located) {
            f.line = m_line;
            f.routine = r.name;
            f.located = true;
        }
        throw;
    }
    return r.resultSlot >= 0 ? frame[r.resultSlot] : ScriptValue();
}

// ---- statements

ScriptInterpreter::Flow ScriptInterpreter::execList(const std::vector<ScriptStmtPtr>& list)
{
    for (const ScriptStmtPtr& s : list) {
        const Flow f = exec(*s);
        if (f != Flow::Normal)
            return f;
    }
    return Flow::Normal;
}

ScriptInterpreter::Flow ScriptInterpreter::exec(const ScriptStmt& s)
{
    m_line = s.line;
    step();
    switch (s.kind) {
    case ScriptStmt::Empty:
        return Flow::Normal;
    case ScriptStmt::Block:
        return execList(s.body);
    case ScriptStmt::Assign:
        assign(*s.target, eval(*s.expr));
        return Flow::Normal;
    case ScriptStmt::SetProperty:
        setProperty(*s.target, eval(*s.expr));
        return Flow::Normal;
    case ScriptStmt::Call:
        eval(*s.expr);
        return Flow::Normal;
    case ScriptStmt::If:
        if (ScriptOps::condition(eval(*s.expr)))
            return exec(*s.body[0]);
        return s.other.empty() ? Flow::Normal : exec(*s.other[0]);
    case ScriptStmt::Case: {
        const ScriptValue v = eval(*s.expr);
        for (const ScriptCaseBranch& b : s.branches)
            if (caseMatches(v, b))
                return exec(*b.stmt);
        return execList(s.other);
    }
    case ScriptStmt::For:
        return execFor(s);
    case ScriptStmt::While:
        while (ScriptOps::condition(eval(*s.expr))) {
            const Flow f = exec(*s.body[0]);
            if (f == Flow::Break)
                break;
            if (f == Flow::Exit)
                return f;
        }
        return Flow::Normal;
    case ScriptStmt::Repeat:
        for (;;) {
            m_line = s.line;
            step();
            const Flow f = execList(s.body);
            if (f == Flow::Break)
                break;
            if (f == Flow::Exit)
                return f;
            m_line = s.line;
            if (ScriptOps::condition(eval(*s.expr)))
                break;
        }
        return Flow::Normal;
    case ScriptStmt::Exit:
        if (s.target)
            assign(*s.target, eval(*s.expr));
        return Flow::Exit;
    case ScriptStmt::Break:
        return Flow::Break;
    case ScriptStmt::Continue:
        return Flow::Continue;
    case ScriptStmt::Try:
        return execTry(s);
    }
    return Flow::Normal;
}

ScriptInterpreter::Flow ScriptInterpreter::execFor(const ScriptStmt& s)
{
    const qint64 from = ScriptOps::toInt(eval(*s.expr), "for");
    const qint64 to = ScriptOps::toInt(eval(*s.expr2), "for");
    ScriptValue& counter = variable(*s.target);
    if (s.downto ? from < to : from > to)
        return Flow::Normal;
    for (qint64 i = from;; s.downto ? --i : ++i) {
        counter = ScriptValue(i);
        const Flow f = exec(*s.body[0]);
        if (f == Flow::Break)
            break;
        if (f == Flow::Exit)
            return f;
        if (i == to)
            break;
    }
    return Flow::Normal;
}

ScriptInterpreter::Flow ScriptInterpreter::execTry(const ScriptStmt& s)
{
    if (s.finally) {
        Flow f;
        try {
            f = execList(s.body);
        } catch (const ScriptFailure&) {
            execList(s.other);
            throw;
        }
        const Flow after = execList(s.other);
        return after != Flow::Normal ? after : f;
    }
    try {
        return execList(s.body);
    } catch (const ScriptFailure& failure) {
        if (failure.limit) // a budget cannot be caught by the script it stops
            throw;
    }
    return execList(s.other);
}

bool ScriptInterpreter::caseMatches(const ScriptValue& v, const ScriptCaseBranch& branch) const
{
    for (const ScriptCaseLabel& l : branch.labels) {
        if (l.low.type() == l.high.type() && ScriptOps::compare(l.low, l.high, false) == 0) {
            if (ScriptOps::compare(v, l.low, false) == 0)
                return true;
        } else if (ScriptOps::compare(v, l.low, true) >= 0 &&
                   ScriptOps::compare(v, l.high, true) <= 0) {
            return true;
        }
    }
    return false;
}

// ---- variables

ScriptValue& ScriptInterpreter::variable(const ScriptExpr& e)
{
    switch (e.kind) {
    case ScriptExpr::Global:
        return m_globals[e.slot];
    case ScriptExpr::Local:
        return m_frame[e.slot];
    case ScriptExpr::LocalRef:
        return *m_frame[e.slot].target();
    default:
        fail(QStringLiteral("변수가 아닙니다: '%1'").arg(e.name));
    }
}

void ScriptInterpreter::assign(const ScriptExpr& target, const ScriptValue& v)
{
    ScriptValue& dst = variable(target);
    dst = target.varType == ScriptType::Any ? v : ScriptOps::coerce(v, target.varType);
}

} // namespace orvel::report
