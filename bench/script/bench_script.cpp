// Report script benchmark: the cost of calling a small event handler once per row, against
// the same host calls made directly from C++, and how fast a runaway loop is stopped.
// Prints name=value lines (times in ms or us, ratios as plain numbers).
#include "report/script/Script.h"
#include "report/script/ScriptConstants.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <functional>

using namespace orvel::report;

namespace
{

/// Two memos and one data row whose amount changes from row to row.
class BenchHost : public ScriptHost
{
public:
    struct Memo {
        bool visible = true;
        QString text;
        qint64 fontColor = 0;
    };
    Memo memos[2];
    double amount = 0;

    int findObject(const QString& name) override
    {
        if (name.compare(QLatin1String("Memo1"), Qt::CaseInsensitive) == 0)
            return 0;
        if (name.compare(QLatin1String("Memo2"), Qt::CaseInsensitive) == 0)
            return 1;
        return name.compare(QLatin1String("MasterData1"), Qt::CaseInsensitive) == 0 ? 2 : -1;
    }
    ScriptHostResult getProperty(int object, const QString& path, QVariant& value) override
    {
        if (object > 1)
            return ScriptHostResult::noSuchMember();
        const Memo& m = memos[object];
        if (path == QLatin1String("visible"))
            value = m.visible;
        else if (path == QLatin1String("text"))
            value = m.text;
        else if (path == QLatin1String("font.color"))
            value = m.fontColor;
        else
            return ScriptHostResult::noSuchMember();
        return ScriptHostResult::ok();
    }
    ScriptHostResult setProperty(int object, const QString& path, const QVariant& value) override
    {
        if (object > 1)
            return ScriptHostResult::noSuchMember();
        Memo& m = memos[object];
        if (path == QLatin1String("visible"))
            m.visible = value.toBool();
        else if (path == QLatin1String("text"))
            m.text = value.toString();
        else if (path == QLatin1String("font.color"))
            m.fontColor = value.toLongLong();
        else
            return ScriptHostResult::noSuchMember();
        return ScriptHostResult::ok();
    }
    ScriptHostResult callMethod(int, const QString&, const QVariantList&, QVariant&) override
    {
        return ScriptHostResult::noSuchMember();
    }
    QVariant field(const QString&, const QString& name) override
    {
        return name == QLatin1String("amount") ? QVariant(amount) : QVariant();
    }
    QVariant variable(const QString&) override { return {}; }
    void setVariable(const QString&, const QVariant&) override {}
    void showMessage(const QString&) override {}
};

const char* const handlerScript = R"(var Total: Double;
    Count: Integer;
procedure MasterData1OnBeforePrint(Sender: TfrxComponent);
begin
  Total := Total + <RPTDB."amount">;
  Inc(Count);
  if Count mod 2 = 0 then Memo1.Font.Color := clRed else Memo1.Font.Color := clBlack;
  Memo1.Visible := <RPTDB."amount"> > 100;
  Memo2.Text := 'No. ' + IntToStr(Count);
end;
begin
  Total := 0;
end.)";

constexpr int Rows = 10000;

double bestOf(int runs, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    ScriptError error;
    std::shared_ptr<const ScriptProgram> program;
    const double compileMs =
        bestOf(20, [&] { program = ScriptProgram::compile(handlerScript, &error); });
    if (!program) {
        out << "error=" << error.text() << "\n";
        return 1;
    }

    BenchHost host;
    ScriptRunner runner(program, host);
    const int handler = program->findRoutine("MasterData1OnBeforePrint");
    const int sender = host.findObject("MasterData1");
    bool ok = true;
    const double scriptMs = bestOf(5, [&] {
        runner.reset();
        ok = ok && runner.runMain();
        for (int row = 0; row < Rows && ok; ++row) {
            host.amount = row % 250;
            ok = runner.callHandler(handler, sender);
        }
    });
    if (!ok) {
        out << "error=" << runner.error().text() << "\n";
        return 1;
    }
    const qint64 steps = runner.stepsUsed();

    // The same work written directly against the host: the floor a script can approach.
    ScriptHost* h = &host;
    double total = 0;
    const double nativeMs = bestOf(5, [&] {
        total = 0;
        qint64 count = 0;
        const int memo1 = h->findObject("Memo1"), memo2 = h->findObject("Memo2");
        for (int row = 0; row < Rows; ++row) {
            host.amount = row % 250;
            total += h->field("RPTDB", "amount").toDouble();
            ++count;
            h->setProperty(memo1, "font.color", qint64(count % 2 == 0 ? 0x0000FF : 0));
            h->setProperty(memo1, "visible", h->field("RPTDB", "amount").toDouble() > 100);
            h->setProperty(memo2, "text", QStringLiteral("No. ") + QString::number(count));
        }
    });

    // A runaway loop under the default budget.
    auto endless = ScriptProgram::compile("var n: Integer;\nbegin\n  while True do Inc(n);\nend.");
    ScriptRunner spinner(endless, host);
    QElapsedTimer t;
    t.start();
    const bool stopped = !spinner.runMain() && spinner.error().kind == ScriptError::Limit;
    const double stopMs = t.nsecsElapsed() / 1e6;

    out << "script_compile_ms=" << compileMs << "\n";
    out << "script_handler_calls=" << Rows << "\n";
    out << "script_handler_steps=" << steps << "\n";
    out << "script_handler_10k_ms=" << scriptMs << "\n";
    out << "script_handler_call_us=" << scriptMs * 1000.0 / Rows << "\n";
    out << "native_handler_10k_ms=" << nativeMs << "\n";
    out << "script_ratio_to_native=" << scriptMs / nativeMs << "\n";
    out << "script_endless_loop_stopped=" << (stopped ? 1 : 0) << "\n";
    out << "script_endless_loop_stop_ms=" << stopMs << "\n";
    out << "script_steps_per_ms=" << spinner.stepsUsed() / stopMs << "\n";
    return total >= 0 ? 0 : 1;
}
