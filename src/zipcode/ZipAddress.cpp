#include "zipcode/ZipAddress.h"

#include "zipcode/TextTrim.h"

namespace orvel
{

QString baseAddress(const ZipRow& row)
{
    QString text = row.sido;
    for (const QString* part : {&row.gugun, &row.dong, &row.ri, &row.bldg})
        text = trimBlanks(text) + QLatin1Char(' ') + *part;
    return text;
}

QString chosenAddress(const QString& base, const QString& detail, const QString& lot)
{
    const QString joined = trimBlanks(trimBlanks(base) + QLatin1Char(' ') + trimBlanks(detail));
    return joined + QLatin1Char(' ') + trimBlanks(lot);
}

} // namespace orvel
