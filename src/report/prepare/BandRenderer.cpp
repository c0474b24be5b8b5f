#include "report/prepare/BandRenderer.h"

#include "report/prepare/DataRun.h"
#include "report/render/ObjectPrimitive.h"
#include "report/render/ReportFonts.h"

namespace orvel::report::prepare
{

namespace
{
constexpr size_t MaxSubreportDepth = 8;
}

BandInstance BandRenderer::evaluate(const CompiledBand& cb, double width)
{
    const Band& band = *cb.band;
    BandInstance out;
    out.band = &cb;
    out.width = width;
    out.splittable = band.allowSplit && band.columns <= 1;

    double height = band.height;
    std::vector<QString> texts(cb.objects.size());
    for (size_t i = 0; i < cb.objects.size(); ++i) {
        const CompiledObject& co = cb.objects[i];
        const ReportObject& o = *co.object;
        if (o.type != ReportObject::Memo && o.type != ReportObject::SysMemo)
            continue;
        texts[i] = co.text.evaluate(*m_ctx, o.format, o.hideZeros);
        if (band.stretched && o.stretch == StretchMode::ActualHeight) {
            const double w = o.width > 0 ? o.width : width;
            const double need =
                ReportFonts::textHeight(o.font, texts[i], w, o.gapX, o.gapY, o.wordWrap);
            height = std::max(height, o.top + std::max(o.height, need));
        }
    }
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
        item.rect = QRectF(o.left, o.top, o.width, h);
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
        out.items.push_back({std::move(item), co.usesTotalPages});
    }
    out.height = height;
    for (const SubreportRef& sub : cb.subreports)
        addSubreport(sub, &out);

    if (cb.outline) {
        out.outline = cb.outline->evaluate(*m_ctx).toString().trimmed();
    } else if (band.type == Band::GroupHeader) {
        // A group header without an outline expression is listed by its first text.
        for (const BandItem& it : out.items)
            if (it.item.kind == PreparedItem::Text && !it.item.text.trimmed().isEmpty()) {
                out.outline = it.item.text.trimmed();
                out.outlineY = it.item.rect.top();
                break;
            }
    }
    return out;
}

void BandRenderer::addSubreport(const SubreportRef& sub, BandInstance* out)
{
    // A page printing itself, directly or through others, would never end.
    const BandPlan* plan = m_plans ? m_plans(sub.pageName) : nullptr;
    if (!plan || m_open.size() >= MaxSubreportDepth ||
        std::find(m_open.begin(), m_open.end(), sub.pageName) != m_open.end())
        return;
    m_open.push_back(sub.pageName);
    const int line = m_ctx->line;
    BoxSink box;
    {
        DataRun run(*plan, m_ctx, this, &box);
        run.print(plan->find(Band::ReportTitle));
        run.run();
        run.print(plan->find(Band::ReportSummary));
    }
    m_ctx->line = line;
    m_open.pop_back();
    for (BandItem& it : box.items) {
        it.item.rect.translate(sub.left, sub.top);
        out->items.push_back(std::move(it));
    }
    out->height = std::max(out->height, sub.top + std::max(sub.height, box.height));
}

} // namespace orvel::report::prepare
