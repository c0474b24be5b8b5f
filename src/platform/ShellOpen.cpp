#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <utility>

namespace orvel
{

namespace
{

ShellOpen::Opener& opener()
{
    static ShellOpen::Opener o;
    return o;
}

} // namespace

bool ShellOpen::open(QWidget* owner, const QString& target)
{
    Q_UNUSED(owner); // the desktop service chooses the window of the opened application
    // A relative name of an existing file is taken from the current folder; anything else
    // that is not a full address is read as a web address.
    const QUrl url = QUrl::fromUserInput(target.trimmed(), QDir::currentPath());
    if (url.isEmpty() || !url.isValid())
        return true;
    if (const Opener o = opener())
        return o(url);
    return QDesktopServices::openUrl(url);
}

void ShellOpen::setOpener(Opener o)
{
    opener() = std::move(o);
}

bool RunApp(QWidget* owner, const QString& target)
{
    return ShellOpen::open(owner, target);
}

} // namespace orvel
