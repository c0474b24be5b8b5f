#include "report/export/CsvExport.h"

#include "report/export/ExportRows.h"

namespace orvel::report
{

bool CsvExport::write(const PreparedReport& report, QIODevice* device)
{
    QString out;
    int done = 0;
    for (const PreparedPage& page : report.pages) {
        if (!pageStarts(done++))
            return false;
        for (const auto& row : textRows(page)) {
            QStringList fields;
            for (const PreparedItem* it : row) {
                QString f = it->text;
                if (f.contains(m_separator) || f.contains(QLatin1Char('"')) ||
                    f.contains(QLatin1Char('\n')) || f.contains(QLatin1Char('\r'))) {
                    f.replace(QLatin1Char('"'), QLatin1String("\"\""));
                    f = QLatin1Char('"') + f + QLatin1Char('"');
                }
                fields << f;
            }
            out += fields.join(m_separator) + QLatin1String("\r\n");
        }
    }
    QByteArray bytes = m_bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes += out.toUtf8();
    return writeAll(device, bytes);
}

} // namespace orvel::report
