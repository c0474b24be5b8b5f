#include "report/expression/Expression.h"

#include "report/expression/DisplayFormatter.h"

#include <QDateTime>

namespace orvel::report
{

/// Recursive-descent parser over one expression's text.
class ExpressionParser
{
public:
    ExpressionParser(const QString& text, Expression* out) : s(text), e(out) {}

    bool run()
    {
        int root = additive();
        skip();
        if (root < 0 || pos != s.size())
            return false;
        e->m_root = root;
        return true;
    }

private:
    using Node = Expression::Node;

    void skip()
    {
        while (pos < s.size() && s[pos].isSpace())
            ++pos;
    }
    bool eat(QChar c)
    {
        skip();
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    int add(Node n)
    {
        // Evaluation recurses through the tree: a limit on its size bounds the depth.
        if (e->m_nodes.size() >= MaxNodes)
            return -1;
        e->m_nodes.push_back(std::move(n));
        return int(e->m_nodes.size()) - 1;
    }
    static constexpr size_t MaxNodes = 1000;
    int additive()
    {
        int left = multiplicative();
        while (left >= 0) {
            skip();
            if (pos >= s.size() || (s[pos] != QLatin1Char('+') && s[pos] != QLatin1Char('-')))
                break;
            QChar op = s[pos++];
            int right = multiplicative();
            if (right < 0)
                return -1;
            left = add(Node{Node::Binary, {}, {}, {}, op, {left, right}});
        }
        return left;
    }
    int multiplicative()
    {
        int left = unary();
        while (left >= 0) {
            skip();
            if (pos >= s.size() || (s[pos] != QLatin1Char('*') && s[pos] != QLatin1Char('/')))
                break;
            QChar op = s[pos++];
            int right = unary();
            if (right < 0)
                return -1;
            left = add(Node{Node::Binary, {}, {}, {}, op, {left, right}});
        }
        return left;
    }
    int unary()
    {
        if (++depth > 64)
            return -1;
        int r;
        if (eat(QLatin1Char('-'))) {
            int inner = unary();
            r = inner < 0 ? -1 : add(Node{Node::Negate, {}, {}, {}, {}, {inner}});
        } else {
            r = primary();
        }
        --depth;
        return r;
    }
    bool quoted(QChar q, QString* out)
    {
        // pos is on the opening quote; a doubled quote stands for one.
        ++pos;
        while (pos < s.size()) {
            if (s[pos] == q) {
                if (pos + 1 < s.size() && s[pos + 1] == q) {
                    *out += q;
                    pos += 2;
                    continue;
                }
                ++pos;
                return true;
            }
            *out += s[pos++];
        }
        return false;
    }
    static bool identChar(QChar c)
    {
        return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#');
    }
    int primary()
    {
        skip();
        if (pos >= s.size())
            return -1;
        const QChar c = s[pos];
        if (c == QLatin1Char('(')) {
            ++pos;
            int inner = additive();
            return eat(QLatin1Char(')')) ? inner : -1;
        }
        if (c == QLatin1Char('<')) {
            ++pos;
            int inner = primary();
            return eat(QLatin1Char('>')) ? inner : -1;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString text;
            if (!quoted(c, &text))
                return -1;
            return add(Node{Node::Literal, text, {}, {}, {}, {}});
        }
        if (c.isDigit()) {
            qsizetype start = pos;
            while (pos < s.size() && (s[pos].isDigit() || s[pos] == QLatin1Char('.')))
                ++pos;
            bool ok = false;
            const QString t = s.mid(start, pos - start);
            double v = t.toDouble(&ok);
            if (!ok)
                return -1;
            if (!t.contains(QLatin1Char('.')))
                return add(Node{Node::Literal, QVariant(qint64(v)), {}, {}, {}, {}});
            return add(Node{Node::Literal, v, {}, {}, {}, {}});
        }
        if (!identChar(c))
            return -1;
        qsizetype start = pos;
        while (pos < s.size() && identChar(s[pos]))
            ++pos;
        const QString name = s.mid(start, pos - start);
        if (pos + 1 < s.size() && s[pos] == QLatin1Char('.') && s[pos + 1] == QLatin1Char('"')) {
            ++pos;
            QString field;
            if (!quoted(QLatin1Char('"'), &field))
                return -1;
            return add(Node{Node::Field, {}, name, field, {}, {}});
        }
        skip();
        if (pos < s.size() && s[pos] == QLatin1Char('(')) {
            ++pos;
            Node call{Node::Call, {}, name.toLower(), {}, {}, {}};
            if (!eat(QLatin1Char(')'))) {
                do {
                    int arg = additive();
                    if (arg < 0)
                        return -1;
                    call.args.push_back(arg);
                } while (eat(QLatin1Char(',')));
                if (!eat(QLatin1Char(')')))
                    return -1;
            }
            return add(std::move(call));
        }
        return add(Node{Node::Variable, {}, name, {}, {}, {}});
    }

    const QString& s;
    Expression* e;
    qsizetype pos = 0;
    int depth = 0;
};

Expression Expression::parse(const QString& text)
{
    Expression e;
    ExpressionParser p(text, &e);
    if (!p.run()) {
        e.m_nodes.clear();
        e.m_root = -1;
    }
    return e;
}

static bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// A number (or text that reads as one) equal to zero.
static bool isZero(const QVariant& v)
{
    bool ok = false;
    const double d =
        v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    return v.isValid() && ok && d == 0;
}

static double numberOf(const QVariant& v)
{
    bool ok = false;
    double d =
        v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok) : v.toDouble(&ok);
    return ok ? d : 0.0;
}

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
    case Node::Negate:
        return -numberOf(eval(n.args[0], ctx));
    case Node::Binary: {
        const QVariant l = eval(n.args[0], ctx);
        const QVariant r = eval(n.args[1], ctx);
        if (n.op == QLatin1Char('+') && !(isNumber(l) && isNumber(r)))
            return DisplayFormatter::plain(l) + DisplayFormatter::plain(r);
        const double a = numberOf(l), b = numberOf(r);
        const bool ints = l.typeId() == QMetaType::LongLong && r.typeId() == QMetaType::LongLong;
        switch (n.op.unicode()) {
        case '+':
            return ints ? QVariant(l.toLongLong() + r.toLongLong()) : QVariant(a + b);
        case '-':
            return ints ? QVariant(l.toLongLong() - r.toLongLong()) : QVariant(a - b);
        case '*':
            return ints ? QVariant(l.toLongLong() * r.toLongLong()) : QVariant(a * b);
        default:
            return b == 0 ? QVariant(QString()) : QVariant(a / b);
        }
    }
    case Node::Call: {
        if (isAggregate(n.a))
            return ctx.aggregate(*this, index);
        std::vector<QVariant> args;
        for (int a : n.args)
            args.push_back(eval(a, ctx));
        auto text = [&](size_t i) {
            return i < args.size() ? DisplayFormatter::plain(args[i]) : QString();
        };
        if (n.a == QLatin1String("trim"))
            return text(0).trimmed();
        if (n.a == QLatin1String("uppercase"))
            return text(0).toUpper();
        if (n.a == QLatin1String("lowercase"))
            return text(0).toLower();
        if (n.a == QLatin1String("length"))
            return qint64(text(0).size());
        if (n.a == QLatin1String("inttostr") || n.a == QLatin1String("floattostr"))
            return text(0);
        if (n.a == QLatin1String("formatfloat") && args.size() == 2)
            return DisplayFormatter::formatNumber(numberOf(args[1]), text(0), QLatin1Char('.'),
                                                  QLatin1Char(','));
        if (n.a == QLatin1String("formatdatetime") && args.size() == 2) {
            DisplayFormat f{DisplayFormat::DateTime, text(0), {}, {}};
            return DisplayFormatter::format(args[1], f);
        }
        return {};
    }
    }
    return {};
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

