#include "report/script/ScriptError.h"

namespace orvel::report
{

QString ScriptError::text() const
{
    if (kind == None)
        return {};
    if (kind == Syntax)
        return QStringLiteral("스크립트 오류 (%1행 %2열): %3").arg(line).arg(column).arg(message);
    QString where = handler.isEmpty() ? QStringLiteral("주 블록") : handler;
    if (!routine.isEmpty() && routine.compare(handler, Qt::CaseInsensitive) != 0)
        where += QStringLiteral(" → ") + routine;
    if (line > 0)
        where += QStringLiteral(", %1행").arg(line);
    return QStringLiteral("스크립트 오류 (%1): %2").arg(where, message);
}

} // namespace orvel::report
