#include "tools/ReportTool.h"

#include "report/expression/Expression.h"

#include "report/Report.h"
#include "report/data/CsvDataSource.h"
#include "report/export/ImageExport.h"
#include "report/export/ReportExport.h"
#include "report/expression/Expression.h"
#include "report/prepared/PreparedFormat.h"

#include <QFileInfo>
#include <QSaveFile>

namespace orvel::tools
{

using namespace orvel::report;

namespace
{

/// Options of the form "--name value" after the positional arguments.
struct Options {
    QStringList positional;
    QHash<QString, QString> named;
    QString error;
};

Options parseOptions(const QStringList& args, const QStringList& known)
{
    Options o;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a.startsWith(QLatin1String("--"))) {
            const QString name = a.mid(2);
            if (!known.contains(name)) {
                o.error = QStringLiteral("unknown option %1").arg(a);
                return o;
            }
            if (i + 1 >= args.size()) {
                o.error = QStringLiteral("option %1 needs a value").arg(a);
                return o;
            }
            o.named.insert(name, args[++i]);
        } else {
            o.positional << a;
        }
    }
    return o;
}

QString suffixOf(const QString& path)
{
    return QFileInfo(path).suffix().toLower();
}

} // namespace

QString ReportTool::usage()
{
    return QStringLiteral(
        "usage:\n"
        "  orvel-report render TEMPLATE.fr3 --csv DATA.csv [--dataset RPTDB] --out FILE\n"
        "  orvel-report render TEMPLATE.fr3 --sql STATEMENT --deployment FILE"
        " [--dataset RPTDB] --out FILE\n"
        "  orvel-report convert FILE.fp3 --out FILE\n"
        "The output format follows the extension: .pdf .csv .html .txt .png .jpg .bmp .tif"
        " .fp3\n"
        "(page images: --dpi N; pages after the first go to NAME_2.png, NAME_3.png ...)\n");
}

int ReportTool::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        (args.isEmpty() ? err : out) << usage();
        return args.isEmpty() ? Usage : Ok;
    }
    try {
        if (args[0] == QLatin1String("render"))
            return render(args.mid(1), out, err);
        if (args[0] == QLatin1String("convert"))
            return convert(args.mid(1), out, err);
    } catch (const ReportError& e) {
        err << "orvel-report: " << e.message() << "\n";
        return Failed;
    }
    err << "orvel-report: unknown command " << args[0] << "\n" << usage();
    return Usage;
}

bool ReportTool::writeOutput(const PreparedReport& prepared, const QString& path, double dpi,
                             QString* error)
{
    const QString ext = suffixOf(path);
    if (ext == QLatin1String("fp3")) {
        PreparedFormat format;
        if (!format.writeFile(prepared, path)) {
            *error = format.errorString();
            return false;
        }
        return true;
    }
    auto exporter = ReportExport::forExtension(ext);
    auto* image = dynamic_cast<ImageExport*>(exporter.get());
    const int files = image ? std::max<int>(1, int(prepared.pages.size())) : 1;
    for (int page = 0; page < files; ++page) {
        QString target = path;
        if (page > 0) {
            const QFileInfo info(path);
            target = info.path() + QLatin1Char('/') + info.completeBaseName() +
                     QStringLiteral("_%1.").arg(page + 1) + info.suffix();
        }
        if (image) {
            image->setPage(page);
            image->setDpi(dpi);
        }
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly)) {
            *error = QStringLiteral("cannot write %1: %2").arg(target, file.errorString());
            return false;
        }
        if (!exporter->write(prepared, &file)) {
            *error = exporter->errorString();
            return false;
        }
        if (!file.commit()) {
            *error = QStringLiteral("cannot write %1: %2").arg(target, file.errorString());
            return false;
        }
    }
    return true;
}

static bool knownOutput(const QString& path)
{
    const QString ext = suffixOf(path);
    return ext == QLatin1String("fp3") || ReportExport::forExtension(ext) != nullptr;
}

static bool dpiOption(const QHash<QString, QString>& named, double* dpi, QTextStream& err)
{
    if (!named.contains(QStringLiteral("dpi")))
        return true;
    bool ok = false;
    *dpi = named.value(QStringLiteral("dpi")).toDouble(&ok);
    if (!ok || *dpi < 10 || *dpi > 600) {
        err << "orvel-report: --dpi must be a number from 10 to 600\n";
        return false;
    }
    return true;
}

