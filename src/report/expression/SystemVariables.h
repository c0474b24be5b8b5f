#pragma once

#include <QString>

namespace orvel::report
{

/// The system variables of memo texts and their spellings ([Page] and [Page#] ...).
class SystemVariables
{
public:
    /// The canonical spelling of a system variable (Page#, TotalPages#, Line, Line#, Date,
    /// Time, Now, CopyName#); any other name comes back as it is.
    static QString canonical(const QString& name);
    static bool isSystem(const QString& name);
};

} // namespace orvel::report
