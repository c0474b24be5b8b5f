#include "report/Report.h"

#include "report/prepare/ReportPreparer.h"
#include "report/prepared/PreparedFormat.h"
#include "report/template/TemplateFormat.h"

#include <QDir>
#include <QFileInfo>

namespace orvel::report
{

// The file itself, or else the one file in its folder whose name differs only in letter
// case: deployments copy folders from a file system that ignores case.
static QString existingFile(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || info.isDir())
        return {};
    if (info.exists())
        return path;
    const QDir dir = info.dir();
    if (!dir.exists())
        return {};
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return {};
}

Report::Report()
{
    clear();
}

void Report::clear()
{
    // A report before any template is loaded: settings only, no pages.
    m_template = ReportTemplate();
    m_prepared.clear();
    m_templatePath.clear();
}

bool Report::loadTemplate(const QString& path)
{
    clear();
    const QString file = existingFile(path);
    if (file.isEmpty())
        return false;
    TemplateFormat format;
    auto loaded = format.readFile(file);
    if (!loaded)
        throw ReportError(format.errorString());
    m_template = std::move(*loaded);
    m_templatePath = file;
    return true;
}

void Report::saveTemplate(const QString& path) const
{
    TemplateFormat format;
    if (!format.writeFile(m_template, path))
        throw ReportError(format.errorString());
}

void Report::setDataSource(DataSource* source, const QString& name)
{
    m_source = source;
    m_dataSetName = name;
}

void Report::setDataSource(const QString& name, DataSource* source)
{
    std::erase_if(m_moreSources, [&name](const auto& bound) {
        return bound.first.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (source)
        m_moreSources.emplace_back(name, source);
}

DataSource* Report::dataSource(const QString& name) const
{
    if (m_source && m_dataSetName.compare(name, Qt::CaseInsensitive) == 0)
        return m_source;
    for (const auto& [n, s] : m_moreSources)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return s;
    return nullptr;
}

void Report::prepare(const std::function<bool(int pages)>& progress)
{
    m_prepared.clear();
    ReportPreparer preparer(m_template, m_source, m_dataSetName);
    for (const auto& [name, source] : m_moreSources)
        if (name.compare(m_dataSetName, Qt::CaseInsensitive) != 0 || !m_source)
            preparer.addDataSource(name, source);
    preparer.setProgress(progress);
    if (!preparer.prepare(&m_prepared)) {
        if (preparer.wasCancelled())
            throw ReportCancelled();
        throw ReportError(preparer.errorString());
    }
}

bool Report::loadPrepared(const QString& path)
{
    m_prepared.clear();
    const QString file = existingFile(path);
    if (file.isEmpty())
        return false;
    PreparedFormat format;
    if (!format.readFile(file, &m_prepared))
        throw ReportError(format.errorString());
    return true;
}

void Report::savePrepared(const QString& path) const
{
    PreparedFormat format;
    if (!format.writeFile(m_prepared, path))
        throw ReportError(format.errorString());
}

} // namespace orvel::report
