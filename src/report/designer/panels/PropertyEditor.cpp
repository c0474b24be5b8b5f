#include "report/designer/panels/PropertyEditor.h"

#include "report/designer/ReportDocument.h"
#include "report/designer/panels/BandSection.h"
#include "report/designer/panels/FontSection.h"
#include "report/designer/panels/FormatSection.h"
#include "report/designer/panels/FrameSection.h"
#include "report/designer/panels/ObjectSection.h"
#include "report/designer/panels/PageSection.h"
#include "report/designer/panels/PictureSection.h"
#include "report/designer/panels/ShapeSection.h"
#include "report/designer/panels/TextSection.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace orvel::report
{

namespace
{

QString typeName(ReportObject::Type type)
{
    static const char* const names[] = {"메모", "시스템 메모", "선", "도형", "그림"};
    return QString::fromUtf8(names[type]);
}

} // namespace

PropertyEditor::PropertyEditor(ReportDocument* doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("propertyEditor"));
    setAccessibleName(QStringLiteral("속성"));

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("selectionCaption"));
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_caption->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    // Top to bottom in the order the fields are usually visited; the tab order follows.
    m_sections = {new ObjectSection(doc, content),  new TextSection(doc, content),
                  new FontSection(doc, content),    new FormatSection(doc, content),
                  new FrameSection(doc, content),   new ShapeSection(doc, content),
                  new PictureSection(doc, content), new BandSection(doc, content),
                  new PageSection(doc, content)};
    for (PropertySection* s : m_sections)
        column->addWidget(s);
    column->addStretch();

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("propertyScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_caption);
    layout->addWidget(scroll, 1);

    connect(doc, &ReportDocument::changed, this, &PropertyEditor::refresh);
    connect(doc, &ReportDocument::selectionChanged, this, &PropertyEditor::refresh);
    connect(doc, &ReportDocument::pageSwitched, this, &PropertyEditor::refresh);
    refresh();
}

void PropertyEditor::refresh()
{
    // While sections hide and load, a field giving up the focus writes nothing.
    for (PropertySection* s : m_sections)
        s->blockEdits(true);
    m_caption->setText(caption());
    for (PropertySection* s : m_sections) {
        const bool applies = s->appliesToSelection();
        if (applies)
            s->refresh();
        s->setVisible(applies);
    }
    for (PropertySection* s : m_sections)
        s->blockEdits(false);
}

QString PropertyEditor::caption() const
{
    const DesignSelection& s = m_doc->selection();
    if (s.objects.size() > 1)
        return QStringLiteral("개체 %1개").arg(s.objects.size());
    if (s.objects.size() == 1) {
        if (const ReportObject* o = m_doc->object(s.objects[0]))
            return QStringLiteral("%1 (%2)").arg(o->name, typeName(o->type));
        const XmlNode* node = m_doc->placeholder(s.objects[0]);
        return node ? node->attribute(QStringLiteral("Name"), node->name) : QString();
    }
    if (s.band.index >= 0)
        return QStringLiteral("밴드");
    return QStringLiteral("페이지 %1").arg(m_doc->page().name).trimmed();
}

} // namespace orvel::report
