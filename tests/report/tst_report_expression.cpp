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
        const QString n = name.toLower();
        if (n == QLatin1String("page#"))
            return qint64(3);
        if (n == QLatin1String("line#"))
            return qint64(12);
        if (n == QLatin1String("date"))
            return QDate(2024, 1, 31);
        if (n == QLatin1String("time"))
            return QTime(9, 5, 7);
        return {};
    }
};
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
