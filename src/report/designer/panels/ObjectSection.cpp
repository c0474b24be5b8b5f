#include "report/designer/panels/ObjectSection.h"

#include "report/designer/panels/PropertyWidgets.h"

#include <QFormLayout>
#include <QLabel>

namespace orvel::report
{

namespace
{

double measureOf(const QRectF& r, int m)
{
    const double values[] = {r.left(), r.top(), r.width(), r.height()};
    return values[m];
}

} // namespace

ObjectSection::ObjectSection(ReportDocument* doc, QWidget* parent)
    : PropertySection(QStringLiteral("위치와 크기"), doc, parent)
{
    setObjectName(QStringLiteral("objectSection"));
    m_note = new QLabel(QStringLiteral("이 개체는 디자이너에서 편집할 수 없습니다. "
                                       "위치와 크기만 바꿀 수 있습니다."),
                        this);
    m_note->setObjectName(QStringLiteral("placeholderNote"));
    m_note->setWordWrap(true);
    form()->addRow(m_note);

    struct Field {
        const char* objectName;
        const char* label;
        MergeField merge;
    };
    static const Field fields[] = {{"posXBox", "위치 &X", MergeField::X},
                                   {"posYBox", "위치 &Y", MergeField::Y},
                                   {"widthBox", "너비(&W)", MergeField::Width},
                                   {"heightBox", "높이(&H)", MergeField::Height}};
    for (int i = 0; i < 4; ++i) {
        auto* box = new MixedSpinBox(this);
        box->setObjectName(QLatin1String(fields[i].objectName));
        // Objects may stick out of their band to the left or top, never be negative in size.
        box->setup(i < 2 ? -1000 : 0, 10000, 0.1, 1, QStringLiteral(" mm"));
        addRow(QString::fromUtf8(fields[i].label), box);
        connect(box, &MixedSpinBox::edited, this,
                [this, i](double mm, bool stepped) { edit(Measure(i), mm, stepped); });
        m_boxes[i] = box;
    }
}

bool ObjectSection::appliesToSelection() const
{
    return !document()->selection().objects.empty();
}

void ObjectSection::load()
{
    const auto& refs = document()->selection().objects;
    m_note->setVisible(hasPlaceholder());
    for (int p = 0; p < 4; ++p) {
        std::optional<double> value;
        for (const ObjectRef& r : refs) {
            const double mm = shownMm(measureOf(document()->objectRect(r), p));
            if (value && *value != mm) {
                value.reset();
                break;
            }
            value = mm;
        }
        m_boxes[p]->setShared(value);
    }
}

void ObjectSection::edit(Measure p, double mm, bool stepped)
{
    if (loading())
        return;
    const std::vector<ObjectRef> refs = document()->selection().objects;
    std::vector<QRectF> rects;
    const double px = mmToPx(mm);
    for (const ObjectRef& r : refs) {
        QRectF rect = document()->objectRect(r);
        switch (p) {
        case X:
            rect.moveLeft(px);
            break;
        case Y:
            rect.moveTop(px);
            break;
        case Width:
            rect.setWidth(px);
            break;
        case Height:
            rect.setHeight(px);
            break;
        }
        rects.push_back(rect);
    }
    static const MergeField merges[] = {MergeField::X, MergeField::Y, MergeField::Width,
                                        MergeField::Height};
    const QString name = p <= Y ? QStringLiteral("위치 변경") : QStringLiteral("크기 변경");
    document()->setObjectRects(name, refs, rects, mergeIdFor(merges[p], stepped));
}

} // namespace orvel::report
