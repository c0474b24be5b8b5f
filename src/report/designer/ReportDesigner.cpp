#include "report/designer/ReportDesigner.h"

#include <QCoreApplication>
#include <QDir>

namespace orvel::report
{

DesignerOptions defaultDesignerOptions()
{
    DesignerOptions options;
    QString dir = qEnvironmentVariable("ORVEL_PROGRAM_DIR");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    options.labelSheetsFile = QDir(dir).filePath(QStringLiteral("OrvelLabels.ini"));
    return options;
}

bool showDesigner(Report& report, QWidget* parent, const DesignerOptions& options)
{
    DesignerWindow window(report, options, parent);
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    window.exec();
    return window.saved();
}

} // namespace orvel::report
