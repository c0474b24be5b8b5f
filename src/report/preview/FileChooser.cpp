#include "report/preview/FileChooser.h"

#include <QFileDialog>
#include <optional>

namespace orvel::report
{

static std::optional<QString>& queued()
{
    static std::optional<QString> next;
    return next;
}

void FileChooser::setNextFileName(const QString& name)
{
    queued() = name;
}

bool FileChooser::takeNext(QString* name)
{
    if (!queued())
        return false;
    *name = *queued();
    queued().reset();
    return true;
}

QString FileChooser::openFile(QWidget* parent, const QString& caption, const QString& filter)
{
    QString name;
    if (takeNext(&name))
        return name;
    return QFileDialog::getOpenFileName(parent, caption, {}, filter);
}

QString FileChooser::saveFile(QWidget* parent, const QString& caption, const QString& filter,
                              const QString& suggested)
{
    QString name;
    if (takeNext(&name))
        return name;
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

} // namespace orvel::report
