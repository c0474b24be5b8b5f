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
    /// Answers whether an application took it; nothing is shown here, and an empty target
    /// opens nothing (and answers true: there was nothing to open).
    static bool open(QWidget* owner, const QString& target);

    /// Replaces the desktop's opener (tests only); an empty one restores it.
    static void setOpener(Opener opener);
};

/// The main window's shell launcher: ShellOpen::open. Answers whether it was opened.
bool RunApp(QWidget* owner, const QString& target);

} // namespace orvel
