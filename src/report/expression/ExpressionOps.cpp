#include "report/expression/ExpressionOps.h"

#include "report/expression/DisplayFormatter.h"

#include <QDateTime>
#include <cmath>

namespace orvel::report
{

namespace
{

bool isIntegralType(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

bool isDateType(const QVariant& v)
{
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime ||
           v.typeId() == QMetaType::QTime;
}

// Numbers when one side is a number and the other reads as one.
bool numeric(const QVariant& l, const QVariant& r, double* a, double* b)
{
    return (ExpressionOps::isNumber(l) || ExpressionOps::isNumber(r)) &&
           ExpressionOps::toNumber(l, a) && ExpressionOps::toNumber(r, b);
}

template <typename T> int order(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

bool ExpressionOps::isNumber(const QVariant& v)
{
    return isIntegralType(v) || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float ||
           v.typeId() == QMetaType::Bool;
}

bool ExpressionOps::toNumber(const QVariant& v, double* out)
{
    return DisplayFormatter::toNumber(v, out);
}

bool ExpressionOps::toInteger(const QVariant& v, qint64* out)
{
    if (isIntegralType(v) || v.typeId() == QMetaType::Bool) {
        *out = v.toLongLong();
        return true;
    }
    if (v.typeId() != QMetaType::QString)
        return false;
    bool ok = false;
    *out = v.toString().trimmed().toLongLong(&ok);
    return ok;
}

bool ExpressionOps::truth(const QVariant& v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
    }
    double d = 0;
    return toNumber(v, &d) && d != 0;
}

QVariant ExpressionOps::unary(ExpressionOp op, const QVariant& v)
{
    if (op == ExpressionOp::Not)
        return isIntegralType(v) ? QVariant(~v.toLongLong()) : QVariant(!truth(v));
    qint64 i = 0;
    if (toInteger(v, &i) && i != LLONG_MIN)
        return -i;
    double d = 0;
    return toNumber(v, &d) ? QVariant(-d) : QVariant();
}

QVariant ExpressionOps::binary(ExpressionOp op, const QVariant& l, const QVariant& r)
{
    switch (op) {
    case ExpressionOp::And:
    case ExpressionOp::Or:
    case ExpressionOp::Xor:
        return logical(op, l, r);
    case ExpressionOp::Eq:
    case ExpressionOp::Ne:
    case ExpressionOp::Lt:
    case ExpressionOp::Le:
    case ExpressionOp::Gt:
    case ExpressionOp::Ge:
        return comparison(op, l, r);
    default:
        return arithmetic(op, l, r);
    }
}

QVariant ExpressionOps::arithmetic(ExpressionOp op, const QVariant& l, const QVariant& r)
{
    double a = 0, b = 0;
    const bool numbers = numeric(l, r, &a, &b);
    // A failed part fails the sum, except where it is joined to text.
    const bool text = l.typeId() == QMetaType::QString || r.typeId() == QMetaType::QString;
    if (op == ExpressionOp::Add && !numbers && (text || (l.isValid() && r.isValid())))
        return DisplayFormatter::plain(l) + DisplayFormatter::plain(r);
    if (!numbers && !(toNumber(l, &a) && toNumber(r, &b)))
        return {};
    qint64 x = 0, y = 0, z = 0;
    const bool ints = toInteger(l, &x) && toInteger(r, &y);
    // Integers stay integers unless the result leaves their range.
    switch (op) {
    case ExpressionOp::Add:
        return ints && !__builtin_add_overflow(x, y, &z) ? QVariant(z) : QVariant(a + b);
    case ExpressionOp::Sub:
        return ints && !__builtin_sub_overflow(x, y, &z) ? QVariant(z) : QVariant(a - b);
    case ExpressionOp::Mul:
        return ints && !__builtin_mul_overflow(x, y, &z) ? QVariant(z) : QVariant(a * b);
    case ExpressionOp::Div:
        return b == 0 ? QVariant() : QVariant(a / b);
    case ExpressionOp::IntDiv:
    case ExpressionOp::Mod: {
        // div and mod work on integers; a float operand is cut to its integer part.
        if (!(std::fabs(a) < 9.2e18 && std::fabs(b) < 9.2e18))
            return {};
        const qint64 p = ints ? x : qint64(std::trunc(a));
        const qint64 q = ints ? y : qint64(std::trunc(b));
        if (q == 0 || (q == -1 && p == LLONG_MIN))
            return {};
        return op == ExpressionOp::IntDiv ? p / q : p % q;
    }
    default:
        return {};
    }
}

QVariant ExpressionOps::logical(ExpressionOp op, const QVariant& l, const QVariant& r)
{
    // Integers combine bit by bit, as in Pascal; everything else as conditions.
    if (isIntegralType(l) && isIntegralType(r)) {
        const qint64 a = l.toLongLong(), b = r.toLongLong();
        return op == ExpressionOp::And ? a & b : op == ExpressionOp::Or ? a | b : a ^ b;
    }
    const bool a = truth(l), b = truth(r);
    return op == ExpressionOp::And ? a && b : op == ExpressionOp::Or ? a || b : a != b;
}

QVariant ExpressionOps::comparison(ExpressionOp op, const QVariant& l, const QVariant& r)
{
    int c = 0;
    double a = 0, b = 0;
    QDateTime da, db;
    if (numeric(l, r, &a, &b)) {
        c = order(a, b);
    } else if ((isDateType(l) || isDateType(r)) && DisplayFormatter::toDateTime(l, &da) &&
               DisplayFormatter::toDateTime(r, &db)) {
        c = order(da, db);
    } else {
        c = DisplayFormatter::plain(l).compare(DisplayFormatter::plain(r));
        c = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    switch (op) {
    case ExpressionOp::Eq:
        return c == 0;
    case ExpressionOp::Ne:
        return c != 0;
    case ExpressionOp::Lt:
        return c < 0;
    case ExpressionOp::Le:
        return c <= 0;
    case ExpressionOp::Gt:
        return c > 0;
    default:
        return c >= 0;
    }
}

} // namespace orvel::report
