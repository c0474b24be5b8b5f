#include "platform/InputMethod.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>

#include <imm.h>
#else
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#endif

namespace orvel
{

#ifdef Q_OS_WIN

void SetHangeulMode(QWidget* window, bool on)
{
    if (!window)
        return;
    const auto hwnd = reinterpret_cast<HWND>(window->window()->winId());
    HIMC context = ImmGetContext(hwnd);
    if (!context)
        return;
    const DWORD mode = on ? 1 : 0; // IME_CMODE_HANGUL / IME_CMODE_ALPHANUMERIC
    ImmSetConversionStatus(context, mode, mode);
    ImmReleaseContext(hwnd, context);
}

#else

namespace
{

// True when a session bus is announced, so connecting cannot launch one as a side effect.
bool sessionBusReachable()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

} // namespace

void SetHangeulMode(QWidget* window, bool on)
{
    Q_UNUSED(window); // fcitx5 acts on the input context that has the focus
    if (!sessionBusReachable())
        return;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Activate switches to the first non-keyboard input method of the group (Hangul for a
    // Korean setup); Deactivate back to the keyboard layout.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
        QStringLiteral("org.fcitx.Fcitx.Controller1"),
        on ? QStringLiteral("Activate") : QStringLiteral("Deactivate"));
    // Never start an input method that is not running, and never wait for the reply.
    call.setAutoStartService(false);
    bus.send(call);
}

#endif

} // namespace orvel
