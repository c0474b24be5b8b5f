// Reading side of template files: finding the document among the file's bytes and
// decoding it.
#include "report/template/TemplateDecoding.h"

#include "report/template/CodePages.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <vector>

namespace orvel::report
{

namespace
{

/// A run of the document's bytes and the code page it is written in; nullptr stands for
/// the file's own code page, chosen once the whole file has been seen.
struct Piece {
    qsizetype begin = 0;
    qsizetype end = 0;
    QTextCodec* codec = nullptr;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

/// Walks the markup of a document on its raw bytes and splits it into pieces by code
/// page: the attribute values and character data of an element whose Font.Charset names
/// a code page are in that one (and so is everything inside the element), the rest in
/// the file's own. Markup bytes ('<', '>', '=', '/', quotes) never occur inside a
/// character of any code page the format meets, so the walk is safe before decoding.
class DocumentScanner
{
public:
    explicit DocumentScanner(const QByteArray& bytes) : m_d(bytes.constData()), m_n(bytes.size()) {}

    /// Scans from start to the end of the root element and what legitimately follows it
    /// (blanks, comments); stops before anything else, which is not part of the document.
    void scan(qsizetype start);
    qsizetype end() const { return m_pos; }
    const std::vector<Piece>& pieces() const { return m_pieces; }

private:
    struct Value {
        qsizetype begin, end;
        bool utf8Bytes; // Memo.UTF8 holds UTF-8 bytes whatever the file's code page
    };

    bool startTag(); // false, reading nothing, when the tag is malformed
    void markup(const char* terminator, QTextCodec* codec);
    void add(qsizetype begin, qsizetype end, QTextCodec* codec);
    bool startsWith(const char* s) const;
    qsizetype skipSpaces(qsizetype p) const;
    QTextCodec* current() const { return m_codecs.empty() ? nullptr : m_codecs.back(); }

