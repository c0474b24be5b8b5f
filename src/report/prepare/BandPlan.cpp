#include "report/prepare/BandPlan.h"

#include "report/render/ObjectPrimitive.h"
#include "report/template/Fr3Names.h"
#include "report/template/TemplateFormat.h"

#include <QRegularExpression>
#include <algorithm>

namespace orvel::report::prepare
{

CompiledBand BandCompiler::compile(const Band& band, LinkedBand linked)
{
    CompiledBand cb;
    cb.band = &band;
    cb.linked = linked;
    for (const ReportObject& o : band.objects) {
        if (!o.visible)
            continue;
        CompiledObject co;
        co.object = &o;
        if (o.type == ReportObject::Memo || o.type == ReportObject::SysMemo) {
            co.text = TextTemplate(o.text, o.expressionDelimiters, o.allowExpressions);
            co.usesTotalPages = co.text.usesVariable(QStringLiteral("TotalPages#"));
            m_computesWithTotalPages |= co.text.computesWith(QStringLiteral("TotalPages#"));
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
    for (const XmlNode& node : band.kept.children) {
        SubreportRef sub;
        if (TemplateFormat::subreportFromNode(node, &sub) &&
            node.attribute(QStringLiteral("Visible"))
                    .compare(QLatin1String("False"), Qt::CaseInsensitive) != 0)
            cb.subreports.push_back(sub);
    }
    if (!band.outlineText.trimmed().isEmpty())
        cb.outline = Expression::parse(band.outlineText);
    return cb;
}

DataRelation DataRelation::parse(const QString& masterFields, const QString& detailFields)
{
    static const QRegularExpression separators(QStringLiteral("[;\\r\\n]"));
    DataRelation r;
    const QStringList masters = masterFields.split(separators, Qt::SkipEmptyParts);
    const QStringList details = detailFields.split(separators, Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < masters.size(); ++i) {
        const QString m = masters[i].trimmed();
        const qsizetype eq = m.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            r.detailFields << m.left(eq).trimmed();
            r.masterFields << m.mid(eq + 1).trimmed();
        } else if (!m.isEmpty()) {
            r.masterFields << m;
            r.detailFields << (i < details.size() ? details[i].trimmed() : m);
        }
    }
    return r;
}

BandPlan::BandPlan(const ReportPage& page, const ReportTemplate& report, BandCompiler* compiler)
    : m_page(page), m_report(report)
{
    for (const Band& b : page.bands)
        if (b.type != Band::Other)
            m_bands.push_back(compiler->compile(b, LinkedBand::None));
    for (const XmlNode& node : page.kept.children) {
        const LinkedBand kind = fr3::linkedBand(node.name);
        Band band;
        if (kind == LinkedBand::None || !TemplateFormat::bandFromNode(node, &band))
            continue;
        m_keptBands.push_back(std::move(band));
        m_bands.push_back(compiler->compile(m_keptBands.back(), kind));
    }
    std::vector<const CompiledBand*> groupFooters;
    for (const CompiledBand& b : m_bands) {
        if (b.band->type == Band::GroupHeader)
            m_groupHeaders.push_back(&b);
        else if (b.band->type == Band::GroupFooter)
            groupFooters.push_back(&b);
    }
    // Group footers sit inside out below the data: the first closes the innermost group.
    m_groupFooters.assign(m_groupHeaders.size(), nullptr);
    for (size_t j = 0; j < groupFooters.size() && j < m_groupHeaders.size(); ++j)
        m_groupFooters[m_groupHeaders.size() - 1 - j] = groupFooters[j];
    linkChildren();
    buildDataTree();
    bindHeadersAndFooters();
}

const CompiledBand* BandPlan::find(Band::Type type) const
{
    for (const CompiledBand& b : m_bands)
        if (b.band->type == type)
            return &b;
    return nullptr;
}

void BandPlan::linkChildren()
{
    // Only child band elements print as children; a link to any other band is ignored, so
    // no band prints twice.
    for (const CompiledBand& parent : m_bands) {
        if (parent.band->childName.isEmpty())
            continue;
        for (const CompiledBand& child : m_bands)
            if (child.linked == LinkedBand::Child && &child != &parent &&
                child.band->name == parent.band->childName)
                m_childOf.insert(&parent, &child);
    }
}

void BandPlan::buildDataTree()
{
    std::vector<const CompiledBand*> data;
    for (const CompiledBand& b : m_bands)
        if (b.band->type == Band::MasterData || b.linked == LinkedBand::DetailData ||
            b.linked == LinkedBand::SubdetailData)
            data.push_back(&b);
    std::stable_sort(data.begin(), data.end(), [](const CompiledBand* x, const CompiledBand* y) {
        return x->band->top < y->band->top;
    });
    // A detail band belongs to the nearest band one level up above it on the page; a
    // detail with no master above it prints as a master of its own.
    std::vector<DataNode*> open;
    for (const CompiledBand* b : data) {
        const int level = b->linked == LinkedBand::DetailData      ? 1
                          : b->linked == LinkedBand::SubdetailData ? 2
                                                                   : 0;
        while (!open.empty() && open.back()->level >= level)
            open.pop_back();
        DataNode& node = m_nodes.emplace_back();
        node.band = b;
        if (level > 0 && !open.empty()) {
            node.master = open.back();
            node.level = node.master->level + 1;
            node.master->details.push_back(&node);
            node.relation = DataRelation::parse(b->band->masterFields, b->band->detailFields);
            if (node.relation.isEmpty())
                for (const DataSetRef& ref : m_report.dataSets)
                    if (ref.name.compare(b->band->dataSetName, Qt::CaseInsensitive) == 0) {
                        QString masters, details;
                        for (const auto& attr : ref.kept.attributes) {
                            if (attr.name == QLatin1String("MasterFields"))
                                masters = attr.value;
                            else if (attr.name == QLatin1String("DetailFields"))
                                details = attr.value;
                        }
                        node.relation = DataRelation::parse(masters, details);
                    }
        } else {
            m_masters.push_back(&node);
        }
        open.push_back(&node);
    }
}

void BandPlan::bindHeadersAndFooters()
{
    // A data band's Header/Footer reference wins. Otherwise a header belongs to the data
    // band right below it (the nearest header wins). The footers between two data bands
    // belong to the bands the second one closes (those of its level or deeper; at the end
    // of the page all), the lowest footer to the outermost: "master, detail, detail footer,
    // master footer" pairs up as it reads, and a lone footer below "master, detail" is the
    // master's.
    std::vector<const CompiledBand*> headers, footers;
    for (const CompiledBand& b : m_bands) {
        if (b.linked == LinkedBand::Header)
            headers.push_back(&b);
        else if (b.linked == LinkedBand::Footer)
            footers.push_back(&b);
    }
    auto byName = [](const std::vector<const CompiledBand*>& list, const QString& name,
                     std::vector<const CompiledBand*>* taken) -> const CompiledBand* {
        for (const CompiledBand* b : list)
            if (!name.isEmpty() && b->band->name == name &&
                std::find(taken->begin(), taken->end(), b) == taken->end()) {
                taken->push_back(b);
                return b;
            }
        return nullptr;
    };
    std::vector<DataNode*> nodes;
    for (DataNode& n : m_nodes)
        nodes.push_back(&n);
    std::stable_sort(nodes.begin(), nodes.end(), [](const DataNode* x, const DataNode* y) {
        return x->band->band->top < y->band->band->top;
    });
    std::vector<const CompiledBand*> taken;
    for (DataNode* n : nodes) {
        n->header = byName(headers, n->band->band->headerName, &taken);
        n->footer = byName(footers, n->band->band->footerName, &taken);
    }
    auto isTaken = [&taken](const CompiledBand* b) {
        return std::find(taken.begin(), taken.end(), b) != taken.end();
    };
    std::vector<const CompiledBand*> byTop = headers;
    std::sort(byTop.begin(), byTop.end(), [](const CompiledBand* x, const CompiledBand* y) {
        return x->band->top > y->band->top;
    });
    for (const CompiledBand* h : byTop) {
        if (isTaken(h))
            continue;
        for (DataNode* n : nodes)
            if (n->band->band->top > h->band->top) {
                if (!n->header)
                    n->header = h;
                break;
            }
    }
    struct Step {
        double top;
        DataNode* node;
        const CompiledBand* footer;
    };
    std::vector<Step> steps;
    for (DataNode* n : nodes)
        steps.push_back({n->band->band->top, n, nullptr});
    for (const CompiledBand* f : footers)
        if (!isTaken(f))
            steps.push_back({f->band->top, nullptr, f});
    std::stable_sort(steps.begin(), steps.end(),
                     [](const Step& x, const Step& y) { return x.top < y.top; });
    std::vector<DataNode*> open;
    std::vector<const CompiledBand*> pending;
    auto close = [&pending](std::vector<DataNode*> closed) {
        std::erase_if(closed, [](const DataNode* n) { return n->footer != nullptr; });
        for (size_t j = 0; j < pending.size() && j < closed.size(); ++j)
            closed[j]->footer = pending[pending.size() - 1 - j];
        pending.clear();
    };
    for (const Step& s : steps) {
        if (!s.node) {
            pending.push_back(s.footer);
            continue;
        }
        auto firstClosed = std::find_if(open.begin(), open.end(), [&s](const DataNode* n) {
            return n->level >= s.node->level;
        });
        close(std::vector<DataNode*>(firstClosed, open.end()));
        open.erase(firstClosed, open.end());
        open.push_back(s.node);
    }
    close(open);
}

std::vector<BandPlan::AggregateBand> BandPlan::aggregateBands() const
{
    std::vector<AggregateBand> out;
    for (size_t g = 0; g < m_groupFooters.size(); ++g)
        if (m_groupFooters[g])
            out.push_back({m_groupFooters[g], int(g), nullptr});
    for (Band::Type t : {Band::ReportSummary, Band::PageFooter, Band::ColumnFooter})
        if (const CompiledBand* b = find(t))
            out.push_back({b, t == Band::PageFooter ? PageScope : -1, nullptr});
    for (const DataNode& n : m_nodes)
        if (n.footer)
            out.push_back({n.footer, -1, &n});
    return out;
}

} // namespace orvel::report::prepare
