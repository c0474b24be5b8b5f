#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>

/// The customer grid's fonts and colours.
namespace orvel::gridstyle
{

QFont cellFont();  // "돋움체" 13 px with Korean fallbacks
QFont titleFont(); // "MS Sans Serif" 11 px, bold
inline QColor cellText()
{
    return QColor(0, 0, 2);
}
inline QColor cellBackground()
{
    return Qt::white;
}
inline QColor titleText()
{
    return Qt::white;
}
inline QColor titleBackground()
{
    return QColor(91, 142, 210);
}
inline QColor focusedCell()
{
    return Qt::green;
}
inline QColor selectedCell()
{
    return Qt::yellow;
}

} // namespace orvel::gridstyle
