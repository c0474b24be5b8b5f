#pragma once

#include <QString>
#include <QVariant>
#include <vector>

namespace orvel::report
{

/// The functions expressions call on evaluated arguments (IntToStr, Copy, FormatFloat ...),
/// with the Pascal runtime's meaning.
class ExpressionFunctions
{
public:
    /// name is lower-case. An invalid value for an unknown function, a wrong number of
    /// arguments or an argument that does not convert (StrToInt('x')).
    static QVariant call(const QString& name, const std::vector<QVariant>& args);
    /// Pascal's FloatToStr: up to 15 significant digits, "1E20" for large exponents.
    static QString floatText(double v);
};

} // namespace orvel::report
