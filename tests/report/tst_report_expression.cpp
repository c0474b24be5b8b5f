// Memo texts with expressions, and display formats.
#include "report/expression/DisplayFormatter.h"
#include "report/expression/Expression.h"

#include <QtTest>

using namespace orvel::report;

namespace
{
/// A fixed row and fixed system variables.
class FixedContext : public ExpressionContext
{
public:
    QVariant field(const QString& dataSet, const QString& name) const override
    {
        if (dataSet != QLatin1String("RPTDB"))
            return {};
        static const QHash<QString, QVariant> row{{"name", QStringLiteral("홍길동")},
                                                  {"home_post", QStringLiteral("06236")},
                                                  {"amount", QStringLiteral("1234567.891")},
                                                  {"zero", QStringLiteral("0")},
                                                  {"count", qint64(7)},
                                                  {"born", QStringLiteral("1999-03-04")}};
        return row.value(name);
    }
    QVariant variable(const QString& name) const override
    {
        // System variables arrive in one spelling, whichever the template uses.
        static const QHash<QString, QVariant> vars{
            {"Page#", qint64(3)},
            {"TotalPages#", qint64(5)},
            {"Line", qint64(4)},
            {"Line#", qint64(12)},
            {"Date", QDate(2024, 1, 31)},
            {"Time", QTime(9, 5, 7)},
            {"Now", QDateTime(QDate(2024, 1, 31), QTime(9, 5, 7))},
            {"CopyName#", QString()}};
        return vars.value(name);
    }
    // Every aggregate call counts 10 so far.
    QVariant aggregate(const Expression&, int) const override { return qint64(10); }
};

QString evaluated(const QString& text)
{
    return TextTemplate(text, QStringLiteral("[,]"), true).evaluate(FixedContext(), {}, false);
}

// A table of memo texts and what they print.
void addTextColumns()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
}

} // namespace

