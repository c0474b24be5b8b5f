// The report script interpreter: programs and their effects on report objects, compile and
// run-time errors with their locations, and the budgets that stop runaway scripts.
#include "report/script/Script.h"
#include "report/script/ScriptConstants.h"

#include <QThread>
#include <QtTest>

using namespace orvel::report;

namespace
{

/// A few report objects with properties and methods, one data row and report variables.
class FakeHost : public ScriptHost
{
public:
    struct Object {
        QString name;
        QHash<QString, QVariant> props;
        QStringList methods;
    };

    FakeHost()
    {
        const QHash<QString, QVariant> memo{{"visible", true},
                                            {"text", QString()},
                                            {"color", ScriptColors::None},
                                            {"font.color", qint64(0)},
                                            {"font.style", qint64(0)},
                                            {"left", 10.0},
                                            {"top", 20.0},
                                            {"width", 100.0},
                                            {"height", 18.0}};
        objects = {{"Memo1", memo, {}},
                   {"Memo2", memo, {}},
                   {"Picture1", {{"visible", true}}, {"picture.loadfromfile"}},
                   {"MasterData1", {{"visible", true}}, {}},
                   {"Band1", {{"visible", true}}, {}},
                   {"Engine", {}, {"showband"}}};
        row = {{"name", QStringLiteral("홍길동")},
               {"amount", QStringLiteral("1234")},
               {"count", qint64(7)},
               {"born", QDate(1990, 5, 17)}};
        variables = {{"Greeting", QStringLiteral("세계")}, {"Total", qint64(10)}};
    }

    int findObject(const QString& name) override
    {
        for (size_t i = 0; i < objects.size(); ++i)
            if (objects[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    }
    static QString canonical(const QString& path)
    {
        return path == QLatin1String("memo.text") ? QStringLiteral("text") : path;
    }
    ScriptHostResult getProperty(int object, const QString& path, QVariant& value) override
    {
        const auto& props = objects.at(object).props;
        const auto it = props.constFind(canonical(path));
        if (it == props.constEnd())
            return ScriptHostResult::noSuchMember();
        value = *it;
        return ScriptHostResult::ok();
    }
    ScriptHostResult setProperty(int object, const QString& path, const QVariant& value) override
    {
        auto& props = objects.at(object).props;
        const auto it = props.find(canonical(path));
        if (it == props.end())
            return ScriptHostResult::noSuchMember();
        if (it->typeId() == QMetaType::Bool && value.typeId() != QMetaType::Bool)
            return ScriptHostResult::badValue(QStringLiteral("참/거짓이 필요합니다"));
        *it = value;
        return ScriptHostResult::ok();
    }
    ScriptHostResult callMethod(int object, const QString& path, const QVariantList& args,
                                QVariant&) override
    {
        if (!objects.at(object).methods.contains(path))
            return ScriptHostResult::noSuchMember();
        QStringList shown;
        for (const QVariant& a : args)
            shown << (a.canConvert<ScriptObjectRef>() && a.userType() != QMetaType::QString
                          ? objects.at(a.value<ScriptObjectRef>().handle).name
                          : a.toString());
        log << QStringLiteral("%1.%2(%3)").arg(objects[object].name, path, shown.join(','));
        return ScriptHostResult::ok();
    }
    QVariant field(const QString& dataSet, const QString& name) override
    {
        if (dataSet.compare(QLatin1String("RPTDB"), Qt::CaseInsensitive) != 0)
            return {};
        return row.value(name);
    }
    QVariant variable(const QString& name) override { return variables.value(name); }
    void setVariable(const QString& name, const QVariant& value) override
    {
        variables.insert(name, value);
    }
    void showMessage(const QString& text) override
    {
        messages << text;
        if (messageDelayMs > 0)
            QThread::msleep(messageDelayMs);
    }

    static QString show(const QVariant& v)
    {
        switch (v.typeId()) {
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        case QMetaType::Double:
            return QString::number(v.toDouble(), 'g', 15);
        default:
            return v.toString();
        }
    }
    /// "Memo1.font.color", "var:Total", "log" or "msg" as text.
    QString state(const QString& key) const
    {
        if (key == QLatin1String("log"))
            return log.join('|');
        if (key == QLatin1String("msg"))
            return messages.join('|');
        if (key.startsWith(QLatin1String("var:")))
            return show(variables.value(key.mid(4)));
        const QString name = key.section('.', 0, 0);
        for (const Object& o : objects)
            if (o.name == name)
                return show(o.props.value(key.section('.', 1)));
        return QStringLiteral("<no object %1>").arg(name);
    }

    std::vector<Object> objects;
    QHash<QString, QVariant> row;
    QHash<QString, QVariant> variables;
    QStringList log;
    QStringList messages;
    int messageDelayMs = 0;
};

/// Compiles, runs the main block, then calls a handler `calls` times with a sender.
bool run(FakeHost& host, const QString& script, const QString& handler, int calls,
         const QString& sender, ScriptError* error, ScriptLimits limits = {})
{
    auto program = ScriptProgram::compile(script, error);
    if (!program)
        return false;
    ScriptRunner runner(program, host, limits);
    bool ok = runner.runMain();
    for (int i = 0; ok && i < calls; ++i)
        ok = runner.callHandler(handler, sender.isEmpty() ? -1 : host.findObject(sender));
    *error = runner.error();
    return ok;
}

} // namespace

class TstReportScript : public QObject
{
    Q_OBJECT

private slots:
    void effects_data();
    void effects();
    void errors_data();
    void errors();
    void programInfo();
    void budgetIsPerRun();
    void timeBudgetSkipsMessages();
    void recoversAfterError();
    void callWithArguments();
    void colours();
};

// One program and the state it leaves: "key=value" pairs joined by "; " (see FakeHost::state).
// With a handler, the main block runs first and the handler is then called `calls` times.
static void effect(const char* name, const char* script, const char* expected,
                   const char* handler = "", int calls = 0, const char* sender = "")
{
    QTest::addRow("%s", name) << QString::fromUtf8(script) << QString::fromUtf8(handler) << calls
                              << QString::fromUtf8(sender)
                              << QString::fromUtf8(expected).split(QStringLiteral("; "));
}

void TstReportScript::effects_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("handler");
    QTest::addColumn<int>("calls");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QStringList>("expected");

