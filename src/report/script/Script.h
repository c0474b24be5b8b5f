#pragma once

#include "report/script/ScriptAst.h"
#include "report/script/ScriptError.h"
#include "report/script/ScriptHost.h"

#include <QHash>
#include <QStringList>
#include <memory>

namespace orvel::report
{

class ScriptInterpreter;

/// Budgets of one report run. The defaults stop an endless loop in well under a second
/// and leave room for a small handler on every row of a long report.
struct ScriptLimits {
    qint64 maxSteps = 5'000'000; // statements and loop rounds, summed over the run
    int maxMilliseconds = 500;   // time spent running script code, summed over the run
    int maxCallDepth = 64;       // nested procedure calls
};

/// A report script compiled once: its procedures, its main block and the objects it names.
class ScriptProgram
{
public:
    struct Routine {
        QString name;
        QStringList parameters;
        bool isFunction = false;
        int line = 0;
    };

    /// Compiles script text; nullptr with *error (line, column, message) on a syntax error.
    /// Text with no code at all (or only comments) compiles to an empty program.
    static std::shared_ptr<const ScriptProgram> compile(const QString& source,
                                                        ScriptError* error = nullptr);

    std::vector<Routine> routines() const;
    /// The index of a procedure or function (ignoring case), -1 when it is not declared.
    int findRoutine(const QString& name) const;
    /// Names the script uses as report objects (Memo1, MasterData1, Engine ...).
    QStringList objectNames() const;
    bool hasMainCode() const { return !m_data.main.empty(); }
    const ScriptProgramData& data() const { return m_data; }

private:
    ScriptProgramData m_data;
    QHash<QString, int> m_byName;
};

/// Runs a compiled script against one report: the main block once, then event handlers.
/// Every failure (run-time error, budget) stops the call and is kept in error().
class ScriptRunner
{
public:
    ScriptRunner(std::shared_ptr<const ScriptProgram> program, ScriptHost& host,
                 ScriptLimits limits = {});
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    /// Starts a new report run: global variables back to their initial values, budgets
    /// full, object names looked up afresh.
    void reset();
    bool runMain();
    /// Calls an event handler: its first parameter (Sender) is bound to the object handle
    /// (nil when sender < 0), further parameters get their type's empty value.
    bool callHandler(int routine, int sender);
    bool callHandler(const QString& name, int sender);
    /// Calls a procedure or function with arguments; a function's value goes to *result.
    bool call(int routine, const QVariantList& args, QVariant* result = nullptr);

    const ScriptError& error() const { return m_error; }
    qint64 stepsUsed() const;
    double millisecondsUsed() const;
    const ScriptProgram& program() const { return *m_program; }

private:
    template <typename F> bool guarded(const QString& handler, F&& run);
    /// Whether the routine index exists; sets the error when not.
    bool knownRoutine(int routine);

    std::shared_ptr<const ScriptProgram> m_program;
    std::unique_ptr<ScriptInterpreter> m_interpreter;
    ScriptError m_error;
};

} // namespace orvel::report
