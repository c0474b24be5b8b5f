#pragma once

#include "ReportExport.h"

namespace orvel::report
{

/// PDF through QPdfWriter: vector pages, fonts embedded as subsets with a map back to
/// Unicode, so the text (Korean included) can be selected and searched.
class PdfExport : public ReportExport
{
public:
    QString name() const override { return QStringLiteral("PDF"); }
    QString extension() const override { return QStringLiteral("pdf"); }
    bool write(const PreparedReport& report, QIODevice* device) override;
    void setResolution(int dpi) { m_dpi = dpi; }

private:
    int m_dpi = 600;
};

} // namespace orvel::report
