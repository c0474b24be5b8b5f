#pragma once

#include "report/designer/labels/LabelSheet.h"

#include <QStringList>
#include <vector>

namespace orvel::report::labels
{

/// The makers' label sheets read from XML catalogue folders (the glabels-data templates).
class LabelCatalogue
{
public:
    /// The folders the catalogue is installed in on this system.
    static QStringList defaultDirectories();

    /// Reads every catalogue file of the folders, replacing what was read before. Missing
    /// folders are no error; damaged files and entries are skipped and listed in problems().
    void load(const QStringList& directories);

    /// Rectangular sheets with one layout, sorted by maker and part number.
    const std::vector<LabelSheet>& sheets() const { return m_sheets; }
    /// Paper sizes the sheets are on, in catalogue order; "Other" last for odd sizes.
    const std::vector<PaperSize>& papers() const { return m_papers; }
    /// Indexes of the sheets whose maker or part number contains every word of text
    /// (ignoring case) and, if paperId is not empty, that are on that paper.
    std::vector<int> find(const QString& text, const QString& paperId = {}) const;

    /// Files and entries skipped because they were damaged, one line each.
    const QStringList& problems() const { return m_problems; }
    /// Entries left out because the band layout cannot print them (round, elliptic and CD
    /// labels, sheets with several layouts).
    int unsupportedCount() const { return m_unsupported; }

private:
    std::vector<LabelSheet> m_sheets;
    std::vector<PaperSize> m_papers;
    QStringList m_problems;
    int m_unsupported = 0;
};

/// A catalogue length ("12.5mm", "0.75in", "2cm", "36pt", "36" = points) in millimetres.
bool parseCatalogueLength(const QString& text, double* mm);

} // namespace orvel::report::labels
