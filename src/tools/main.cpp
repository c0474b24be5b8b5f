// orvel-report: renders report templates and converts prepared reports from the command line.
#include "tools/QueryDataSource.h"
#include "tools/ReportTool.h"

#include <QGuiApplication>

using namespace orvel;

int main(int argc, char** argv)
{
    // Fonts need a GUI application, but the tool never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    tools::ReportTool tool(tools::openDeploymentQuery);
    const int code = tool.run(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
