#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace orvel::report
{

/// One XML element kept as a small tree, so elements we do not understand survive a round trip.
struct XmlNode {
    struct Attribute {
        QString name;
        QString value;
        bool operator==(const Attribute&) const = default;
    };

    QString name;
    std::vector<Attribute> attributes;
    std::vector<XmlNode> children;
    QString text; // character data directly inside the element, trimmed

    bool hasAttribute(const QString& key) const;
    QString attribute(const QString& key, const QString& fallback = {}) const;
    void setAttribute(const QString& key, const QString& value);
    bool operator==(const XmlNode&) const = default;
};

/// Reads and writes XmlNode trees with limits against hostile input.
class XmlTree
{
public:
    static constexpr int MaxDepth = 64;
    static constexpr int MaxNodes = 2'000'000;

    /// Parses text (already decoded); returns false and sets error on malformed input.
    static bool parse(const QString& text, XmlNode* root, QString* error);
    /// Serialises a tree as UTF-8 XML with a declaration.
    static QByteArray write(const XmlNode& root);
    /// Decodes file bytes: UTF-8 when valid, else CP949, else Latin-1.
    static QString decodeBytes(const QByteArray& bytes);
};

} // namespace orvel::report
