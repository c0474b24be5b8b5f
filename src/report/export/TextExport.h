#pragma once

#include "report/export/ReportExport.h"

namespace orvel::report
{

/// Plain text: every page laid out on a character grid (12 characters per inch across,
/// 6 lines per inch down), pages separated by form feeds.
class TextExport : public ReportExport
{
public:
    QString name() const override { return QStringLiteral("텍스트 (Text)"); }
    QString extension() const override { return QStringLiteral("txt"); }
    bool write(const PreparedReport& report, QIODevice* device) override;
    /// Columns a character takes on a character grid (2 for Hangul and other wide ones).
    static int cellWidth(QChar c);
};

} // namespace orvel::report
