#pragma once

#include "report/export/ReportExport.h"

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
    /// Mends the Unicode maps of embedded fonts so spaces extract as spaces.
    static void fixSpaceMaps(QByteArray* pdf);

private:
    bool render(const PreparedReport& report);
    int m_dpi = 600;
    QByteArray m_pdf;
};

} // namespace orvel::report