    const char* m_d;
    qsizetype m_n;
    qsizetype m_pos = 0;
    bool m_rootDone = false;
    std::vector<QTextCodec*> m_codecs; // one per open element
    std::vector<Piece> m_pieces;
};

void DocumentScanner::scan(qsizetype start)
{
    m_pos = start;
    while (m_pos < m_n) {
        if (m_d[m_pos] != '<') {
            const char* lt = static_cast<const char*>(memchr(m_d + m_pos, '<', m_n - m_pos));
            const qsizetype next = lt ? lt - m_d : m_n;
            if (m_rootDone && skipSpaces(m_pos) < next)
                return; // the designer's own settings, or other junk after the document
            add(m_pos, next, current());
            m_pos = next;
        } else if (startsWith("<!--")) {
            markup("-->", nullptr);
        } else if (startsWith("<![CDATA[")) {
            markup("]]>", current());
        } else if (startsWith("<?")) {
            markup("?>", nullptr);
        } else if (startsWith("</")) {
            markup(">", nullptr);
            if (!m_codecs.empty()) {
                m_codecs.pop_back();
                m_rootDone = m_codecs.empty();
            }
        } else if (startsWith("<!")) {
            markup(">", nullptr);
        } else if (m_rootDone || !startTag()) {
            // A second root element or a broken tag: the parser reports it.
            add(m_pos, m_n, current());
            m_pos = m_n;
        }
    }
}

bool DocumentScanner::startTag()
{
    qsizetype p = m_pos + 1;
    while (p < m_n && !isSpace(m_d[p]) && m_d[p] != '>' && m_d[p] != '/')
        ++p;
    if (p == m_pos + 1)
        return false;
    std::vector<Value> values;
    int charset = -1;
    bool selfClosing = false;
    for (;;) {
        p = skipSpaces(p);
        if (p >= m_n)
            return false;
        if (m_d[p] == '>') {
            ++p;
            break;
        }
        if (m_d[p] == '/') {
            if (p + 1 >= m_n || m_d[p + 1] != '>')
                return false;
            p += 2;
            selfClosing = true;
            break;
        }
        const qsizetype nameBegin = p;
        while (p < m_n && !isSpace(m_d[p]) && m_d[p] != '=' && m_d[p] != '>' && m_d[p] != '/')
            ++p;
        const QByteArrayView name(m_d + nameBegin, p - nameBegin);
        p = skipSpaces(p);
        if (name.isEmpty() || p >= m_n || m_d[p] != '=')
            return false;
        p = skipSpaces(p + 1);
        if (p >= m_n || (m_d[p] != '"' && m_d[p] != '\''))
            return false;
        const char* close = static_cast<const char*>(memchr(m_d + p + 1, m_d[p], m_n - p - 1));
        if (!close)
            return false;
        const Value value{p + 1, close - m_d, name == "Memo.UTF8"};
        if (name == "Font.Charset") {
            bool ok = false;
            charset = QByteArray(m_d + value.begin, value.end - value.begin).trimmed().toInt(&ok);
            if (!ok)
                charset = -1;
        }
        values.push_back(value);
        p = value.end + 1;
    }
    QTextCodec* codec = charset >= 0 ? LegacyCodePages::forCharset(charset) : nullptr;
    if (!codec)
        codec = current();
    qsizetype at = m_pos;
    for (const Value& v : values) {
        add(at, v.begin, nullptr);
        add(v.begin, v.end, v.utf8Bytes ? LegacyCodePages::bytes() : codec);
        at = v.end;
    }
    add(at, p, nullptr);
    m_pos = p;
    if (!selfClosing)
        m_codecs.push_back(codec);
    else if (m_codecs.empty())
        m_rootDone = true;
    return true;
}

void DocumentScanner::markup(const char* terminator, QTextCodec* codec)
{
    const QByteArrayView rest(m_d + m_pos, m_n - m_pos);
    const qsizetype at = rest.indexOf(QByteArrayView(terminator), 1);
    const qsizetype end = at < 0 ? m_n : m_pos + at + qsizetype(qstrlen(terminator));
    add(m_pos, end, codec);
    m_pos = end;
}

void DocumentScanner::add(qsizetype begin, qsizetype end, QTextCodec* codec)
{
    if (begin >= end)
        return;
    if (!m_pieces.empty() && m_pieces.back().codec == codec && m_pieces.back().end == begin) {
        m_pieces.back().end = end;
        return;
    }
    m_pieces.push_back({begin, end, codec});
}

bool DocumentScanner::startsWith(const char* s) const
{
    return QByteArrayView(m_d + m_pos, m_n - m_pos).startsWith(QByteArrayView(s));
}

qsizetype DocumentScanner::skipSpaces(qsizetype p) const
{
    while (p < m_n && isSpace(m_d[p]))
        ++p;
    return p;
}

/// Where the document starts: its declaration or root element; whatever a file holds
/// before them is not part of it.
qsizetype documentStart(const QByteArray& bytes)
{
    qsizetype start = -1;
    for (const char* marker : {"<?xml", "<TfrxReport"}) {
        const qsizetype at = bytes.indexOf(marker);
        if (at >= 0 && (start < 0 || at < start))
            start = at;
    }
    return std::max<qsizetype>(start, 0);
}

} // namespace

QString TemplateDecoding::decode(const QByteArray& bytes)
{
    const qsizetype start = documentStart(bytes);
    DocumentScanner scanner(bytes);
    scanner.scan(start);
    const QByteArrayView document(bytes.constData() + start, scanner.end() - start);

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(document);
    if (!utf8.hasError())
        return text;

    // Not UTF-8, whatever the declaration says: the bytes are in the author's code pages.
    // Each piece is decoded on its own, before the parser resolves character references,
    // so a reference never mixes with the raw bytes around it.
    const auto bytesOf = [&](const Piece& p) {
        return QByteArrayView(bytes.constData() + p.begin, p.end - p.begin);
    };
    CodePageGuess guess;
    for (const Piece& p : scanner.pieces())
        if (!p.codec)
            guess.add(bytesOf(p));
    QTextCodec* const own = guess.codec();
    text.clear();
    text.reserve(document.size());
    for (const Piece& p : scanner.pieces())
        text += LegacyCodePages::decode(p.codec ? p.codec : own, bytesOf(p));
    return text;
}

} // namespace orvel::report
