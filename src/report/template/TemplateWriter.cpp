// Writing side of TemplateFormat: report model -> XML tree.
#include "report/template/Fr3Names.h"
#include "report/template/TemplateFormat.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>

namespace orvel::report
{

namespace
{

QString num(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}
QString boolText(bool v)
{
    return v ? QStringLiteral("True") : QStringLiteral("False");
}

void appendKept(XmlNode* node, const KeptXml& kept)
{
    for (const auto& a : kept.attributes)
        node->attributes.push_back(a);
    for (const auto& c : kept.children)
        node->children.push_back(c);
}

XmlNode writeObject(const ReportObject& o)
{
    static const char* const elements[] = {"TfrxMemoView", "TfrxSysMemoView", "TfrxLineView",
                                           "TfrxShapeView", "TfrxPictureView"};
    XmlNode n;
    n.name = QString::fromLatin1(elements[o.type]);
    n.setAttribute("Name", o.name);
    n.setAttribute("Left", num(o.left));
    n.setAttribute("Top", num(o.top));
    n.setAttribute("Width", num(o.width));
    n.setAttribute("Height", num(o.height));
    if (!o.visible)
        n.setAttribute("Visible", boolText(false));
    if (o.fill.isValid())
        n.setAttribute("Color", fr3::colorToText(o.fill));
    if (o.frame.sides)
        n.setAttribute("Frame.Typ", QString::number(o.frame.sides));
    if (o.frame.color != QColor(Qt::black))
        n.setAttribute("Frame.Color", fr3::colorToText(o.frame.color));
    if (o.frame.width != 1.0)
        n.setAttribute("Frame.Width", num(o.frame.width));
    if (o.frame.style != 1)
        n.setAttribute("Frame.Style", fr3::frameStyleName(o.frame.style));
    switch (o.type) {
    case ReportObject::Memo:
    case ReportObject::SysMemo:
        if (!o.dataSetName.isEmpty())
            n.setAttribute("DataSetName", o.dataSetName);
        if (!o.dataField.isEmpty())
            n.setAttribute("DataField", o.dataField);
        n.setAttribute("Font.Charset", QString::number(o.font.charset));
        n.setAttribute("Font.Color", fr3::colorToText(o.font.color));
        n.setAttribute("Font.Height", QString::number(-o.font.pixelHeight));
        n.setAttribute("Font.Name", o.font.name);
        n.setAttribute("Font.Style", QString::number(o.font.style));
        if (o.hAlign != HAlign::Left)
            n.setAttribute("HAlign", fr3::hAlignName(o.hAlign));
        if (o.vAlign != VAlign::Top)
            n.setAttribute("VAlign", fr3::vAlignName(o.vAlign));
        if (!o.wordWrap)
            n.setAttribute("WordWrap", boolText(false));
        if (!o.allowExpressions)
            n.setAttribute("AllowExpressions", boolText(false));
        if (o.hideZeros)
            n.setAttribute("HideZeros", boolText(true));
        if (o.expressionDelimiters != QLatin1String("[,]"))
            n.setAttribute("ExpressionDelimiters", o.expressionDelimiters);
        if (o.stretch != StretchMode::None)
            n.setAttribute("StretchMode", fr3::stretchName(o.stretch));
        if (o.gapX != 2)
            n.setAttribute("GapX", num(o.gapX));
        if (o.gapY != 1)
            n.setAttribute("GapY", num(o.gapY));
        if (o.format.kind != DisplayFormat::Text || !o.format.formatString.isEmpty()) {
            n.setAttribute("DisplayFormat.FormatStr", o.format.formatString);
            n.setAttribute("DisplayFormat.Kind", fr3::formatKindName(o.format.kind));
        }
        if (!o.format.decimalSeparator.isEmpty())
            n.setAttribute("DisplayFormat.DecimalSeparator", o.format.decimalSeparator);
        if (!o.format.thousandSeparator.isEmpty())
            n.setAttribute("DisplayFormat.ThousandSeparator", o.format.thousandSeparator);
        n.setAttribute("Text", QString(o.text).replace(QLatin1String("\n"), QLatin1String("\r\n")));
        break;
    case ReportObject::Line:
        if (o.diagonal)
            n.setAttribute("Diagonal", boolText(true));
        break;
    case ReportObject::Shape:
        n.setAttribute("Shape", fr3::shapeName(o.shape));
        break;
    case ReportObject::Picture:
        if (!o.fileLink.isEmpty())
            n.setAttribute("FileLink", o.fileLink);
        if (!o.imageData.isEmpty())
            n.setAttribute("Picture.PropData", QString::fromLatin1(o.imageData.toHex().toUpper()));
        n.setAttribute("Stretched", boolText(o.stretched));
        n.setAttribute("KeepAspectRatio", boolText(o.keepAspect));
        if (o.center)
            n.setAttribute("Center", boolText(true));
        break;
    }
    appendKept(&n, o.kept);
    return n;
}

XmlNode writeBand(const Band& b)
{
    XmlNode n;
    n.name = b.elementName.isEmpty() ? fr3::bandElement(b.type) : b.elementName;
    n.setAttribute("Name", b.name);
    n.setAttribute("Left", num(b.left));
    n.setAttribute("Top", num(b.top));
    n.setAttribute("Width", num(b.width));
    n.setAttribute("Height", num(b.height));
    if (!b.dataSetName.isEmpty())
        n.setAttribute("DataSetName", b.dataSetName);
    if (b.type == Band::MasterData)
        n.setAttribute("RowCount", QString::number(b.rowCount));
    if (b.columns > 1) {
        n.setAttribute("Columns", QString::number(b.columns));
        n.setAttribute("ColumnWidth", num(b.columnWidth));
        n.setAttribute("ColumnGap", num(b.columnGap));
    }
    if (!b.condition.isEmpty())
        n.setAttribute("Condition", b.condition);
    if (b.stretched)
        n.setAttribute("Stretched", boolText(true));
    if (b.startNewPage)
        n.setAttribute("StartNewPage", boolText(true));
    if (!b.printOnFirstPage)
        n.setAttribute("PrintOnFirstPage", boolText(false));
    if (!b.printOnLastPage)
        n.setAttribute("PrintOnLastPage", boolText(false));
    if (!b.visible)
        n.setAttribute("Visible", boolText(false));
    const std::pair<const char*, const QString*> links[] = {
        {"Child", &b.childName},           {"Header", &b.headerName},
        {"Footer", &b.footerName},         {"OutlineText", &b.outlineText},
        {"MasterFields", &b.masterFields}, {"DetailFields", &b.detailFields}};
    for (const auto& [key, value] : links)
        if (!value->isEmpty())
            n.setAttribute(key, *value);
    const std::pair<const char*, bool> options[] = {{"KeepChild", b.keepChild},
                                                    {"AllowSplit", b.allowSplit},
                                                    {"KeepTogether", b.keepTogether},
                                                    {"ReprintOnNewPage", b.reprintOnNewPage},
                                                    {"PrintIfDetailEmpty", b.printIfDetailEmpty}};
    for (const auto& [key, on] : options)
        if (on)
            n.setAttribute(key, boolText(true));
    for (const auto& o : b.objects)
        n.children.push_back(writeObject(o));
    appendKept(&n, b.kept);
    return n;
}

XmlNode writePage(const ReportPage& p)
{
    XmlNode n;
    n.name = QStringLiteral("TfrxReportPage");
    n.setAttribute("Name", p.name);
    n.setAttribute("PaperWidth", num(p.paperWidth));
    n.setAttribute("PaperHeight", num(p.paperHeight));
    n.setAttribute("PaperSize", QString::number(p.paperSize));
    n.setAttribute("Orientation",
                   p.landscape ? QStringLiteral("poLandscape") : QStringLiteral("poPortrait"));
    n.setAttribute("LeftMargin", num(p.leftMargin));
    n.setAttribute("RightMargin", num(p.rightMargin));
    n.setAttribute("TopMargin", num(p.topMargin));
    n.setAttribute("BottomMargin", num(p.bottomMargin));
    if (p.columns > 1)
        n.setAttribute("Columns", QString::number(p.columns));
    if (p.columnWidth > 0)
        n.setAttribute("ColumnWidth", num(p.columnWidth));
    if (!p.columnPositions.isEmpty()) {
        QStringList lines;
        for (double v : p.columnPositions)
            lines << num(v);
        n.setAttribute("ColumnPositions.Text", lines.join(QLatin1String("\r\n")));
    }
    if (!p.titleBeforeHeader)
        n.setAttribute("TitleBeforeHeader", boolText(false));
    for (const auto& b : p.bands)
        n.children.push_back(writeBand(b));
    appendKept(&n, p.kept);
    return n;
}

} // namespace

QByteArray TemplateFormat::toBytes(const ReportTemplate& report)
{
    const ReportSettings& s = report.settings;
    XmlNode root;
    root.name = QStringLiteral("TfrxReport");
    root.setAttribute("Version", s.version);
    root.setAttribute("ScriptLanguage", s.scriptLanguage);
    root.setAttribute("ScriptText.Text", s.scriptText);
    root.setAttribute("PreviewOptions.Buttons",
                      fr3::setToText(s.previewButtons, fr3::previewButtonNames()));
    root.setAttribute("PreviewOptions.Zoom", num(s.previewZoom));
    root.setAttribute("PreviewOptions.Modal", boolText(s.previewModal));
    root.setAttribute("PreviewOptions.Maximized", boolText(s.previewMaximized));
    root.setAttribute("PrintOptions.Printer", s.printerName);
    if (!s.reportName.isEmpty())
        root.setAttribute("ReportOptions.Name", s.reportName);
    for (const auto& a : report.kept.attributes)
        root.attributes.push_back(a);
    if (!report.dataSets.empty()) {
        XmlNode sets;
        sets.name = QStringLiteral("Datasets");
        for (const auto& d : report.dataSets) {
            XmlNode item;
            item.name = QStringLiteral("item");
            item.setAttribute("DataSetName", d.name);
            appendKept(&item, d.kept);
            sets.children.push_back(item);
        }
        root.children.push_back(sets);
    }
    for (const auto& c : report.kept.children)
        root.children.push_back(c);
    for (const auto& p : report.pages)
        root.children.push_back(writePage(p));
    return XmlTree::write(root);
}

bool TemplateFormat::write(const ReportTemplate& report, QIODevice* device)
{
    m_error.clear();
    const QByteArray bytes = toBytes(report);
    if (device->write(bytes) != bytes.size()) {
        m_error = QStringLiteral("cannot write template: ") + device->errorString();
        return false;
    }
    return true;
}

bool TemplateFormat::writeFile(const ReportTemplate& report, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    if (!write(report, &file))
        return false;
    if (!file.commit()) {
        m_error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

XmlNode TemplateFormat::objectToNode(const ReportObject& object)
{
    return writeObject(object);
}

ReportTemplate ReportTemplate::newReport()
{
    ReportTemplate r;
    ReportPage page;
    page.name = QStringLiteral("Page1");
    r.pages.push_back(page);
    return r;
}

} // namespace orvel::report
