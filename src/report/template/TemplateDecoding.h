#pragma once

#include <QByteArray>
#include <QString>

namespace orvel::report
{

/// Turns the bytes of a template file into the XML text to parse: the document alone,
/// without junk before it or the designer settings appended after its root element, as
/// UTF-8 when it is, else in the code page each element's font names or, where none is
/// named, the one its text reads as.
class TemplateDecoding
{
public:
    static QString decode(const QByteArray& bytes);
};

} // namespace orvel::report
