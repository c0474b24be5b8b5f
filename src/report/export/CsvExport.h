#pragma once

#include "report/export/ReportExport.h"

namespace orvel::report
{

/// CSV: one line per row of text on a page, fields separated by ";", UTF-8.
class CsvExport : public ReportExport
{
public:
    QString name() const override { return QStringLiteral("CSV (;)"); }
    QString extension() const override { return QStringLiteral("csv"); }
    bool write(const PreparedReport& report, QIODevice* device) override;
    void setSeparator(QChar c) { m_separator = c; }
    void setByteOrderMark(bool on) { m_bom = on; }

private:
    QChar m_separator = QLatin1Char(';');
    bool m_bom = true;
};

} // namespace orvel::report
