// Expression evaluation of ScriptInterpreter: values, operators, calls and host objects.
#include "report/script/ScriptBuiltins.h"
#include "report/script/ScriptInterpreter.h"
#include "report/script/ScriptOps.h"

namespace orvel::report
{

using ScriptOps::fail;

ScriptValue ScriptInterpreter::eval(const ScriptExpr& e)
{
    switch (e.kind) {
    case ScriptExpr::Constant:
        return e.value;
    case ScriptExpr::Global:
        return m_globals[e.slot];
    case ScriptExpr::Local:
        return m_frame[e.slot];
    case ScriptExpr::LocalRef:
        return *m_frame[e.slot].target();
    case ScriptExpr::Object:
        return ScriptValue::object(object(e.slot));
    case ScriptExpr::Field: {
        const QVariant v = m_host.field(e.name, e.path);
        if (!v.isValid())
            fail(QStringLiteral("데이터 필드가 없습니다: <%1.\"%2\">").arg(e.name, e.path));
        return ScriptValue::fromVariant(v);
    }
    case ScriptExpr::Variable:
        return ScriptValue::fromVariant(m_host.variable(e.name));
    case ScriptExpr::Unary:
        return ScriptOps::unary(e.op, eval(*e.args[0]));
    case ScriptExpr::Binary:
        if (e.op == ScriptOp::And || e.op == ScriptOp::Or)
            return evalLogical(e);
        return ScriptOps::binary(e.op, eval(*e.args[0]), eval(*e.args[1]));
    case ScriptExpr::SetOf:
        return evalSet(e);
    case ScriptExpr::InSet:
        return ScriptValue(evalIn(e));
    case ScriptExpr::InValue:
        return ScriptValue(ScriptOps::inSet(eval(*e.args[0]), eval(*e.args[1])));
    case ScriptExpr::Builtin:
        return builtin(e);
    case ScriptExpr::Call:
        return callRoutine(e);
    case ScriptExpr::Iif:
        return ScriptOps::condition(eval(*e.args[0])) ? eval(*e.args[1]) : eval(*e.args[2]);
    case ScriptExpr::Property:
        return getProperty(e);
    case ScriptExpr::Method:
        return callMethod(e);
    case ScriptExpr::Index:
        return evalIndex(e);
    case ScriptExpr::Range:
    case ScriptExpr::Unresolved:
        break;
    }
    fail(QStringLiteral("지원하지 않는 식입니다"));
}

// and/or on booleans skip the right side when the left decides (short-circuit).
ScriptValue ScriptInterpreter::evalLogical(const ScriptExpr& e)
{
    const ScriptValue a = eval(*e.args[0]);
    if (a.type() == ScriptValue::Bool && a.boolValue() == (e.op == ScriptOp::Or))
        return a;
    return ScriptOps::binary(e.op, a, eval(*e.args[1]));
}

ScriptValue ScriptInterpreter::evalSet(const ScriptExpr& e)
{
    qint64 mask = 0;
    auto add = [&](const ScriptValue& v) {
        if (v.type() == ScriptValue::Set) {
            mask |= v.setMask();
            return;
        }
        const qint64 bit = ScriptOps::toInt(v, "집합 원소");
        if (bit < 0 || bit > 63)
            fail(QStringLiteral("집합 원소가 범위(0..63)를 벗어났습니다: %1").arg(bit));
        mask |= qint64(1) << bit;
    };
    for (const ScriptExprPtr& item : e.args) {
        if (item->kind != ScriptExpr::Range) {
            add(eval(*item));
            continue;
        }
        const qint64 lo = ScriptOps::toInt(eval(*item->args[0]), "집합 범위");
        const qint64 hi = ScriptOps::toInt(eval(*item->args[1]), "집합 범위");
        if (lo < 0 || hi > 63)
            fail(QStringLiteral("집합 원소가 범위(0..63)를 벗어났습니다: %1..%2").arg(lo).arg(hi));
        for (qint64 b = lo; b <= hi; ++b)
            mask |= qint64(1) << b;
    }
    return ScriptValue::set(mask);
}

bool ScriptInterpreter::evalIn(const ScriptExpr& e)
{
    const ScriptValue x = eval(*e.args[0]);
    for (size_t i = 1; i < e.args.size(); ++i) {
        const ScriptExpr& item = *e.args[i];
        if (item.kind == ScriptExpr::Range) {
            if (ScriptOps::compare(x, eval(*item.args[0]), true) >= 0 &&
                ScriptOps::compare(x, eval(*item.args[1]), true) <= 0)
                return true;
        } else if (ScriptOps::compare(x, eval(item), false) == 0) {
            return true;
        }
    }
    return false;
}

ScriptValue ScriptInterpreter::evalIndex(const ScriptExpr& e)
{
    const ScriptValue s = eval(*e.args[0]);
    if (s.type() != ScriptValue::String)
        fail(QStringLiteral("형식이 맞지 않습니다: '%1'은(는) 문자열이 아닙니다").arg(e.name));
    const qint64 i = ScriptOps::toInt(eval(*e.args[1]), "문자열 첨자");
    if (i < 1 || i > s.string().size())
        fail(QStringLiteral("문자열 첨자 %1이(가) 범위(1..%2)를 벗어났습니다")
                 .arg(i)
                 .arg(s.string().size()));
    return ScriptValue(QString(s.string()[i - 1]));
}

ScriptValue ScriptInterpreter::builtin(const ScriptExpr& e)
{
    const auto id = ScriptBuiltins::Id(e.slot);
    switch (id) {
    case ScriptBuiltins::Get:
        return ScriptValue::fromVariant(m_host.variable(eval(*e.args[0]).toText()));
    case ScriptBuiltins::Set: {
        const QString name = eval(*e.args[0]).toText();
        m_host.setVariable(name, eval(*e.args[1]).toVariant());
        return {};
    }
    case ScriptBuiltins::ShowMessage: {
        const QString text = eval(*e.args[0]).toText();
        // A message box waits for the user: that time is not the script's.
        stopClock();
        m_host.showMessage(text);
        startClock();
        return {};
    }
    default:
        break;
    }
    const ScriptBuiltins::Info& info = ScriptBuiltins::info(id);
    const int n = int(e.args.size());
    ScriptValue args[ScriptBuiltins::MaxArgs];
    ScriptValue* refs[ScriptBuiltins::MaxArgs] = {};
    for (int i = 0; i < n; ++i) {
        if (info.refMask >> i & 1) {
            refs[i] = &variable(*e.args[i]);
            args[i] = *refs[i];
        } else {
            args[i] = eval(*e.args[i]);
        }
    }
    ScriptValue result = ScriptBuiltins::call(id, args, n, refs);
    for (int i = 0; i < n; ++i) // var arguments keep their variables' declared types
        if (refs[i] && e.args[i]->varType != ScriptType::Any)
            *refs[i] = ScriptOps::coerce(*refs[i], e.args[i]->varType);
    return result;
}

// ---- report objects

int ScriptInterpreter::object(int slot)
{
    int& handle = m_objects[slot];
    if (handle == -2)
        handle = m_host.findObject(m_prog.objectNames[slot]);
    if (handle < 0)
        fail(QStringLiteral("알 수 없는 이름입니다: '%1' (변수도 보고서 개체도 아닙니다)")
                 .arg(m_prog.objectNames[slot]));
    return handle;
}

int ScriptInterpreter::objectOf(const ScriptExpr& base)
{
    if (base.kind == ScriptExpr::Object)
        return object(base.slot);
    const ScriptValue v = eval(base);
    if (v.type() == ScriptValue::Object)
        return v.objectHandle();
    if (v.isNull())
        fail(QStringLiteral("'%1'이(가) 비어 있습니다 (nil)").arg(base.name));
    fail(QStringLiteral("형식이 맞지 않습니다: '%1'은(는) 개체가 아니라 %2 값입니다")
             .arg(base.name, ScriptValue::typeName(v.type())));
}

void ScriptInterpreter::hostFailure(const ScriptHostResult& r, const ScriptExpr& e, bool method)
{
    switch (r.code) {
    case ScriptHostResult::NoSuchMember:
        fail(method ? QStringLiteral("메서드가 없습니다: '%1'").arg(e.name)
                    : QStringLiteral("속성이 없습니다: '%1'").arg(e.name));
    case ScriptHostResult::BadValue:
        fail(QStringLiteral("'%1'에 맞지 않는 값입니다%2")
                 .arg(e.name, r.message.isEmpty() ? QString() : QStringLiteral(": ") + r.message));
    case ScriptHostResult::Failed:
    case ScriptHostResult::Ok:
        break;
    }
    fail(QStringLiteral("'%1' 실패: %2").arg(e.name, r.message));
}

ScriptValue ScriptInterpreter::getProperty(const ScriptExpr& e)
{
    const int handle = objectOf(*e.args[0]);
    QVariant value;
    const ScriptHostResult r = m_host.getProperty(handle, e.path, value);
    if (r.code != ScriptHostResult::Ok)
        hostFailure(r, e, false);
    return ScriptValue::fromVariant(value);
}

void ScriptInterpreter::setProperty(const ScriptExpr& target, const ScriptValue& v)
{
    const int handle = objectOf(*target.args[0]);
    const ScriptHostResult r = m_host.setProperty(handle, target.path, v.toVariant());
    if (r.code != ScriptHostResult::Ok)
        hostFailure(r, target, false);
}

ScriptValue ScriptInterpreter::callMethod(const ScriptExpr& e)
{
    const int handle = objectOf(*e.args[0]);
    QVariantList args;
    args.reserve(qsizetype(e.args.size()) - 1);
    for (size_t i = 1; i < e.args.size(); ++i)
        args.push_back(eval(*e.args[i]).toVariant());
    QVariant result;
    const ScriptHostResult r = m_host.callMethod(handle, e.path, args, result);
    if (r.code != ScriptHostResult::Ok)
        hostFailure(r, e, true);
    return ScriptValue::fromVariant(result);
}

} // namespace orvel::report
