#include "report/expression/ExpressionFunctions.h"

#include "report/expression/DisplayFormatter.h"
#include "report/expression/ExpressionOps.h"

#include <QDateTime>
#include <QHash>
#include <cmath>
#include <functional>

namespace orvel::report
{

namespace
{

using Args = std::vector<QVariant>;

QString text(const QVariant& v)
{
    return DisplayFormatter::plain(v);
}

// The integer of a whole number in range, else nothing.
QVariant integer(double v)
{
    return std::fabs(v) < 9.2e18 ? QVariant(qint64(v)) : QVariant();
}

// FormatFloat's picture may have sections for positive;negative;zero values.
QString formatFloat(const QString& picture, double v)
{
    const QStringList sections = picture.split(QLatin1Char(';'));
    QString fmt = sections[0];
    if (v < 0 && sections.size() > 1 && !sections[1].isEmpty()) {
        fmt = sections[1];
        v = -v;
    } else if (v == 0 && sections.size() > 2 && !sections[2].isEmpty()) {
        fmt = sections[2];
    }
    // A section without digit places is printed as it is written.
    if (!fmt.contains(QLatin1Char('0')) && !fmt.contains(QLatin1Char('#')))
        return fmt;
    return DisplayFormatter::formatNumber(v, fmt, QLatin1Char('.'), QLatin1Char(','));
}

QVariant copy(const Args& a)
{
    const QString s = text(a[0]);
    qint64 from = 0, count = 0;
    if (!ExpressionOps::toInteger(a[1], &from) || !ExpressionOps::toInteger(a[2], &count))
        return {};
    // As in Pascal: an index before the start reads from the first character.
    from = std::max<qint64>(from, 1);
    if (count <= 0 || from > s.size())
        return QString();
    return s.mid(qsizetype(from - 1), qsizetype(std::min<qint64>(count, s.size())));
}

struct Function {
    int minArgs, maxArgs;
    std::function<QVariant(const Args&)> run;
};

// A function of one number.
Function onNumber(std::function<QVariant(double)> f)
{
    return {1, 1, [f](const Args& a) {
                double v = 0;
                return ExpressionOps::toNumber(a[0], &v) ? f(v) : QVariant();
            }};
}

// A function of one date-time.
Function onDate(std::function<QVariant(const QDateTime&)> f)
{
    return {1, 1, [f](const Args& a) {
                QDateTime dt;
                return DisplayFormatter::toDateTime(a[0], &dt) ? f(dt) : QVariant();
            }};
}

const QHash<QString, Function>& library()
{
    static const QHash<QString, Function> functions{
        {QStringLiteral("formatfloat"),
         {2, 2,
          [](const Args& a) {
              double v = 0;
              return ExpressionOps::toNumber(a[1], &v) ? QVariant(formatFloat(text(a[0]), v))
                                                       : QVariant();
          }}},
        {QStringLiteral("formatdatetime"),
         {2, 2,
          [](const Args& a) {
              const DisplayFormat f{DisplayFormat::DateTime, text(a[0]), {}, {}};
              return QVariant(DisplayFormatter::format(a[1], f));
          }}},
        {QStringLiteral("datetostr"),
         onDate([](const QDateTime& dt) { return QVariant(text(dt.date())); })},
        {QStringLiteral("timetostr"), onDate([](const QDateTime& dt) {
             return QVariant(dt.time().toString(QStringLiteral("hh:mm:ss")));
         })},
        {QStringLiteral("inttostr"),
         {1, 1,
          [](const Args& a) {
              // A float is cut to its integer part rather than refused.
              qint64 i = 0;
              if (ExpressionOps::toInteger(a[0], &i))
                  return QVariant(QString::number(i));
              double v = 0;
              const QVariant n =
                  ExpressionOps::toNumber(a[0], &v) ? integer(std::trunc(v)) : QVariant();
              return n.isValid() ? QVariant(QString::number(n.toLongLong())) : QVariant();
          }}},
        {QStringLiteral("floattostr"),
         onNumber([](double v) { return QVariant(ExpressionFunctions::floatText(v)); })},
        {QStringLiteral("strtoint"),
         {1, 1,
          [](const Args& a) {
              bool ok = false;
              const qint64 v = text(a[0]).trimmed().toLongLong(&ok);
              return ok ? QVariant(v) : QVariant();
          }}},
        {QStringLiteral("strtofloat"),
         {1, 1,
          [](const Args& a) {
              bool ok = false;
              const double v = text(a[0]).trimmed().toDouble(&ok);
              return ok ? QVariant(v) : QVariant();
          }}},
        {QStringLiteral("copy"), {3, 3, copy}},
        {QStringLiteral("pos"),
         {2, 2,
          [](const Args& a) {
              const QString sub = text(a[0]);
              return QVariant(sub.isEmpty() ? qint64(0) : qint64(text(a[1]).indexOf(sub) + 1));
          }}},
        {QStringLiteral("length"),
         {1, 1, [](const Args& a) { return QVariant(qint64(text(a[0]).size())); }}},
        {QStringLiteral("trim"),
         {1, 1, [](const Args& a) { return QVariant(text(a[0]).trimmed()); }}},
        {QStringLiteral("uppercase"),
         {1, 1, [](const Args& a) { return QVariant(text(a[0]).toUpper()); }}},
        {QStringLiteral("lowercase"),
         {1, 1, [](const Args& a) { return QVariant(text(a[0]).toLower()); }}},
        // Round halves to even, as the Pascal runtime does: Round(2.5) = 2, Round(3.5) = 4.
        {QStringLiteral("round"), onNumber([](double v) { return integer(std::nearbyint(v)); })},
        {QStringLiteral("trunc"), onNumber([](double v) { return integer(std::trunc(v)); })},
        {QStringLiteral("int"), onNumber([](double v) { return QVariant(std::trunc(v)); })},
        {QStringLiteral("frac"), onNumber([](double v) { return QVariant(v - std::trunc(v)); })},
        {QStringLiteral("abs"), {1, 1, [](const Args& a) {
                                     qint64 i = 0;
                                     if (ExpressionOps::isNumber(a[0]) &&
                                         ExpressionOps::toInteger(a[0], &i) && i != LLONG_MIN)
                                         return QVariant(i < 0 ? -i : i);
                                     double v = 0;
                                     return ExpressionOps::toNumber(a[0], &v)
                                                ? QVariant(std::fabs(v))
                                                : QVariant();
                                 }}}};
    return functions;
}

} // namespace

QVariant ExpressionFunctions::call(const QString& name, const std::vector<QVariant>& args)
{
    const auto it = library().constFind(name);
    if (it == library().constEnd())
        return {};
    if (int(args.size()) < it->minArgs || int(args.size()) > it->maxArgs)
        return {};
    return it->run(args);
}

QString ExpressionFunctions::floatText(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    QString t = QString::number(v, 'g', 15);
    const qsizetype e = t.indexOf(QLatin1Char('e'));
    if (e < 0)
        return t;
    // "1e+20" -> "1E20", "1.5e-05" -> "1.5E-5".
    const int exponent = t.mid(e + 1).toInt();
    return t.left(e) + QLatin1Char('E') + QString::number(exponent);
}

} // namespace orvel::report
