#pragma once

#include "report/export/ReportExport.h"

namespace orvel::report
{

/// Simple text: the rows of text of each page, fields separated by a space.
class SimpleTextExport : public ReportExport
{
public:
    QString name() const override { return QStringLiteral("간단한 텍스트 (Simple text)"); }
    QString extension() const override { return QStringLiteral("txt"); }
    bool write(const PreparedReport& report, QIODevice* device) override;
};

} // namespace orvel::report
