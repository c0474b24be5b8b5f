#pragma once

#include "report/export/ReportExport.h"

namespace orvel::report
{

/// HTML: one absolutely positioned block per page, text selectable, images inline.
class HtmlExport : public ReportExport
{
public:
    QString name() const override { return QStringLiteral("HTML"); }
    QString extension() const override { return QStringLiteral("html"); }
    bool write(const PreparedReport& report, QIODevice* device) override;
};

} // namespace orvel::report
