#include "platform/Skins.h"

#include <QApplication>
#include <QFile>
#include <QWidget>

namespace orvel
{

void Skins::apply(QWidget* target, const QString& styleSheetPath)
{
    if (styleSheetPath.isEmpty())
        return;
    QFile file(styleSheetPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QString sheet = QString::fromUtf8(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return;
    if (target)
        target->setStyleSheet(sheet);
    else if (qApp)
        qApp->setStyleSheet(sheet);
}

} // namespace orvel
