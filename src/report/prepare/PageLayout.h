#pragma once

// Internal to preparing: the layout of one template page into prepared pages.

#include "report/prepare/BandRenderer.h"

namespace orvel::report::prepare
{

/// Puts the bands of one template page on prepared pages: page and column furniture, page
/// breaks, label rows and bands split across pages.
class PageLayout : public BandSink
{
public:
    PageLayout(const BandPlan& plan, PreparedReport* out, RowContext* ctx, BandRenderer* renderer,
               int maxPages, const PrepareProgress* progress = nullptr);

    void run();
    std::vector<std::pair<int, int>> totalPageItems; // (page, item) holding the mark

    void put(std::vector<BandInstance> bands, bool together) override;
    void breakPage() override;
    void pushRepeated(const CompiledBand* header) override { m_repeated.push_back(header); }
    void popRepeated(const CompiledBand* header) override;
    void putGroup(const BandRecording& group) override;

private:
    void place(BandInstance band);
    void split(const BandInstance& band);
    void again(BandInstance* band);
    void putItems(const BandInstance& band, double y, const std::vector<bool>* only = nullptr);
    void addOutline(const BandInstance& band, double y);
    double stackFixed(const CompiledBand* band, double y);
    void newPage();
    void finishPage(bool last);
    void nextColumnOrPage();
    void startColumn();
    double columnLeft() const;
    // Room is kept for the column footer below the bands of a column.
    double room() const { return m_bottom - m_columnFooterHeight - m_y; }
    bool fits(double height) const { return height <= room() + Epsilon; }
    void printColumnFooter();

    const BandPlan& m_plan;
    const ReportPage& m_page;
    PreparedReport* m_out;
    RowContext* m_ctx;
    BandRenderer* m_renderer;
    int m_maxPages;
    const PrepareProgress* m_progress;
    PreparedPage* m_current = nullptr;
    double m_y = 0;
    double m_bottom = 0;
    double m_columnTop = 0;
    double m_freshTop = 0; // where bands start on a page column with nothing printed yet
    double m_footerHeight = 0;
    double m_titleHeight = 0; // of the report title on this page
    int m_column = 0;
    bool m_fresh = true; // nothing but headers on the current page column
    bool m_first = true;
    double m_columnFooterHeight = 0;
    bool m_dataDone = false; // the column footer closed the last column
    double m_rowTop = 0;
    double m_rowHeight = 0;
    std::vector<const CompiledBand*> m_repeated;
};

} // namespace orvel::report::prepare
