#pragma once

// Internal to preparing: the layout of one template page into prepared pages.

#include "report/model/ReportModel.h"
#include "report/prepare/PrepareContext.h"
#include "report/prepared/PreparedReport.h"

#include <QHash>
#include <vector>

namespace orvel::report::prepare
{

inline constexpr double Epsilon = 0.01; // pixels of rounding a band may overrun the page by

/// A template object with its text compiled and its style resolved once.
struct CompiledObject {
    const ReportObject* object = nullptr;
    TextTemplate text;
    int style = 0;
    int image = -1;
    bool usesTotalPages = false;
};

/// A template band with its objects compiled.
struct CompiledBand {
    const Band* band = nullptr;
    std::vector<CompiledObject> objects;
};

/// Lays out one template page (and the pages it overflows to).
class PageLayout
{
public:
    PageLayout(const ReportPage& page, PreparedReport* out, RowContext* ctx, int maxPages,
               const PrepareProgress* progress = nullptr)
        : m_page(page), m_out(out), m_ctx(ctx), m_maxPages(maxPages), m_progress(progress)
    {
    }

    void run(DataSource* data, const QString& dataSetName);
    std::vector<std::pair<int, int>> totalPageItems; // (page, item) holding the mark

private:
    CompiledBand compile(const Band& band);
    const CompiledBand* find(Band::Type type) const;
    double bandHeight(const CompiledBand& band, std::vector<QString>* texts, double width);
    void emitBand(const CompiledBand& band, double x, double y, double height,
                  const std::vector<QString>& texts);
    void printBand(const CompiledBand& band);
    void printDataBand(const CompiledBand& band);
    void closeRow();
    void addOutline(size_t firstItem);
    void newPage();
    void finishPage(bool last);
    void nextColumnOrPage();
    void startColumn();
    double columnOffset(int column) const;
    // Room is kept for the column footer below the bands of a column.
    bool fits(double height) const
    {
        return m_y + height + m_columnFooterHeight <= m_bottom + Epsilon;
    }
    void printColumnFooter();

    const ReportPage& m_page;
    PreparedReport* m_out;
    RowContext* m_ctx;
    int m_maxPages;
    const PrepareProgress* m_progress;
    std::vector<CompiledBand> m_bands;
    PreparedPage* m_current = nullptr;
    double m_y = 0;
    double m_bottom = 0;
    double m_columnTop = 0;
    int m_column = 0;
    bool m_fresh = true; // nothing but headers on the current page column
    bool m_first = true;
    double m_columnFooterHeight = 0;
    bool m_dataDone = false; // the column footer closed the last column
    double m_rowTop = 0;
    double m_rowHeight = 0;
    QHash<QString, int> m_imageCache;
};

} // namespace orvel::report::prepare
