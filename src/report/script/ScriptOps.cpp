#include "report/script/ScriptOps.h"

#include <cmath>
#include <limits>

namespace orvel::report
{

namespace ScriptOps
{

void fail(const QString& message)
{
    throw ScriptFailure{message, false, false, 0, {}};
}

namespace
{

const char* symbol(ScriptOp op)
{
    static const char* const names[] = {"+",  "-",   "*",   "/",   "div", "mod", "and",
                                        "or", "xor", "shl", "shr", "=",   "<>",  "<",
                                        ">",  "<=",  ">=",  "-",   "not"};
    return names[int(op)];
}

[[noreturn]] void mismatch(ScriptOp op, const ScriptValue& a, const ScriptValue& b)
{
    fail(QStringLiteral("형식이 맞지 않습니다: %1 %2 %3")
             .arg(ScriptValue::typeName(a.type()), QString::fromLatin1(symbol(op)),
                  ScriptValue::typeName(b.type())));
}

// A number for arithmetic: numbers as they are, numeric text read, Null as 0.
bool numeric(const ScriptValue& v, ScriptValue* out)
{
    switch (v.type()) {
    case ScriptValue::Int:
    case ScriptValue::Float:
    case ScriptValue::DateTime:
        *out = v;
        return true;
    case ScriptValue::Null:
        *out = ScriptValue(qint64(0));
        return true;
    case ScriptValue::String: {
        const QString t = v.string().trimmed();
        bool ok = false;
        const qint64 i = t.toLongLong(&ok);
        if (ok) {
            *out = ScriptValue(i);
            return true;
        }
        const double d = t.toDouble(&ok);
        if (ok)
            *out = ScriptValue(d);
        return ok;
    }
    default:
        return false;
    }
}

ScriptValue text(QString s)
{
    if (s.size() > MaxStringLength)
        fail(QStringLiteral("문자열이 너무 깁니다 (%1자 초과)").arg(MaxStringLength));
    return ScriptValue(std::move(s));
}

bool isSetLike(const ScriptValue& v)
{
    return v.type() == ScriptValue::Set || v.type() == ScriptValue::Int;
}

ScriptValue arithmetic(ScriptOp op, const ScriptValue& a, const ScriptValue& b)
{
    if (a.type() == ScriptValue::Int && b.type() == ScriptValue::Int) {
        const qint64 x = a.intValue(), y = b.intValue();
        qint64 r = 0;
        switch (op) {
        case ScriptOp::Add:
            if (!__builtin_add_overflow(x, y, &r))
                return ScriptValue(r);
            return ScriptValue(double(x) + double(y));
        case ScriptOp::Sub:
            if (!__builtin_sub_overflow(x, y, &r))
                return ScriptValue(r);
            return ScriptValue(double(x) - double(y));
        case ScriptOp::Mul:
            if (!__builtin_mul_overflow(x, y, &r))
                return ScriptValue(r);
            return ScriptValue(double(x) * double(y));
        case ScriptOp::IntDiv:
        case ScriptOp::Mod:
            if (y == 0)
                fail(QStringLiteral("0으로 나눌 수 없습니다"));
            if (y == -1) { // INT64_MIN div -1 overflows
                if (op == ScriptOp::Mod)
                    return ScriptValue(qint64(0));
                if (x == std::numeric_limits<qint64>::min())
                    return ScriptValue(-double(x));
                return ScriptValue(-x);
            }
            return ScriptValue(op == ScriptOp::Mod ? x % y : x / y);
        case ScriptOp::Shl:
            return ScriptValue(y < 0 || y > 63 ? qint64(0) : qint64(quint64(x) << y));
        case ScriptOp::Shr:
            return ScriptValue(y < 0 || y > 63 ? qint64(0) : qint64(quint64(x) >> y));
        default:
            break;
        }
    }
    const bool dates = a.type() == ScriptValue::DateTime || b.type() == ScriptValue::DateTime;
    const double x = a.number(), y = b.number();
    switch (op) {
    case ScriptOp::Add:
        return dates ? ScriptValue::dateTime(x + y) : ScriptValue(x + y);
    case ScriptOp::Sub:
        // date - number is a date; date - date is a number of days
        if (a.type() == ScriptValue::DateTime && b.type() != ScriptValue::DateTime)
            return ScriptValue::dateTime(x - y);
        return ScriptValue(x - y);
    case ScriptOp::Mul:
        return ScriptValue(x * y);
    case ScriptOp::Divide:
        if (y == 0)
            fail(QStringLiteral("0으로 나눌 수 없습니다"));
        return ScriptValue(x / y);
    case ScriptOp::IntDiv:
    case ScriptOp::Mod:
    case ScriptOp::Shl:
    case ScriptOp::Shr:
        fail(QStringLiteral("형식이 맞지 않습니다: %1에는 정수가 필요합니다")
                 .arg(QString::fromLatin1(symbol(op))));
    default:
        break;
    }
    return {};
}

ScriptValue logical(ScriptOp op, const ScriptValue& a, const ScriptValue& b)
{
    if (a.type() == ScriptValue::Bool && b.type() == ScriptValue::Bool) {
        const bool x = a.boolValue(), y = b.boolValue();
        return ScriptValue(op == ScriptOp::And ? x && y : op == ScriptOp::Or ? x || y : x != y);
    }
    if (a.type() == ScriptValue::Int && b.type() == ScriptValue::Int) {
        const qint64 x = a.intValue(), y = b.intValue();
        return ScriptValue(op == ScriptOp::And ? x & y : op == ScriptOp::Or ? x | y : x ^ y);
    }
    mismatch(op, a, b);
}

bool relation(ScriptOp op, int c)
{
    switch (op) {
    case ScriptOp::Eq:
        return c == 0;
    case ScriptOp::Ne:
        return c != 0;
    case ScriptOp::Lt:
        return c < 0;
    case ScriptOp::Gt:
        return c == 1;
    case ScriptOp::Le:
        return c <= 0;
    default:
        return c == 0 || c == 1;
    }
}

} // namespace

int compare(const ScriptValue& a, const ScriptValue& b, bool ordered)
{
    auto sign = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    const auto ta = a.type(), tb = b.type();
    if (ta == ScriptValue::Int && tb == ScriptValue::Int)
        return sign(a.intValue(), b.intValue());
    if (a.isNumber() && b.isNumber())
        return sign(a.number(), b.number());
    if (ta == ScriptValue::String && tb == ScriptValue::String)
        return sign(a.string().compare(b.string()), 0);
    if (ta == ScriptValue::Bool && tb == ScriptValue::Bool)
        return sign(a.boolValue(), b.boolValue());
    if (ta == ScriptValue::Null || tb == ScriptValue::Null) {
        if (ta == tb)
            return 0;
        const ScriptValue& other = ta == ScriptValue::Null ? b : a;
        const int flip = ta == ScriptValue::Null ? 1 : -1;
        switch (other.type()) {
        case ScriptValue::String:
            return flip * sign(QString().compare(other.string()), 0);
        case ScriptValue::Int:
        case ScriptValue::Float:
        case ScriptValue::DateTime:
            return flip * sign(0.0, other.number());
        case ScriptValue::Bool:
            return flip * sign(false, other.boolValue());
        default:
            break; // an object is never nil
        }
        if (!ordered)
            return 2;
        fail(QStringLiteral("형식이 맞지 않습니다: %1와(과) %2 비교")
                 .arg(ScriptValue::typeName(ta), ScriptValue::typeName(tb)));
    }
    if ((ta == ScriptValue::String && b.isNumber()) ||
        (a.isNumber() && tb == ScriptValue::String)) {
        double x = 0, y = 0;
        if (a.toNumber(&x) && b.toNumber(&y))
            return sign(x, y);
        if (!ordered)
            return 2;
    }
    if (!ordered) {
        if (ta == ScriptValue::Object && tb == ScriptValue::Object)
            return a.objectHandle() == b.objectHandle() ? 0 : 2;
        if (isSetLike(a) && isSetLike(b))
            return a.setMask() == b.setMask() ? 0 : 2;
    }
    fail(QStringLiteral("형식이 맞지 않습니다: %1와(과) %2 비교")
             .arg(ScriptValue::typeName(ta), ScriptValue::typeName(tb)));
}

ScriptValue binary(ScriptOp op, const ScriptValue& a, const ScriptValue& b)
{
    switch (op) {
    case ScriptOp::Eq:
    case ScriptOp::Ne:
        return ScriptValue(relation(op, compare(a, b, false)));
    case ScriptOp::Lt:
    case ScriptOp::Gt:
    case ScriptOp::Le:
    case ScriptOp::Ge:
        return ScriptValue(relation(op, compare(a, b, true)));
    case ScriptOp::And:
    case ScriptOp::Or:
    case ScriptOp::Xor:
        return logical(op, a, b);
    default:
        break;
    }
    // Sets: + union, - difference, * intersection.
    if ((a.type() == ScriptValue::Set && isSetLike(b)) ||
        (b.type() == ScriptValue::Set && isSetLike(a))) {
        const qint64 x = a.setMask(), y = b.setMask();
        if (op == ScriptOp::Add)
            return ScriptValue::set(x | y);
        if (op == ScriptOp::Sub)
            return ScriptValue::set(x & ~y);
        if (op == ScriptOp::Mul)
            return ScriptValue::set(x & y);
        mismatch(op, a, b);
    }
    if (op == ScriptOp::Add) {
        const bool sa = a.type() == ScriptValue::String, sb = b.type() == ScriptValue::String;
        if (sa && sb)
            return text(a.string() + b.string());
        if (sa || sb) {
            // Numeric text adds as a number (a field read as text); other text joins.
            ScriptValue x, y;
            if (!(numeric(a, &x) && numeric(b, &y)) || a.isNull() || b.isNull()) {
                if (a.type() == ScriptValue::Object || b.type() == ScriptValue::Object)
                    mismatch(op, a, b);
                return text(a.toText() + b.toText());
            }
            return arithmetic(op, x, y);
        }
    }
    ScriptValue x, y;
    if (!numeric(a, &x) || !numeric(b, &y))
        mismatch(op, a, b);
    return arithmetic(op, x, y);
}

ScriptValue unary(ScriptOp op, const ScriptValue& a)
{
    if (op == ScriptOp::Not) {
        if (a.type() == ScriptValue::Bool)
            return ScriptValue(!a.boolValue());
        if (a.type() == ScriptValue::Int)
            return ScriptValue(~a.intValue());
        fail(QStringLiteral("형식이 맞지 않습니다: not %1").arg(ScriptValue::typeName(a.type())));
    }
    ScriptValue x;
    if (!numeric(a, &x))
        fail(QStringLiteral("형식이 맞지 않습니다: -%1").arg(ScriptValue::typeName(a.type())));
    if (x.type() == ScriptValue::Int && x.intValue() != std::numeric_limits<qint64>::min())
        return ScriptValue(-x.intValue());
    if (x.type() == ScriptValue::DateTime)
        return ScriptValue::dateTime(-x.number());
    return ScriptValue(-x.number());
}

bool condition(const ScriptValue& v)
{
    if (v.type() != ScriptValue::Bool)
        fail(
            QStringLiteral("형식이 맞지 않습니다: 조건에 %1 값이 쓰였습니다 (참/거짓이 필요합니다)")
                .arg(ScriptValue::typeName(v.type())));
    return v.boolValue();
}

bool inSet(const ScriptValue& x, const ScriptValue& set)
{
    if (!isSetLike(set))
        fail(QStringLiteral("형식이 맞지 않습니다: in 뒤에 %1 값이 있습니다")
                 .arg(ScriptValue::typeName(set.type())));
    if (x.type() == ScriptValue::Set)
        return x.setMask() != 0 && (x.setMask() & set.setMask()) == x.setMask();
    const qint64 bit = toInt(x, "in");
    return bit >= 0 && bit < 64 && (set.setMask() >> bit & 1) != 0;
}

qint64 toInt(const ScriptValue& v, const char* what)
{
    ScriptValue n;
    if (numeric(v, &n) && n.type() == ScriptValue::Int)
        return n.intValue();
    fail(QStringLiteral("형식이 맞지 않습니다: %1에 정수가 필요한데 %2 값이 있습니다")
             .arg(QString::fromUtf8(what), ScriptValue::typeName(v.type())));
}

double toFloat(const ScriptValue& v, const char* what)
{
    ScriptValue n;
    if (numeric(v, &n))
        return n.number();
    fail(QStringLiteral("형식이 맞지 않습니다: %1에 수가 필요한데 %2 값이 있습니다")
             .arg(QString::fromUtf8(what), ScriptValue::typeName(v.type())));
}

QString typeName(ScriptType t)
{
    switch (t) {
    case ScriptType::Int:
        return ScriptValue::typeName(ScriptValue::Int);
    case ScriptType::Float:
        return ScriptValue::typeName(ScriptValue::Float);
    case ScriptType::String:
        return ScriptValue::typeName(ScriptValue::String);
    case ScriptType::Bool:
        return ScriptValue::typeName(ScriptValue::Bool);
    case ScriptType::DateTime:
        return ScriptValue::typeName(ScriptValue::DateTime);
    case ScriptType::Object:
        return ScriptValue::typeName(ScriptValue::Object);
    case ScriptType::Any:
        break;
    }
    return QStringLiteral("Variant");
}

ScriptValue coerce(const ScriptValue& v, ScriptType type)
{
    const auto t = v.type();
    bool ok = false;
    ScriptValue n;
    switch (type) {
    case ScriptType::Any:
        return v;
    case ScriptType::Int:
        ok = numeric(v, &n) && n.type() == ScriptValue::Int;
        if (ok)
            return n;
        break;
    case ScriptType::Float:
        ok = numeric(v, &n);
        if (ok)
            return ScriptValue(n.number());
        break;
    case ScriptType::String:
        if (t == ScriptValue::String)
            return v;
        if (t != ScriptValue::Object && t != ScriptValue::Set)
            return ScriptValue(v.toText());
        break;
    case ScriptType::Bool:
        if (t == ScriptValue::Bool)
            return v;
        if (t == ScriptValue::Null)
            return ScriptValue(false);
        break;
    case ScriptType::DateTime:
        if (v.isNumber() || t == ScriptValue::Null)
            return ScriptValue::dateTime(t == ScriptValue::Null ? 0.0 : v.number());
        break;
    case ScriptType::Object:
        if (t == ScriptValue::Object || t == ScriptValue::Null)
            return v;
        break;
    }
    fail(QStringLiteral("형식이 맞지 않습니다: %1 변수에 %2 값을 넣을 수 없습니다")
             .arg(typeName(type), ScriptValue::typeName(t)));
}

ScriptValue initial(ScriptType type)
{
    switch (type) {
    case ScriptType::Int:
        return ScriptValue(qint64(0));
    case ScriptType::Float:
        return ScriptValue(0.0);
    case ScriptType::String:
        return ScriptValue(QString());
    case ScriptType::Bool:
        return ScriptValue(false);
    case ScriptType::DateTime:
        return ScriptValue::dateTime(0);
    case ScriptType::Any:
    case ScriptType::Object:
        break;
    }
    return {};
}

} // namespace ScriptOps

} // namespace orvel::report
