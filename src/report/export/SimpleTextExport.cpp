#include "report/export/SimpleTextExport.h"

#include "report/export/ExportRows.h"

namespace orvel::report
{

bool SimpleTextExport::write(const PreparedReport& report, QIODevice* device)
{
    QString out;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        if (!pageStarts(int(p)))
            return false;
        if (p > 0)
            out += QLatin1Char('\f');
        for (const auto& row : textRows(report.pages[p])) {
            QStringList parts;
            for (const PreparedItem* it : row)
                parts << QString(it->text).replace(QLatin1Char('\n'), QLatin1Char(' '));
            out += parts.join(QLatin1Char(' ')) + QLatin1String("\r\n");
        }
    }
    return writeAll(device, out.toUtf8());
}

} // namespace orvel::report
