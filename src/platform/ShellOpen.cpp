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

void ShellOpen::open(QWidget* owner, const QString& target)
{
    Q_UNUSED(owner); // the desktop service chooses the window of the opened application
    // A relative name of an existing file is taken from the current folder; anything else
    // that is not a full address is read as a web address.
    const QUrl url = QUrl::fromUserInput(target.trimmed(), QDir::currentPath());
    if (url.isEmpty() || !url.isValid())
        return;
    if (const Opener o = opener())
        o(url);
    else
        QDesktopServices::openUrl(url);
}

void ShellOpen::setOpener(Opener o)
{
    opener() = std::move(o);
}

void RunApp(QWidget* owner, const QString& target)
{
    ShellOpen::open(owner, target);
}

} // namespace orvel
