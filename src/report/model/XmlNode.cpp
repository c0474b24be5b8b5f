#include "report/model/XmlNode.h"

#include <QStringDecoder>
#include <QTextCodec>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace orvel::report
{

bool XmlNode::hasAttribute(const QString& key) const
{
    for (const auto& a : attributes)
        if (a.name == key)
            return true;
    return false;
}

QString XmlNode::attribute(const QString& key, const QString& fallback) const
{
    for (const auto& a : attributes)
        if (a.name == key)
            return a.value;
    return fallback;
}

void XmlNode::setAttribute(const QString& key, const QString& value)
{
    for (auto& a : attributes) {
        if (a.name == key) {
            a.value = value;
            return;
        }
    }
    attributes.push_back({key, value});
}

bool XmlTree::parse(const QString& text, XmlNode* root, QString* error)
{
    QXmlStreamReader reader(text);
    std::vector<XmlNode*> stack;
    bool haveRoot = false;
    int nodes = 0;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (++nodes > MaxNodes) {
                *error = QStringLiteral("too many elements");
                return false;
            }
            XmlNode* node = nullptr;
            if (stack.empty()) {
                if (haveRoot) {
                    *error = QStringLiteral("more than one root element");
                    return false;
                }
                haveRoot = true;
                *root = XmlNode{};
                node = root;
            } else {
                if (int(stack.size()) >= MaxDepth) {
                    *error = QStringLiteral("elements nested deeper than %1 levels at line %2")
                                 .arg(MaxDepth)
                                 .arg(reader.lineNumber());
                    return false;
                }
                stack.back()->children.emplace_back();
                node = &stack.back()->children.back();
            }
            node->name = reader.name().toString();
            const auto attrs = reader.attributes();
            node->attributes.reserve(attrs.size());
            for (const auto& a : attrs)
                node->attributes.push_back({a.qualifiedName().toString(), a.value().toString()});
            stack.push_back(node);
        } else if (token == QXmlStreamReader::EndElement) {
            if (!stack.empty()) {
                stack.back()->text = stack.back()->text.trimmed();
                stack.pop_back();
            }
        } else if (token == QXmlStreamReader::Characters && !stack.empty()) {
            if (!reader.isWhitespace())
                stack.back()->text += reader.text();
        }
    }
    if (reader.hasError()) {
        *error = QStringLiteral("%1 at line %2, column %3")
                     .arg(reader.errorString())
                     .arg(reader.lineNumber())
                     .arg(reader.columnNumber());
        return false;
    }
    if (!haveRoot) {
        *error = QStringLiteral("no XML element found");
        return false;
    }
    return true;
}

static void writeNode(QXmlStreamWriter& w, const XmlNode& node)
{
    w.writeStartElement(node.name);
    for (const auto& a : node.attributes)
        w.writeAttribute(a.name, a.value);
    if (!node.text.isEmpty())
        w.writeCharacters(node.text);
    for (const auto& c : node.children)
        writeNode(w, c);
    w.writeEndElement();
}

QByteArray XmlTree::write(const XmlNode& root)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    writeNode(w, root);
    w.writeEndDocument();
    return out;
}

QString XmlTree::decodeBytes(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    if (QTextCodec* cp949 = QTextCodec::codecForName("CP949")) {
        QTextCodec::ConverterState state(QTextCodec::ConvertInvalidToNull);
        text = cp949->toUnicode(bytes.constData(), int(bytes.size()), &state);
        if (state.invalidChars == 0)
            return text;
    }
    return QString::fromLatin1(bytes);
}

} // namespace orvel::report
