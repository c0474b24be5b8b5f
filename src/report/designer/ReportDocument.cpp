#include "report/designer/ReportDocument.h"

#include "report/designer/commands/ChangeBands.h"
#include "report/designer/commands/ChangePage.h"
#include "report/template/Fr3Names.h"
#include "report/template/TemplateFormat.h"

#include <QLocale>
#include <QSet>
#include <QUndoStack>
#include <algorithm>
#include <map>

namespace orvel::report
{

namespace
{

QString number(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

double attributeNumber(const XmlNode& node, const char* key)
{
    double v = 0;
    if (!parseTemplateNumber(node.attribute(QLatin1String(key)), &v))
        return 0;
    return v;
}

// The stem with the smallest number after it that no name in used has.
QString freeName(const QSet<QString>& used, QString stem)
{
    while (!stem.isEmpty() && stem.back().isDigit())
        stem.chop(1);
    for (int n = 1;; ++n) {
        const QString candidate = stem + QString::number(n);
        if (!used.contains(candidate))
            return candidate;
    }
}

QString defaultStem(ReportObject::Type type)
{
    static const char* const stems[] = {"Memo", "SysMemo", "Line", "Shape", "Picture"};
    return QString::fromLatin1(stems[type]);
}

bool hasGeometry(const XmlNode& node)
{
    return node.hasAttribute(QStringLiteral("Width")) ||
           node.hasAttribute(QStringLiteral("Height"));
}

// Where a band of a type goes in the page's list: print order by kind; a new group header
// becomes the innermost (after the others), a new group footer too (before the others).
size_t insertPosition(const ReportPage& page, Band::Type type)
{
    size_t pos = 0;
    for (size_t i = 0; i < page.bands.size(); ++i) {
        const Band::Type t = page.bands[i].type;
        if (type == Band::GroupFooter ? t < type : t <= type)
            pos = i + 1;
    }
    return pos;
}

} // namespace

ReportDocument::ReportDocument(ReportTemplate model, QObject* parent)
    : QObject(parent), m_model(std::move(model)), m_undo(new QUndoStack(this))
{
    if (m_model.pages.empty())
        m_model.pages = ReportTemplate::newReport().pages;
    connect(m_undo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(m_unsaved || !clean); });
}

ReportDocument::~ReportDocument() = default;

void ReportDocument::reset(ReportTemplate model, bool modified)
{
    const bool wasModified = isModified();
    m_undo->clear();
    m_unsaved = modified;
    m_model = std::move(model);
    if (m_model.pages.empty())
        m_model.pages = ReportTemplate::newReport().pages;
    m_page = 0;
    m_selection = {};
    emit pageSwitched();
    emit changed();
    emit selectionChanged();
    if (wasModified != isModified())
        emit modifiedChanged(isModified());
}

void ReportDocument::setFilePath(const QString& path)
{
    if (path == m_filePath)
        return;
    m_filePath = path;
    emit filePathChanged(path);
}

bool ReportDocument::isModified() const
{
    return m_unsaved || !m_undo->isClean();
}

void ReportDocument::markSaved()
{
    const bool wasModified = isModified();
    m_unsaved = false;
    m_undo->setClean();
    if (wasModified)
        emit modifiedChanged(false);
}

void ReportDocument::setDataSet(const QString& name, const QStringList& fields)
{
    m_dataSetName = name;
    m_fieldNames = fields;
}

void ReportDocument::setCurrentPage(int index)
{
    if (index < 0 || index >= int(m_model.pages.size()) || index == m_page)
        return;
    m_page = index;
    m_selection = {};
    emit pageSwitched();
    emit selectionChanged();
}

bool ReportDocument::validSelection(const DesignSelection& s) const
{
    for (const ObjectRef& r : s.objects)
        if (!object(r) && !placeholder(r))
            return false;
    if (s.band.index >= 0 && !(s.band.placeholder ? placeholderBand(s.band) != nullptr
                                                  : s.band.index < int(page().bands.size())))
        return false;
    return true;
}

void ReportDocument::setSelection(const DesignSelection& selection)
{
    // The order is kept: the first selected object is the one others are aligned to.
    DesignSelection s;
    s.band = selection.band;
    for (const ObjectRef& r : selection.objects)
        if (std::find(s.objects.begin(), s.objects.end(), r) == s.objects.end())
            s.objects.push_back(r);
    if (!s.objects.empty())
        s.band = {};
    if (!validSelection(s))
        s = {};
    if (s == m_selection)
        return;
    m_selection = std::move(s);
    emit selectionChanged();
}

void ReportDocument::selectObjects(std::vector<ObjectRef> objects)
{
    setSelection({std::move(objects), {}});
}

void ReportDocument::selectBand(BandRef band)
{
    setSelection({{}, band});
}

void ReportDocument::clearSelection()
{
    setSelection({});
}

void ReportDocument::applySelection(int page, const DesignSelection& selection)
{
    if (page != m_page) {
        m_page = page;
        m_selection = {};
        emit pageSwitched();
    }
    m_selection = validSelection(selection) ? selection : DesignSelection{};
    emit selectionChanged();
}

void ReportDocument::announce()
{
    emit changed();
}

const ReportObject* ReportDocument::object(const ObjectRef& ref) const
{
    if (ref.placeholder || ref.band < 0 || ref.band >= int(page().bands.size()))
        return nullptr;
    const Band& b = band(ref.band);
    if (ref.index < 0 || ref.index >= int(b.objects.size()))
        return nullptr;
    return &b.objects[size_t(ref.index)];
}

const XmlNode* ReportDocument::placeholder(const ObjectRef& ref) const
{
    if (!ref.placeholder || ref.band < 0 || ref.band >= int(page().bands.size()))
        return nullptr;
    const Band& b = band(ref.band);
    if (ref.index < 0 || ref.index >= int(b.kept.children.size()))
        return nullptr;
    const XmlNode& node = b.kept.children[size_t(ref.index)];
    return hasGeometry(node) ? &node : nullptr;
}

std::vector<BandRef> ReportDocument::placeholderBands() const
{
    std::vector<BandRef> refs;
    const auto& kept = page().kept.children;
    for (size_t i = 0; i < kept.size(); ++i)
        if (hasGeometry(kept[i]))
            refs.push_back({int(i), true});
    return refs;
}

const XmlNode* ReportDocument::placeholderBand(const BandRef& ref) const
{
    const auto& kept = page().kept.children;
    if (!ref.placeholder || ref.index < 0 || ref.index >= int(kept.size()))
        return nullptr;
    return hasGeometry(kept[size_t(ref.index)]) ? &kept[size_t(ref.index)] : nullptr;
}

QRectF ReportDocument::objectRect(const ObjectRef& ref) const
{
    if (const ReportObject* o = object(ref))
        return QRectF(o->left, o->top, o->width, o->height);
    if (const XmlNode* n = placeholder(ref))
        return QRectF(attributeNumber(*n, "Left"), attributeNumber(*n, "Top"),
                      attributeNumber(*n, "Width"), attributeNumber(*n, "Height"));
    return {};
}

std::vector<ObjectRef> ReportDocument::allObjects(int bandIndex) const
{
    std::vector<ObjectRef> refs;
    const Band& b = band(bandIndex);
    for (size_t i = 0; i < b.objects.size(); ++i)
        refs.push_back({bandIndex, int(i), false});
    for (size_t i = 0; i < b.kept.children.size(); ++i)
        if (hasGeometry(b.kept.children[i]))
            refs.push_back({bandIndex, int(i), true});
    return refs;
}

void ReportDocument::pushBands(const QString& name, const std::vector<int>& bands,
                               const std::function<void(ReportPage&)>& f,
                               const DesignSelection& after, int mergeId)
{
    // The edit works on copies of the bands it touches only.
    ReportPage work;
    work.bands.resize(page().bands.size());
    for (int b : bands)
        work.bands[size_t(b)] = page().bands[size_t(b)];
    f(work);
    std::vector<ChangeBandsCommand::Change> changes;
    for (int b : bands) {
        if (work.bands[size_t(b)] == page().bands[size_t(b)])
            continue;
        changes.push_back({b, page().bands[size_t(b)], std::move(work.bands[size_t(b)])});
    }
    if (changes.empty())
        return;
    m_undo->push(new ChangeBandsCommand(this, name, m_page, std::move(changes), m_selection, after,
                                        mergeId));
}

void ReportDocument::pushPage(const QString& name, const std::function<void(ReportPage&)>& f,
                              const DesignSelection& after, int mergeId)
{
    ReportPage work = page();
    f(work);
    if (work == page())
        return;
    m_undo->push(new ChangePageCommand(this, name, m_page, page(), std::move(work), m_selection,
                                       after, mergeId));
}

static std::vector<int> bandsOf(const std::vector<ObjectRef>& refs)
{
    std::vector<int> bands;
    for (const ObjectRef& r : refs)
        bands.push_back(r.band);
    std::sort(bands.begin(), bands.end());
    bands.erase(std::unique(bands.begin(), bands.end()), bands.end());
    return bands;
}

std::vector<ObjectRef> ReportDocument::realObjects(const std::vector<ObjectRef>& refs) const
{
    std::vector<ObjectRef> real;
    for (const ObjectRef& r : refs)
        if (object(r))
            real.push_back(r);
    return real;
}

void ReportDocument::changeObjects(const QString& name, const std::vector<ObjectRef>& refs,
                                   const std::function<void(ReportObject&)>& f, int mergeId)
{
    const std::vector<ObjectRef> real = realObjects(refs);
    if (real.empty())
        return;
    pushBands(
        name, bandsOf(real),
        [&](ReportPage& p) {
            for (const ObjectRef& r : real)
                f(p.bands[size_t(r.band)].objects[size_t(r.index)]);
        },
        m_selection, mergeId);
}

void ReportDocument::setObjectRects(const QString& name, const std::vector<ObjectRef>& refs,
                                    const std::vector<QRectF>& rects, int mergeId,
                                    const std::vector<int>& targetBands)
{
    if (refs.size() != rects.size())
        return;
    std::vector<ObjectRef> valid;
    std::vector<QRectF> validRects;
    std::vector<int> targets;
    for (size_t k = 0; k < refs.size(); ++k) {
        if (!object(refs[k]) && !placeholder(refs[k]))
            continue;
        valid.push_back(refs[k]);
        validRects.push_back(rects[k]);
        int t = k < targetBands.size() ? targetBands[k] : -1;
        if (t < 0 || t >= int(page().bands.size()))
            t = refs[k].band;
        targets.push_back(t);
    }
    if (valid.empty())
        return;
    std::vector<int> bands = bandsOf(valid);
    for (int t : targets)
        bands.push_back(t);
    std::sort(bands.begin(), bands.end());
    bands.erase(std::unique(bands.begin(), bands.end()), bands.end());

    // New places of every object of the touched bands, so the selection follows the moves.
    std::map<ObjectRef, ObjectRef> moved;
    auto edit = [&](ReportPage& p) {
        for (size_t k = 0; k < valid.size(); ++k) {
            const ObjectRef& r = valid[k];
            const QRectF& q = validRects[k];
            Band& b = p.bands[size_t(r.band)];
            if (r.placeholder) {
                XmlNode& n = b.kept.children[size_t(r.index)];
                n.setAttribute(QStringLiteral("Left"), number(q.left()));
                n.setAttribute(QStringLiteral("Top"), number(q.top()));
                n.setAttribute(QStringLiteral("Width"), number(q.width()));
                n.setAttribute(QStringLiteral("Height"), number(q.height()));
            } else {
                ReportObject& o = b.objects[size_t(r.index)];
                o.left = q.left();
                o.top = q.top();
                o.width = q.width();
                o.height = q.height();
            }
        }
        std::map<ObjectRef, int> targetOf;
        for (size_t k = 0; k < valid.size(); ++k)
            if (targets[k] != valid[k].band)
                targetOf[valid[k]] = targets[k];
        if (targetOf.empty())
            return;
        std::map<int, std::vector<ReportObject>> incoming;
        std::map<int, std::vector<XmlNode>> incomingKept;
        std::map<int, std::vector<ObjectRef>> incomingRefs, incomingKeptRefs;
        for (int bi : bands) {
            Band& b = p.bands[size_t(bi)];
            std::vector<ReportObject> objects;
            for (size_t i = 0; i < b.objects.size(); ++i) {
                const ObjectRef r{bi, int(i), false};
                auto it = targetOf.find(r);
                if (it == targetOf.end()) {
                    moved[r] = {bi, int(objects.size()), false};
                    objects.push_back(std::move(b.objects[i]));
                } else {
                    incoming[it->second].push_back(std::move(b.objects[i]));
                    incomingRefs[it->second].push_back(r);
                }
            }
            b.objects = std::move(objects);
            std::vector<XmlNode> kept;
            for (size_t i = 0; i < b.kept.children.size(); ++i) {
                const ObjectRef r{bi, int(i), true};
                auto it = targetOf.find(r);
                if (it == targetOf.end()) {
                    moved[r] = {bi, int(kept.size()), true};
                    kept.push_back(std::move(b.kept.children[i]));
                } else {
                    incomingKept[it->second].push_back(std::move(b.kept.children[i]));
                    incomingKeptRefs[it->second].push_back(r);
                }
            }
            b.kept.children = std::move(kept);
        }
        for (auto& [bi, objects] : incoming) {
            Band& b = p.bands[size_t(bi)];
            for (size_t i = 0; i < objects.size(); ++i) {
                moved[incomingRefs[bi][i]] = {bi, int(b.objects.size()), false};
                b.objects.push_back(std::move(objects[i]));
            }
        }
        for (auto& [bi, nodes] : incomingKept) {
            Band& b = p.bands[size_t(bi)];
            for (size_t i = 0; i < nodes.size(); ++i) {
                moved[incomingKeptRefs[bi][i]] = {bi, int(b.kept.children.size()), true};
                b.kept.children.push_back(std::move(nodes[i]));
            }
        }
    };
    // The selection after the edit follows objects that change bands: a dry run on a copy
    // of the page finds their new places.
    DesignSelection after = m_selection;
    bool transfers = false;
    for (size_t k = 0; k < valid.size(); ++k)
        transfers = transfers || targets[k] != valid[k].band;
    if (transfers) {
        ReportPage probe = page();
        edit(probe);
    }
    for (ObjectRef& r : after.objects) {
        auto it = moved.find(r);
        if (it != moved.end())
            r = it->second;
    }
    moved.clear();
    pushBands(name, bands, edit, after, mergeId);
}

void ReportDocument::addObjects(const QString& name, int bandIndex,
                                std::vector<ReportObject> objects)
{
    std::vector<std::pair<int, ReportObject>> list;
    for (ReportObject& o : objects)
        list.emplace_back(bandIndex, std::move(o));
    addObjectsToBands(name, list);
}

void ReportDocument::addObjectsToBands(const QString& name,
                                       const std::vector<std::pair<int, ReportObject>>& objects)
{
    std::vector<int> bands;
    for (const auto& [b, o] : objects) {
        if (b < 0 || b >= int(page().bands.size()))
            return;
        bands.push_back(b);
    }
    if (objects.empty())
        return;
    std::sort(bands.begin(), bands.end());
    bands.erase(std::unique(bands.begin(), bands.end()), bands.end());
    DesignSelection after;
    QSet<QString> used = usedNames();
    std::map<int, int> counts;
    for (int b : bands)
        counts[b] = int(page().bands[size_t(b)].objects.size());
    std::vector<std::pair<int, ReportObject>> named = objects;
    for (auto& [b, o] : named) {
        // Every object gets a name of its own in the template.
        if (o.name.isEmpty() || used.contains(o.name))
            o.name = freeName(used, o.name.isEmpty() ? defaultStem(o.type) : o.name);
        used.insert(o.name);
        after.objects.push_back({b, counts[b]++, false});
    }
    pushBands(
        name, bands,
        [&](ReportPage& p) {
            for (auto& [b, o] : named)
                p.bands[size_t(b)].objects.push_back(o);
        },
        after, 0);
}

void ReportDocument::removeObjects(const QString& name, const std::vector<ObjectRef>& refs)
{
    std::vector<ObjectRef> valid;
    for (const ObjectRef& r : refs)
        if (object(r) || placeholder(r))
            valid.push_back(r);
    if (valid.empty())
        return;
    std::sort(valid.begin(), valid.end());
    pushBands(
        name, bandsOf(valid),
        [&](ReportPage& p) {
            for (auto it = valid.rbegin(); it != valid.rend(); ++it) {
                Band& b = p.bands[size_t(it->band)];
                if (it->placeholder)
                    b.kept.children.erase(b.kept.children.begin() + it->index);
                else
                    b.objects.erase(b.objects.begin() + it->index);
            }
        },
        {}, 0);
}

void ReportDocument::reorderObjects(const QString& name, const std::vector<ObjectRef>& refs,
                                    bool toFront)
{
    const std::vector<ObjectRef> real = realObjects(refs);
    if (real.empty())
        return;
    DesignSelection after;
    const std::vector<int> bands = bandsOf(real);
    std::vector<std::vector<ReportObject>> reordered;
    for (int bi : bands) {
        const Band& b = band(bi);
        std::vector<ReportObject> chosen, rest;
        for (size_t i = 0; i < b.objects.size(); ++i) {
            const bool picked =
                std::find(real.begin(), real.end(), ObjectRef{bi, int(i), false}) != real.end();
            (picked ? chosen : rest).push_back(b.objects[i]);
        }
        const int first = toFront ? int(rest.size()) : 0;
        for (size_t i = 0; i < chosen.size(); ++i)
            after.objects.push_back({bi, first + int(i), false});
        std::vector<ReportObject> all = toFront ? rest : chosen;
        const auto& tail = toFront ? chosen : rest;
        all.insert(all.end(), tail.begin(), tail.end());
        reordered.push_back(std::move(all));
    }
    pushBands(
        name, bands,
        [&](ReportPage& p) {
            for (size_t k = 0; k < bands.size(); ++k)
                p.bands[size_t(bands[k])].objects = reordered[k];
        },
        after, 0);
}

void ReportDocument::changeBand(const QString& name, int bandIndex,
                                const std::function<void(Band&)>& f, int mergeId)
{
    if (bandIndex < 0 || bandIndex >= int(page().bands.size()))
        return;
    pushBands(
        name, {bandIndex}, [&](ReportPage& p) { f(p.bands[size_t(bandIndex)]); }, m_selection,
        mergeId);
}

int ReportDocument::addBand(const QString& name, Band band)
{
    const ReportPage& p = page();
    const size_t pos = insertPosition(p, band.type);
    if (band.name.isEmpty() || usedNames().contains(band.name))
        band.name = uniqueName(band.name.isEmpty() ? QStringLiteral("Band") : band.name);
    if (band.width <= 0)
        band.width = mmToPx(p.paperWidth - p.leftMargin - p.rightMargin);
    if (band.elementName.isEmpty())
        band.elementName = fr3::bandElement(band.type);
    // Bands of one kind keep their order by Top when read back.
    double top = 0;
    for (size_t i = 0; i < pos; ++i)
        top = std::max(top, p.bands[i].top + p.bands[i].height + 20);
    band.top = top;
    DesignSelection after{{}, {int(pos), false}};
    pushPage(
        name,
        [&](ReportPage& w) {
            w.bands.insert(w.bands.begin() + long(pos), band);
            for (size_t i = pos + 1; i < w.bands.size(); ++i)
                if (w.bands[i].top <= w.bands[i - 1].top)
                    w.bands[i].top = w.bands[i - 1].top + w.bands[i - 1].height + 20;
        },
        after, 0);
    return int(pos);
}

void ReportDocument::removeBand(const QString& name, BandRef ref)
{
    if (ref.placeholder ? !placeholderBand(ref)
                        : (ref.index < 0 || ref.index >= int(page().bands.size())))
        return;
    pushPage(
        name,
        [&](ReportPage& w) {
            if (ref.placeholder)
                w.kept.children.erase(w.kept.children.begin() + ref.index);
            else
                w.bands.erase(w.bands.begin() + ref.index);
        },
        {}, 0);
}

void ReportDocument::changePage(const QString& name, const std::function<void(ReportPage&)>& f,
                                int mergeId)
{
    pushPage(name, f, m_selection, mergeId);
}

void ReportDocument::changeSettings(const QString& name,
                                    const std::function<void(ReportSettings&)>& f)
{
    ReportSettings after = m_model.settings;
    f(after);
    if (after == m_model.settings)
        return;
    m_undo->push(new ChangeSettingsCommand(this, name, m_model.settings, after));
}

QSet<QString> ReportDocument::usedNames() const
{
    QSet<QString> used;
    for (const ReportPage& p : m_model.pages) {
        used.insert(p.name);
        for (const Band& b : p.bands) {
            used.insert(b.name);
            for (const ReportObject& o : b.objects)
                used.insert(o.name);
        }
    }
    return used;
}

QString ReportDocument::uniqueName(const QString& stem) const
{
    return freeName(usedNames(), stem);
}

} // namespace orvel::report
