#include "report/script/ScriptBuiltins.h"

#include "report/expression/DisplayFormatter.h"
#include "report/script/ScriptOps.h"

#include <QHash>
#include <QLocale>
#include <array>
#include <cmath>

namespace orvel::report
{

namespace
{

using B = ScriptBuiltins;

const B::Info table[] = {
    {"iif", B::Iif, 3, 3, 0, true},
    {"get", B::Get, 1, 1, 0, true},
    {"set", B::Set, 2, 2, 0, false},
    {"showmessage", B::ShowMessage, 1, 1, 0, false},
    {"formatfloat", B::FormatFloat, 2, 2, 0, true},
    {"formatdatetime", B::FormatDateTime, 2, 2, 0, true},
    {"datetostr", B::DateToStr, 1, 1, 0, true},
    {"timetostr", B::TimeToStr, 1, 1, 0, true},
    {"datetimetostr", B::DateTimeToStr, 1, 1, 0, true},
    {"inttostr", B::IntToStr, 1, 1, 0, true},
    {"floattostr", B::FloatToStr, 1, 1, 0, true},
    {"strtoint", B::StrToInt, 1, 1, 0, true},
    {"strtointdef", B::StrToIntDef, 2, 2, 0, true},
    {"strtofloat", B::StrToFloat, 1, 1, 0, true},
    {"strtodate", B::StrToDate, 1, 1, 0, true},
    {"copy", B::Copy, 3, 3, 0, true},
    {"pos", B::Pos, 2, 2, 0, true},
    {"length", B::Length, 1, 1, 0, true},
    {"trim", B::Trim, 1, 1, 0, true},
    {"trimleft", B::TrimLeft, 1, 1, 0, true},
    {"trimright", B::TrimRight, 1, 1, 0, true},
    {"uppercase", B::UpperCase, 1, 1, 0, true},
    {"ansiuppercase", B::UpperCase, 1, 1, 0, true},
    {"lowercase", B::LowerCase, 1, 1, 0, true},
    {"ansilowercase", B::LowerCase, 1, 1, 0, true},
    {"quotedstr", B::QuotedStr, 1, 1, 0, true},
    {"vartostr", B::VarToStr, 1, 1, 0, true},
    {"chr", B::Chr, 1, 1, 0, true},
    {"ord", B::Ord, 1, 1, 0, true},
    {"round", B::Round, 1, 1, 0, true},
    {"trunc", B::Trunc, 1, 1, 0, true},
    {"int", B::Int, 1, 1, 0, true},
    {"frac", B::Frac, 1, 1, 0, true},
    {"abs", B::Abs, 1, 1, 0, true},
    {"sqrt", B::Sqrt, 1, 1, 0, true},
    {"max", B::Max, 2, 2, 0, true},
    {"min", B::Min, 2, 2, 0, true},
    {"date", B::Date, 0, 0, 0, true},
    {"now", B::Now, 0, 0, 0, true},
    {"time", B::Time, 0, 0, 0, true},
    {"inc", B::Inc, 1, 2, 1, false},
    {"dec", B::Dec, 1, 2, 1, false},
    {"startofmonth", B::StartOfMonth, 1, 1, 0, true},
    {"startofthemonth", B::StartOfMonth, 1, 1, 0, true},
    {"daysinmonth", B::DaysInMonth, 1, 1, 0, true},
    {"daysinamonth", B::DaysInAMonth, 2, 2, 0, true},
    {"dayofweek", B::DayOfWeek, 1, 1, 0, true},
    {"encodedate", B::EncodeDate, 3, 3, 0, true},
    {"encodetime", B::EncodeTime, 4, 4, 0, true},
    {"decodedate", B::DecodeDate, 4, 4, 0b1110, false},
    {"decodetime", B::DecodeTime, 5, 5, 0b11110, false},
    {"yearof", B::YearOf, 1, 1, 0, true},
    {"monthof", B::MonthOf, 1, 1, 0, true},
    {"dayof", B::DayOf, 1, 1, 0, true},
    {"incmonth", B::IncMonth, 1, 2, 0, true},
    {"isleapyear", B::IsLeapYear, 1, 1, 0, true},
};

QString textArg(const ScriptValue& v)
{
    if (v.type() == ScriptValue::Object || v.type() == ScriptValue::Set)
        ScriptOps::fail(QStringLiteral("형식이 맞지 않습니다: 문자열이 필요한데 %1 값이 있습니다")
                            .arg(ScriptValue::typeName(v.type())));
    return v.toText();
}

// A date argument: a date-time or number of days, or text that reads as a date.
double dateArg(const ScriptValue& v)
{
    double days = 0;
    if (v.type() == ScriptValue::String && ScriptBuiltins::parseDate(v.string(), &days))
        return days;
    days = ScriptOps::toFloat(v, "날짜 인수");
    if (!ScriptDates::inRange(days))
        ScriptOps::fail(QStringLiteral("날짜 범위를 벗어났습니다: %1").arg(days));
    return days;
}

ScriptValue dateValue(QDate d)
{
    return ScriptValue::dateTime(ScriptDates::fromDate(d));
}

QDate validDate(qint64 y, qint64 m, qint64 d)
{
    const QDate date{int(y), int(m), int(d)};
    if (y < 1 || y > 9999 || !date.isValid())
        ScriptOps::fail(QStringLiteral("잘못된 날짜입니다: %1-%2-%3").arg(y).arg(m).arg(d));
    return date;
}

qint64 parseInt(const ScriptValue& v, bool* ok)
{
    const QString t = v.toText().trimmed();
    if (t.startsWith(QLatin1Char('$')))
        return t.mid(1).toLongLong(ok, 16);
    return t.toLongLong(ok);
}

} // namespace

const ScriptBuiltins::Info* ScriptBuiltins::find(const QString& lower)
{
    static const QHash<QString, const Info*> byName = [] {
        QHash<QString, const Info*> h;
        for (const Info& i : table)
            h.insert(QString::fromLatin1(i.name), &i);
        return h;
    }();
    return byName.value(lower, nullptr);
}

const ScriptBuiltins::Info& ScriptBuiltins::info(Id id)
{
    static const std::array<const Info*, 256> byId = [] {
        std::array<const Info*, 256> a{};
        for (const Info& i : table)
            if (!a[i.id])
                a[i.id] = &i;
        return a;
    }();
    return byId[id] ? *byId[id] : table[0];
}

bool ScriptBuiltins::parseDate(const QString& text, double* days)
{
    const QString t = text.trimmed();
    QDate d = QLocale().toDate(t, QLocale::ShortFormat);
    for (const char* f : {"yyyy-MM-dd", "yyyy.MM.dd", "yyyy/MM/dd", "yyyy-M-d", "yyyy.M.d"}) {
        if (d.isValid())
            break;
        d = QDate::fromString(t, QString::fromLatin1(f));
    }
    if (!d.isValid()) {
        // A date and a time: "yyyy-MM-dd hh:mm:ss".
        const QDateTime dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (!dt.isValid())
            return false;
        *days = ScriptDates::fromDateTime(dt);
        return true;
    }
    *days = ScriptDates::fromDate(d);
    return true;
}

ScriptValue ScriptBuiltins::call(Id id, const ScriptValue* a, int n, ScriptValue* const* refs)
{
    using namespace ScriptOps;
    switch (id) {
    case FormatFloat:
        return ScriptValue(DisplayFormatter::formatNumber(
            toFloat(a[1], "FormatFloat"), textArg(a[0]), QLatin1Char('.'), QLatin1Char(',')));
    case FormatDateTime:
        return ScriptValue(DisplayFormatter::formatDateTime(ScriptDates::toDateTime(dateArg(a[1])),
                                                            textArg(a[0])));
    case DateToStr:
        return ScriptValue(ScriptDates::dateText(dateArg(a[0])));
    case TimeToStr:
        return ScriptValue(ScriptDates::timeText(dateArg(a[0])));
    case DateTimeToStr:
        return ScriptValue(ScriptValue::dateTime(dateArg(a[0])).toText());
    case IntToStr:
        return ScriptValue(QString::number(toInt(a[0], "IntToStr")));
    case FloatToStr:
        return ScriptValue(QString::number(toFloat(a[0], "FloatToStr"), 'g', 15));
    case StrToInt:
    case StrToIntDef: {
        bool ok = false;
        const qint64 v = parseInt(a[0], &ok);
        if (ok)
            return ScriptValue(v);
        if (id == StrToIntDef)
            return ScriptValue(toInt(a[1], "StrToIntDef"));
        fail(QStringLiteral("'%1'은(는) 올바른 정수가 아닙니다").arg(a[0].toText()));
    }
    case StrToFloat: {
        bool ok = false;
        const double v = a[0].toText().trimmed().toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("'%1'은(는) 올바른 수가 아닙니다").arg(a[0].toText()));
        return ScriptValue(v);
    }
    case StrToDate: {
        double days = 0;
        if (!parseDate(a[0].toText(), &days))
            fail(QStringLiteral("'%1'은(는) 올바른 날짜가 아닙니다").arg(a[0].toText()));
        return ScriptValue::dateTime(days);
    }
    case Copy: {
        const QString s = textArg(a[0]);
        const qint64 from = std::max<qint64>(toInt(a[1], "Copy"), 1);
        const qint64 count = toInt(a[2], "Copy");
        if (count <= 0 || from > s.size())
            return ScriptValue(QString());
        return ScriptValue(s.mid(from - 1, qsizetype(std::min<qint64>(count, s.size()))));
    }
    case Pos:
        return ScriptValue(qint64(textArg(a[1]).indexOf(textArg(a[0])) + 1));
    case Length:
        return ScriptValue(qint64(textArg(a[0]).size()));
    case Trim:
        return ScriptValue(textArg(a[0]).trimmed());
    case TrimLeft: {
        const QString s = textArg(a[0]);
        qsizetype i = 0;
        while (i < s.size() && s[i].isSpace())
            ++i;
        return ScriptValue(s.mid(i));
    }
    case TrimRight: {
        QString s = textArg(a[0]);
        while (!s.isEmpty() && s.back().isSpace())
            s.chop(1);
        return ScriptValue(s);
    }
    case UpperCase:
        return ScriptValue(textArg(a[0]).toUpper());
    case LowerCase:
        return ScriptValue(textArg(a[0]).toLower());
    case QuotedStr: {
        QString s = textArg(a[0]);
        s.replace(QLatin1Char('\''), QLatin1String("''"));
        return ScriptValue(QLatin1Char('\'') + s + QLatin1Char('\''));
    }
    case VarToStr:
        return ScriptValue(textArg(a[0]));
    case Chr: {
        const qint64 c = toInt(a[0], "Chr");
        if (c < 0 || c > 0xFFFF)
            fail(QStringLiteral("문자 코드가 범위를 벗어났습니다: %1").arg(c));
        return ScriptValue(QString(QChar(char16_t(c))));
    }
    case Ord:
        if (a[0].type() == ScriptValue::String && a[0].string().size() == 1)
            return ScriptValue(qint64(a[0].string()[0].unicode()));
        if (a[0].type() == ScriptValue::Bool)
            return ScriptValue(qint64(a[0].boolValue()));
        return ScriptValue(toInt(a[0], "Ord"));
    case Round:
    case Trunc: {
        const double v = toFloat(a[0], id == Round ? "Round" : "Trunc");
        // Round halves to even, as the runtime these scripts were written for does.
        const double r = id == Round ? std::nearbyint(v) : std::trunc(v);
        if (!(std::fabs(r) < 9.2e18))
            fail(QStringLiteral("정수 범위를 벗어났습니다"));
        return ScriptValue(qint64(r));
    }
    case Int:
        return ScriptValue(std::trunc(toFloat(a[0], "Int")));
    case Frac: {
        const double v = toFloat(a[0], "Frac");
        return ScriptValue(v - std::trunc(v));
    }
    case Abs:
        if (a[0].type() == ScriptValue::Int && a[0].intValue() > LLONG_MIN)
            return ScriptValue(a[0].intValue() < 0 ? -a[0].intValue() : a[0].intValue());
        return ScriptValue(std::fabs(toFloat(a[0], "Abs")));
    case Sqrt: {
        const double v = toFloat(a[0], "Sqrt");
        if (v < 0)
            fail(QStringLiteral("음수의 제곱근은 구할 수 없습니다"));
        return ScriptValue(std::sqrt(v));
    }
    case Max:
    case Min: {
        toFloat(a[0], id == Max ? "Max" : "Min");
        toFloat(a[1], id == Max ? "Max" : "Min");
        const int c = compare(a[0], a[1], true);
        return (id == Max) == (c >= 0) ? a[0] : a[1];
    }
    case Date:
        return dateValue(QDate::currentDate());
    case Now:
        return ScriptValue::dateTime(ScriptDates::fromDateTime(QDateTime::currentDateTime()));
    case Time: {
        const double now = ScriptDates::fromDateTime(QDateTime::currentDateTime());
        return ScriptValue::dateTime(now - std::trunc(now));
    }
    case Inc:
    case Dec: {
        ScriptValue& target = *refs[0];
        const ScriptValue step(n > 1 ? toInt(a[1], id == Inc ? "Inc" : "Dec") : qint64(1));
        toInt(target, id == Inc ? "Inc" : "Dec");
        target = binary(id == Inc ? ScriptOp::Add : ScriptOp::Sub, target, step);
        return {};
    }
    case StartOfMonth: {
        const QDate d = ScriptDates::toDate(dateArg(a[0]));
        return dateValue(QDate(d.year(), d.month(), 1));
    }
    case DaysInMonth:
        return ScriptValue(qint64(ScriptDates::toDate(dateArg(a[0])).daysInMonth()));
    case DaysInAMonth:
        return ScriptValue(qint64(
            validDate(toInt(a[0], "DaysInAMonth"), toInt(a[1], "DaysInAMonth"), 1).daysInMonth()));
    case DayOfWeek: // 1 = Sunday ... 7 = Saturday
        return ScriptValue(qint64(ScriptDates::toDate(dateArg(a[0])).dayOfWeek() % 7 + 1));
    case EncodeDate:
        return dateValue(validDate(toInt(a[0], "EncodeDate"), toInt(a[1], "EncodeDate"),
                                   toInt(a[2], "EncodeDate")));
    case EncodeTime: {
        const qint64 h = toInt(a[0], "EncodeTime"), m = toInt(a[1], "EncodeTime"),
                     s = toInt(a[2], "EncodeTime"), ms = toInt(a[3], "EncodeTime");
        if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59 || ms < 0 || ms > 999)
            fail(QStringLiteral("잘못된 시각입니다: %1:%2:%3").arg(h).arg(m).arg(s));
        return ScriptValue::dateTime(((h * 60 + m) * 60 + s + ms / 1000.0) / 86400.0);
    }
    case DecodeDate: {
        const QDate d = ScriptDates::toDate(dateArg(a[0]));
        *refs[1] = ScriptValue(qint64(d.year()));
        *refs[2] = ScriptValue(qint64(d.month()));
        *refs[3] = ScriptValue(qint64(d.day()));
        return {};
    }
    case DecodeTime: {
        const QTime t = ScriptDates::toDateTime(dateArg(a[0])).time();
        *refs[1] = ScriptValue(qint64(t.hour()));
        *refs[2] = ScriptValue(qint64(t.minute()));
        *refs[3] = ScriptValue(qint64(t.second()));
        *refs[4] = ScriptValue(qint64(t.msec()));
        return {};
    }
    case YearOf:
        return ScriptValue(qint64(ScriptDates::toDate(dateArg(a[0])).year()));
    case MonthOf:
        return ScriptValue(qint64(ScriptDates::toDate(dateArg(a[0])).month()));
    case DayOf:
        return ScriptValue(qint64(ScriptDates::toDate(dateArg(a[0])).day()));
    case IncMonth: {
        const double days = dateArg(a[0]);
        const qint64 months = n > 1 ? toInt(a[1], "IncMonth") : 1;
        if (std::abs(months) > 120000)
            fail(QStringLiteral("잘못된 개월 수입니다: %1").arg(months));
        const double time = days - std::trunc(days);
        return ScriptValue::dateTime(
            ScriptDates::fromDate(ScriptDates::toDate(days).addMonths(int(months))) + time);
    }
    case IsLeapYear:
        return ScriptValue(QDate::isLeapYear(int(toInt(a[0], "IsLeapYear"))));
    case Iif:
    case Get:
    case Set:
    case ShowMessage:
        break;
    }
    fail(QStringLiteral("내부 오류: 함수 %1").arg(int(id)));
}

} // namespace orvel::report
