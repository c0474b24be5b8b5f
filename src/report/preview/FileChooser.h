#pragma once

#include <QString>

class QWidget;

namespace orvel::report
{

/// File dialogs of the preview; tests queue the next answer instead of showing one.
class FileChooser
{
public:
    static QString openFile(QWidget* parent, const QString& caption, const QString& filter);
    static QString saveFile(QWidget* parent, const QString& caption, const QString& filter,
                            const QString& suggested = {});
    /// The next dialog returns this name without showing itself (tests only); an empty
    /// string answers as a cancelled dialog.
    static void setNextFileName(const QString& name);

private:
    static bool takeNext(QString* name);
};

} // namespace orvel::report