    effect("hide and show",
           "begin\n"
           "  Memo1.Visible := False;\n"
           "  MasterData1.Visible := not MasterData1.Visible;\n"
           "  Picture1.Visible := Memo1.Visible or True;\n"
           "end.",
           "Memo1.visible=false; MasterData1.visible=false; Picture1.visible=true; "
           "Memo2.visible=true");
    effect("text and memo text",
           "begin\n"
           "  Memo1.Text := 'x'; Memo1.Text := Memo1.Text + '!';\n"
           "  Memo2.Memo.Text := 'it''s' + #13#10 + 'ok';\n"
           "end.",
           "Memo1.text=x!; Memo2.text=it's\r\nok");
    effect("colours and font",
           "begin\n"
           "  Memo1.Font.Color := clRed; Memo2.Font.Color := $00FF00;\n"
           "  Memo1.Color := clYellow; Memo2.Color := clNone;\n"
           "  Memo1.Font.Style := [fsBold, fsItalic]; Memo2.Font.Style := fsUnderline;\n"
           "end.",
           "Memo1.font.color=255; Memo2.font.color=65280; Memo1.color=65535; "
           "Memo2.color=536870911; Memo1.font.style=3; Memo2.font.style=4");
    effect("style set arithmetic",
           "begin\n"
           "  Memo1.Font.Style := [fsItalic, fsUnderline];\n"
           "  Memo1.Font.Style := Memo1.Font.Style + [fsBold] - [fsItalic];\n"
           "  if fsBold in Memo1.Font.Style then Memo2.Text := 'bold';\n"
           "  if not (fsItalic in Memo1.Font.Style) then Memo2.Text := Memo2.Text + ', upright';\n"
           "end.",
           "Memo1.font.style=5; Memo2.text=bold, upright");
    effect("geometry",
           "begin\n"
           "  Memo1.Height := Memo1.Height * 2; Memo1.Left := Memo1.Left + 10;\n"
           "  Memo1.Top := Memo1.Top - 0.5; Memo1.Width := Round(Memo1.Width / 3);\n"
           "end.",
           "Memo1.height=36; Memo1.left=20; Memo1.top=19.5; Memo1.width=33");
    effect("loops",
           "var i, s: Integer; t: String;\n"
           "begin\n"
           "  s := 0; for i := 1 to 10 do s := s + i; Set('ForSum', s);\n"
           "  s := 0;\n"
           "  for i := 10 downto 1 do begin\n"
           "    if i mod 2 = 0 then continue;\n"
           "    if i < 5 then break;\n"
           "    s := s + i;\n"
           "  end;\n"
           "  Set('OddSum', s); i := 0; t := '';\n"
           "  while i < 3 do begin Inc(i); t := t + IntToStr(i); end;\n"
           "  repeat Dec(i, 2) until i <= 0;\n"
           "  Set('While', t); Set('Repeat', i);\n"
           "end.",
           "var:ForSum=55; var:OddSum=21; var:While=123; var:Repeat=-1");
    effect("data fields",
           "var total: Double;\n"
           "begin\n"
           "  Memo1.Text := <RPTDB.\"name\"> + ' 님';\n"
           "  total := <RPTDB.\"amount\"> + 1;\n"
           "  Set('Total', total); Set('Count', <RPTDB.\"count\"> * 2);\n"
           "  Memo2.Text := 'No.' + <RPTDB.\"count\">;\n"
           "end.",
           "Memo1.text=홍길동 님; var:Total=1235; var:Count=14; Memo2.text=No.7");
    effect("dates",
           "var d: TDateTime; y, m, dd: Integer;\n"
           "begin\n"
           "  d := EncodeDate(2024, 2, 10);\n"
           "  Set('Serial', Trunc(EncodeDate(2000, 1, 1)));\n"
           "  Set('First', FormatDateTime('yyyy-mm-dd', StartOfMonth(d)));\n"
           "  Set('Days', DaysInMonth(d)); Set('Weekday', DayOfWeek(d));\n"
           "  Set('Later', FormatDateTime('yyyy-mm-dd', d + 30));\n"
           "  DecodeDate(d + 20, y, m, dd);\n"
           "  Set('Decoded', IntToStr(y) + '/' + IntToStr(m) + '/' + IntToStr(dd));\n"
           "  Set('Parts', YearOf(d) * 10000 + MonthOf(d) * 100 + DayOf(d));\n"
           "  Set('Born', FormatDateTime('yyyy.mm.dd', <RPTDB.\"born\">));\n"
           "  Set('Span', Trunc(EncodeDate(2024, 3, 1) - EncodeDate(2024, 2, 1)));\n"
           "  Set('Time', FormatDateTime('hh:nn', EncodeTime(13, 5, 0, 0)));\n"
           "end.",
           "var:Serial=36526; var:First=2024-02-01; var:Days=29; var:Weekday=7; "
           "var:Later=2024-03-11; var:Decoded=2024/3/1; var:Parts=20240210; "
           "var:Born=1990.05.17; var:Span=29; var:Time=13:05");
    effect("case",
           "function Grade(n: Integer): String;\n"
           "begin\n"
           "  case n of 90..100: Result := 'A'; 80..89, 79: Result := 'B'; 0: Result := 'zero';\n"
           "  else Result := 'C'; end;\n"
           "end;\n"
           "function Kind(s: String): String;\n"
           "begin\n"
           "  case s of 'kim', 'lee': Result := 'family'; 'park': Result := 'friend'\n"
           "  else Result := '?'; end;\n"
           "end;\n"
           "begin\n"
           "  Set('G', Grade(95) + Grade(79) + Grade(0) + Grade(50));\n"
           "  Set('K', Kind('lee') + ',' + Kind('park') + ',' + Kind('choi'));\n"
           "end.",
           "var:G=ABzeroC; var:K=family,friend,?");
    effect("routines and var params",
           "var count: Integer;\n"
           "procedure Swap(var a, b: Integer);\n"
           "var t: Integer;\n"
           "begin t := a; a := b; b := t; end;\n"
           "function Fact(n: Integer): Integer;\n"
           "begin if n <= 1 then Fact := 1 else Fact := n * Fact(n - 1); end;\n"
           "procedure Bump; forward;\n"
           "procedure Twice; begin Bump; Bump; Note('twice'); end;\n"
           "procedure Bump; begin Inc(count); end;\n"
           "procedure Note(s: String); begin ShowMessage(s); end;\n"
           "function Sign(x: Double): Integer;\n"
           "begin\n"
           "  Result := 0;\n"
           "  if x > 0 then begin Result := 1; Exit; end;\n"
           "  if x < 0 then Exit(-1);\n"
           "end;\n"
           "var x, y: Integer;\n"
           "begin\n"
           "  x := 1; y := 2; Swap(x, y); Set('Swapped', IntToStr(x) + IntToStr(y));\n"
           "  Set('Fact', Fact(10)); Twice; Set('Count', count);\n"
           "  Set('Signs', IntToStr(Sign(-3)) + IntToStr(Sign(0)) + IntToStr(Sign(2.5)));\n"
           "end.",
           "var:Swapped=21; var:Fact=3628800; var:Count=2; msg=twice; var:Signs=-101");
    effect("engine and pictures",
           "begin\n"
           "  Picture1.Picture.LoadFromFile('logo.png');\n"
           "  Engine.ShowBand(Band1);\n"
           "  MasterData1.Visible := False;\n"
           "end.",
           "log=Picture1.picture.loadfromfile(logo.png)|Engine.showband(Band1); "
           "MasterData1.visible=false");
    effect("handler with sender",
           "procedure Memo1OnBeforePrint(Sender: TfrxComponent);\n"
           "begin\n"
           "  TfrxMemoView(Sender).Text := 'S';\n"
           "  Sender.Visible := False;\n"
           "  if Sender = Memo2 then Set('Same', True);\n"
           "end;\n"
           "begin\n"
           "end.",
           "Memo2.text=S; Memo2.visible=false; Memo1.visible=true; var:Same=true",
           "memo1onbeforeprint", 1, "Memo2");
    effect("handler keeps globals",
           "var n: Integer;\n"
           "procedure MasterData1OnAfterData(Sender: TfrxComponent);\n"
           "begin\n"
           "  n := n + 1;\n"
           "  Memo1.Text := 'Row ' + IntToStr(n);\n"
           "  Memo1.Font.Color := IIF(n mod 2 = 0, clRed, clBlack);\n"
           "end;\n"
           "begin\n"
           "  n := 10;\n"
           "end.",
           "Memo1.text=Row 12; Memo1.font.color=255", "MasterData1OnAfterData", 2, "MasterData1");
    effect(
        "strings and numbers",
        "begin\n"
        "  Set('Copy', Copy('Orvel Report', 7, 3)); Set('Pos', Pos('Rep', 'Orvel Report'));\n"
        "  Set('Len', Length('홍길동')); Set('Trim', '[' + Trim('  x  ') + ']');\n"
        "  Set('Case', UpperCase('abc') + LowerCase('DEF'));\n"
        "  Set('Money', FormatFloat('#,##0.00', 1234.5));\n"
        "  Set('Parse', StrToInt('42') + 1);\n"
        "  Set('Float', FloatToStr(StrToFloat('2.5') * 2));\n"
        "  Set('Round', IntToStr(Round(2.5)) + IntToStr(Round(3.5)) + IntToStr(Round(-1.4)));\n"
        "  Set('IntFrac', FloatToStr(Int(7.25)) + '|' + FloatToStr(Frac(7.25)));\n"
        "  Set('Abs', Abs(-5) + Abs(-0.5));\n"
        "  Set('Div', IntToStr(17 div 5) + ',' + IntToStr(17 mod 5) + ',' + FloatToStr(7 / 2));\n"
        "  Set('Iif', IIF(Length('ab') > 1, 'long', 'short'));\n"
        "  Set('Logic', (True xor False) and not (1 > 2));\n"
        "  Set('Bits', (6 and 3) + (1 shl 4)); Set('Chars', Chr(65) + IntToStr(Ord('a')));\n"
        "end.",
        "var:Copy=Rep; var:Pos=7; var:Len=3; var:Trim=[x]; var:Case=ABCdef; "
        "var:Money=1,234.50; var:Parse=43; var:Float=5; var:Round=24-1; var:IntFrac=7|0.25; "
        "var:Abs=5.5; var:Div=3,2,3.5; var:Iif=long; var:Logic=true; var:Bits=18; "
        "var:Chars=A97");
    effect("report variables",
           "begin\n"
           "  Set('Title', 'Hello');\n"
           "  Memo1.Text := Get('Title') + ' ' + <Greeting>;\n"
           "  Set('Total', Get('Total') + 5);\n"
           "end.",
           "Memo1.text=Hello 세계; var:Total=15");
    effect("try except and finally",
           "var r: String;\n"
           "begin\n"
           "  r := 'start';\n"
           "  try r := r + '-' + IntToStr(StrToInt('x')); except r := r + '-caught'; end;\n"
           "  try r := r + '-body'; finally r := r + '-finally'; end;\n"
           "  Set('R', r);\n"
           "end.",
           "var:R=start-caught-body-finally");
    effect("comments and letter case",
           "// line comment\n"
           "{ brace comment\n"
           "  on two lines }\n"
           "(* star comment *)\n"
           "BEGIN\n"
           "  memo1.VISIBLE := FALSE; // trailing\n"
           "  MEMO1.text := 'A' {inline} + 'B';\n"
           "END.",
           "Memo1.visible=false; Memo1.text=AB");
    effect("short circuit",
           "var z: Integer;\n"
           "begin\n"
           "  z := 0;\n"
           "  if (z <> 0) and (10 div z > 1) then Set('A', 1) else Set('A', 2);\n"
           "  if (z = 0) or (10 div z > 1) then Set('B', 3);\n"
           "end.",
           "var:A=2; var:B=3");
    effect("typed variables convert",
           "var s: String; f: Double; c: Integer;\n"
           "begin\n"
           "  s := 5; f := 3; c := '12';\n"
           "  Set('S', s + '!'); Set('F', f / 2); Set('C', c + 1);\n"
           "end.",
           "var:S=5!; var:F=1.5; var:C=13");
    effect("default template script", "begin\r\n\r\nend.",
           "Memo1.visible=true; Memo1.text=; log=; msg=");
}

void TstReportScript::effects()
{
    QFETCH(QString, script);
    QFETCH(QString, handler);
    QFETCH(int, calls);
    QFETCH(QString, sender);
    QFETCH(QStringList, expected);
    FakeHost host;
    ScriptError error;
    const bool ok = run(host, script, handler, calls, sender, &error);
    QVERIFY2(ok, qPrintable(error.text()));
    for (const QString& e : expected) {
        const QString key = e.section('=', 0, 0);
        QCOMPARE(host.state(key), e.section('=', 1));
    }
}

// One program that fails: its kind, line and a part of the message the user sees.
static void failure(const char* name, const char* script, ScriptError::Kind kind, int line,
                    const char* text, const char* handler = "")
{
    QTest::addRow("%s", name) << QString::fromUtf8(script) << QString::fromUtf8(handler)
                              << int(kind) << line << QString::fromUtf8(text);
}

void TstReportScript::errors_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("handler");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");

