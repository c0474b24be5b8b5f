#include "report/prepare/PageLayout.h"

#include "report/prepare/DataRun.h"

#include <limits>

namespace orvel::report::prepare
{

PageLayout::PageLayout(const BandPlan& plan, PreparedReport* out, RowContext* ctx,
                       BandRenderer* renderer, int maxPages, const PrepareProgress* progress)
    : m_plan(plan), m_page(plan.page()), m_out(out), m_ctx(ctx), m_renderer(renderer),
      m_maxPages(maxPages), m_progress(progress)
{
    if (const CompiledBand* footer = plan.find(Band::PageFooter)) {
        m_footerHeight = footer->band->height;
        for (const CompiledBand* c = plan.childOf(*footer); c && m_footerHeight < 1e6;
             c = plan.childOf(*c))
            m_footerHeight += c->band->visible ? c->band->height : 0;
    }
    if (const CompiledBand* footer = plan.find(Band::ColumnFooter))
        m_columnFooterHeight = footer->band->visible ? footer->band->height : 0;
}

double PageLayout::columnLeft() const
{
    double offset = 0;
    if (m_column > 0)
        offset = m_column < m_page.columnPositions.size() ? mmToPx(m_page.columnPositions[m_column])
                                                          : mmToPx(m_page.columnWidth) * m_column;
    return mmToPx(m_page.leftMargin) + offset;
}

void PageLayout::putItems(const BandInstance& b, double y, const std::vector<bool>* only)
{
    const double x = columnLeft() + b.x;
    for (size_t i = 0; i < b.items.size(); ++i) {
        if (only && !(*only)[i])
            continue;
        PreparedItem item = b.items[i].item;
        item.rect.translate(x, y);
        if (b.items[i].totalPages)
            totalPageItems.emplace_back(int(m_out->pages.size()) - 1, int(m_current->items.size()));
        m_current->items.push_back(std::move(item));
    }
}

void PageLayout::addOutline(const BandInstance& b, double y)
{
    if (!b.outline.isEmpty())
        m_out->outline.push_back({b.outline, m_ctx->page - 1, y + b.outlineY});
}

void PageLayout::again(BandInstance* b)
{
    // Page numbers may have changed; the row is still the one the band was made for.
    if (!b->live)
        return;
    const int cell = b->cell;
    const double x = b->x;
    *b = m_renderer->evaluate(*b->band, b->width);
    b->cell = cell;
    b->x = x;
}

void PageLayout::put(std::vector<BandInstance> bands, bool together)
{
    if (together && bands.size() > 1) {
        double total = 0;
        for (const BandInstance& b : bands)
            total += b.cell == 0 ? b.height : 0;
        if (!fits(total) && !m_fresh) {
            nextColumnOrPage();
            for (BandInstance& b : bands)
                again(&b);
        }
    }
    for (BandInstance& b : bands)
        place(std::move(b));
}

void PageLayout::place(BandInstance b)
{
    if (b.cell > 0) {
        // A further label of the row started by the first one.
        putItems(b, m_rowTop);
        m_rowHeight = std::max(m_rowHeight, b.height);
        m_y = m_rowTop + m_rowHeight;
        addOutline(b, m_rowTop);
        return;
    }
    if (b.band->band->startNewPage && !m_fresh) {
        nextColumnOrPage();
        again(&b);
    }
    // Below the report title a band that would fit a later page moves there too.
    const bool belowTitle = m_fresh && m_titleHeight > 0 && fits(b.height - m_titleHeight);
    if (!fits(b.height) && !b.splittable && (!m_fresh || belowTitle)) {
        nextColumnOrPage();
        again(&b);
    }
    // What does not fit here splits: by choice, or because it is taller than a whole page.
    if (!fits(b.height)) {
        split(b);
        return;
    }
    putItems(b, m_y);
    addOutline(b, m_y);
    m_rowTop = m_y;
    m_rowHeight = b.height;
    m_y += b.height;
    m_fresh = false;
}

void PageLayout::split(const BandInstance& b)
{
    // The band is cut between its objects: the objects that fit stay, the others go on
    // the next page, moved up by the part already printed. An object taller than a whole
    // page prints at the top of a page and runs over its bottom.
    std::vector<bool> left(b.items.size(), true);
    auto topOf = [&b](size_t i) { return b.items[i].item.rect.normalized().top(); };
    auto bottomOf = [&b](size_t i) { return b.items[i].item.rect.normalized().bottom(); };
    double offset = 0;
    bool outlined = false;
    for (;;) {
        const double part = b.height - offset;
        if (part <= room() + Epsilon) {
            if (!outlined)
                addOutline(b, m_y - offset);
            putItems(b, m_y - offset, &left);
            m_rowTop = m_y;
            m_rowHeight = part;
            m_y += part;
            break;
        }
        double cut = std::numeric_limits<double>::infinity();
        for (size_t i = 0; i < left.size(); ++i)
            if (left[i] && bottomOf(i) - offset > room() + Epsilon)
                cut = std::min(cut, topOf(i) - offset);
        if (cut <= Epsilon && !m_fresh) {
            nextColumnOrPage();
            continue;
        }
        if (!outlined) {
            addOutline(b, m_y - offset);
            outlined = true;
        }
        if (cut == std::numeric_limits<double>::infinity()) {
            // Every object fits; only empty band space is left below them.
            putItems(b, m_y - offset, &left);
            m_rowTop = m_y;
            m_rowHeight = room();
            m_y += room();
            break;
        }
        if (cut <= Epsilon) {
            cut = 0;
            for (size_t i = 0; i < left.size(); ++i)
                if (left[i] && topOf(i) - offset <= Epsilon)
                    cut = std::max(cut, bottomOf(i) - offset);
            if (cut <= Epsilon)
                cut = part;
        }
        std::vector<bool> now(left.size(), false);
        for (size_t i = 0; i < left.size(); ++i)
            if (left[i] && topOf(i) - offset < cut) {
                now[i] = true;
                left[i] = false;
            }
        putItems(b, m_y - offset, &now);
        m_fresh = false;
        offset += cut;
        if (offset >= b.height - Epsilon) {
            m_rowTop = m_y;
            m_rowHeight = cut;
            m_y += cut;
            break;
        }
        nextColumnOrPage();
    }
    m_fresh = false;
}

void PageLayout::breakPage()
{
    if (!m_fresh)
        nextColumnOrPage();
}

void PageLayout::popRepeated(const CompiledBand* header)
{
    auto it = std::find(m_repeated.rbegin(), m_repeated.rend(), header);
    if (it != m_repeated.rend())
        m_repeated.erase(std::next(it).base());
}

void PageLayout::putGroup(const BandRecording& group)
{
    // A group that does not fit the room left starts on the next page when it fits there.
    const double freshRoom = m_bottom - m_columnFooterHeight - m_freshTop;
    if (!fits(group.height()) && !m_fresh && group.height() <= freshRoom + Epsilon)
        nextColumnOrPage();
    group.replay(this);
}

double PageLayout::stackFixed(const CompiledBand* band, double y)
{
    // Page furniture and repeated headers: placed where they belong, with their children.
    int depth = 0;
    for (const CompiledBand* b = band; b && depth < 32; b = m_plan.childOf(*b), ++depth) {
        if (!b->band->visible)
            continue;
        const BandInstance inst = m_renderer->evaluate(*b, b->band->width);
        putItems(inst, y);
        y += inst.height;
    }
    return y;
}

void PageLayout::startColumn()
{
    m_y = stackFixed(m_plan.find(Band::ColumnHeader), m_columnTop);
    for (const CompiledBand* header : m_repeated) {
        const BandInstance inst = m_renderer->evaluate(*header, header->band->width);
        putItems(inst, m_y);
        m_y += inst.height;
    }
    m_freshTop = m_y;
    m_fresh = true;
}

void PageLayout::newPage()
{
    if (m_current)
        finishPage(false);
    if (int(m_out->pages.size()) >= m_maxPages)
        throw PageLimit{QStringLiteral("the report has more than %1 pages").arg(m_maxPages)};
    if (m_progress && *m_progress && !(*m_progress)(int(m_out->pages.size())))
        throw PrepareCancelled{};
    PreparedPage page;
    page.widthMm = m_page.paperWidth;
    page.heightMm = m_page.paperHeight;
    page.landscape = m_page.landscape;
    page.paperSize = m_page.paperSize;
    page.leftMargin = m_page.leftMargin;
    page.rightMargin = m_page.rightMargin;
    page.topMargin = m_page.topMargin;
    page.bottomMargin = m_page.bottomMargin;
    m_out->pages.push_back(std::move(page));
    m_current = &m_out->pages.back();
    m_ctx->page = int(m_out->pages.size());
    m_column = 0;
    m_y = mmToPx(m_page.topMargin);
    m_bottom = mmToPx(m_page.paperHeight - m_page.bottomMargin) - m_footerHeight;

    const CompiledBand* title = m_first ? m_plan.find(Band::ReportTitle) : nullptr;
    const CompiledBand* header = m_plan.find(Band::PageHeader);
    if (header && m_first && !header->band->printOnFirstPage)
        header = nullptr;
    const double top = m_y;
    if (m_page.titleBeforeHeader) {
        m_y = stackFixed(title, m_y);
        m_titleHeight = m_y - top;
        m_y = stackFixed(header, m_y);
    } else {
        m_y = stackFixed(header, m_y);
        const double below = m_y;
        m_y = stackFixed(title, m_y);
        m_titleHeight = m_y - below;
    }
    m_first = false;
    m_columnTop = m_y;
    startColumn();
}

void PageLayout::finishPage(bool last)
{
    const CompiledBand* footer = m_plan.find(Band::PageFooter);
    if (!footer || !footer->band->visible)
        return;
    if ((last && !footer->band->printOnLastPage) ||
        (m_out->pages.size() == 1 && !footer->band->printOnFirstPage))
        return;
    const double y = mmToPx(m_page.paperHeight - m_page.bottomMargin) - m_footerHeight;
    // Page footers keep their designed heights: the room for them is set aside up front.
    int depth = 0;
    double at = y;
    for (const CompiledBand* b = footer; b && depth < 32; b = m_plan.childOf(*b), ++depth) {
        if (!b->band->visible)
            continue;
        putItems(m_renderer->evaluate(*b, b->band->width), at);
        at += b->band->height;
    }
}

void PageLayout::printColumnFooter()
{
    const CompiledBand* footer = m_plan.find(Band::ColumnFooter);
    if (!footer || !footer->band->visible || m_dataDone)
        return;
    putItems(m_renderer->evaluate(*footer, footer->band->width), m_y);
    m_y += footer->band->height;
}

void PageLayout::nextColumnOrPage()
{
    printColumnFooter();
    if (m_column + 1 < m_page.columns) {
        ++m_column;
        m_y = m_columnTop;
        startColumn();
    } else {
        newPage();
    }
}

void PageLayout::run()
{
    DataRun data(m_plan, m_ctx, m_renderer, this);
    newPage();
    data.run();
    printColumnFooter();
    m_dataDone = true;
    m_columnFooterHeight = 0;
    data.print(m_plan.find(Band::ReportSummary));
    finishPage(true);
}

} // namespace orvel::report::prepare
