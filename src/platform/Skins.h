#pragma once

// Loads skin files (Qt style sheets) onto widgets or the whole application.

#include <QString>

class QWidget;

namespace orvel
{

class Skins
{
public:
    /// Applies the style sheet in the file to `target`, or to the application when target
    /// is null. A missing or unreadable file is no error: nothing is applied.
    static void apply(QWidget* target, const QString& styleSheetPath);
};

} // namespace orvel