    const auto syntax = ScriptError::Syntax, runtime = ScriptError::Runtime,
               limit = ScriptError::Limit;
    failure("unclosed begin",
            "begin\n"
            "  if True then\n"
            "  begin\n"
            "    Memo1.Visible := False;\n"
            "end.",
            syntax, 5, "(5행 4열): 1행의 'begin'이(가) 닫히지 않았습니다");
    failure("unclosed procedure",
            "procedure A;\n"
            "begin\n"
            "  Memo1.Visible := False;\n"
            "\n"
            "begin\n"
            "end.",
            syntax, 6, "2행의 'begin'이(가) 닫히지 않았습니다 ('A'의");
    failure("missing semicolon",
            "begin\n"
            "  Memo1.Visible := False\n"
            "  Memo2.Visible := False;\n"
            "end.",
            syntax, 3, "';'이(가) 와야 하는데 'Memo2'이(가) 있습니다");
    failure("unterminated string", "begin\n  Memo1.Text := 'abc;\nend.", syntax, 2,
            "(2행 17열): 문자열이 닫히지 않았습니다");
    failure("unterminated comment", "begin { never closed\nend.", syntax, 1,
            "주석이 닫히지 않았습니다");
    failure("undeclared variable", "begin\n  Totl := 1;\nend.", syntax, 2,
            "선언되지 않은 변수입니다: 'Totl'");
    failure("unknown procedure", "begin\n  DoIt(1);\nend.", syntax, 2,
            "알 수 없는 프로시저입니다: 'DoIt'");
    failure("argument count", "begin\n  Memo1.Text := IntToStr(1, 2);\nend.", syntax, 2,
            "'IntToStr'의 인수 개수가 맞지 않습니다");
    failure("var argument", "begin\n  Inc(5);\nend.", syntax, 2,
            "인수(var)에는 변수가 와야 합니다");
    failure("break outside loop", "begin\n  break;\nend.", syntax, 2, "반복문 안에서만");
    failure("with", "begin\n  with Memo1 do Visible := False;\nend.", syntax, 2,
            "지원하지 않는 구문: 'with'");
    failure("uses", "uses 'other.pas';\nbegin\nend.", syntax, 1, "지원하지 않는 구문: 'uses'");
    failure("chained comparison",
            "var a, b: Integer;\n"
            "begin\n"
            "  if a > 1 and b < 2 then a := 0;\n"
            "end.",
            syntax, 3, "비교식은 괄호로 묶어야 합니다");
    failure("no main block", "procedure A;\nbegin\nend;", syntax, 3, "주 블록 'begin ... end.'");
    failure("constant type error", "begin\n  Memo1.Text := 'a' * 2;\nend.", syntax, 2,
            "형식이 맞지 않습니다: 문자열 * 정수");

