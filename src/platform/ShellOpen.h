#pragma once

// Opens a web address or a file with the desktop's default application.

#include <QString>
#include <functional>

class QUrl;
class QWidget;

namespace orvel
{

class ShellOpen
{
public:
    using Opener = std::function<bool(const QUrl&)>;

    /// Opens the target (a web address or a file path, read as a user would type it).
    /// The outcome is ignored and nothing is shown; an empty target opens nothing.
    static void open(QWidget* owner, const QString& target);

    /// Replaces the desktop's opener (tests only); an empty one restores it.
    static void setOpener(Opener opener);
};

/// The main window's shell launcher: ShellOpen::open.
void RunApp(QWidget* owner, const QString& target);

} // namespace orvel
