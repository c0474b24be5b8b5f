#include "report/designer/panels/PropertySection.h"

#include <QFormLayout>
#include <QLabel>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace orvel::report
{

int mergeIdFor(MergeField field, bool stepped)
{
    // Well away from the small ids the canvas uses for dragging.
    return stepped ? 0x50000 + int(field) : 0;
}

double shownMm(double px)
{
    return std::round(pxToMm(px) * 10.0) / 10.0;
}

PropertySection::PropertySection(const QString& title, ReportDocument* doc, QWidget* parent)
    : QGroupBox(title, parent), m_doc(doc), m_form(new QFormLayout(this))
{
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void PropertySection::refresh()
{
    blockEdits(true);
    load();
    blockEdits(false);
}

QLabel* PropertySection::addRow(const QString& label, QWidget* field, const QString& accessibleName)
{
    auto* l = new QLabel(label, this);
    l->setBuddy(field);
    QString name = accessibleName.isEmpty() ? label : accessibleName;
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
    field->setAccessibleName(name.trimmed());
    m_form->addRow(l, field);
    return l;
}

std::vector<ObjectRef> PropertySection::editableRefs() const
{
    std::vector<ObjectRef> refs;
    for (const ObjectRef& r : m_doc->selection().objects)
        if (m_doc->object(r))
            refs.push_back(r);
    return refs;
}

std::vector<const ReportObject*> PropertySection::selectedObjects() const
{
    std::vector<const ReportObject*> objects;
    for (const ObjectRef& r : m_doc->selection().objects)
        if (const ReportObject* o = m_doc->object(r))
            objects.push_back(o);
    return objects;
}

bool PropertySection::hasPlaceholder() const
{
    const auto& objects = m_doc->selection().objects;
    return std::any_of(objects.begin(), objects.end(),
                       [](const ObjectRef& r) { return r.placeholder; });
}

bool PropertySection::selectionIsAll(std::initializer_list<ReportObject::Type> types) const
{
    if (m_doc->selection().objects.empty() || hasPlaceholder())
        return false;
    for (const ReportObject* o : selectedObjects())
        if (std::find(types.begin(), types.end(), o->type) == types.end())
            return false;
    return true;
}

void PropertySection::changeSelected(const QString& name,
                                     const std::function<void(ReportObject&)>& f, int mergeId)
{
    if (loading())
        return;
    const std::vector<ObjectRef> refs = editableRefs();
    if (!refs.empty())
        m_doc->changeObjects(name, refs, f, mergeId);
}

} // namespace orvel::report