    failure("unknown object", "begin\n  Memo9.Visible := False;\nend.", runtime, 2,
            "(주 블록, 2행): 알 수 없는 이름입니다: 'Memo9'");
    failure("unknown property", "begin\n  Memo1.Colr := clRed;\nend.", runtime, 2,
            "속성이 없습니다: 'Memo1.Colr'");
    failure("value the property refuses", "begin\n  Memo1.Visible := 'yes';\nend.", runtime, 2,
            "'Memo1.Visible'에 맞지 않는 값입니다: 참/거짓이 필요합니다");
    failure("typed variable", "var i: Integer;\nbegin\n  i := 'abc';\nend.", runtime, 3,
            "정수 변수에 문자열 값을 넣을 수 없습니다");
    failure("condition not boolean", "begin\n  if 5 then Memo1.Visible := False;\nend.", runtime, 2,
            "조건에 정수 값이 쓰였습니다");
    failure("division by zero", "var i: Integer;\nbegin\n  i := 0;\n  Set('x', 10 div i);\nend.",
            runtime, 4, "0으로 나눌 수 없습니다");
    failure("bad number text", "begin\n  Set('x', StrToInt('12a'));\nend.", runtime, 2,
            "'12a'은(는) 올바른 정수가 아닙니다");
    failure("float to IntToStr",
            "var f: Double;\nbegin\n  f := 2.5;\n  Memo1.Text := IntToStr(f);\nend.", runtime, 4,
            "IntToStr에 정수가 필요한데 실수 값이 있습니다");
    failure("member of a string", "var s: String;\nbegin\n  s := 'x';\n  s.Visible := False;\nend.",
            runtime, 4, "'s'은(는) 개체가 아니라 문자열 값입니다");
    failure("missing field", "begin\n  Memo1.Text := <RPTDB.\"nope\">;\nend.", runtime, 2,
            "데이터 필드가 없습니다: <RPTDB.\"nope\">");
    failure("error in a helper",
            "var z: Integer;\n"
            "procedure Helper;\n"
            "begin\n"
            "  Memo1.Text := IntToStr(10 div z);\n"
            "end;\n"
            "procedure Memo1OnBeforePrint(Sender: TfrxComponent);\n"
            "begin\n"
            "  Helper;\n"
            "end;\n"
            "begin\n"
            "end.",
            runtime, 4, "(Memo1OnBeforePrint → Helper, 4행): 0으로 나눌 수", "Memo1OnBeforePrint");
    failure("endless while in a handler",
            "var n: Integer;\n"
            "procedure MasterData1OnBeforePrint(Sender: TfrxComponent);\n"
            "begin\n"
            "  while True do Inc(n);\n"
            "end;\n"
            "begin\n"
            "end.",
            limit, 4, "(MasterData1OnBeforePrint, 4행): 실행 단계 한도(1000000)를 넘었습니다",
            "MasterData1OnBeforePrint");
    failure("endless repeat", "begin\n  repeat\n  until False;\nend.", limit, 2,
            "(주 블록, 2행): 실행 단계 한도");
    failure("try cannot catch the budget",
            "begin\n"
            "  try\n"
            "    while True do ;\n"
            "  except\n"
            "    Set('caught', 1);\n"
            "  end;\n"
            "end.",
            limit, 3, "실행 단계 한도");
    failure("endless recursion",
            "function Deep(n: Integer): Integer;\n"
            "begin\n"
            "  Result := Deep(n + 1);\n"
            "end;\n"
            "begin\n"
            "  Deep(0);\n"
            "end.",
            limit, 3, "(주 블록 → Deep, 3행): 호출 깊이 한도(64)를 넘었습니다");
}

