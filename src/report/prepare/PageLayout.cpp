#include "report/prepare/PageLayout.h"

#include "report/render/ObjectPrimitive.h"
#include "report/render/ReportFonts.h"

#include <cmath>

namespace orvel::report::prepare
{

CompiledBand PageLayout::compile(const Band& band)
{
    CompiledBand cb;
    cb.band = &band;
    for (const ReportObject& o : band.objects) {
        if (!o.visible)
            continue;
        CompiledObject co;
        co.object = &o;
        if (o.type == ReportObject::Memo || o.type == ReportObject::SysMemo) {
            co.text = TextTemplate(o.text, o.expressionDelimiters, o.allowExpressions);
            co.usesTotalPages = co.text.usesVariable(QStringLiteral("TotalPages#"));
        }
        if (o.type == ReportObject::Picture) {
            const QString key = o.fileLink + QLatin1Char('|') + QString::number(qHash(o.imageData));
            auto it = m_imageCache.constFind(key);
            if (it != m_imageCache.constEnd()) {
                co.image = *it;
            } else {
                const QImage img = pictureOf(o);
                if (!img.isNull()) {
                    m_out->images.push_back(img);
                    co.image = int(m_out->images.size()) - 1;
                }
                m_imageCache.insert(key, co.image);
            }
        }
        co.style = m_out->styleIndex(itemStyleOf(o));
        cb.objects.push_back(std::move(co));
    }
    return cb;
}

const CompiledBand* PageLayout::find(Band::Type type) const
{
    for (const auto& b : m_bands)
        if (b.band->type == type)
            return &b;
    return nullptr;
}

double PageLayout::columnOffset(int column) const
{
    if (column == 0)
        return 0;
    if (column < m_page.columnPositions.size())
        return mmToPx(m_page.columnPositions[column]);
    return mmToPx(m_page.columnWidth) * column;
}

double PageLayout::bandHeight(const CompiledBand& cb, std::vector<QString>* texts, double width)
{
    const Band& band = *cb.band;
    double height = band.height;
    texts->resize(cb.objects.size());
    for (size_t i = 0; i < cb.objects.size(); ++i) {
        const CompiledObject& co = cb.objects[i];
        const ReportObject& o = *co.object;
        if (o.type != ReportObject::Memo && o.type != ReportObject::SysMemo)
            continue;
        (*texts)[i] = co.text.evaluate(*m_ctx, o.format, o.hideZeros);
        if (band.stretched && o.stretch == StretchMode::ActualHeight) {
            const double w = o.width > 0 ? o.width : width;
            const double need =
                ReportFonts::textHeight(o.font, (*texts)[i], w, o.gapX, o.gapY, o.wordWrap);
            height = std::max(height, o.top + std::max(o.height, need));
        }
    }
    return height;
}

void PageLayout::emitBand(const CompiledBand& cb, double x, double y, double height,
                          const std::vector<QString>& texts)
{
    const Band& band = *cb.band;
    const double stretchBy = height - band.height;
    for (size_t i = 0; i < cb.objects.size(); ++i) {
        const CompiledObject& co = cb.objects[i];
        const ReportObject& o = *co.object;
        PreparedItem item;
        item.style = co.style;
        double h = o.height;
        if (band.stretched && o.stretch != StretchMode::None) {
            if (o.stretch == StretchMode::MaxHeight)
                h = height - o.top;
            else
                h = std::max(o.height, ReportFonts::textHeight(o.font, texts[i], o.width, o.gapX,
                                                               o.gapY, o.wordWrap));
        } else if (stretchBy > 0 && o.top + o.height >= band.height - Epsilon &&
                   o.type == ReportObject::Line && o.height > 0) {
            h += stretchBy; // vertical rules that reach the band bottom grow with it
        }
        item.rect = QRectF(x + o.left, y + o.top, o.width, h);
        item.kind = primitiveKindOf(o, &item.rect);
        if (item.kind == PreparedItem::Text) {
            item.text = texts[i];
            if (item.text.isEmpty() && !o.fill.isValid() && o.frame.sides == 0)
                continue;
        } else if (item.kind == PreparedItem::Image) {
            if (co.image < 0)
                continue;
            item.image = co.image;
        }
        if (co.usesTotalPages)
            totalPageItems.emplace_back(int(m_out->pages.size()) - 1, int(m_current->items.size()));
        m_current->items.push_back(std::move(item));
    }
}

void PageLayout::printBand(const CompiledBand& cb)
{
    if (!cb.band->visible)
        return;
    std::vector<QString> texts;
    const double h = bandHeight(cb, &texts, cb.band->width);
    if (!fits(h) && !m_fresh) {
        nextColumnOrPage();
        texts.clear();
        bandHeight(cb, &texts, cb.band->width); // page numbers may have changed
    }
    emitBand(cb, mmToPx(m_page.leftMargin) + columnOffset(m_column), m_y, h, texts);
    m_y += h;
    m_fresh = false;
}

void PageLayout::startColumn()
{
    m_y = m_columnTop;
    if (const CompiledBand* ch = find(Band::ColumnHeader)) {
        std::vector<QString> texts;
        const double h = bandHeight(*ch, &texts, ch->band->width);
        emitBand(*ch, mmToPx(m_page.leftMargin) + columnOffset(m_column), m_y, h, texts);
        m_y += h;
    }
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
    m_bottom = mmToPx(m_page.paperHeight - m_page.bottomMargin);
    if (const CompiledBand* footer = find(Band::PageFooter))
        m_bottom -= footer->band->height;

    const CompiledBand* title = m_first ? find(Band::ReportTitle) : nullptr;
    const CompiledBand* header = find(Band::PageHeader);
    if (header && m_first && !header->band->printOnFirstPage)
        header = nullptr;
    auto put = [this](const CompiledBand* b) {
        if (!b || !b->band->visible)
            return;
        std::vector<QString> texts;
        const double h = bandHeight(*b, &texts, b->band->width);
        emitBand(*b, mmToPx(m_page.leftMargin), m_y, h, texts);
        m_y += h;
    };
    if (m_page.titleBeforeHeader) {
        put(title);
        put(header);
    } else {
        put(header);
        put(title);
    }
    m_first = false;
    m_columnTop = m_y;
    startColumn();
}

void PageLayout::finishPage(bool last)
{
    const CompiledBand* footer = find(Band::PageFooter);
    if (!footer || !footer->band->visible)
        return;
    if ((last && !footer->band->printOnLastPage) ||
        (m_out->pages.size() == 1 && !footer->band->printOnFirstPage))
        return;
    std::vector<QString> texts;
    bandHeight(*footer, &texts, footer->band->width);
    const double y = mmToPx(m_page.paperHeight - m_page.bottomMargin) - footer->band->height;
    emitBand(*footer, mmToPx(m_page.leftMargin), y, footer->band->height, texts);
}

void PageLayout::printColumnFooter()
{
    const CompiledBand* footer = find(Band::ColumnFooter);
    if (!footer || !footer->band->visible || m_dataDone)
        return;
    std::vector<QString> texts;
    bandHeight(*footer, &texts, footer->band->width);
    emitBand(*footer, mmToPx(m_page.leftMargin) + columnOffset(m_column), m_y, footer->band->height,
             texts);
    m_y += footer->band->height;
}

void PageLayout::nextColumnOrPage()
{
    printColumnFooter();
    if (m_column + 1 < m_page.columns) {
        ++m_column;
        startColumn();
    } else {
        newPage();
    }
}

void PageLayout::printDataBand(const CompiledBand& cb)
{
    const Band& band = *cb.band;
    const int across = std::max(1, band.columns);
    const double pageInner = mmToPx(m_page.paperWidth - m_page.leftMargin - m_page.rightMargin);
    const double cellWidth = band.columnWidth > 0 ? band.columnWidth : pageInner / across;
    const int cell = (m_ctx->line - 1) % across;
    std::vector<QString> texts;
    double h = bandHeight(cb, &texts, cellWidth);
    if (cell == 0) {
        // A new row of labels (or one data row) starts where the previous row ended.
        const int page = m_ctx->page;
        if ((band.startNewPage || !fits(h)) && !m_fresh)
            nextColumnOrPage();
        if (page != m_ctx->page) {
            texts.clear();
            h = bandHeight(cb, &texts, cellWidth);
        }
        m_rowTop = m_y;
        m_rowHeight = 0;
    }
    const double x =
        mmToPx(m_page.leftMargin) + columnOffset(m_column) + cell * (cellWidth + band.columnGap);
    emitBand(cb, x, m_rowTop, h, texts);
    m_rowHeight = std::max(m_rowHeight, h);
    m_y = m_rowTop + m_rowHeight;
    m_fresh = false;
}

void PageLayout::closeRow()
{
    // Group bands and the summary start below a part-filled row of labels.
    m_ctx->line = 1;
}

void PageLayout::addOutline(size_t firstItem)
{
    for (size_t i = firstItem; i < m_current->items.size(); ++i) {
        const PreparedItem& item = m_current->items[i];
        if (item.kind == PreparedItem::Text && !item.text.trimmed().isEmpty()) {
            m_out->outline.push_back({item.text.trimmed(), m_ctx->page - 1, item.rect.top()});
            return;
        }
    }
}

void PageLayout::run(DataSource* data, const QString& dataSetName)
{
    for (const Band& b : m_page.bands)
        if (b.type != Band::Other)
            m_bands.push_back(compile(b));
    if (const CompiledBand* footer = find(Band::ColumnFooter))
        m_columnFooterHeight = footer->band->visible ? footer->band->height : 0;
    std::vector<const CompiledBand*> headers, footers, masters;
    for (const auto& b : m_bands) {
        if (b.band->type == Band::GroupHeader)
            headers.push_back(&b);
        else if (b.band->type == Band::GroupFooter)
            footers.push_back(&b);
        else if (b.band->type == Band::MasterData)
            masters.push_back(&b);
    }
    // Footers sit inside out below the data: the first footer closes the innermost group.
    std::vector<const CompiledBand*> footerOf(headers.size(), nullptr);
    for (size_t j = 0; j < footers.size() && j < headers.size(); ++j)
        footerOf[headers.size() - 1 - j] = footers[j];
    std::vector<Expression> conditions;
    for (const auto* h : headers)
        conditions.push_back(Expression::parse(h->band->condition));

    // Aggregates in footers and the summary count the rows of the data bands.
    std::vector<Accumulator> accumulators;
    for (const auto& b : m_bands) {
        const Band::Type type = b.band->type;
        if (type != Band::GroupFooter && type != Band::ReportSummary && type != Band::PageFooter &&
            type != Band::ColumnFooter)
            continue;
        int level = -1;
        for (size_t g = 0; g < footerOf.size(); ++g)
            if (footerOf[g] == &b)
                level = int(g);
        for (const CompiledObject& co : b.objects)
            for (const Expression& e : co.text.expressions())
                for (const auto& [node, function] : e.aggregates())
                    accumulators.push_back({&e, node, function, level});
    }
    m_ctx->accumulators = &accumulators;
    auto accumulate = [&] {
        for (Accumulator& a : accumulators)
            a.add(a.expression->aggregateArgument(a.node, *m_ctx));
    };

    newPage();
    bool firstMaster = true;
    for (const CompiledBand* master : masters) {
        const Band& band = *master->band;
        const bool bound = !band.dataSetName.isEmpty();
        const bool ours =
            bound && data && band.dataSetName.compare(dataSetName, Qt::CaseInsensitive) == 0;
        const bool grouped = firstMaster && !headers.empty();
        firstMaster = false;
        m_ctx->line = 1;
        if (!bound) {
            for (int i = 0; i < band.rowCount; ++i) {
                printDataBand(*master);
                ++m_ctx->line;
            }
            continue;
        }
        if (!ours)
            continue;
        if (!data->open())
            throw PageLimit{QStringLiteral("cannot read the data set %1: %2")
                                .arg(dataSetName, data->errorString())};
        std::vector<QVariant> current(headers.size());
        QVariantList previous;
        const int fieldCount = grouped ? int(data->fieldNames().size()) : 0;
        bool firstRow = true;
        for (; !data->eof(); data->next()) {
            if (grouped) {
                size_t changed = headers.size();
                for (size_t g = 0; g < headers.size(); ++g) {
                    QVariant v = conditions[g].evaluate(*m_ctx);
                    if (changed == headers.size() && (firstRow || v != current[g]))
                        changed = g;
                    current[g] = v;
                }
                if (changed < headers.size()) {
                    if (!firstRow) {
                        m_ctx->snapshot = &previous;
                        for (size_t g = headers.size(); g-- > changed;)
                            if (footerOf[g]) {
                                closeRow();
                                printBand(*footerOf[g]);
                            }
                        m_ctx->snapshot = nullptr;
                    }
                    for (Accumulator& a : accumulators)
                        if (a.resetLevel >= int(changed))
                            a.reset();
                    for (size_t g = changed; g < headers.size(); ++g) {
                        if (headers[g]->band->startNewPage && !m_fresh)
                            nextColumnOrPage();
                        const size_t before = m_current->items.size();
                        const int pageBefore = m_ctx->page;
                        printBand(*headers[g]);
                        addOutline(pageBefore == m_ctx->page ? before : 0);
                    }
                    m_ctx->line = 1;
                }
                previous.clear();
                for (int f = 0; f < fieldCount; ++f)
                    previous << data->value(f);
            }
            printDataBand(*master);
            accumulate();
            ++m_ctx->line;
            firstRow = false;
        }
        if (grouped && !firstRow) {
            m_ctx->snapshot = &previous;
            for (size_t g = headers.size(); g-- > 0;)
                if (footerOf[g])
                    printBand(*footerOf[g]);
            m_ctx->snapshot = nullptr;
        }
    }
    printColumnFooter();
    m_dataDone = true;
    m_columnFooterHeight = 0;
    if (const CompiledBand* summary = find(Band::ReportSummary))
        printBand(*summary);
    finishPage(true);
    m_ctx->accumulators = nullptr;
}

} // namespace orvel::report::prepare
