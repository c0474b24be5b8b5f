#pragma once

#include "report/script/ScriptAst.h"
#include "report/script/ScriptError.h"
#include "report/script/ScriptLexer.h"

#include <QHash>
#include <vector>

namespace orvel::report
{

/// Builds the syntax tree of a script and binds every name to a slot, a routine, a
/// standard function, a constant or a report object.
class ScriptParser
{
public:
    /// Compiles source text; false with *error (line and column) on a syntax error.
    static bool compile(const QString& source, ScriptProgramData* out, ScriptError* error);

private:
    ScriptParser(std::vector<ScriptToken> tokens, ScriptProgramData* out);
    void program();

    // declarations (ScriptParser.cpp)
    void varSection(bool global);
    void constSection(bool global);
    void routine(bool isFunction);
    void params(ScriptRoutine* r);
    ScriptType typeName();
    ScriptValue constantValue();
    void declareCheck(const ScriptToken& name, bool global);

    // statements (ScriptParser.cpp)
    std::vector<ScriptStmtPtr> statementList(const char* end1, const char* end2 = nullptr,
                                             const char* end3 = nullptr);
    ScriptStmtPtr statement();
    ScriptStmtPtr block();
    ScriptStmtPtr ifStatement();
    ScriptStmtPtr caseStatement();
    ScriptStmtPtr forStatement();
    ScriptStmtPtr whileStatement();
    ScriptStmtPtr repeatStatement();
    ScriptStmtPtr tryStatement();
    ScriptStmtPtr exitStatement();
    ScriptStmtPtr designatorStatement();
    ScriptStmtPtr loopBody();

    // expressions (ScriptExprParser.cpp)
    ScriptExprPtr expression();
    ScriptExprPtr simple();
    ScriptExprPtr term();
    ScriptExprPtr factor();
    ScriptExprPtr primary();
    ScriptExprPtr setConstructor();
    ScriptExprPtr designator(bool assignTarget);
    ScriptExprPtr postfix(ScriptExprPtr base);
    std::vector<ScriptExprPtr> arguments();
    ScriptExprPtr builtinCall(const ScriptToken& name, int id);
    ScriptExprPtr routineCall(const ScriptToken& name, int index);
    void checkCall(const ScriptExpr& call, const ScriptRoutine& r, const ScriptToken& at);
    ScriptExprPtr binaryNode(ScriptOp op, ScriptExprPtr a, ScriptExprPtr b, const ScriptToken& at);
    ScriptExprPtr unaryNode(ScriptOp op, ScriptExprPtr a, const ScriptToken& at);
    ScriptExprPtr node(ScriptExpr::Kind kind, const ScriptToken& at);
    int objectSlot(const QString& name);
    void resolvePending();

    // tokens
    const ScriptToken& peek(int ahead = 0) const;
    const ScriptToken& next();
    bool acceptSymbol(const char* s);
    bool acceptKeyword(const char* s);
    void expectSymbol(const char* s);
    void expectKeyword(const char* s);
    const ScriptToken& expectIdent();
    [[noreturn]] void fail(const QString& message, const ScriptToken& at) const;
    [[noreturn]] void expected(const QString& what) const;
    void enter();
    void leave() { --m_depth; }

    struct Pending {
        ScriptExpr* node;
        bool statement;
        ScriptToken at;
    };
    struct Local {
        int slot;
        bool byRef;
        ScriptType type;
    };

    std::vector<ScriptToken> m_tokens;
    size_t m_pos = 0;
    ScriptProgramData* m_prog;
    QHash<QString, int> m_globals;
    QHash<QString, ScriptValue> m_consts;
    QHash<QString, int> m_routines;
    QHash<QString, int> m_objects;
    ScriptRoutine* m_routine = nullptr; // the routine being compiled; nullptr in the main block
    QString m_routineLower;
    QHash<QString, Local> m_locals;
    QHash<QString, ScriptValue> m_localConsts;
    std::vector<Pending> m_pending;
    int m_loops = 0;
    int m_depth = 0;
};

} // namespace orvel::report
