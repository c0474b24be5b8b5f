#include "report/script/ScriptValue.h"

#include <QColor>
#include <QLocale>
#include <cmath>

namespace orvel::report
{

namespace
{
const QDate epoch(1899, 12, 30);
constexpr double msPerDay = 86400000.0;
} // namespace

ScriptValue ScriptValue::dateTime(double days)
{
    ScriptValue v(days);
    v.m_type = DateTime;
    return v;
}

ScriptValue ScriptValue::set(qint64 mask)
{
    ScriptValue v(mask);
    v.m_type = Set;
    return v;
}

ScriptValue ScriptValue::object(int handle)
{
    ScriptValue v{qint64(handle)};
    v.m_type = Object;
    return v;
}

ScriptValue ScriptValue::ref(ScriptValue* target)
{
    ScriptValue v;
    v.m_type = Ref;
    v.m_ref = target;
    return v;
}

QString ScriptValue::toText() const
{
    switch (m_type) {
    case Null:
        return {};
    case Bool:
        return m_int ? QStringLiteral("True") : QStringLiteral("False");
    case Int:
    case Set:
        return QString::number(m_int);
    case Float:
        return QString::number(m_float, 'g', 15);
    case DateTime: {
        const double frac = std::fabs(m_float - std::trunc(m_float));
        if (frac == 0)
            return ScriptDates::dateText(m_float);
        if (std::trunc(m_float) == 0)
            return ScriptDates::timeText(m_float);
        return ScriptDates::dateText(m_float) + QLatin1Char(' ') + ScriptDates::timeText(m_float);
    }
    case String:
        return m_string;
    case Object:
    case Ref:
        break;
    }
    return {};
}

bool ScriptValue::toNumber(double* out) const
{
    switch (m_type) {
    case Int:
        *out = double(m_int);
        return true;
    case Float:
    case DateTime:
        *out = m_float;
        return true;
    case String: {
        bool ok = false;
        *out = m_string.trimmed().toDouble(&ok);
        return ok;
    }
    default:
        return false;
    }
}

QVariant ScriptValue::toVariant() const
{
    switch (m_type) {
    case Null:
    case Ref:
        return {};
    case Bool:
        return m_int != 0;
    case Int:
    case Set:
        return m_int;
    case Float:
        return m_float;
    case DateTime:
        return ScriptDates::toDateTime(m_float);
    case String:
        return m_string;
    case Object:
        return QVariant::fromValue(ScriptObjectRef{int(m_int)});
    }
    return {};
}

ScriptValue ScriptValue::fromVariant(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::Bool:
        return ScriptValue(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
        return ScriptValue(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return ScriptValue(v.toDouble());
    case QMetaType::QDate:
        return dateTime(ScriptDates::fromDate(v.toDate()));
    case QMetaType::QDateTime:
        return dateTime(ScriptDates::fromDateTime(v.toDateTime()));
    case QMetaType::QTime:
        return dateTime(v.toTime().msecsSinceStartOfDay() / msPerDay);
    case QMetaType::QColor: {
        // Colours travel as Delphi TColor values, $00BBGGRR.
        const QColor c = v.value<QColor>();
        return ScriptValue(qint64(c.red() | c.green() << 8 | c.blue() << 16));
    }
    default:
        break;
    }
    if (v.userType() == qMetaTypeId<ScriptObjectRef>())
        return object(v.value<ScriptObjectRef>().handle);
    if (v.isNull())
        return {};
    return ScriptValue(v.toString());
}

QString ScriptValue::typeName(Type t)
{
    switch (t) {
    case Null:
        return QStringLiteral("값 없음");
    case Bool:
        return QStringLiteral("참/거짓");
    case Int:
        return QStringLiteral("정수");
    case Float:
        return QStringLiteral("실수");
    case DateTime:
        return QStringLiteral("날짜");
    case String:
        return QStringLiteral("문자열");
    case Set:
        return QStringLiteral("집합");
    case Object:
        return QStringLiteral("개체");
    case Ref:
        break;
    }
    return QStringLiteral("참조");
}

namespace ScriptDates
{

double fromDate(QDate d)
{
    return d.isValid() ? double(epoch.daysTo(d)) : 0.0;
}

double fromDateTime(const QDateTime& dt)
{
    if (!dt.isValid())
        return 0.0;
    const double days = fromDate(dt.date());
    const double time = dt.time().msecsSinceStartOfDay() / msPerDay;
    // Before the epoch the day count is negative but the time still adds forward.
    return days < 0 ? days - time : days + time;
}

bool inRange(double days)
{
    return std::fabs(days) <= MaxDays;
}

QDate toDate(double days)
{
    if (!inRange(days))
        return {};
    return epoch.addDays(qint64(std::trunc(days)));
}

QDateTime toDateTime(double days)
{
    if (!inRange(days))
        return {};
    const double frac = std::fabs(days - std::trunc(days));
    const int ms = int(std::llround(frac * msPerDay));
    QDate d = toDate(days);
    if (ms >= int(msPerDay))
        return QDateTime(d.addDays(1), QTime(0, 0));
    return QDateTime(d, QTime::fromMSecsSinceStartOfDay(ms));
}

QString dateText(double days)
{
    return QLocale().toString(toDate(days), QLocale::ShortFormat);
}

QString timeText(double days)
{
    return toDateTime(days).time().toString(QStringLiteral("hh:mm:ss"));
}

} // namespace ScriptDates

} // namespace orvel::report
