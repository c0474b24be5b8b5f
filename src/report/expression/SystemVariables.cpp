#include "report/expression/SystemVariables.h"

#include <QHash>

namespace orvel::report
{

namespace
{

const QHash<QString, QString>& spellings()
{
    // A template page is one report here, so the report's and the printout's page
    // numbers are the same: Page and Page#, TotalPages and TotalPages# agree.
    static const QHash<QString, QString> names{
        {QStringLiteral("page"), QStringLiteral("Page#")},
        {QStringLiteral("page#"), QStringLiteral("Page#")},
        {QStringLiteral("totalpages"), QStringLiteral("TotalPages#")},
        {QStringLiteral("totalpages#"), QStringLiteral("TotalPages#")},
        {QStringLiteral("line"), QStringLiteral("Line")},
        {QStringLiteral("line#"), QStringLiteral("Line#")},
        {QStringLiteral("date"), QStringLiteral("Date")},
        {QStringLiteral("time"), QStringLiteral("Time")},
        {QStringLiteral("now"), QStringLiteral("Now")},
        {QStringLiteral("copyname"), QStringLiteral("CopyName#")},
        {QStringLiteral("copyname#"), QStringLiteral("CopyName#")}};
    return names;
}

} // namespace

QString SystemVariables::canonical(const QString& name)
{
    return spellings().value(name.toLower(), name);
}

bool SystemVariables::isSystem(const QString& name)
{
    return spellings().contains(name.toLower());
}

} // namespace orvel::report
