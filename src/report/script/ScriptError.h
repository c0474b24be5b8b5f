#pragma once

#include <QString>

namespace orvel::report
{

/// A compile or run-time failure of a report script and where it happened.
struct ScriptError {
    enum Kind { None, Syntax, Runtime, Limit };
    Kind kind = None;
    QString message; // what went wrong, without the location
    int line = 0;    // 1-based; 0 when unknown
    int column = 0;  // syntax errors only
    QString handler; // the procedure the host called; empty for the main block
    QString routine; // the procedure the error happened in, when not the handler itself

    bool isError() const { return kind != None; }
    /// The message as the user sees it: "스크립트 오류 (Memo1OnBeforePrint, 12행): ...".
    QString text() const;
};

/// Thrown inside the interpreter; the runner turns it into a ScriptError.
struct ScriptFailure {
    QString message;
    bool limit = false;   // a budget ran out: script code cannot catch it
    bool located = false; // line and routine are filled in
    int line = 0;
    QString routine;
};

} // namespace orvel::report
