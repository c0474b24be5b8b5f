#include "report/expression/Expression.h"

#include "report/expression/SystemVariables.h"

namespace orvel::report
{

/// Recursive-descent parser over one expression's text. Precedence, lowest first: or/xor,
/// and, not, comparisons, + -, * / div mod, unary minus.
class ExpressionParser
{
public:
    ExpressionParser(const QString& text, Expression* out) : s(text), e(out) {}

    bool run()
    {
        int root = disjunction();
        skip();
        if (root < 0 || pos != s.size())
            return false;
        e->m_root = root;
        return true;
    }

private:
    using Node = Expression::Node;
    using Op = ExpressionOp;
    static constexpr size_t MaxNodes = 1000;
    static constexpr int MaxDepth = 64;

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
    static bool identChar(QChar c)
    {
        return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#');
    }
    static bool reserved(const QString& lower)
    {
        static const QStringList words{"and", "or", "xor", "not", "div", "mod"};
        return words.contains(lower);
    }
    // A keyword operator such as "and", not the start of a longer name.
    bool keyword(QLatin1String word)
    {
        skip();
        const qsizetype end = pos + word.size();
        if (end > s.size() ||
            QStringView(s).mid(pos, word.size()).compare(word, Qt::CaseInsensitive))
            return false;
        if (end < s.size() && identChar(s[end]))
            return false;
        pos = end;
        return true;
    }
    int add(Node n)
    {
        // Evaluation recurses through the tree: a limit on its size bounds the depth.
        if (e->m_nodes.size() >= MaxNodes)
            return -1;
        e->m_nodes.push_back(std::move(n));
        return int(e->m_nodes.size()) - 1;
    }
    int binary(Op op, int left, int right)
    {
        if (left < 0 || right < 0)
            return -1;
        return add(Node{Node::Binary, {}, {}, {}, op, {left, right}});
    }
    int unaryNode(Op op, int inner)
    {
        return inner < 0 ? -1 : add(Node{Node::Unary, {}, {}, {}, op, {inner}});
    }
    // Counts nesting, so hostile texts end with an error rather than a stack overflow.
    template <typename F> int nested(F parse)
    {
        if (++depth > MaxDepth)
            return -1;
        const int r = parse();
        --depth;
        return r;
    }

    int disjunction()
    {
        int left = conjunction();
        while (left >= 0) {
            if (keyword(QLatin1String("or")))
                left = binary(Op::Or, left, conjunction());
            else if (keyword(QLatin1String("xor")))
                left = binary(Op::Xor, left, conjunction());
            else
                break;
        }
        return left;
    }
    int conjunction()
    {
        int left = negation();
        while (left >= 0 && keyword(QLatin1String("and")))
            left = binary(Op::And, left, negation());
        return left;
    }
    int negation()
    {
        if (keyword(QLatin1String("not")))
            return nested([this] { return unaryNode(Op::Not, negation()); });
        return relation();
    }
    int relation()
    {
        const int left = additive();
        if (left < 0)
            return -1;
        skip();
        static const std::pair<const char*, Op> ops[] = {{"<=", Op::Le}, {">=", Op::Ge},
                                                         {"<>", Op::Ne}, {"=", Op::Eq},
                                                         {"<", Op::Lt},  {">", Op::Gt}};
        for (const auto& [text, op] : ops) {
            const QLatin1String t(text);
            if (QStringView(s).mid(pos).startsWith(t)) {
                pos += t.size();
                return binary(op, left, additive());
            }
        }
        return left;
    }
    int additive()
    {
        int left = multiplicative();
        while (left >= 0) {
            if (eat(QLatin1Char('+')))
                left = binary(Op::Add, left, multiplicative());
            else if (eat(QLatin1Char('-')))
                left = binary(Op::Sub, left, multiplicative());
            else
                break;
        }
        return left;
    }
    int multiplicative()
    {
        int left = unary();
        while (left >= 0) {
            if (eat(QLatin1Char('*')))
                left = binary(Op::Mul, left, unary());
            else if (eat(QLatin1Char('/')))
                left = binary(Op::Div, left, unary());
            else if (keyword(QLatin1String("div")))
                left = binary(Op::IntDiv, left, unary());
            else if (keyword(QLatin1String("mod")))
                left = binary(Op::Mod, left, unary());
            else
                break;
        }
        return left;
    }
    int unary()
    {
        return nested([this] {
            if (eat(QLatin1Char('-')))
                return unaryNode(Op::Neg, unary());
            if (eat(QLatin1Char('+')))
                return unary();
            if (keyword(QLatin1String("not")))
                return unaryNode(Op::Not, unary());
            return primary();
        });
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
    int number()
    {
        const qsizetype start = pos;
        while (pos < s.size() && (s[pos].isDigit() || s[pos] == QLatin1Char('.')))
            ++pos;
        bool ok = false;
        const QString t = s.mid(start, pos - start);
        if (!t.contains(QLatin1Char('.'))) {
            const qint64 v = t.toLongLong(&ok);
            if (ok)
                return add(Node{Node::Literal, QVariant(v), {}, {}, {}, {}});
        }
        const double v = t.toDouble(&ok);
        return ok ? add(Node{Node::Literal, v, {}, {}, {}, {}}) : -1;
    }
    int call(const QString& name)
    {
        // pos is past the opening parenthesis.
        Node n{Node::Call, {}, name.toLower(), {}, {}, {}};
        if (!eat(QLatin1Char(')'))) {
            do {
                const int arg = disjunction();
                if (arg < 0)
                    return -1;
                n.args.push_back(arg);
            } while (eat(QLatin1Char(',')));
            if (!eat(QLatin1Char(')')))
                return -1;
        }
        // Date() and the like read the system variable.
        if (n.args.empty() && SystemVariables::isSystem(name))
            return add(Node{Node::Variable, {}, SystemVariables::canonical(name), {}, {}, {}});
        return add(std::move(n));
    }
    int primary()
    {
        skip();
        if (pos >= s.size())
            return -1;
        const QChar c = s[pos];
        if (c == QLatin1Char('(')) {
            ++pos;
            const int inner = disjunction();
            return eat(QLatin1Char(')')) ? inner : -1;
        }
        if (c == QLatin1Char('<')) {
            // <RPTDB."field"> and <Page#>: a field or variable in angle brackets.
            ++pos;
            const int inner = nested([this] { return primary(); });
            return inner >= 0 && eat(QLatin1Char('>')) ? inner : -1;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString text;
            if (!quoted(c, &text))
                return -1;
            return add(Node{Node::Literal, text, {}, {}, {}, {}});
        }
        if (c.isDigit())
            return number();
        if (!identChar(c))
            return -1;
        const qsizetype start = pos;
        while (pos < s.size() && identChar(s[pos]))
            ++pos;
        const QString name = s.mid(start, pos - start);
        const QString lower = name.toLower();
        if (reserved(lower))
            return -1;
        if (pos + 1 < s.size() && s[pos] == QLatin1Char('.') && s[pos + 1] == QLatin1Char('"')) {
            ++pos;
            QString field;
            if (!quoted(QLatin1Char('"'), &field))
                return -1;
            return add(Node{Node::Field, {}, name, field, {}, {}});
        }
        if (eat(QLatin1Char('(')))
            return call(name);
        if (lower == QLatin1String("true") || lower == QLatin1String("false"))
            return add(Node{Node::Literal, lower == QLatin1String("true"), {}, {}, {}, {}});
        return add(Node{Node::Variable, {}, SystemVariables::canonical(name), {}, {}, {}});
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

} // namespace orvel::report
