#pragma once

#include "report/expression/Expression.h"

#include <QVariant>

namespace orvel::report
{

/// Conversions and operators on expression values, after Pascal's variant rules: text
/// that reads as a number takes part in arithmetic with a number; failures give an
/// invalid value.
class ExpressionOps
{
public:
    /// A value of a numeric type (not text that reads as one).
    static bool isNumber(const QVariant& v);
    /// A number, or text that reads as one.
    static bool toNumber(const QVariant& v, double* out);
    /// An integer, or text that reads as one; floats are not integers.
    static bool toInteger(const QVariant& v, qint64* out);
    /// Truth of a condition: booleans, numbers other than zero, "True" text.
    static bool truth(const QVariant& v);
    static QVariant unary(ExpressionOp op, const QVariant& v);
    static QVariant binary(ExpressionOp op, const QVariant& l, const QVariant& r);

private:
    static QVariant arithmetic(ExpressionOp op, const QVariant& l, const QVariant& r);
    static QVariant logical(ExpressionOp op, const QVariant& l, const QVariant& r);
    static QVariant comparison(ExpressionOp op, const QVariant& l, const QVariant& r);
};

} // namespace orvel::report
