#pragma once

// Trimming as the stored data expects it: blanks and control characters only.

#include <QString>

namespace orvel
{

/// Removes leading and trailing blanks and control characters (code points up to
/// U+0020). Other spaces, such as the ideographic space, are kept as typed.
QString trimBlanks(const QString& text);

} // namespace orvel
