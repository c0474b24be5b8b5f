#include "data/Cp949.h"

#include <QTextCodec>

namespace orvel::cp949
{

namespace
{

QTextCodec* codec()
{
    // ICU names the Korean ANSI code page "windows-949"; older builds know "CP949".
    static QTextCodec* const c = [] {
        for (const char* name : {"CP949", "windows-949", "EUC-KR"}) {
            if (QTextCodec* found = QTextCodec::codecForName(name))
                return found;
        }
        qFatal("No CP949 text codec available");
        return static_cast<QTextCodec*>(nullptr);
    }();
    return c;
}

bool isAscii(const char* data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

QByteArray encode(const QString& text)
{
    return codec()->fromUnicode(text);
}

QString decode(const char* data, qsizetype size)
{
    if (size <= 0)
        return {};
    // Most cells (numbers, codes, telephone numbers) are plain ASCII: skip the codec.
    if (isAscii(data, size))
        return QString::fromLatin1(data, size);
    return codec()->toUnicode(data, int(size));
}

} // namespace orvel::cp949
