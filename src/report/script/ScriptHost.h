#pragma once

#include "report/script/ScriptValue.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace orvel::report
{

/// What a host call answers: done, no such member, a value the member refuses, or a failure.
struct ScriptHostResult {
    enum Code { Ok, NoSuchMember, BadValue, Failed };
    Code code = Ok;
    QString message; // for BadValue and Failed: shown to the user after the script's location

    static ScriptHostResult ok() { return {}; }
    static ScriptHostResult noSuchMember() { return {NoSuchMember, {}}; }
    static ScriptHostResult badValue(QString why = {}) { return {BadValue, std::move(why)}; }
    static ScriptHostResult failed(QString why) { return {Failed, std::move(why)}; }
};

/// The report as a script sees it: objects by name, data fields, report variables, messages.
/// The interpreter reaches nothing else: files, processes and the network only through it.
class ScriptHost
{
public:
    virtual ~ScriptHost() = default;

    /// A handle (>= 0) for the object of a name (memo, band, picture, "Engine" ...), compared
    /// ignoring case; -1 when the report has no such object. Handles stay valid for a run.
    virtual int findObject(const QString& name) = 0;

    /// Reads a property. path is lower case, members joined by dots: "visible", "text",
    /// "memo.text", "font.color", "font.style", "left" ... Colours are TColor integers
    /// (ScriptColors), font styles bit masks as FontSpec::Style, objects ScriptObjectRef.
    virtual ScriptHostResult getProperty(int object, const QString& path, QVariant& value) = 0;
    virtual ScriptHostResult setProperty(int object, const QString& path,
                                         const QVariant& value) = 0;
    /// Calls a method; path ends with the method: "picture.loadfromfile", "showband".
    /// result stays invalid for a procedure.
    virtual ScriptHostResult callMethod(int object, const QString& path, const QVariantList& args,
                                        QVariant& result) = 0;

    /// The current row's value of <dataSet."field">; an invalid QVariant when there is no
    /// such data set or field (a NULL value is an empty string or 0, not invalid).
    virtual QVariant field(const QString& dataSet, const QString& field) = 0;

    /// Report variables: Get('name'), Set('name', value) and <name>; invalid when unknown.
    virtual QVariant variable(const QString& name) = 0;
    virtual void setVariable(const QString& name, const QVariant& value) = 0;

    /// ShowMessage(text). The time it takes (a dialog waiting for the user) is not counted
    /// against the script's time budget.
    virtual void showMessage(const QString& text) = 0;
};

} // namespace orvel::report
