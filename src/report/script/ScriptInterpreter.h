#pragma once

#include "report/script/Script.h"

#include <QElapsedTimer>
#include <vector>

namespace orvel::report
{

/// Walks a compiled script's tree against a host, counting steps and time; failures throw
/// ScriptFailure with the line and routine where they happened.
class ScriptInterpreter
{
public:
    ScriptInterpreter(const ScriptProgramData& program, ScriptHost& host,
                      const ScriptLimits& limits);

    void reset();
    void runMain();
    /// args: one value per parameter (references for var parameters are made here).
    ScriptValue call(int routine, std::vector<ScriptValue> args);
    qint64 steps() const { return m_steps; }
    double milliseconds() const { return m_usedNs / 1e6; }

private:
    enum class Flow : quint8 { Normal, Break, Continue, Exit };
    class Entry;

    Flow exec(const ScriptStmt& s);
    Flow execList(const std::vector<ScriptStmtPtr>& list);
    Flow execFor(const ScriptStmt& s);
    Flow execTry(const ScriptStmt& s);
    bool caseMatches(const ScriptValue& v, const ScriptCaseBranch& branch) const;
    ScriptValue eval(const ScriptExpr& e);
    ScriptValue evalLogical(const ScriptExpr& e);
    ScriptValue evalSet(const ScriptExpr& e);
    bool evalIn(const ScriptExpr& e);
    ScriptValue evalIndex(const ScriptExpr& e);
    ScriptValue& variable(const ScriptExpr& e);
    void assign(const ScriptExpr& target, const ScriptValue& v);
    ScriptValue callRoutine(const ScriptExpr& call);
    ScriptValue invoke(const ScriptRoutine& r, ScriptValue* args, size_t count);
    ScriptValue builtin(const ScriptExpr& e);
    int object(int slot);
    int objectOf(const ScriptExpr& base);
    ScriptValue getProperty(const ScriptExpr& e);
    void setProperty(const ScriptExpr& target, const ScriptValue& v);
    ScriptValue callMethod(const ScriptExpr& e);
    [[noreturn]] void hostFailure(const ScriptHostResult& r, const ScriptExpr& e, bool method);

    void step()
    {
        if (++m_steps >= m_nextCheck)
            checkpoint();
    }
    void checkpoint();
    [[noreturn]] void limit(const QString& message);
    void startClock();
    void stopClock();

    const ScriptProgramData& m_prog;
    ScriptHost& m_host;
    ScriptLimits m_limits;
    std::vector<ScriptValue> m_globals;
    std::vector<int> m_objects; // host handles by object slot; -2 = not looked up yet
    // One frame per call depth, reused from call to call; a var parameter points into
    // the caller's frame, which does not move while the callee runs.
    std::vector<std::unique_ptr<std::vector<ScriptValue>>> m_frames;
    ScriptValue* m_frame = nullptr;
    int m_depth = 0;
    const ScriptRoutine* m_routine = nullptr;
    int m_line = 0;
    qint64 m_steps = 0;
    qint64 m_nextCheck = 0;
    qint64 m_usedNs = 0; // script time of this run, the running entry excluded
    bool m_clockRunning = false;
    QElapsedTimer m_clock;
};

} // namespace orvel::report