void TstReportScript::errors()
{
    QFETCH(QString, script);
    QFETCH(QString, handler);
    QFETCH(int, kind);
    QFETCH(int, line);
    QFETCH(QString, text);
    FakeHost host;
    ScriptError error;
    // The step budget, not the clock, must stop the loops, also in slow (sanitizer) builds.
    ScriptLimits limits;
    limits.maxSteps = 1'000'000;
    limits.maxMilliseconds = 60'000;
    QVERIFY(!run(host, script, handler, handler.isEmpty() ? 0 : 1, "Memo1", &error, limits));
    QCOMPARE(int(error.kind), kind);
    QCOMPARE(error.line, line);
    QVERIFY2(error.text().startsWith(QStringLiteral("스크립트 오류 (")), qPrintable(error.text()));
    QVERIFY2(error.text().contains(text), qPrintable(error.text()));
    QVERIFY(!host.variables.contains("caught"));
}

void TstReportScript::programInfo()
{
    ScriptError error;
    auto program = ScriptProgram::compile("var n: Integer;\n"
                                          "procedure Memo1OnBeforePrint(Sender: TfrxComponent);\n"
                                          "begin\n"
                                          "  Memo1.Visible := n > 0; Engine.ShowBand(Band1);\n"
                                          "end;\n"
                                          "function Twice(a: Integer; var b: Double): Integer;\n"
                                          "begin\n"
                                          "  Result := a * 2;\n"
                                          "end;\n"
                                          "begin\n"
                                          "  MEMO1.Text := 'x';\n"
                                          "end.",
                                          &error);
    QVERIFY2(program, qPrintable(error.text()));
    QVERIFY(!error.isError());
    const auto routines = program->routines();
    QCOMPARE(routines.size(), size_t(2));
    QCOMPARE(routines[0].name, QString("Memo1OnBeforePrint"));
    QCOMPARE(routines[0].parameters, QStringList{"Sender"});
    QVERIFY(!routines[0].isFunction);
    QCOMPARE(routines[1].parameters, (QStringList{"a", "b"}));
    QVERIFY(routines[1].isFunction);
    QCOMPARE(routines[1].line, 6);
    QCOMPARE(program->findRoutine("TWICE"), 1);
    QCOMPARE(program->findRoutine("Missing"), -1);
    QCOMPARE(program->objectNames(), (QStringList{"Memo1", "Engine", "Band1"}));
    QVERIFY(program->hasMainCode());

    auto empty = ScriptProgram::compile("  // nothing here\r\n", &error);
    QVERIFY(empty);
    QVERIFY(empty->routines().empty());
    QVERIFY(!empty->hasMainCode());
    FakeHost host;
    ScriptRunner runner(empty, host);
    QVERIFY(runner.runMain());
    QVERIFY(!runner.callHandler("Memo1OnBeforePrint", 0));
    QVERIFY(runner.error().text().contains("스크립트에 없는 프로시저입니다"));
}

