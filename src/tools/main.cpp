// orvel-report: renders report templates and converts prepared reports from the command line.
#include "data/DbError.h"
#include "data/Deployment.h"
#include "tools/QueryDataSource.h"
#include "tools/ReportTool.h"

#include <QFileInfo>
#include <QGuiApplication>

using namespace orvel;

// Rows of a statement on the customer database named by a deployment file.
static std::unique_ptr<report::DataSource> openSql(const QString& statement,
                                                   const QString& deploymentFile, QString* error)
{
    if (!QFileInfo(deploymentFile).isFile()) {
        *error = QStringLiteral("deployment file not found: %1").arg(deploymentFile);
        return nullptr;
    }
    try {
        const Deployment deployment = Deployment::load(deploymentFile);
        return std::make_unique<tools::QueryDataSource>(deployment.startupDatabase, statement);
    } catch (const DbError& e) {
        *error = QStringLiteral("database: ") + e.message();
        return nullptr;
    }
}

int main(int argc, char** argv)
{
    // Fonts need a GUI application, but the tool never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    tools::ReportTool tool(openSql);
    const int code = tool.run(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
