#pragma once

#include "report/model/ReportModel.h"

#include <QVariant>

namespace orvel::report
{

/// Turns values into text by a display format (numbers, dates, booleans).
class DisplayFormatter
{
public:
    /// Formats one value; values that do not fit the format's kind are shown as they are.
    static QString format(const QVariant& value, const DisplayFormat& fmt);
    /// Plain text of a value without a display format.
    static QString plain(const QVariant& value);
    /// printf-like number formats ("%2.2f", "%2.2n", "%d", "%g", "%m") and picture
    /// formats ("#,##0.00").
    static QString formatNumber(double v, const QString& fmt, QChar decimal, QChar thousand);
    /// Date/time pictures: yyyy yy mmmm mmm mm m dddd ddd dd d hh h nn n ss s zzz, am/pm
    /// and a/p (a 12-hour clock, written in the marker's case), 'quoted' text.
    static QString formatDateTime(const QDateTime& dt, const QString& fmt);
    /// A number, or text that reads as one.
    static bool toNumber(const QVariant& v, double* out);
    /// A date, time or date-time, or ISO text ("yyyy-MM-dd", "yyyy-MM-dd hh:mm:ss").
    static bool toDateTime(const QVariant& v, QDateTime* out);
};

} // namespace orvel::report
