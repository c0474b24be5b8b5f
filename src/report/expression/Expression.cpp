#include "report/expression/Expression.h"

#include "report/expression/ExpressionFunctions.h"
#include "report/expression/ExpressionOps.h"
#include "report/expression/SystemVariables.h"

namespace orvel::report
{

QVariant Expression::eval(int index, const ExpressionContext& ctx) const
{
    const Node& n = m_nodes[index];
    switch (n.kind) {
    case Node::Literal:
        return n.value;
    case Node::Field:
        return ctx.field(n.a, n.b);
    case Node::Variable:
        return ctx.variable(n.a);
    case Node::Unary:
        return ExpressionOps::unary(n.op, eval(n.args[0], ctx));
    case Node::Binary: {
        const QVariant l = eval(n.args[0], ctx);
        // Conditions stop early, as Pascal's short-circuit evaluation does.
        if (l.typeId() == QMetaType::Bool) {
            if (n.op == ExpressionOp::And && !l.toBool())
                return false;
            if (n.op == ExpressionOp::Or && l.toBool())
                return true;
        }
        return ExpressionOps::binary(n.op, l, eval(n.args[1], ctx));
    }
    case Node::Call:
        return call(n, ctx);
    }
    return {};
}

QVariant Expression::call(const Node& n, const ExpressionContext& ctx) const
{
    if (isAggregate(n.a))
        return ctx.aggregate(*this, int(&n - m_nodes.data()));
    if (n.a == QLatin1String("iif")) {
        // Only the branch taken is evaluated.
        if (n.args.size() != 3)
            return {};
        return eval(n.args[ExpressionOps::truth(eval(n.args[0], ctx)) ? 1 : 2], ctx);
    }
    std::vector<QVariant> args;
    args.reserve(n.args.size());
    for (int a : n.args)
        args.push_back(eval(a, ctx));
    return ExpressionFunctions::call(n.a, args);
}

QVariant Expression::evaluate(const ExpressionContext& context) const
{
    return m_root < 0 ? QVariant() : eval(m_root, context);
}

bool Expression::isAggregate(const QString& lowerName)
{
    return lowerName == QLatin1String("sum") || lowerName == QLatin1String("count") ||
           lowerName == QLatin1String("avg") || lowerName == QLatin1String("min") ||
           lowerName == QLatin1String("max");
}

std::vector<std::pair<int, QString>> Expression::aggregates() const
{
    std::vector<std::pair<int, QString>> out;
    for (int i = 0; i < int(m_nodes.size()); ++i)
        if (m_nodes[i].kind == Node::Call && isAggregate(m_nodes[i].a))
            out.emplace_back(i, m_nodes[i].a);
    return out;
}

int Expression::aggregateBandArg(const Node& n) const
{
    // COUNT(Band) names the band first; the others read a value first: SUM(x, Band).
    const size_t at = n.a == QLatin1String("count") ? 0 : 1;
    if (at < n.args.size() && m_nodes[n.args[at]].kind == Node::Variable)
        return int(at);
    return -1;
}

QVariant Expression::aggregateArgument(int node, const ExpressionContext& context) const
{
    const Node& n = m_nodes.at(node);
    // A COUNT of a band, or without an argument, counts rows.
    if (n.args.empty() || (n.a == QLatin1String("count") && aggregateBandArg(n) == 0))
        return qint64(1);
    return eval(n.args[0], context);
}

QString Expression::aggregateBand(int node) const
{
    const Node& n = m_nodes.at(node);
    const int at = aggregateBandArg(n);
    return at < 0 ? QString() : m_nodes[n.args[at]].a;
}

int Expression::aggregateOptions(int node) const
{
    const Node& n = m_nodes.at(node);
    const int at = aggregateBandArg(n);
    if (at < 0 || size_t(at + 1) >= n.args.size())
        return 0;
    const Node& option = m_nodes[n.args[at + 1]];
    return option.kind == Node::Literal ? option.value.toInt() : 0;
}

bool Expression::usesVariable(const QString& name) const
{
    const QString canonical = SystemVariables::canonical(name);
    for (const Node& n : m_nodes)
        if (n.kind == Node::Variable && n.a.compare(canonical, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool Expression::computesWith(const QString& name) const
{
    if (m_root < 0 || !usesVariable(name))
        return false;
    return m_nodes[m_root].kind != Node::Variable;
}

QStringList Expression::fieldsOf(const QString& dataSet) const
{
    QStringList fields;
    for (const Node& n : m_nodes)
        if (n.kind == Node::Field && n.a.compare(dataSet, Qt::CaseInsensitive) == 0)
            fields << n.b;
    return fields;
}

} // namespace orvel::report
