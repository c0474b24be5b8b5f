#pragma once

#include "report/model/ReportModel.h"

#include <QStringList>
#include <QVariant>
#include <vector>

namespace orvel::report
{

class Expression;

/// What expressions read while a report is prepared: fields and system variables.
class ExpressionContext
{
public:
    virtual ~ExpressionContext() = default;
    virtual QVariant field(const QString& dataSet, const QString& field) const = 0;
    /// A variable by name; system variables come by their canonical spelling (Page#,
    /// TotalPages#, Line, Line#, Date, Time, Now, CopyName#). Invalid when unknown.
    virtual QVariant variable(const QString& name) const = 0;
    /// The running value of an aggregate call (SUM, COUNT, AVG, MIN, MAX) of an expression;
    /// an invalid variant when nobody counts it.
    virtual QVariant aggregate(const Expression& expression, int node) const
    {
        Q_UNUSED(expression);
        Q_UNUSED(node);
        return {};
    }
};

/// Operators of expressions, unary and binary.
enum class ExpressionOp : quint8 {
    Add,
    Sub,
    Mul,
    Div,
    IntDiv,
    Mod,
    And,
    Or,
    Xor,
    Eq,
    Ne,
    Lt,
    Le,
    Gt,
    Ge,
    Neg,
    Not
};

/// One parsed expression: literals, DS."field" and <DS."field">, variables (also <Page#>),
/// arithmetic, comparisons, and/or/not and function calls. Parsing never throws; a bad
/// expression is invalid. Evaluation never throws; a failing part gives an invalid value.
class Expression
{
public:
    static Expression parse(const QString& text);
    bool isValid() const { return m_root >= 0; }
    QVariant evaluate(const ExpressionContext& context) const;
    /// Whether the expression reads the variable (case-insensitive, any spelling).
    bool usesVariable(const QString& name) const;
    /// Whether the variable's value is computed with, not just the whole expression.
    bool computesWith(const QString& name) const;
    /// The fields of a data set (case-insensitive) the expression reads, in reading order.
    QStringList fieldsOf(const QString& dataSet) const;

    /// Aggregate calls in the expression: their node and lower-case function name.
    std::vector<std::pair<int, QString>> aggregates() const;
    /// The value of an aggregate call's first argument for the current row (a COUNT
    /// without one, or of a band, counts rows).
    QVariant aggregateArgument(int node, const ExpressionContext& context) const;
    /// The data band an aggregate call names (SUM(x, MasterData1), COUNT(MasterData1));
    /// empty when it names none.
    QString aggregateBand(int node) const;
    /// The option number after the band (2: a running total); 0 when there is none.
    int aggregateOptions(int node) const;
    static bool isAggregate(const QString& lowerName);

private:
    friend class ExpressionParser;
    struct Node {
        enum Kind { Literal, Field, Variable, Unary, Binary, Call };
        Kind kind = Literal;
        QVariant value;
        QString a, b; // data set and field, variable or function name
        ExpressionOp op = ExpressionOp::Add;
        std::vector<int> args;
    };
    QVariant eval(int node, const ExpressionContext& context) const;
    QVariant call(const Node& n, const ExpressionContext& context) const;
    int aggregateBandArg(const Node& n) const;
    std::vector<Node> m_nodes;
    int m_root = -1;
};

/// A memo text compiled once: literal runs and delimited expressions.
class TextTemplate
{
public:
    TextTemplate() = default;
    TextTemplate(const QString& text, const QString& delimiters, bool expressions);
    QString evaluate(const ExpressionContext& context, const DisplayFormat& format,
                     bool hideZeros) const;
    bool usesVariable(const QString& name) const;
    /// Whether some expression computes with the variable (see Expression::computesWith).
    bool computesWith(const QString& name) const;
    QStringList fieldsOf(const QString& dataSet) const;
    bool isConstant() const { return m_exprs.empty(); }
    const std::vector<Expression>& expressions() const { return m_exprs; }

private:
    struct Segment {
        QString literal;
        int expr = -1;
    };
    std::vector<Segment> m_segments;
    std::vector<Expression> m_exprs;
};

} // namespace orvel::report