void TstReportScript::budgetIsPerRun()
{
    // Five statements a call, a budget of 100: the twenty-first call cannot finish.
    auto program = ScriptProgram::compile("var n: Integer;\n"
                                          "procedure OnRow(Sender: TfrxComponent);\n"
                                          "begin\n"
                                          "  n := n + 1; n := n + 1; n := n + 1; n := n + 1;\n"
                                          "  Set('n', n);\n"
                                          "end;\n"
                                          "begin end.");
    QVERIFY(program);
    FakeHost host;
    ScriptLimits limits;
    limits.maxSteps = 100;
    ScriptRunner runner(program, host, limits);
    int calls = 0;
    while (calls < 100 && runner.callHandler("OnRow", -1))
        ++calls;
    QCOMPARE(calls, 20);
    QCOMPARE(runner.error().kind, ScriptError::Limit);
    QCOMPARE(runner.error().handler, QString("OnRow"));
    QCOMPARE(host.variables.value("n").toInt(), 80);

    runner.reset(); // a new report run: fresh globals and a full budget
    QCOMPARE(runner.stepsUsed(), 0);
    QVERIFY2(runner.callHandler("OnRow", -1), qPrintable(runner.error().text()));
    QCOMPARE(host.variables.value("n").toInt(), 4);
    QVERIFY(!runner.error().isError());
}