// The fields of the data set that the template's text objects read and the rows lack, each
// once, in the order the template reads them.
static QStringList missingFields(const report::ReportTemplate& t, const report::DataSource& rows,
                                 const QString& dataSet)
{
    QStringList missing;
    for (const report::ReportPage& page : t.pages)
        for (const report::Band& band : page.bands)
            for (const report::ReportObject& o : band.objects) {
                if (o.type != report::ReportObject::Memo && o.type != report::ReportObject::SysMemo)
                    continue;
                const report::TextTemplate text(o.text, o.expressionDelimiters, o.allowExpressions);
                for (const QString& field : text.fieldsOf(dataSet))
                    if (rows.fieldIndex(field) < 0 && !missing.contains(field))
                        missing << field;
            }
    return missing;
}

int ReportTool::render(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const Options o = parseOptions(args, {QStringLiteral("csv"), QStringLiteral("sql"),
                                          QStringLiteral("deployment"), QStringLiteral("dataset"),
                                          QStringLiteral("out"), QStringLiteral("dpi")});
    if (!o.error.isEmpty() || o.positional.size() != 1 ||
        !o.named.contains(QStringLiteral("out")) ||
        (o.named.contains(QStringLiteral("csv")) == o.named.contains(QStringLiteral("sql")))) {
        err << "orvel-report: " << (o.error.isEmpty() ? QStringLiteral("bad arguments") : o.error)
            << "\n"
            << usage();
        return Usage;
    }
    const QString templatePath = o.positional[0];
    const QString outPath = o.named.value(QStringLiteral("out"));
    double dpi = 96;
    if (!dpiOption(o.named, &dpi, err))
        return Usage;
    if (!knownOutput(outPath)) {
        err << "orvel-report: unknown output format: " << outPath << "\n";
        return Usage;
    }
    Report report;
    if (!report.loadTemplate(templatePath)) {
        err << "orvel-report: template not found: " << templatePath << "\n";
        return Failed;
    }
    std::unique_ptr<DataSource> source;
    QString error;
    if (o.named.contains(QStringLiteral("csv"))) {
        source.reset(CsvDataSource::fromFile(o.named.value(QStringLiteral("csv")), &error));
    } else {
        if (!o.named.contains(QStringLiteral("deployment"))) {
            err << "orvel-report: --sql needs --deployment FILE\n";
            return Usage;
        }
        if (!m_sql) {
            err << "orvel-report: this build cannot read from a database\n";
            return Failed;
        }
        source = m_sql(o.named.value(QStringLiteral("sql")),
                       o.named.value(QStringLiteral("deployment")), &error);
    }
    if (!source || !source->open()) {
        err << "orvel-report: " << (source ? source->errorString() : error) << "\n";
        return Failed;
    }
    const QString dataSet = o.named.value(QStringLiteral("dataset"), QStringLiteral("RPTDB"));
    report.setDataSource(source.get(), dataSet);
    bool read = false;
    for (const ReportPage& page : report.reportTemplate().pages)
        for (const Band& band : page.bands)
            read |= band.type == Band::MasterData &&
                    band.dataSetName.compare(dataSet, Qt::CaseInsensitive) == 0;
    if (!read)
        err << "orvel-report: warning: no data band of the template reads the data set " << dataSet
            << "\n";
    const QStringList missing = missingFields(report.reportTemplate(), *source, dataSet);
    if (!missing.isEmpty())
        err << "orvel-report: warning: the data has no field " << missing.join(QStringLiteral(", "))
            << " that the template reads from " << dataSet << "\n";
    report.prepare();
    if (!writeOutput(report.prepared(), outPath, dpi, &error)) {
        err << "orvel-report: " << error << "\n";
        return Failed;
    }
    out << outPath << ": " << report.prepared().pages.size() << " pages\n";
    return Ok;
}

int ReportTool::convert(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const Options o = parseOptions(args, {QStringLiteral("out"), QStringLiteral("dpi")});
    if (!o.error.isEmpty() || o.positional.size() != 1 ||
        !o.named.contains(QStringLiteral("out"))) {
        err << "orvel-report: " << (o.error.isEmpty() ? QStringLiteral("bad arguments") : o.error)
            << "\n"
            << usage();
        return Usage;
    }
    const QString outPath = o.named.value(QStringLiteral("out"));
    double dpi = 96;
    if (!dpiOption(o.named, &dpi, err))
        return Usage;
    if (!knownOutput(outPath)) {
        err << "orvel-report: unknown output format: " << outPath << "\n";
        return Usage;
    }
    Report report;
    if (!report.loadPrepared(o.positional[0])) {
        err << "orvel-report: prepared report not found: " << o.positional[0] << "\n";
        return Failed;
    }
    QString error;
    if (!writeOutput(report.prepared(), outPath, dpi, &error)) {
        err << "orvel-report: " << error << "\n";
        return Failed;
    }
    out << outPath << ": " << report.prepared().pages.size() << " pages\n";
    return Ok;
}

} // namespace orvel::tools
