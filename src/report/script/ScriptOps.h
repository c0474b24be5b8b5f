#pragma once

#include "report/script/ScriptAst.h"
#include "report/script/ScriptError.h"
#include "report/script/ScriptValue.h"

namespace orvel::report
{

/// Operators and conversions on script values; failures throw ScriptFailure.
namespace ScriptOps
{
/// Longest string a script may build, so a doubling loop cannot exhaust memory.
constexpr qsizetype MaxStringLength = 16 * 1024 * 1024;

ScriptValue binary(ScriptOp op, const ScriptValue& a, const ScriptValue& b);
ScriptValue unary(ScriptOp op, const ScriptValue& a);
/// The truth of a condition; anything but a boolean is a type error.
bool condition(const ScriptValue& v);
/// Whether x is one of a set value's members (bit positions or enumeration masks).
bool inSet(const ScriptValue& x, const ScriptValue& set);
/// -1, 0 or 1; ordered = false also accepts values that can only be (un)equal (2).
int compare(const ScriptValue& a, const ScriptValue& b, bool ordered);
/// A value converted for a variable of a declared type.
ScriptValue coerce(const ScriptValue& v, ScriptType type);
/// What a variable of a declared type holds before its first assignment.
ScriptValue initial(ScriptType type);
/// An integer argument or operand; a type error otherwise.
qint64 toInt(const ScriptValue& v, const char* what);
/// A number argument or operand (numeric text too); a type error otherwise.
double toFloat(const ScriptValue& v, const char* what);
QString typeName(ScriptType t);
[[noreturn]] void fail(const QString& message);
} // namespace ScriptOps

} // namespace orvel::report
