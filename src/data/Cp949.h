#pragma once

#include <QByteArray>
#include <QString>

namespace orvel::cp949
{

/// Converts text to the Korean ANSI code page (CP949) bytes stored in the databases and files.
QByteArray encode(const QString& text);
/// Converts CP949 bytes to text.
QString decode(const char* data, qsizetype size);
inline QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

} // namespace orvel::cp949
