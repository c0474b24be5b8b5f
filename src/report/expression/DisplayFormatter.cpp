#include "report/expression/DisplayFormatter.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace orvel::report
{

namespace
{

QString groupThousands(const QString& digits, QChar sep)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0 && !sep.isNull())
            out += sep;
        out += digits[i];
    }
    return out;
}

// Fixed-point text of |v| with the given decimals, thousands grouped when asked.
QString fixed(double v, int decimals, bool thousands, QChar decimal, QChar thousand)
{
    QString t = QString::number(std::fabs(v), 'f', std::clamp(decimals, 0, 20));
    QString intPart = t.section(QLatin1Char('.'), 0, 0);
    QString frac = t.section(QLatin1Char('.'), 1);
    if (thousands)
        intPart = groupThousands(intPart, thousand);
    QString out = intPart;
    if (!frac.isEmpty())
        out += decimal + frac;
    bool negative = v < 0 && (t.contains(QRegularExpression(QStringLiteral("[1-9]"))));
    return negative ? QLatin1Char('-') + out : out;
}

QString printfNumber(double v, const QString& fmt, QChar decimal, QChar thousand)
{
    // Text before and after the first % directive is kept.
    const int pct = int(fmt.indexOf(QLatin1Char('%')));
    int i = pct + 1;
    int precision = -1;
    while (i < fmt.size() && (fmt[i].isDigit() || fmt[i] == QLatin1Char('-')))
        ++i;
    if (i < fmt.size() && fmt[i] == QLatin1Char('.')) {
        int start = ++i;
        while (i < fmt.size() && fmt[i].isDigit())
            ++i;
        precision = fmt.mid(start, i - start).toInt();
    }
    if (i >= fmt.size())
        return fmt;
    const QChar type = fmt[i].toLower();
    QString body;
    switch (type.unicode()) {
    case 'd':
        body = fixed(std::round(v), 0, false, decimal, thousand);
        break;
    case 'f':
        body = fixed(v, precision < 0 ? 2 : precision, false, decimal, thousand);
        break;
    case 'n':
    case 'm':
        body = fixed(v, precision < 0 ? 2 : precision, true, decimal, thousand);
        break;
    case 'e':
        body = QString::number(v, 'e', precision < 0 ? 6 : precision);
        body.replace(QLatin1Char('.'), decimal);
        break;
    default: // 'g' and anything else
        body = QString::number(v, 'g', precision < 0 ? 15 : precision);
        body.replace(QLatin1Char('.'), decimal);
        break;
    }
    return fmt.left(pct) + body + fmt.mid(i + 1);
}

QString pictureNumber(double v, const QString& fmt, QChar decimal, QChar thousand)
{
    // First run of picture characters is the number; the rest is literal text.
    int start = int(fmt.indexOf(QRegularExpression(QStringLiteral("[#0]"))));
    int end = start;
    while (end < fmt.size() && QStringLiteral("#0,.").contains(fmt[end]))
        ++end;
    const QString pic = fmt.mid(start, end - start);
    const int dot = int(pic.indexOf(QLatin1Char('.')));
    const QString intPic = dot < 0 ? pic : pic.left(dot);
    const QString fracPic = dot < 0 ? QString() : pic.mid(dot + 1);
    const int minFrac = int(fracPic.count(QLatin1Char('0')));
    const int maxFrac = int(fracPic.count(QLatin1Char('0')) + fracPic.count(QLatin1Char('#')));
    QString body = fixed(v, maxFrac, intPic.contains(QLatin1Char(',')), decimal, thousand);
    if (maxFrac > minFrac) {
        int cut = 0;
        while (cut < maxFrac - minFrac && body.endsWith(QLatin1Char('0'))) {
            body.chop(1);
            ++cut;
        }
        if (body.endsWith(decimal))
            body.chop(1);
    }
    const QString minInt = intPic;
    if (!minInt.contains(QLatin1Char('0')) && body.startsWith(QLatin1Char('0')) &&
        body.size() > 1 && body[1] == decimal)
        body.remove(0, 1);
    return fmt.left(start) + body + fmt.mid(end);
}

} // namespace

QString DisplayFormatter::formatNumber(double v, const QString& fmt, QChar decimal, QChar thousand)
{
    if (fmt.contains(QLatin1Char('%')))
        return printfNumber(v, fmt, decimal, thousand);
    if (fmt.contains(QRegularExpression(QStringLiteral("[#0]"))))
        return pictureNumber(v, fmt, decimal, thousand);
    return QString::number(v, 'g', 15);
}

