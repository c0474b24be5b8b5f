#include "report/expression/Expression.h"

#include "report/expression/DisplayFormatter.h"

namespace orvel::report
{

// A number (or text that reads as one) equal to zero.
static bool isZero(const QVariant& v)
{
    double d = 0;
    return DisplayFormatter::toNumber(v, &d) && d == 0;
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

bool TextTemplate::computesWith(const QString& name) const
{
    for (const Expression& e : m_exprs)
        if (e.computesWith(name))
            return true;
    return false;
}

} // namespace orvel::report