void TstReportScript::timeBudgetSkipsMessages()
{
    ScriptLimits limits;
    limits.maxSteps = std::numeric_limits<qint64>::max() / 2;
    limits.maxMilliseconds = 30;
    FakeHost host;
    host.messageDelayMs = 60; // a dialog the user takes a while to close
    auto program = ScriptProgram::compile("procedure Ask;\n"
                                          "begin ShowMessage('확인'); end;\n"
                                          "procedure Spin;\n"
                                          "begin\n"
                                          "  while True do ;\n"
                                          "end;\n"
                                          "begin end.");
    QVERIFY(program);
    ScriptRunner runner(program, host, limits);
    QVERIFY2(runner.callHandler("Ask", -1), qPrintable(runner.error().text()));
    QVERIFY(runner.millisecondsUsed() < 30);
    QVERIFY(!runner.callHandler("Spin", -1));
    QCOMPARE(runner.error().kind, ScriptError::Limit);
    QVERIFY2(runner.error().text().contains("(Spin, 5행): 실행 시간 한도(30 ms)를 넘었습니다"),
             qPrintable(runner.error().text()));
}

void TstReportScript::recoversAfterError()
{
    // A failure deep in a call chain leaves the runner ready for the next handler.
    auto program = ScriptProgram::compile("function Inner(a: Integer): Integer;\n"
                                          "var t: Integer;\n"
                                          "begin\n"
                                          "  t := 100; Result := t div a;\n"
                                          "end;\n"
                                          "function Outer(a: Integer): Integer;\n"
                                          "begin Result := Inner(a) + a; end;\n"
                                          "procedure OnRow(Sender: TfrxComponent);\n"
                                          "var v: Integer;\n"
                                          "begin v := Get('divisor'); Set('out', Outer(v)); end;\n"
                                          "begin end.");
    QVERIFY(program);
    FakeHost host;
    ScriptRunner runner(program, host);
    host.variables["divisor"] = 0;
    QVERIFY(!runner.callHandler("OnRow", -1));
    QVERIFY2(runner.error().text().contains("(OnRow → Inner, 4행): 0으로 나눌 수 없습니다"),
             qPrintable(runner.error().text()));
    host.variables["divisor"] = 4;
    QVERIFY2(runner.callHandler("OnRow", -1), qPrintable(runner.error().text()));
    QCOMPARE(host.variables.value("out").toInt(), 29);
}

