#include "platform/LastResort.h"

#include "platform/MsgBox.h"

namespace orvel
{

void LastResort::report(const QString& text) noexcept
{
    try {
        MsgBox::present(QApplication::activeWindow(),
                        ShownMessage{QApplication::applicationDisplayName(), text, 0, true});
    } catch (...) {
        // Nothing is left to report a failing report to; the program goes on.
    }
}

QString LastResort::unknownErrorText()
{
    return QStringLiteral("알 수 없는 오류");
}

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        LastResort::report(QString::fromUtf8(e.what()));
    } catch (...) {
        LastResort::report(LastResort::unknownErrorText());
    }
    return false;
}

} // namespace orvel
