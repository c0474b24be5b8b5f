#pragma once

#include "report/script/ScriptValue.h"

#include <QString>
#include <memory>
#include <vector>

namespace orvel::report
{

/// Operators of the script language.
enum class ScriptOp : quint8 {
    Add,
    Sub,
    Mul,
    Divide,
    IntDiv,
    Mod,
    And,
    Or,
    Xor,
    Shl,
    Shr,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    Neg,
    Not
};

struct ScriptExpr;
struct ScriptStmt;
using ScriptExprPtr = std::unique_ptr<ScriptExpr>;
using ScriptStmtPtr = std::unique_ptr<ScriptStmt>;

/// One node of a compiled expression; which fields matter depends on the kind.
struct ScriptExpr {
    enum Kind : quint8 {
        Constant,  // value
        Global,    // slot: global variable
        Local,     // slot: variable of the running routine's frame
        LocalRef,  // slot: var parameter (the frame holds a reference)
        Object,    // slot: index into the program's object names
        Field,     // name: data set, path: field
        Variable,  // name: report variable written <Name>
        Unary,     // op args[0]
        Binary,    // args[0] op args[1]; And/Or evaluate the right side only when needed
        SetOf,     // [args...]; a Range node stands for a..b
        Range,     // args[0]..args[1], inside a set
        InSet,     // args[0] in [args[1...]]
        InValue,   // args[0] in args[1] (a set value)
        Builtin,   // slot: standard function id; args
        Call,      // slot: routine index; args
        Iif,       // args[0] ? args[1] : args[2], evaluating one branch
        Property,  // args[0]: the object; path: lower-case property path; name: as written
        Method,    // args[0]: the object; path: lower-case member path; args[1...]: arguments
        Index,     // args[0][args[1]]: one character of a string, 1-based
        Unresolved // a bare name, decided once the whole script is read
    };
    Kind kind = Constant;
    ScriptOp op = ScriptOp::Add;
    ScriptType varType = ScriptType::Any; // variables: the declared type
    bool hasArgs = false;                 // Unresolved: written with an argument list
    int slot = -1;
    int line = 0;
    int column = 0;
    ScriptValue value;
    QString name;
    QString path;
    std::vector<ScriptExprPtr> args;

    bool isVariable() const { return kind == Global || kind == Local || kind == LocalRef; }
};

/// A case label: one value (low == high) or a range.
struct ScriptCaseLabel {
    ScriptValue low, high;
};

struct ScriptCaseBranch {
    std::vector<ScriptCaseLabel> labels;
    ScriptStmtPtr stmt;
};

/// One node of a compiled statement.
struct ScriptStmt {
    enum Kind : quint8 {
        Empty,
        Block,       // body
        Assign,      // target := expr, converted to the target's declared type
        SetProperty, // target (a Property node) := expr
        Call,        // expr: a Call, Builtin or Method node; its value is dropped
        If,          // if expr then body[0] else other[0]
        Case,        // case expr of branches else other
        For,         // for target := expr to/downto expr2 do body[0]
        While,       // while expr do body[0]
        Repeat,      // repeat body until expr
        Exit,        // target := expr first when the function exits with a value
        Break,
        Continue,
        Try // try body except/finally other
    };
    Kind kind = Empty;
    int line = 0;
    bool downto = false;
    bool finally = false;
    ScriptExprPtr target;
    ScriptExprPtr expr;
    ScriptExprPtr expr2;
    std::vector<ScriptStmtPtr> body;
    std::vector<ScriptStmtPtr> other;
    std::vector<ScriptCaseBranch> branches;
};

struct ScriptParam {
    QString name;
    ScriptType type = ScriptType::Any;
    bool byRef = false;
};

/// A procedure or function: its frame layout is parameters, Result, then local variables.
struct ScriptRoutine {
    QString name;
    int line = 0;
    bool isFunction = false;
    bool defined = false; // has a body (not only a forward declaration)
    std::vector<ScriptParam> params;
    std::vector<ScriptType> slotTypes;
    std::vector<ScriptValue> slotInit; // local variables' initial values
    int resultSlot = -1;
    std::vector<ScriptStmtPtr> body;
};

/// A whole compiled script.
struct ScriptProgramData {
    std::vector<QString> globalNames;
    std::vector<ScriptType> globalTypes;
    std::vector<ScriptValue> globalInit;
    std::vector<std::unique_ptr<ScriptRoutine>> routines;
    std::vector<QString> objectNames;
    std::vector<ScriptStmtPtr> main;
};

} // namespace orvel::report
