#include "report/designer/DesignEdits.h"

#include <algorithm>

namespace orvel::report
{

namespace
{
constexpr int NudgeMoveId = 101;
constexpr int NudgeResizeId = 102;

std::vector<QRectF> rectsOf(const ReportDocument* doc, const std::vector<ObjectRef>& refs)
{
    std::vector<QRectF> rects;
    for (const ObjectRef& r : refs)
        rects.push_back(doc->objectRect(r));
    return rects;
}
} // namespace

void alignSelection(ReportDocument* doc, AlignKind kind)
{
    const std::vector<ObjectRef> refs = doc->selection().objects;
    if (refs.size() < 2)
        return;
    std::vector<QRectF> rects = rectsOf(doc, refs);
    const QRectF ref = rects.front();
    QString name;
    for (QRectF& r : rects) {
        switch (kind) {
        case AlignKind::Left:
            r.moveLeft(ref.left());
            name = QStringLiteral("왼쪽 맞춤");
            break;
        case AlignKind::Right:
            r.moveRight(ref.right());
            name = QStringLiteral("오른쪽 맞춤");
            break;
        case AlignKind::Top:
            r.moveTop(ref.top());
            name = QStringLiteral("위쪽 맞춤");
            break;
        case AlignKind::Bottom:
            r.moveBottom(ref.bottom());
            name = QStringLiteral("아래쪽 맞춤");
            break;
        case AlignKind::HCenter:
            r.moveLeft(ref.center().x() - r.width() / 2);
            name = QStringLiteral("가로 가운데 맞춤");
            break;
        case AlignKind::VCenter:
            r.moveTop(ref.center().y() - r.height() / 2);
            name = QStringLiteral("세로 가운데 맞춤");
            break;
        case AlignKind::SameWidth:
            r.setWidth(ref.width());
            name = QStringLiteral("같은 너비");
            break;
        case AlignKind::SameHeight:
            r.setHeight(ref.height());
            name = QStringLiteral("같은 높이");
            break;
        }
    }
    doc->setObjectRects(name, refs, rects);
}

void nudgeSelection(ReportDocument* doc, double dx, double dy, bool resize)
{
    const std::vector<ObjectRef> refs = doc->selection().objects;
    if (refs.empty())
        return;
    std::vector<QRectF> rects = rectsOf(doc, refs);
    for (QRectF& r : rects) {
        if (resize) {
            r.setWidth(std::max(1.0, r.width() + dx));
            r.setHeight(std::max(1.0, r.height() + dy));
        } else {
            r.translate(dx, dy);
        }
    }
    doc->setObjectRects(resize ? QStringLiteral("크기 변경") : QStringLiteral("이동"), refs, rects,
                        resize ? NudgeResizeId : NudgeMoveId);
}

ReportObject newObject(ReportObject::Type type, const QString& text, ShapeKind shape)
{
    ReportObject o;
    o.type = type;
    o.text = text;
    o.shape = shape;
    o.width = mmToPx(25);
    o.height = mmToPx(5);
    switch (type) {
    case ReportObject::Line:
        o.height = 0;
        o.frame.sides = 0;
        break;
    case ReportObject::Shape:
        o.height = mmToPx(15);
        break;
    case ReportObject::Picture:
        o.width = mmToPx(25);
        o.height = mmToPx(25);
        break;
    default:
        break;
    }
    return o;
}

QString fieldExpression(const QString& dataSet, const QString& field)
{
    return QStringLiteral("[%1.\"%2\"]").arg(dataSet, field);
}

namespace
{
// The text object of a band a new column should look like: the rightmost one.
const ReportObject* lookSource(const Band& band)
{
    const ReportObject* found = nullptr;
    for (const ReportObject& o : band.objects)
        if (o.type == ReportObject::Memo && (!found || o.left > found->left))
            found = &o;
    return found;
}

// A new column's object takes the look and the row of the band's other columns.
void takeLook(ReportObject* o, const ReportObject* source)
{
    if (!source)
        return;
    o->font = source->font;
    o->frame = source->frame;
    o->fill = source->fill;
    o->vAlign = source->vAlign;
    o->wordWrap = source->wordWrap;
    o->top = source->top;
    o->height = source->height;
}
} // namespace

void dropField(ReportDocument* doc, int band, const QPointF& pos, const QString& dataSet,
               const QString& field, const QHash<QString, QString>& titles)
{
    const ReportPage& page = doc->page();
    if (band < 0 || band >= int(page.bands.size()) || field.isEmpty())
        return;
    const Band& target = page.bands[size_t(band)];
    ReportObject value = newObject(ReportObject::Memo, fieldExpression(dataSet, field));
    value.left = std::max(0.0, pos.x());
    value.top = std::max(0.0, pos.y());
    takeLook(&value, lookSource(target));
    if (target.height > 0 && value.top + value.height > target.height)
        value.top = std::max(0.0, target.height - value.height);
    std::vector<std::pair<int, ReportObject>> objects{{band, value}};
    if (target.type == Band::MasterData) {
        // The title goes into the column header, or the page header where there is none.
        int header = -1;
        for (Band::Type kind : {Band::ColumnHeader, Band::PageHeader})
            for (size_t i = 0; header < 0 && i < page.bands.size(); ++i)
                if (page.bands[i].type == kind)
                    header = int(i);
        if (header >= 0) {
            const Band& h = page.bands[size_t(header)];
            ReportObject title = newObject(ReportObject::Memo, titles.value(field, field));
            title.left = value.left;
            title.width = value.width;
            title.top = std::max(0.0, (h.height - title.height) / 2);
            title.font.style |= FontSpec::Bold;
            title.hAlign = HAlign::Center;
            if (const ReportObject* source = lookSource(h)) {
                takeLook(&title, source);
                title.hAlign = source->hAlign;
            }
            objects.emplace_back(header, title);
        }
    }
    doc->addObjectsToBands(QStringLiteral("필드 넣기: ") + field, objects);
    // The field's value is the object the user goes on with.
    if (!doc->selection().objects.empty())
        doc->selectObjects({doc->selection().objects.front()});
}

} // namespace orvel::report