QVariant Expression::aggregateArgument(int node, const ExpressionContext& context) const
{
    const Node& n = m_nodes.at(node);
    // COUNT(MasterData1) names a band, not a value: it counts rows like COUNT().
    if (n.args.empty() ||
        (n.a == QLatin1String("count") && m_nodes[n.args[0]].kind == Node::Variable))
        return qint64(1);
    return eval(n.args[0], context);
}

bool Expression::usesVariable(const QString& name) const
{
    for (const Node& n : m_nodes)
        if (n.kind == Node::Variable && n.a.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList Expression::fieldsOf(const QString& dataSet) const
{
    QStringList fields;
    for (const Node& n : m_nodes)
        if (n.kind == Node::Field && n.a.compare(dataSet, Qt::CaseInsensitive) == 0)
            fields << n.b;
    return fields;
}

TextTemplate::TextTemplate(const QString& text, const QString& delimiters, bool expressions)
{
    QString open = delimiters.section(QLatin1Char(','), 0, 0);
    QString close = delimiters.section(QLatin1Char(','), 1, 1);
    if (open.isEmpty() || close.isEmpty()) {
        open = QStringLiteral("[");
        close = QStringLiteral("]");
    }
    if (!expressions) {
        m_segments.push_back({text, -1});
        return;
    }
    QString literal;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.mid(i, open.size()) != open) {
            literal += text[i++];
            continue;
        }
        // Find the matching close delimiter; nested pairs and quoted text do not end it.
        qsizetype j = i + open.size();
        int nesting = 0;
        QChar quote;
        qsizetype end = -1;
        while (j < text.size()) {
            const QChar c = text[j];
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
                ++j;
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                quote = c;
                ++j;
            } else if (text.mid(j, open.size()) == open && open != close) {
                ++nesting;
                j += open.size();
            } else if (text.mid(j, close.size()) == close) {
                if (nesting == 0) {
                    end = j;
                    break;
                }
                --nesting;
                j += close.size();
            } else {
                ++j;
            }
        }
        if (end < 0) {
            literal += text.mid(i);
            break;
        }
        const QString source = text.mid(i + open.size(), end - i - open.size());
        Expression e = Expression::parse(source);
        if (!e.isValid()) {
            // Shown as written, so a mistake in a template is visible on the page.
            literal += text.mid(i, end + close.size() - i);
        } else {
            if (!literal.isEmpty())
                m_segments.push_back({literal, -1});
            literal.clear();
            m_exprs.push_back(std::move(e));
            m_segments.push_back({{}, int(m_exprs.size()) - 1});
        }
        i = end + close.size();
    }
    if (!literal.isEmpty())
        m_segments.push_back({literal, -1});
}

QString TextTemplate::evaluate(const ExpressionContext& context, const DisplayFormat& format,
                               bool hideZeros) const
{
    QString out;
    for (const Segment& seg : m_segments) {
        if (seg.expr < 0) {
            out += seg.literal;
            continue;
        }
        const QVariant v = m_exprs[seg.expr].evaluate(context);
        if (hideZeros && isZero(v))
            continue;
        out += DisplayFormatter::format(v, format);
    }
    return out;
}

QStringList TextTemplate::fieldsOf(const QString& dataSet) const
{
    QStringList fields;
    for (const Expression& e : m_exprs)
        fields << e.fieldsOf(dataSet);
    return fields;
}

bool TextTemplate::usesVariable(const QString& name) const
{
    for (const Expression& e : m_exprs)
        if (e.usesVariable(name))
            return true;
    return false;
}

} // namespace orvel::report
