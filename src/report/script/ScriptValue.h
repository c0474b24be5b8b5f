#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace orvel::report
{

/// A report object passed through a QVariant: the host's handle of the object.
struct ScriptObjectRef {
    int handle = -1;
    bool operator==(const ScriptObjectRef&) const = default;
};

/// Declared type of a script variable; Any holds whatever is assigned.
enum class ScriptType : quint8 { Any, Int, Float, String, Bool, DateTime, Object };

/// One dynamically typed script value (a Variant): small, cheap to copy.
class ScriptValue
{
public:
    enum Type : quint8 { Null, Bool, Int, Float, DateTime, String, Set, Object, Ref };

    ScriptValue() : m_int(0) {}
    explicit ScriptValue(bool b) : m_type(Bool), m_int(b ? 1 : 0) {}
    explicit ScriptValue(qint64 i) : m_type(Int), m_int(i) {}
    explicit ScriptValue(int i) : m_type(Int), m_int(i) {}
    explicit ScriptValue(double d) : m_type(Float), m_float(d) {}
    explicit ScriptValue(QString s) : m_type(String), m_int(0), m_string(std::move(s)) {}
    static ScriptValue dateTime(double days);
    static ScriptValue set(qint64 mask);
    static ScriptValue object(int handle);
    /// A reference to another value: how a var parameter is held in a frame.
    static ScriptValue ref(ScriptValue* target);

    Type type() const { return m_type; }
    bool isNull() const { return m_type == Null; }
    bool isNumber() const { return m_type == Int || m_type == Float || m_type == DateTime; }
    bool boolValue() const { return m_int != 0; }
    qint64 intValue() const { return m_int; }
    double floatValue() const { return m_float; }
    /// Int, Float or DateTime as a double.
    double number() const { return m_type == Int ? double(m_int) : m_float; }
    const QString& string() const { return m_string; }
    qint64 setMask() const { return m_int; }
    int objectHandle() const { return int(m_int); }
    ScriptValue* target() const { return m_ref; }

    /// The value as text, as concatenation and the ...ToStr functions show it.
    QString toText() const;
    /// A number, or text that reads as one; false otherwise.
    bool toNumber(double* out) const;
    QVariant toVariant() const;
    static ScriptValue fromVariant(const QVariant& v);
    /// Korean name of a type, for messages.
    static QString typeName(Type t);

private:
    Type m_type = Null;
    union {
        qint64 m_int;
        double m_float;
        ScriptValue* m_ref;
    };
    QString m_string;
};

/// Delphi date-time values: days since 1899-12-30, the time of day as the fraction.
namespace ScriptDates
{
/// Day numbers of the years 1 to 9999 and a little beyond; others are no date.
constexpr double MaxDays = 3000000;
bool inRange(double days);
double fromDateTime(const QDateTime& dt);
double fromDate(QDate d);
QDateTime toDateTime(double days);
QDate toDate(double days);
QString dateText(double days);
QString timeText(double days);
} // namespace ScriptDates

} // namespace orvel::report

Q_DECLARE_METATYPE(orvel::report::ScriptObjectRef)
