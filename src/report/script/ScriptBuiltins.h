#pragma once

#include "report/script/ScriptValue.h"

namespace orvel::report
{

/// The standard functions and procedures scripts call (IntToStr, Copy, EncodeDate ...).
class ScriptBuiltins
{
public:
    enum Id : quint8 {
        // Handled by the interpreter: they evaluate lazily or reach the host.
        Iif,
        Get,
        Set,
        ShowMessage,
        // Pure functions, handled here.
        FormatFloat,
        FormatDateTime,
        DateToStr,
        TimeToStr,
        DateTimeToStr,
        IntToStr,
        FloatToStr,
        StrToInt,
        StrToIntDef,
        StrToFloat,
        StrToDate,
        Copy,
        Pos,
        Length,
        Trim,
        TrimLeft,
        TrimRight,
        UpperCase,
        LowerCase,
        QuotedStr,
        VarToStr,
        Chr,
        Ord,
        Round,
        Trunc,
        Int,
        Frac,
        Abs,
        Sqrt,
        Max,
        Min,
        Date,
        Now,
        Time,
        Inc,
        Dec,
        StartOfMonth,
        DaysInMonth,
        DaysInAMonth,
        DayOfWeek,
        EncodeDate,
        EncodeTime,
        DecodeDate,
        DecodeTime,
        YearOf,
        MonthOf,
        DayOf,
        IncMonth,
        IsLeapYear
    };
    static constexpr int MaxArgs = 5;

    struct Info {
        const char* name;
        Id id;
        quint8 minArgs;
        quint8 maxArgs;
        quint8 refMask; // bit i: argument i is a var parameter
        bool returnsValue;
    };
    /// The function of a lower-case name, or nullptr.
    static const Info* find(const QString& lower);
    static const Info& info(Id id);
    /// Runs a pure function. refs[i] is the variable of a var argument (refMask bit i).
    static ScriptValue call(Id id, const ScriptValue* args, int count, ScriptValue* const* refs);
    /// Text read as a date: the locale's short format, then yyyy-MM-dd, yyyy.MM.dd, yyyy/MM/dd.
    static bool parseDate(const QString& text, double* days);
};

} // namespace orvel::report
