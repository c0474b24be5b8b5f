#include "report/template/CodePages.h"

#include <QTextCodec>
#include <algorithm>

namespace orvel::report
{

namespace
{

// A code page the system's codecs may lack; Latin-1 is always there and keeps every byte.
QTextCodec* codec(const char* name)
{
    if (QTextCodec* c = QTextCodec::codecForName(name))
        return c;
    return QTextCodec::codecForName("ISO-8859-1");
}

bool isLatinLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isHangulSyllable(QChar c)
{
    return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3;
}

// What CP949 makes of bytes that are no character in it: a replacement character, or
// the C1 control the codec passes a stray 0x80 through as.
bool isUndecodable(QChar c)
{
    return c == QChar::ReplacementCharacter || (c.unicode() >= 0x80 && c.unicode() <= 0x9F);
}

} // namespace

QTextCodec* LegacyCodePages::forCharset(int charset)
{
    switch (charset) {
    case 129:
        return korean();
    case 128:
        return codec("Shift_JIS");
    case 134:
        return codec("GBK");
    case 136:
        return codec("Big5");
    case 161:
        return codec("windows-1253");
    case 162:
        return codec("windows-1254");
    case 163:
        return codec("windows-1258");
    case 177:
        return codec("windows-1255");
    case 178:
        return codec("windows-1256");
    case 186:
        return codec("windows-1257");
    case 204:
        return codec("windows-1251");
    case 222:
        return codec("windows-874");
    case 238:
        return codec("windows-1250");
    default:
        return nullptr;
    }
}

QTextCodec* LegacyCodePages::korean()
{
    static QTextCodec* const c = codec("CP949");
    return c;
}

QTextCodec* LegacyCodePages::western()
{
    static QTextCodec* const c = codec("windows-1252");
    return c;
}

QTextCodec* LegacyCodePages::bytes()
{
    static QTextCodec* const c = codec("ISO-8859-1");
    return c;
}

QString LegacyCodePages::decode(QTextCodec* codec, QByteArrayView bytes)
{
    if (bytes.isEmpty() || uchar(bytes.back()) < 0x80)
        return codec->toUnicode(bytes.data(), int(bytes.size()));
    // The codecs drop a lead byte at the end without a word; a blank after it makes
    // them report it.
    QByteArray padded = bytes.toByteArray();
    padded.append(' ');
    QString text = codec->toUnicode(padded);
    if (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

void CodePageGuess::add(QByteArrayView bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char b) { return uchar(b) < 0x80; }))
        return;
    const QString text = LegacyCodePages::decode(LegacyCodePages::korean(), bytes);
    const QChar none;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80)
            continue;
        const QChar before = i > 0 ? text[i - 1] : none;
        const QChar after = i + 1 < text.size() ? text[i + 1] : none;
        if (isUndecodable(c) || (isLatinLetter(before) && isLatinLetter(after)))
            ++m_western;
        else if (isHangulSyllable(c) && (isHangulSyllable(before) || isHangulSyllable(after)))
            ++m_korean;
    }
}

QTextCodec* CodePageGuess::codec() const
{
    return m_western > m_korean ? LegacyCodePages::western() : LegacyCodePages::korean();
}

} // namespace orvel::report
