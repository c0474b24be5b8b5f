#include "report/designer/ObjectClipboard.h"

#include "report/template/TemplateFormat.h"

#include <QMimeData>

namespace orvel::report
{

QString ObjectClipboard::mimeType()
{
    return QStringLiteral("application/x-orvel-report-objects");
}

QMimeData* ObjectClipboard::copy(const ReportDocument& doc)
{
    XmlNode root;
    root.name = QStringLiteral("Objects");
    QStringList texts;
    for (const ObjectRef& r : doc.selection().objects)
        if (const ReportObject* o = doc.object(r)) {
            root.children.push_back(TemplateFormat::objectToNode(*o));
            if (!o->text.isEmpty())
                texts << o->text;
        }
    if (root.children.empty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(mimeType(), XmlTree::write(root));
    data->setText(texts.join(QLatin1Char('\n')));
    return data;
}

std::vector<ReportObject> ObjectClipboard::objects(const QMimeData* data)
{
    std::vector<ReportObject> result;
    if (!data || !data->hasFormat(mimeType()))
        return result;
    XmlNode root;
    QString error;
    if (!XmlTree::parse(QString::fromUtf8(data->data(mimeType())), &root, &error) ||
        root.name != QLatin1String("Objects"))
        return result;
    for (const XmlNode& node : root.children) {
        ReportObject o;
        if (TemplateFormat::objectFromNode(node, &o))
            result.push_back(std::move(o));
    }
    return result;
}

bool ObjectClipboard::paste(ReportDocument* doc, const QMimeData* data)
{
    std::vector<ReportObject> list = objects(data);
    const ReportPage& page = doc->page();
    if (list.empty() || page.bands.empty())
        return false;
    int band = -1;
    const DesignSelection& s = doc->selection();
    if (s.band.index >= 0 && !s.band.placeholder)
        band = s.band.index;
    else if (!s.objects.empty())
        band = s.objects.front().band;
    for (size_t i = 0; band < 0 && i < page.bands.size(); ++i)
        if (page.bands[i].type == Band::MasterData)
            band = int(i);
    if (band < 0)
        band = 0;
    doc->addObjects(QStringLiteral("붙여넣기"), band, std::move(list));
    return true;
}

} // namespace orvel::report
