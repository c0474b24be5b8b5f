#include "report/script/Script.h"

#include "report/script/ScriptInterpreter.h"
#include "report/script/ScriptParser.h"

#include <exception>

namespace orvel::report
{

std::shared_ptr<const ScriptProgram> ScriptProgram::compile(const QString& source,
                                                            ScriptError* error)
{
    auto program = std::shared_ptr<ScriptProgram>(new ScriptProgram);
    ScriptError e;
    if (!ScriptParser::compile(source, &program->m_data, &e)) {
        if (error)
            *error = e;
        return nullptr;
    }
    for (size_t i = 0; i < program->m_data.routines.size(); ++i)
        program->m_byName.insert(program->m_data.routines[i]->name.toLower(), int(i));
    if (error)
        *error = {};
    return program;
}

std::vector<ScriptProgram::Routine> ScriptProgram::routines() const
{
    std::vector<Routine> out;
    for (const auto& r : m_data.routines) {
        Routine info{r->name, {}, r->isFunction, r->line};
        for (const ScriptParam& p : r->params)
            info.parameters << p.name;
        out.push_back(std::move(info));
    }
    return out;
}

int ScriptProgram::findRoutine(const QString& name) const
{
    return m_byName.value(name.toLower(), -1);
}

QStringList ScriptProgram::objectNames() const
{
    return QStringList(m_data.objectNames.begin(), m_data.objectNames.end());
}

ScriptRunner::ScriptRunner(std::shared_ptr<const ScriptProgram> program, ScriptHost& host,
                           ScriptLimits limits)
    : m_program(std::move(program)),
      m_interpreter(std::make_unique<ScriptInterpreter>(m_program->data(), host, limits))
{
}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::reset()
{
    m_interpreter->reset();
    m_error = {};
}

template <typename F> bool ScriptRunner::guarded(const QString& handler, F&& run)
{
    m_error = {};
    try {
        run();
        return true;
    } catch (const ScriptFailure& f) {
        m_error.kind = f.limit ? ScriptError::Limit : ScriptError::Runtime;
        m_error.message = f.message;
        m_error.line = f.line;
        m_error.routine = f.routine;
    } catch (const std::exception& e) {
        m_error.kind = ScriptError::Runtime;
        m_error.message = QStringLiteral("내부 오류: %1").arg(QString::fromLocal8Bit(e.what()));
    }
    m_error.handler = handler;
    return false;
}

bool ScriptRunner::runMain()
{
    return guarded({}, [&] { m_interpreter->runMain(); });
}

bool ScriptRunner::knownRoutine(int routine)
{
    if (routine >= 0 && routine < int(m_program->data().routines.size()))
        return true;
    m_error = {
        ScriptError::Runtime, QStringLiteral("스크립트에 없는 프로시저입니다"), 0, 0, {}, {}};
    return false;
}

bool ScriptRunner::call(int routine, const QVariantList& args, QVariant* result)
{
    if (!knownRoutine(routine))
        return false;
    const auto& routines = m_program->data().routines;
    return guarded(routines[routine]->name, [&] {
        std::vector<ScriptValue> values;
        values.reserve(args.size());
        for (const QVariant& a : args)
            values.push_back(ScriptValue::fromVariant(a));
        const ScriptValue v = m_interpreter->call(routine, std::move(values));
        if (result)
            *result = v.toVariant();
    });
}

bool ScriptRunner::callHandler(int routine, int sender)
{
    if (!knownRoutine(routine))
        return false;
    const auto& routines = m_program->data().routines;
    return guarded(routines[routine]->name, [&] {
        std::vector<ScriptValue> values;
        if (!routines[routine]->params.empty())
            values.push_back(sender < 0 ? ScriptValue() : ScriptValue::object(sender));
        m_interpreter->call(routine, std::move(values));
    });
}

bool ScriptRunner::callHandler(const QString& name, int sender)
{
    const int routine = m_program->findRoutine(name);
    if (routine < 0) {
        m_error = {ScriptError::Runtime,
                   QStringLiteral("스크립트에 없는 프로시저입니다: '%1'").arg(name),
                   0,
                   0,
                   name,
                   {}};
        return false;
    }
    return callHandler(routine, sender);
}

qint64 ScriptRunner::stepsUsed() const
{
    return m_interpreter->steps();
}

double ScriptRunner::millisecondsUsed() const
{
    return m_interpreter->milliseconds();
}

} // namespace orvel::report
