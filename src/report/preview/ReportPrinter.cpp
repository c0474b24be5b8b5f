#include "report/preview/ReportPrinter.h"

#include "platform/PrintJobs.h"
#include "report/Report.h"
#include "report/preview/WorkProgress.h"
#include "report/render/PageRenderer.h"

#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace orvel::report
{

namespace
{
QPageLayout printLayout(const PreparedPage& page)
{
    const double w = std::min(page.widthMm, page.heightMm);
    const double h = std::max(page.widthMm, page.heightMm);
    return QPageLayout(QPageSize(QSizeF(w, h), QPageSize::Millimeter),
                       page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}
} // namespace

void ReportPrinter::choosePrinter(QPrinter& printer, const QString& templatePrinter)
{
    QString name = templatePrinter;
    if (name.isEmpty() || name == QLatin1String("Default") ||
        !QPrinterInfo::availablePrinterNames().contains(name))
        name = QPrinterInfo::defaultPrinterName();
    if (!name.isEmpty())
        printer.setPrinterName(name);
}

std::vector<int> ReportPrinter::chosenPages(const QPrinter& printer, int pageCount, int currentPage)
{
    std::vector<int> pages;
    auto add = [&](int from, int to) {
        for (int p = std::max(1, from); p <= std::min(to, pageCount); ++p)
            pages.push_back(p);
    };
    switch (printer.printRange()) {
    case QPrinter::CurrentPage:
        add(currentPage, currentPage);
        break;
    case QPrinter::PageRange:
        if (!printer.pageRanges().isEmpty()) {
            for (const QPageRanges::Range& r : printer.pageRanges().toRangeList())
                add(r.from, r.to);
            break;
        }
        add(printer.fromPage(), printer.toPage() <= 0 ? pageCount : printer.toPage());
        break;
    default:
        add(1, pageCount);
    }
    return pages;
}

bool ReportPrinter::print(const PreparedReport& report, QPrinter* printer,
                          const std::vector<int>& pages, PrintOffset offset,
                          QWidget* progressParent)
{
    std::vector<int> valid;
    for (int p : pages)
        if (p >= 1 && p <= int(report.pages.size()))
            valid.push_back(p);
    if (valid.empty())
        return true;
    printer->setFullPage(true);
    printer->setPageLayout(printLayout(report.pages[valid.front() - 1]));
    QPainter painter;
    if (!painter.begin(printer))
        throw ReportError(QStringLiteral("인쇄를 시작할 수 없습니다."));
    WorkProgress progress(progressParent, QStringLiteral("인쇄"),
                          QStringLiteral("%1쪽 인쇄 중입니다..."));
    const PageRenderer renderer(report);
    // Pages are drawn at 96 dpi, moved by the printer's offset (mm) first.
    const double scale = printer->resolution() / 96.0;
    const QPointF shift(mmToPx(offset.xMm), mmToPx(offset.yMm));
    for (std::size_t i = 0; i < valid.size(); ++i) {
        if (!progress.step(int(i))) {
            PrintJobs::abandon(printer, &painter);
            return false;
        }
        const PreparedPage& page = report.pages[valid[i] - 1];
        if (i > 0) {
            printer->setPageLayout(printLayout(page));
            printer->newPage();
        }
        painter.save();
        painter.scale(scale, scale);
        painter.translate(shift);
        renderer.paint(&painter, valid[i] - 1);
        painter.restore();
    }
    painter.end();
    return true;
}

} // namespace orvel::report
