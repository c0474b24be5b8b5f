#include "report/print/PrintOffsets.h"

#include "report/Report.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include <cmath>
#include <map>

namespace orvel::report
{

namespace
{
// Printer names may hold '/', '\\' or '=', which settings keys cannot, so the file keeps
// an array of entries that each name their printer.
const QString ArrayName = QStringLiteral("Printers");

std::map<QString, PrintOffset> readAll(QSettings& s)
{
    std::map<QString, PrintOffset> all;
    const int n = s.beginReadArray(ArrayName);
    for (int i = 0; i < n; ++i) {
        s.setArrayIndex(i);
        const QString name = s.value(QStringLiteral("Name")).toString();
        bool okX = false, okY = false;
        const double x = s.value(QStringLiteral("OffsetX")).toDouble(&okX);
        const double y = s.value(QStringLiteral("OffsetY")).toDouble(&okY);
        if (name.isEmpty() || !okX || !okY || !std::isfinite(x) || !std::isfinite(y))
            continue;
        const double limit = PrintOffsets::Limit;
        all[name] = {std::clamp(x, -limit, limit), std::clamp(y, -limit, limit)};
    }
    s.endArray();
    return all;
}
} // namespace

PrintOffsets::PrintOffsets(QString path) : m_path(path.isEmpty() ? defaultPath() : path) {}

QString PrintOffsets::defaultPath()
{
    QString dir = qEnvironmentVariable("ORVEL_PROGRAM_DIR");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    return QDir(dir).filePath(QStringLiteral("OrvelPrinters.ini"));
}

PrintOffset PrintOffsets::offset(const QString& printer) const
{
    if (printer.isEmpty())
        return {};
    QSettings s(m_path, QSettings::IniFormat);
    const auto all = readAll(s);
    const auto it = all.find(printer);
    return it == all.end() ? PrintOffset() : it->second;
}

void PrintOffsets::setOffset(const QString& printer, PrintOffset offset)
{
    if (printer.isEmpty())
        return;
    QSettings s(m_path, QSettings::IniFormat);
    auto all = readAll(s);
    if (offset.isNull())
        all.erase(printer);
    else
        all[printer] = {std::clamp(offset.xMm, -Limit, Limit),
                        std::clamp(offset.yMm, -Limit, Limit)};
    s.remove(ArrayName);
    s.beginWriteArray(ArrayName, int(all.size()));
    int i = 0;
    for (const auto& [name, o] : all) {
        s.setArrayIndex(i++);
        s.setValue(QStringLiteral("Name"), name);
        s.setValue(QStringLiteral("OffsetX"), o.xMm);
        s.setValue(QStringLiteral("OffsetY"), o.yMm);
    }
    s.endArray();
    s.sync();
    if (s.status() != QSettings::NoError)
        throw ReportError(QStringLiteral("프린터 보정값을 저장할 수 없습니다: %1")
                              .arg(QDir::toNativeSeparators(m_path)));
}

} // namespace orvel::report
