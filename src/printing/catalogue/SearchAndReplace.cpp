#include "printing/catalogue/SearchAndReplace.h"

#include <algorithm>

namespace orvel
{

QString SearchAndReplace(const QString& source, const QString& search, const QString& replacement)
{
    if (search.isEmpty())
        return source;
    QString text = source;
    if (replacement.contains(search))
        return text.replace(search, replacement);
    // Each round starts again at the beginning, so an occurrence that a replacement forms
    // with its neighbours is replaced as well. Replacements that keep forming new
    // occurrences would never end: past a bound on rounds and growth every occurrence of
    // the source is replaced once instead.
    const qsizetype maxLength = std::max<qsizetype>(source.size() * 4, source.size() + 4096);
    qsizetype rounds = 0;
    for (qsizetype at = text.indexOf(search); at >= 0; at = text.indexOf(search)) {
        if (++rounds > 1000000 || text.size() > maxLength)
            return QString(source).replace(search, replacement);
        text.replace(at, search.size(), replacement);
    }
    return text;
}

} // namespace orvel
