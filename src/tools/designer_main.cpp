// orvel-designer: opens the report designer on a template file, with rows from a CSV file or
// from a statement on the deployment's database, for designing outside the program.
#include "report/Report.h"
#include "report/data/CsvDataSource.h"
#include "report/designer/ReportDesigner.h"
#include "tools/QueryDataSource.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

using namespace orvel;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Opens the report designer."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("template"),
                                 QStringLiteral("The template (.fr3); a missing file is made."));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("Rows from a CSV file."),
                                 QStringLiteral("file"));
    const QCommandLineOption sql(QStringLiteral("sql"),
                                 QStringLiteral("Rows of a statement (needs --deployment)."),
                                 QStringLiteral("statement"));
    const QCommandLineOption deployment(QStringLiteral("deployment"),
                                        QStringLiteral("The deployment file for --sql."),
                                        QStringLiteral("file"));
    const QCommandLineOption dataset(QStringLiteral("dataset"),
                                     QStringLiteral("The data set's name (default RPTDB)."),
                                     QStringLiteral("name"), QStringLiteral("RPTDB"));
    parser.addOptions({csv, sql, deployment, dataset});
    parser.process(app);
    QTextStream err(stderr);

    std::unique_ptr<report::DataSource> rows;
    QString error;
    if (parser.isSet(csv))
        rows.reset(report::CsvDataSource::fromFile(parser.value(csv), &error));
    else if (parser.isSet(sql))
        rows = tools::openDeploymentQuery(parser.value(sql), parser.value(deployment), &error);
    if ((parser.isSet(csv) || parser.isSet(sql)) && !rows) {
        err << "orvel-designer: " << error << "\n";
        return 1;
    }
    report::Report report;
    const QStringList files = parser.positionalArguments();
    try {
        if (!files.isEmpty() && !report.loadTemplate(files.front()))
            report.setTemplatePath(files.front());
    } catch (const report::ReportError& e) {
        err << "orvel-designer: " << e.message() << "\n";
        return 1;
    }
    if (rows)
        report.setDataSource(rows.get(), parser.value(dataset));
    report::showDesigner(report, nullptr, report::defaultDesignerOptions());
    return 0;
}
