#pragma once

#include "report/print/PrintOffsets.h"

#include <vector>

class QPrinter;
class QWidget;

namespace orvel::report
{

struct PreparedReport;

/// Sends prepared pages to a printer: the page range, the printer's offset, and progress
/// with a stop button on long reports.
class ReportPrinter
{
public:
    /// Points the printer at the one a template names: "Default", an empty name or one
    /// that is not installed here mean the system's default printer.
    static void choosePrinter(QPrinter& printer, const QString& templatePrinter);

    /// The pages (1-based, in print order) that the printer's print range asks for, as the
    /// print dialog left it: all, a range, a list of ranges or the current page.
    static std::vector<int> chosenPages(const QPrinter& printer, int pageCount, int currentPage);

    /// Prints the pages (1-based; others are skipped) shifted by offset. Answers false
    /// when the user stopped it: the job is then abandoned, nothing printed. Throws
    /// ReportError when printing cannot start.
    static bool print(const PreparedReport& report, QPrinter* printer,
                      const std::vector<int>& pages, PrintOffset offset, QWidget* progressParent);
};

} // namespace orvel::report