class TstReportExpression : public QObject
{
    Q_OBJECT

private slots:
    void texts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::addRow("plain") << "고객 목록"
                               << ""
                               << ""
                               << "고객 목록";
        QTest::addRow("field") << "[RPTDB.\"name\"] 귀하"
                               << ""
                               << ""
                               << "홍길동 귀하";
        QTest::addRow("angle field") << "[<RPTDB.\"name\"> + ' 님']"
                                     << ""
                                     << ""
                                     << "홍길동 님";
        QTest::addRow("two fields") << "([RPTDB.\"home_post\"]) [RPTDB.\"name\"]"
                                    << ""
                                    << ""
                                    << "(06236) 홍길동";
        QTest::addRow("page") << "[Page#]"
                              << ""
                              << ""
                              << "3";
        QTest::addRow("page case") << "[PAGE#]쪽"
                                   << ""
                                   << ""
                                   << "3쪽";
        QTest::addRow("line") << "[Line#]."
                              << ""
                              << ""
                              << "12.";
        QTest::addRow("arithmetic") << "[<RPTDB.\"count\"> * 2 + 1]"
                                    << ""
                                    << ""
                                    << "15";
        QTest::addRow("unknown data set") << "[OTHER.\"name\"]x"
                                          << ""
                                          << ""
                                          << "x";
        QTest::addRow("unknown field") << "[RPTDB.\"nope\"]x"
                                       << ""
                                       << ""
                                       << "x";
        QTest::addRow("unclosed") << "[RPTDB.\"name\""
                                  << ""
                                  << ""
                                  << "[RPTDB.\"name\"";
        QTest::addRow("bad expression kept") << "a [1 +] b"
                                             << ""
                                             << ""
                                             << "a [1 +] b";
        QTest::addRow("bracket in string") << "['[x]']"
                                           << ""
                                           << ""
                                           << "[x]";
        QTest::addRow("function") << "[UpperCase('abc')]"
                                  << ""
                                  << ""
                                  << "ABC";
        QTest::addRow("number n") << "[RPTDB.\"amount\"]"
                                  << "num"
                                  << "%2.2n"
                                  << "1,234,567.89";
        QTest::addRow("number f") << "[RPTDB.\"amount\"]"
                                  << "num"
                                  << "%2.2f"
                                  << "1234567.89";
        QTest::addRow("number d") << "[RPTDB.\"amount\"]"
                                  << "num"
                                  << "%d"
                                  << "1234568";
        QTest::addRow("number g") << "[RPTDB.\"count\"]"
                                  << "num"
                                  << "%g"
                                  << "7";
        QTest::addRow("number text around") << "[RPTDB.\"count\"]"
                                            << "num"
                                            << "%d개"
                                            << "7개";
        QTest::addRow("picture #,##0") << "[RPTDB.\"amount\"]"
                                       << "num"
                                       << "#,##0원"
                                       << "1,234,568원";
        QTest::addRow("picture 0.000") << "[RPTDB.\"count\"]"
                                       << "num"
                                       << "0.000"
                                       << "7.000";
        QTest::addRow("picture #.##") << "[RPTDB.\"count\"]"
                                      << "num"
                                      << "#.##"
                                      << "7";
        QTest::addRow("number on text") << "[RPTDB.\"name\"]"
                                        << "num"
                                        << "%2.2f"
                                        << "홍길동";
        QTest::addRow("date") << "[Date]"
                              << "date"
                              << "yyyy-mm-dd"
                              << "2024-01-31";
        QTest::addRow("date korean") << "[Date]"
                                     << "date"
                                     << "yyyy년 m월 d일"
                                     << "2024년 1월 31일";
        QTest::addRow("date from text") << "[RPTDB.\"born\"]"
                                        << "date"
                                        << "dd.mm.yy"
                                        << "04.03.99";
        QTest::addRow("time minutes") << "[Time]"
                                      << "date"
                                      << "hh:mm:ss"
                                      << "09:05:07";
        QTest::addRow("time nn") << "[Time]"
                                 << "date"
                                 << "h:nn"
                                 << "9:05";
        QTest::addRow("month name") << "[Date]"
                                    << "date"
                                    << "d mmm yyyy"
                                    << "31 Jan 2024";
        QTest::addRow("boolean") << "[RPTDB.\"count\"]"
                                 << "bool"
                                 << "아니오,예"
                                 << "예";
    }

    void texts()
    {
        QFETCH(QString, text);
        QFETCH(QString, kind);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        DisplayFormat f;
        f.formatString = format;
        f.kind = kind == QLatin1String("num")    ? DisplayFormat::Numeric
                 : kind == QLatin1String("date") ? DisplayFormat::DateTime
                 : kind == QLatin1String("bool") ? DisplayFormat::Boolean
                                                 : DisplayFormat::Text;
        const TextTemplate t(text, QStringLiteral("[,]"), true);
        QCOMPARE(t.evaluate(FixedContext(), f, false), expected);
    }

    void separatorsAndZeros()
    {
        DisplayFormat f{DisplayFormat::Numeric, QStringLiteral("%2.2n"), QStringLiteral(","),
                        QStringLiteral(".")};
        const TextTemplate amount(QStringLiteral("[RPTDB.\"amount\"]"), QStringLiteral("[,]"),
                                  true);
        QCOMPARE(amount.evaluate(FixedContext(), f, false), QStringLiteral("1.234.567,89"));
        const TextTemplate zero(QStringLiteral("합계 [RPTDB.\"zero\"]"), QStringLiteral("[,]"),
                                true);
        QCOMPARE(zero.evaluate(FixedContext(), {}, true), QStringLiteral("합계 "));
        QCOMPARE(zero.evaluate(FixedContext(), {}, false), QStringLiteral("합계 0"));
        QCOMPARE(DisplayFormatter::formatNumber(-0.004, QStringLiteral("%2.2f"), '.', ','),
                 QStringLiteral("0.00"));
        QCOMPARE(DisplayFormatter::formatNumber(-1234.5, QStringLiteral("%2.1n"), '.', ','),
                 QStringLiteral("-1,234.5"));
    }

    void otherDelimitersAndNoExpressions()
    {
        const TextTemplate angle(QStringLiteral("<RPTDB.\"name\"> [x]"), QStringLiteral("<,>"),
                                 true);
        QCOMPARE(angle.evaluate(FixedContext(), {}, false), QStringLiteral("홍길동 [x]"));
        const TextTemplate off(QStringLiteral("[Page#]"), QStringLiteral("[,]"), false);
        QCOMPARE(off.evaluate(FixedContext(), {}, false), QStringLiteral("[Page#]"));
        QVERIFY(TextTemplate(QStringLiteral("[TotalPages#]"), QStringLiteral("[,]"), true)
                    .usesVariable(QStringLiteral("totalpages#")));
    }

    void systemVariables_data()
    {
        addTextColumns();
        QTest::addRow("page of total") << "Page [Page] of [TotalPages]"
                                       << "Page 3 of 5";
        QTest::addRow("hash spellings") << "[Page#]/[TotalPages#]"
                                        << "3/5";
        QTest::addRow("line in band and running") << "[Line]-[Line#]"
                                                  << "4-12";
        QTest::addRow("single copy has no name") << "([CopyName#])"
                                                 << "()";
        QTest::addRow("angle brackets") << "[<Page> + <Page#>] [<TotalPages> * <TotalPages#>]"
                                        << "6 25";
        QTest::addRow("lines in expressions") << "[<Line#> - <Line>]"
                                              << "8";
        QTest::addRow("page condition") << "[IIF(<Page> = 1, 'first', 'more')]"
                                        << "more";
        QTest::addRow("last page") << "[IIF(<Page#> = <TotalPages#> - 2, 'third', 'other')]"
                                   << "third";
        QTest::addRow("date and time") << "[FormatDateTime('yyyy-mm-dd', <Date>)] "
                                          "[FormatDateTime('hh:nn:ss', <Time>)]"
                                       << "2024-01-31 09:05:07";
        QTest::addRow("date as a call") << "[FormatDateTime('d.m.yyyy', Date())]"
                                        << "31.1.2024";
    }

    void systemVariables()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(evaluated(text), expected);
    }

    void operators_data()
    {
        addTextColumns();
        QTest::addRow("precedence") << "[1 + 2 * 3] [(1 + 2) * 3] [10 - 2 - 3]"
                                    << "7 9 5";
        QTest::addRow("division") << "[7 / 2] [2.5 * 2]"
                                  << "3.5 5";
        QTest::addRow("div and mod") << "[7 div 2] [7 mod 2] [-7 div 2] [-7 mod 2] [7 DIV 2]"
                                     << "3 1 -3 -1 3";
        QTest::addRow("by zero") << "a[1 / 0][1 div 0][1 mod 0]b"
                                 << "ab";
        QTest::addRow("concatenation") << "['a' + 'b' + <RPTDB.\"name\">]"
                                       << "ab홍길동";
        QTest::addRow("quote escape") << "['it''s']"
                                      << "it's";
        QTest::addRow("number text with number") << "[<RPTDB.\"amount\"> + 1] ['5' * 2]"
                                                 << "1234568.891 10";
        QTest::addRow("two texts join") << "['5' + '5']"
                                        << "55";
        QTest::addRow("number and word join") << "[<RPTDB.\"count\"> + '개']"
                                              << "7개";
        QTest::addRow("comparisons")
            << "[1 < 2] [2 <= 1] [3 <> 3] [3 >= 3] [2 > 1] [1 = 1.0] [2>=3]"
            << "True False False True True True False";
        QTest::addRow("text comparisons") << "['abc' < 'abd'] [<RPTDB.\"home_post\"> = '06236']"
                                          << "True True";
        QTest::addRow("field text against number") << "[<RPTDB.\"amount\"> > 1000]"
                                                   << "True";
        QTest::addRow("dates") << "[<Date> = <RPTDB.\"born\">] [<Date> > <RPTDB.\"born\">]"
                               << "False True";
        QTest::addRow("and or not") << "[(1 < 2) and (2 < 3)] [1 > 2 or 2 > 1] [not (1 = 2)]"
                                    << "True True True";
        QTest::addRow("comparisons bind before and") << "[1 < 2 and 3 < 2] [not 1 = 2]"
                                                     << "False True";
        QTest::addRow("integers bit by bit") << "[5 and 3] [5 or 3] [5 xor 3]"
                                             << "1 7 6";
        QTest::addRow("unary") << "[-<RPTDB.\"count\"> + +1] [- -2]"
                               << "-6 2";
        QTest::addRow("booleans") << "[IIF(True, 'y', 'n')][IIF(false or (1 = 1), 'y', 'n')]"
                                  << "yy";
        QTest::addRow("iif on field") << "[IIF(<Line> > 3, <RPTDB.\"name\">, '')]"
                                      << "홍길동";
    }

    void operators()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(evaluated(text), expected);
    }

    void functions_data()
    {
        addTextColumns();
        QTest::addRow("FormatFloat") << "[FormatFloat('#,##0.00', <RPTDB.\"amount\">)]"
                                     << "1,234,567.89";
        QTest::addRow("FormatFloat negative") << "[FormatFloat('#,##0.00', -1234.5)]"
                                              << "-1,234.50";
        QTest::addRow("FormatFloat sections")
            << "[FormatFloat('#,##0;(#,##0)', -1234)] [FormatFloat('0.0;-0.0;없음', 0)]"
            << "(1,234) 없음";
        QTest::addRow("FormatDateTime") << "[FormatDateTime('yyyy-mm-dd hh:nn:ss', <Now>)]"
                                        << "2024-01-31 09:05:07";
        QTest::addRow("FormatDateTime short") << "[FormatDateTime('yy/m/d h:n:s', <Now>)]"
                                              << "24/1/31 9:5:7";
        QTest::addRow("FormatDateTime names") << "[FormatDateTime('dddd d mmmm, ddd mmm', <Date>)]"
                                              << "Wednesday 31 January, Wed Jan";
        QTest::addRow("FormatDateTime of text") << "[FormatDateTime('yyyy.mm.dd', "
                                                   "<RPTDB.\"born\">)]"
                                                << "1999.03.04";
        QTest::addRow("FormatDateTime am/pm")
            << "[FormatDateTime('h:nn am/pm', '2024-01-31 15:04:00')] "
               "[FormatDateTime('hh:nn AM/PM', '2024-01-31 00:30:00')] "
               "[FormatDateTime('h a/p', '2024-01-31 12:00:00')]"
            << "3:04 pm 12:30 AM 12 p";
        QTest::addRow("TimeToStr") << "[TimeToStr(<Time>)]"
                                   << "09:05:07";
        QTest::addRow("IntToStr") << "[IntToStr(42)] [IntToStr(<RPTDB.\"count\"> * 6)]"
                                  << "42 42";
        QTest::addRow("IntToStr of a float cuts") << "[IntToStr(3.7)] [IntToStr(-3.7)]"
                                                  << "3 -3";
        QTest::addRow("FloatToStr") << "[FloatToStr(1.5)] [FloatToStr(0.1 + 0.2)] [FloatToStr(7)]"
                                    << "1.5 0.3 7";
        QTest::addRow("FloatToStr exponents")
            << "[FloatToStr(100000000000000000000.0)] [FloatToStr(0.00001)]"
            << "1E20 1E-5";
        QTest::addRow("StrToInt and StrToFloat")
            << "[StrToInt(' 42 ') + 1] [StrToFloat('2.5') * 2] [StrToInt(<RPTDB.\"count\">)]"
            << "43 5 7";
        QTest::addRow("Copy") << "[Copy('abcdef', 2, 3)] [Copy('abcdef', 0, 2)] "
                                 "[Copy('abcdef', 5, 10)]|[Copy('abc', 4, 1)]|[Copy('abc', 1, -1)]"
                              << "bcd ab ef||";
        QTest::addRow("Copy of a field") << "[Copy(<RPTDB.\"home_post\">, 1, 3) + '-' + "
                                            "Copy(<RPTDB.\"home_post\">, 4, 2)]"
                                         << "062-36";
        QTest::addRow("Pos") << "[Pos('cd', 'abcdef')] [Pos('x', 'abc')] [Pos('', 'abc')] "
                                "[Pos('길', <RPTDB.\"name\">)]"
                             << "3 0 0 2";
        QTest::addRow("Length") << "[Length('')] [Length(<RPTDB.\"name\">)]"
                                << "0 3";
        QTest::addRow("Trim and case") << "[Trim('  a b  ')]|[UpperCase('abc')][LowerCase('ABC')]"
                                       << "a b|ABCabc";
        QTest::addRow("Round to even") << "[Round(2.5)] [Round(3.5)] [Round(-2.5)] [Round(2.6)] "
                                          "[Round(-2.6)] [Round(0.5)]"
                                       << "2 4 -2 3 -3 0";
        QTest::addRow("Int and Frac") << "[Int(3.7)] [Int(-3.7)] [Frac(3.75)] [Frac(-3.75)]"
                                      << "3 -3 0.75 -0.75";
        QTest::addRow("Abs") << "[Abs(-5)] [Abs(-2.5)] [Abs(<RPTDB.\"count\"> - 10)]"
                             << "5 2.5 3";
        QTest::addRow("names ignore case") << "[intTOstr(Round(2.4))][COPY('ab', 2, 1)]"
                                           << "2b";
        QTest::addRow("aggregate in arithmetic") << "[SUM(<RPTDB.\"amount\">, MasterData1) * 2]"
                                                 << "20";
    }

    void functions()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(evaluated(text), expected);
    }

    void datesPrintLikeTheirVariables()
    {
        // DateToStr gives the text [Date] prints without a display format.
        QCOMPARE(evaluated(QStringLiteral("[DateToStr(<Date>)]")),
                 evaluated(QStringLiteral("[Date]")));
        QVERIFY(!evaluated(QStringLiteral("[DateToStr(<Date>)]")).isEmpty());
        QCOMPARE(evaluated(QStringLiteral("[DateToStr('2024-01-31')]")),
                 evaluated(QStringLiteral("[Date]")));
    }

    void errors_data()
    {
        addTextColumns();
        // A failing call prints nothing; a text that does not parse prints as written.
        QTest::addRow("unknown function") << "a [NoSuchFunction(1)] b"
                                          << "a  b";
        QTest::addRow("wrong argument count") << "a[Copy('x')][IIF(1)][FormatFloat('0')]b"
                                              << "ab";
        QTest::addRow("bad conversion") << "a[StrToInt('x')][StrToInt('4.5') + 1][IntToStr('y')]b"
                                        << "ab";
        QTest::addRow("text in arithmetic") << "a['x' * 2][<RPTDB.\"name\"> - 1]b"
                                            << "ab";
        QTest::addRow("open parenthesis") << "a [(1 + 2] b"
                                          << "a [(1 + 2] b";
        QTest::addRow("two values") << "[1 2]"
                                    << "[1 2]";
        QTest::addRow("operator alone") << "[and] [1 = = 2] [not]"
                                        << "[and] [1 = = 2] [not]";
        QTest::addRow("open angle") << "[<Page] [<RPTDB.\"name\"]"
                                    << "[<Page] [<RPTDB.\"name\"]";
        QTest::addRow("open quote") << "x ['abc]"
                                    << "x ['abc]";
        QTest::addRow("rest of the memo stays") << "[Page]: [Nope()] [Line]"
                                                << "3:  4";
    }

    void errors()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(evaluated(text), expected);
    }

    void aggregateCalls_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("band");
        QTest::addColumn<int>("options");
        QTest::addColumn<QVariant>("argument");
        QTest::addRow("sum of a band") << "SUM(<RPTDB.\"count\">, MasterData1)"
                                       << "sum"
                                       << "MasterData1" << 0 << QVariant(qint64(7));
        QTest::addRow("running total") << "Sum(<RPTDB.\"count\"> * 2, DetailData1, 2)"
                                       << "sum"
                                       << "DetailData1" << 2 << QVariant(qint64(14));
        QTest::addRow("sum without band") << "AVG(<RPTDB.\"amount\">)"
                                          << "avg"
                                          << "" << 0 << QVariant(QStringLiteral("1234567.891"));
        QTest::addRow("count of a band") << "COUNT(MasterData1)"
                                         << "count"
                                         << "MasterData1" << 0 << QVariant(qint64(1));
        QTest::addRow("count of rows") << "COUNT()"
                                       << "count"
                                       << "" << 0 << QVariant(qint64(1));
        QTest::addRow("count of a value") << "COUNT(<RPTDB.\"name\">)"
                                          << "count"
                                          << "" << 0 << QVariant(QStringLiteral("홍길동"));
    }

    void aggregateCalls()
    {
        QFETCH(QString, expression);
        QFETCH(QString, function);
        QFETCH(QString, band);
        QFETCH(int, options);
        QFETCH(QVariant, argument);
        const Expression e = Expression::parse(QStringLiteral("1 + ") + expression);
        QVERIFY(e.isValid());
        const auto calls = e.aggregates();
        QCOMPARE(calls.size(), size_t(1));
        QCOMPARE(calls[0].second, function);
        QCOMPARE(e.aggregateBand(calls[0].first), band);
        QCOMPARE(e.aggregateOptions(calls[0].first), options);
        QCOMPARE(e.aggregateArgument(calls[0].first, FixedContext()), argument);
    }

    void variableUse()
    {
        // Any spelling finds the variable; only a computed use needs its value early.
        const TextTemplate plain(QStringLiteral("[Page] / [TotalPages]"), QStringLiteral("[,]"),
                                 true);
        QVERIFY(plain.usesVariable(QStringLiteral("TotalPages#")));
        QVERIFY(plain.usesVariable(QStringLiteral("page")));
        QVERIFY(!plain.computesWith(QStringLiteral("TotalPages#")));
        const TextTemplate computed(QStringLiteral("[Page] [IIF(<Page> = <TotalPages>, 'e', '')]"),
                                    QStringLiteral("[,]"), true);
        QVERIFY(computed.computesWith(QStringLiteral("TotalPages")));
        QVERIFY(!computed.usesVariable(QStringLiteral("Line#")));
        QVERIFY(!TextTemplate(QStringLiteral("[Line]"), QStringLiteral("[,]"), true)
                     .usesVariable(QStringLiteral("Line#")));
    }

    void hostileExpressionsEnd()
    {
        // Deep parentheses and long texts neither crash nor hang.
        const QString deep = QStringLiteral("[") + QString(100000, '(') + QStringLiteral("1") +
                             QString(100000, ')') + QStringLiteral("]");
        const TextTemplate t(deep, QStringLiteral("[,]"), true);
        QCOMPARE(t.evaluate(FixedContext(), {}, false), deep);
        QString chain = QStringLiteral("[1");
        for (int i = 0; i < 200000; ++i)
            chain += QStringLiteral("+1");
        chain += QLatin1Char(']');
        QCOMPARE(
            TextTemplate(chain, QStringLiteral("[,]"), true).evaluate(FixedContext(), {}, false),
            chain);
        const QString many = QString(20000, '[');
        QCOMPARE(
            TextTemplate(many, QStringLiteral("[,]"), true).evaluate(FixedContext(), {}, false),
            many);
    }
};

QTEST_MAIN(TstReportExpression)
#include "tst_report_expression.moc"