void TstReportScript::callWithArguments()
{
    auto program = ScriptProgram::compile("function Join(a: String; n: Integer): String;\n"
                                          "begin Result := a + IntToStr(n * 2); end;\n"
                                          "procedure Fill(var out: Integer);\n"
                                          "begin out := 9; end;\n"
                                          "begin end.");
    QVERIFY(program);
    FakeHost host;
    ScriptRunner runner(program, host);
    QVariant result;
    QVERIFY(runner.call(program->findRoutine("Join"), {"n=", 21}, &result));
    QCOMPARE(result.toString(), QString("n=42"));
    QVERIFY(runner.call(program->findRoutine("Fill"), {}, &result));
    QVERIFY(!runner.call(program->findRoutine("Join"), {"x", "y"}, &result));
    QVERIFY2(runner.error().text().contains(
                 "(Join): 형식이 맞지 않습니다: 정수 변수에 문자열 값을 넣을 수 없습니다"),
             qPrintable(runner.error().text()));
}

void TstReportScript::colours()
{
    QCOMPARE(ScriptColors::toColor(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(ScriptColors::toColor(0x804020), QColor(0x20, 0x40, 0x80));
    QVERIFY(!ScriptColors::toColor(ScriptColors::None).isValid());
    QCOMPARE(ScriptColors::fromColor(QColor(0x12, 0x34, 0x56)), qint64(0x563412));
    QCOMPARE(ScriptColors::fromColor(QColor()), ScriptColors::None);
    QCOMPARE(ScriptValue::fromVariant(QColor(Qt::blue)).intValue(), qint64(0xFF0000));
}

QTEST_MAIN(TstReportScript)
#include "tst_report_script.moc"
