#pragma once

#include <QByteArrayView>
#include <QString>

class QTextCodec;

namespace orvel::report
{

/// The Windows code pages that template text is written in when it is not UTF-8.
class LegacyCodePages
{
public:
    /// The code page a Windows font charset number names; nullptr for the default, ANSI,
    /// symbol and OEM charsets, whose code page is the author's system's.
    static QTextCodec* forCharset(int charset);
    static QTextCodec* korean();  // CP949
    static QTextCodec* western(); // Windows-1252
    static QTextCodec* bytes();   // Latin-1: one character per byte

    /// Decodes bytes; an incomplete last character reads as U+FFFD instead of vanishing.
    static QString decode(QTextCodec* codec, QByteArrayView bytes);
};

/// Tells Korean (CP949) from Western (Windows-1252) text by what its bytes read as in
/// CP949: Western accents read as single syllables or characters glued between Latin
/// letters, or as no character at all; Korean words read as runs of Hangul syllables.
class CodePageGuess
{
public:
    void add(QByteArrayView bytes);
    /// CP949 unless the text looked Western; the predecessor's files are Korean.
    QTextCodec* codec() const;

private:
    int m_korean = 0;
    int m_western = 0;
};

} // namespace orvel::report
