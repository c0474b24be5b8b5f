#pragma once

#include "report/script/ScriptValue.h"

#include <QColor>
#include <optional>

namespace orvel::report
{

/// Named constants scripts use: True/False, colours (clRed ...), font styles (fsBold ...).
namespace ScriptConstants
{
/// The constant of a lower-case name, if there is one.
std::optional<ScriptValue> find(const QString& lower);
} // namespace ScriptConstants

/// Delphi TColor values ($00BBGGRR; clNone is transparent) and QColor.
namespace ScriptColors
{
constexpr qint64 None = 0x1FFFFFFF;
constexpr qint64 Default = 0x20000000;
/// An invalid QColor for clNone (and clDefault).
QColor toColor(qint64 tcolor);
qint64 fromColor(const QColor& color);
} // namespace ScriptColors

} // namespace orvel::report