QString DisplayFormatter::formatDateTime(const QDateTime& dt, const QString& fmt)
{
    static const char* const longMonths[] = {"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
    static const char* const longDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                           "Friday", "Saturday", "Sunday"};
    const QDate d = dt.date();
    const QTime t = dt.time();
    QString out;
    bool afterHour = false;
    // An am/pm or a/p marker anywhere turns the hours to a 12-hour clock.
    const bool twelveHour = fmt.contains(QLatin1String("am/pm"), Qt::CaseInsensitive) ||
                            fmt.contains(QLatin1String("a/p"), Qt::CaseInsensitive);
    const bool pm = t.hour() >= 12;
    int i = 0;
    auto run = [&](QChar c) {
        int n = 0;
        while (i + n < fmt.size() && fmt[i + n].toLower() == c)
            ++n;
        return n;
    };
    while (i < fmt.size()) {
        const QChar c = fmt[i].toLower();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            int end = int(fmt.indexOf(fmt[i], i + 1));
            if (end < 0)
                end = int(fmt.size());
            out += fmt.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        // The half of the marker that applies, in the case it is written in.
        if (fmt.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += pm ? fmt.mid(i + 3, 2) : fmt.mid(i, 2);
            i += 5;
            continue;
        }
        if (fmt.mid(i, 3).compare(QLatin1String("a/p"), Qt::CaseInsensitive) == 0) {
            out += pm ? fmt[i + 2] : fmt[i];
            i += 3;
            continue;
        }
        int n = run(c);
        switch (c.unicode()) {
        case 'y':
            out += n >= 3 ? QString::number(d.year()).rightJustified(4, QLatin1Char('0'))
                          : QString::number(d.year() % 100).rightJustified(2, QLatin1Char('0'));
            break;
        case 'm':
            if (afterHour && n <= 2) {
                out += QString::number(t.minute()).rightJustified(n, QLatin1Char('0'));
            } else if (n >= 4) {
                out += QString::fromLatin1(longMonths[d.month() - 1]);
            } else if (n == 3) {
                out += QString::fromLatin1(longMonths[d.month() - 1]).left(3);
            } else {
                out += QString::number(d.month()).rightJustified(n, QLatin1Char('0'));
            }
            break;
        case 'd':
            if (n >= 4)
                out += QString::fromLatin1(longDays[d.dayOfWeek() - 1]);
            else if (n == 3)
                out += QString::fromLatin1(longDays[d.dayOfWeek() - 1]).left(3);
            else
                out += QString::number(d.day()).rightJustified(n, QLatin1Char('0'));
            break;
        case 'h': {
            const int hour = twelveHour ? (t.hour() % 12 == 0 ? 12 : t.hour() % 12) : t.hour();
            out += QString::number(hour).rightJustified(std::min(n, 2), QLatin1Char('0'));
            break;
        }
        case 'n':
            out += QString::number(t.minute()).rightJustified(std::min(n, 2), QLatin1Char('0'));
            break;
        case 's':
            out += QString::number(t.second()).rightJustified(std::min(n, 2), QLatin1Char('0'));
            break;
        case 'z':
            out += QString::number(t.msec()).rightJustified(n >= 3 ? 3 : 1, QLatin1Char('0'));
            break;
        default:
            out += fmt.mid(i, n == 0 ? 1 : n);
            if (n == 0)
                n = 1;
            break;
        }
        // "m" right after an hour (separators aside) means minutes.
        if (c == QLatin1Char('h'))
            afterHour = true;
        else if (c.isLetter())
            afterHour = false;
        i += n;
    }
    return out;
}

bool DisplayFormatter::toNumber(const QVariant& v, double* out)
{
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        QString s = v.toString().trimmed();
        *out = s.toDouble(&ok);
        return ok;
    }
    bool ok = false;
    *out = v.toDouble(&ok);
    return ok && v.isValid();
}

bool DisplayFormatter::toDateTime(const QVariant& v, QDateTime* out)
{
    if (v.typeId() == QMetaType::QDateTime) {
        *out = v.toDateTime();
        return out->isValid();
    }
    if (v.typeId() == QMetaType::QDate) {
        *out = v.toDate().startOfDay();
        return out->isValid();
    }
    if (v.typeId() == QMetaType::QTime) {
        *out = QDateTime(QDate(1899, 12, 30), v.toTime());
        return true;
    }
    const QString s = v.toString().trimmed();
    *out = QDateTime::fromString(s, Qt::ISODate);
    if (!out->isValid())
        *out = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!out->isValid())
        *out = QDate::fromString(s, Qt::ISODate).startOfDay();
    return out->isValid();
}

QString DisplayFormatter::plain(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QTime:
        return QLocale().toString(value.toTime(), QLocale::LongFormat);
    case QMetaType::QDateTime:
        return QLocale().toString(value.toDateTime(), QLocale::ShortFormat);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

QString DisplayFormatter::format(const QVariant& value, const DisplayFormat& fmt)
{
    if (fmt.formatString.isEmpty() && fmt.kind != DisplayFormat::Boolean)
        return plain(value);
    switch (fmt.kind) {
    case DisplayFormat::Numeric: {
        double v = 0;
        if (!toNumber(value, &v))
            return plain(value);
        const QChar decimal =
            fmt.decimalSeparator.isEmpty() ? QLatin1Char('.') : fmt.decimalSeparator[0];
        const QChar thousand =
            fmt.thousandSeparator.isEmpty() ? QLatin1Char(',') : fmt.thousandSeparator[0];
        return formatNumber(v, fmt.formatString, decimal, thousand);
    }
    case DisplayFormat::DateTime: {
        QDateTime dt;
        if (!toDateTime(value, &dt))
            return plain(value);
        return formatDateTime(dt, fmt.formatString);
    }
    case DisplayFormat::Boolean: {
        const QStringList names = fmt.formatString.isEmpty()
                                      ? QStringList{QStringLiteral("False"), QStringLiteral("True")}
                                      : fmt.formatString.split(QLatin1Char(','));
        double v = 0;
        bool truth = toNumber(value, &v) ? v != 0
                                         : value.toString().compare(QLatin1String("true"),
                                                                    Qt::CaseInsensitive) == 0;
        if (value.typeId() == QMetaType::Bool)
            truth = value.toBool();
        return names.value(truth ? 1 : 0);
    }
    case DisplayFormat::Text:
        break;
    }
    return plain(value);
}

} // namespace orvel::report
