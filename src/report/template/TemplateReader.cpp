// Reading side of TemplateFormat: XML tree -> report model.
#include "report/template/Fr3Names.h"
#include "report/template/TemplateDecoding.h"
#include "report/template/TemplateFormat.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

namespace orvel::report
{

namespace
{

struct FormatError {
    QString message;
};

constexpr double MaxCoordinate = 1.0e6; // pixels or millimetres; far beyond any paper

/// Reads attributes of one element, remembering which were used; the rest are kept.
class AttrReader
{
public:
    explicit AttrReader(const XmlNode& node) : m_node(node), m_used(node.attributes.size()) {}

    bool has(const char* key) const { return index(key) >= 0; }

    /// The value without marking it used: it stays among the kept attributes.
    QString peek(const char* key) const
    {
        const int i = index(key);
        return i < 0 ? QString() : m_node.attributes[i].value;
    }

    QString str(const char* key, const QString& fallback = {})
    {
        int i = index(key);
        if (i < 0)
            return fallback;
        m_used[i] = true;
        return m_node.attributes[i].value;
    }

    double num(const char* key, double fallback, double lo = -MaxCoordinate,
               double hi = MaxCoordinate)
    {
        int i = index(key);
        if (i < 0)
            return fallback;
        m_used[i] = true;
        const QString& t = m_node.attributes[i].value;
        if (t.trimmed().isEmpty())
            return fallback;
        double v = 0;
        if (!parseTemplateNumber(t, &v))
            fail(key, t, "is not a number");
        if (v < lo || v > hi)
            fail(key, t, "is out of range");
        return v;
    }

    int integer(const char* key, int fallback, int lo, int hi)
    {
        return int(std::lround(num(key, fallback, lo, hi)));
    }

    bool flag(const char* key, bool fallback)
    {
        QString t = str(key);
        if (t.isEmpty())
            return fallback;
        return t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
               t == QLatin1String("1");
    }

    QColor color(const char* key, const QColor& fallback)
    {
        if (!has(key))
            return fallback;
        QString t = str(key);
        bool ok = true;
        QColor c = fr3::colorFromText(t, &ok);
        if (!ok)
            fail(key, t, "is not a colour");
        return c;
    }

    int bits(const char* key, const QStringList& names)
    {
        if (!has(key))
            return 0;
        QString t = str(key);
        bool ok = true;
        int v = fr3::setFromText(t, names, &ok);
        if (!ok)
            fail(key, t, "is not a set of flags");
        return v;
    }

    void keepRest(KeptXml* kept) const
    {
        for (size_t i = 0; i < m_used.size(); ++i)
            if (!m_used[i])
                kept->attributes.push_back(m_node.attributes[i]);
    }

    [[noreturn]] void fail(const char* key, const QString& value, const char* what) const
    {
        throw FormatError{QStringLiteral("%1 of %2 \"%3\" %4")
                              .arg(QString::fromLatin1(key), m_node.name, value.left(40),
                                   QString::fromLatin1(what))};
    }

private:
    int index(const char* key) const
    {
        for (size_t i = 0; i < m_node.attributes.size(); ++i)
            if (m_node.attributes[i].name == QLatin1String(key))
                return int(i);
        return -1;
    }

    const XmlNode& m_node;
    std::vector<bool> m_used;
};

QString readMemoText(AttrReader& a)
{
    QString text;
    if (a.has("Text")) {
        text = a.str("Text");
    } else if (a.has("Memo.UTF8W")) {
        text = a.str("Memo.UTF8W");
    } else if (a.has("Memo.UTF8")) {
        // UTF-8 bytes stored one per character; text that is no such bytes is taken as it is.
        text = a.str("Memo.UTF8");
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; })) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = utf8.decode(text.toLatin1());
            if (!utf8.hasError())
                text = decoded;
        }
    } else if (a.has("Memo.Text")) {
        text = a.str("Memo.Text");
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QByteArray readPictureData(const QString& hex)
{
    QByteArray raw = QByteArray::fromHex(hex.toLatin1());
    // Stored pictures may start with a length-prefixed class name ("TPngObject" ...),
    // and bitmaps with a 4-byte size. Find the image file signature instead of trusting them.
    static const QByteArray sigs[] = {QByteArray("\x89PNG", 4), QByteArray("\xFF\xD8\xFF", 3),
                                      QByteArray("BM"), QByteArray("GIF8")};
    qsizetype best = -1;
    for (const auto& sig : sigs) {
        qsizetype at = raw.indexOf(sig);
        if (at >= 0 && at < 64 && (best < 0 || at < best))
            best = at;
    }
    return best >= 0 ? raw.mid(best) : raw;
}

// The line now runs the other way: its arrow ends trade places.
void swapArrowEnds(KeptXml* kept)
{
    for (auto& attr : kept->attributes) {
        if (attr.name == QLatin1String("ArrowStart"))
            attr.name = QStringLiteral("ArrowEnd");
        else if (attr.name == QLatin1String("ArrowEnd"))
            attr.name = QStringLiteral("ArrowStart");
    }
}

/// A line drawn right-to-left or bottom-up has a negative width or height. Gives it the
/// box of non-negative size the engine and the designer work with, drawing the same
/// segment.
void normaliseLine(ReportObject* o)
{
    const double w = o->width, h = o->height;
    if (w >= 0 && h >= 0)
        return;
    if (!o->diagonal) {
        // A straight line runs along its larger extent, at its top or left edge.
        const bool horizontal = std::abs(w) >= std::abs(h);
        if (horizontal) {
            o->left += std::min(w, 0.0);
            o->width = std::abs(w);
            o->height = 0;
        } else {
            o->top += std::min(h, 0.0);
            o->height = std::abs(h);
            o->width = 0;
        }
        if (horizontal ? w < 0 : h < 0)
            swapArrowEnds(&o->kept);
        return;
    }
    o->left += std::min(w, 0.0);
    o->top += std::min(h, 0.0);
    o->width = std::abs(w);
    o->height = std::abs(h);
    if (w == 0 || h == 0 || (w < 0) == (h < 0)) {
        // Still from the top-left to the bottom-right corner of its box, drawn backwards.
        swapArrowEnds(&o->kept);
    } else {
        // From the bottom-left to the top-right corner of its box: the engine draws that
        // diagonal as a shape, which has no arrows.
        o->type = ReportObject::Shape;
        o->shape = ShapeKind::Diagonal2;
        o->diagonal = false;
        std::erase_if(o->kept.attributes, [](const XmlNode::Attribute& attr) {
            return attr.name.startsWith(QLatin1String("Arrow"));
        });
    }
}

ReportObject readObject(const XmlNode& node, ReportObject::Type type)
{
    ReportObject o;
    o.type = type;
    AttrReader a(node);
    o.name = a.str("Name");
    o.left = a.num("Left", 0);
    o.top = a.num("Top", 0);
    const double least = type == ReportObject::Line ? -MaxCoordinate : 0;
    o.width = a.num("Width", 0, least);
    o.height = a.num("Height", 0, least);
    o.visible = a.flag("Visible", true);
    o.frame.sides = a.bits("Frame.Typ", fr3::frameSideNames()) & 15;
    o.frame.color = a.color("Frame.Color", Qt::black);
    o.frame.width = a.num("Frame.Width", 1, 0, 1000);
    o.frame.style = a.has("Frame.Style") ? fr3::frameStyleFromName(a.str("Frame.Style")) : 1;
    o.fill = a.color("Color", QColor());
    switch (type) {
    case ReportObject::Memo:
    case ReportObject::SysMemo: {
        o.text = readMemoText(a);
        o.dataSetName = a.str("DataSetName");
        o.dataField = a.str("DataField");
        if (o.text.isEmpty() && !o.dataField.isEmpty() && !o.dataSetName.isEmpty())
            o.text = QStringLiteral("[%1.\"%2\"]").arg(o.dataSetName, o.dataField);
        o.font.name = a.str("Font.Name", o.font.name);
        o.font.pixelHeight = std::abs(a.integer("Font.Height", -13, -10000, 10000));
        if (o.font.pixelHeight == 0)
            o.font.pixelHeight = 13;
        o.font.style = a.bits("Font.Style", fr3::fontStyleNames()) & 15;
        o.font.color = a.color("Font.Color", Qt::black);
        if (!o.font.color.isValid())
            o.font.color = Qt::black;
        o.font.charset = a.integer("Font.Charset", 1, 0, 255);
        o.hAlign = fr3::hAlignFromName(a.str("HAlign"));
        o.vAlign = fr3::vAlignFromName(a.str("VAlign"));
        o.wordWrap = a.flag("WordWrap", true);
        o.allowExpressions = a.flag("AllowExpressions", true);
        o.hideZeros = a.flag("HideZeros", false);
        o.expressionDelimiters = a.str("ExpressionDelimiters", o.expressionDelimiters);
        o.stretch = fr3::stretchFromName(a.str("StretchMode"));
        o.gapX = a.num("GapX", 2, 0, 1000);
        o.gapY = a.num("GapY", 1, 0, 1000);
        o.format.kind = fr3::formatKindFromName(a.str("DisplayFormat.Kind"));
        o.format.formatString = a.str("DisplayFormat.FormatStr");
        o.format.decimalSeparator = a.str("DisplayFormat.DecimalSeparator");
        o.format.thousandSeparator = a.str("DisplayFormat.ThousandSeparator");
        if (o.format.kind == DisplayFormat::Text && !o.format.formatString.isEmpty() &&
            !a.has("DisplayFormat.Kind"))
            o.format.kind = DisplayFormat::Numeric;
        break;
    }
    case ReportObject::Line:
        o.diagonal = a.flag("Diagonal", false);
        break;
    case ReportObject::Shape:
        o.shape = fr3::shapeFromName(a.str("Shape"));
        break;
    case ReportObject::Picture:
        o.fileLink = a.str("FileLink");
        if (a.has("Picture.PropData"))
            o.imageData = readPictureData(a.str("Picture.PropData"));
        o.stretched = a.flag("Stretched", true);
        o.keepAspect = a.flag("KeepAspectRatio", true);
        o.center = a.flag("Center", false);
        break;
    }
    a.keepRest(&o.kept);
    o.kept.children = node.children;
    if (type == ReportObject::Line)
        normaliseLine(&o);
    return o;
}

bool objectType(const QString& element, ReportObject::Type* type)
{
    if (element == QLatin1String("TfrxMemoView"))
        *type = ReportObject::Memo;
    else if (element == QLatin1String("TfrxSysMemoView"))
        *type = ReportObject::SysMemo;
    else if (element == QLatin1String("TfrxLineView"))
        *type = ReportObject::Line;
    else if (element == QLatin1String("TfrxShapeView"))
        *type = ReportObject::Shape;
    else if (element == QLatin1String("TfrxPictureView"))
        *type = ReportObject::Picture;
    else
        return false;
    return true;
}

Band readBand(const XmlNode& node, Band::Type type)
{
    Band b;
    b.type = type;
    b.elementName = node.name;
    AttrReader a(node);
    b.name = a.str("Name");
    b.left = a.num("Left", 0);
    b.top = a.num("Top", 0);
    b.width = a.num("Width", 0, 0);
    b.height = a.num("Height", 0, 0);
    b.dataSetName = a.str("DataSetName");
    if (b.dataSetName.isEmpty())
        b.dataSetName = a.peek("DataSet");
    b.rowCount = a.integer("RowCount", 0, 0, 1000000);
    b.columns = std::max(1, a.integer("Columns", 1, 0, 100));
    b.columnWidth = a.num("ColumnWidth", 0, 0);
    b.columnGap = a.num("ColumnGap", 0, 0);
    b.condition = a.str("Condition");
    b.stretched = a.flag("Stretched", false);
    b.startNewPage = a.flag("StartNewPage", false);
    b.printOnFirstPage = a.flag("PrintOnFirstPage", true);
    b.printOnLastPage = a.flag("PrintOnLastPage", true);
    b.visible = a.flag("Visible", true);
    b.childName = a.str("Child");
    b.headerName = a.str("Header");
    b.footerName = a.str("Footer");
    b.keepChild = a.flag("KeepChild", false);
    b.allowSplit = a.flag("AllowSplit", false);
    b.keepTogether = a.flag("KeepTogether", false);
    b.reprintOnNewPage = a.flag("ReprintOnNewPage", false);
    b.printIfDetailEmpty = a.flag("PrintIfDetailEmpty", false);
    b.outlineText = a.str("OutlineText");
    b.masterFields = a.str("MasterFields");
    b.detailFields = a.str("DetailFields");
    a.keepRest(&b.kept);
    for (const XmlNode& child : node.children) {
        ReportObject::Type t;
        if (objectType(child.name, &t))
            b.objects.push_back(readObject(child, t));
        else
            b.kept.children.push_back(child);
    }
    return b;
}

ReportPage readPage(const XmlNode& node)
{
    ReportPage p;
    AttrReader a(node);
    p.name = a.str("Name");
    p.paperSize = a.integer("PaperSize", 9, 0, 100000);
    p.paperWidth = a.num("PaperWidth", 210, 1, 10000);
    p.paperHeight = a.num("PaperHeight", 297, 1, 10000);
    if (a.has("Orientation")) {
        p.landscape =
            a.str("Orientation").compare(QLatin1String("poLandscape"), Qt::CaseInsensitive) == 0;
        if (p.landscape && p.paperWidth < p.paperHeight)
            std::swap(p.paperWidth, p.paperHeight);
    } else {
        p.landscape = p.paperWidth > p.paperHeight;
    }
    p.leftMargin = a.num("LeftMargin", 10, 0, 10000);
    p.rightMargin = a.num("RightMargin", 10, 0, 10000);
    p.topMargin = a.num("TopMargin", 10, 0, 10000);
    p.bottomMargin = a.num("BottomMargin", 10, 0, 10000);
    p.columns = std::max(1, a.integer("Columns", 1, 0, 100));
    p.columnWidth = a.num("ColumnWidth", 0, 0, 10000);
    const QString positions = a.str("ColumnPositions.Text");
    for (const QString& line :
         QString(positions).replace('\r', '\n').split('\n', Qt::SkipEmptyParts)) {
        double v = 0;
        if (!parseTemplateNumber(line, &v) || v < 0 || v > 10000)
            a.fail("ColumnPositions.Text", line, "is not a column position");
        p.columnPositions << v;
    }
    p.titleBeforeHeader = a.flag("TitleBeforeHeader", true);
    a.keepRest(&p.kept);
    for (const XmlNode& child : node.children) {
        bool isBand = false;
        Band::Type t = fr3::bandType(child.name, &isBand);
        if (isBand)
            p.bands.push_back(readBand(child, t));
        else
            p.kept.children.push_back(child);
    }
    // Print order comes from the band kind, then from the position among bands of one kind.
    std::stable_sort(p.bands.begin(), p.bands.end(), [](const Band& x, const Band& y) {
        return x.type != y.type ? x.type < y.type : x.top < y.top;
    });
    return p;
}

std::unique_ptr<ReportTemplate> readReport(const XmlNode& root)
{
    if (root.name != QLatin1String("TfrxReport"))
        throw FormatError{
            QStringLiteral("not a report template (root element <%1>)").arg(root.name.left(40))};
    auto report = std::make_unique<ReportTemplate>();
    ReportSettings& s = report->settings;
    AttrReader a(root);
    s.version = a.str("Version", s.version);
    s.scriptLanguage = a.str("ScriptLanguage", s.scriptLanguage);
    s.scriptText = a.str("ScriptText.Text");
    if (a.has("PreviewOptions.Buttons"))
        s.previewButtons = a.bits("PreviewOptions.Buttons", fr3::previewButtonNames()) & 4095;
    s.previewZoom = a.num("PreviewOptions.Zoom", 1, 0.01, 100);
    s.previewModal = a.flag("PreviewOptions.Modal", true);
    s.previewMaximized = a.flag("PreviewOptions.Maximized", true);
    s.printerName = a.str("PrintOptions.Printer", s.printerName);
    s.reportName = a.str("ReportOptions.Name");
    a.keepRest(&report->kept);
    for (const XmlNode& child : root.children) {
        if (child.name == QLatin1String("TfrxReportPage")) {
            report->pages.push_back(readPage(child));
        } else if (child.name == QLatin1String("Datasets")) {
            for (const XmlNode& item : child.children) {
                AttrReader ia(item);
                DataSetRef ref;
                ref.name = ia.str("DataSetName");
                ia.keepRest(&ref.kept);
                ref.kept.children = item.children;
                report->dataSets.push_back(ref);
            }
        } else {
            report->kept.children.push_back(child);
        }
    }
    return report;
}

} // namespace

bool parseTemplateNumber(const QString& text, double* value)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

std::unique_ptr<ReportTemplate> TemplateFormat::readBytes(const QByteArray& bytes)
{
    m_error.clear();
    XmlNode root;
    QString error;
    if (!XmlTree::parse(TemplateDecoding::decode(bytes), &root, &error)) {
        m_error = QStringLiteral("damaged template: ") + error;
        return nullptr;
    }
    try {
        return readReport(root);
    } catch (const FormatError& e) {
        m_error = QStringLiteral("damaged template: ") + e.message;
        return nullptr;
    }
}

bool TemplateFormat::objectFromNode(const XmlNode& node, ReportObject* object)
{
    ReportObject::Type type;
    if (!objectType(node.name, &type))
        return false;
    try {
        *object = readObject(node, type);
        return true;
    } catch (const FormatError&) {
        return false;
    }
}

bool TemplateFormat::bandFromNode(const XmlNode& node, Band* band)
{
    bool isBand = false;
    const Band::Type type = fr3::bandType(node.name, &isBand);
    if (!isBand && fr3::linkedBand(node.name) == LinkedBand::None)
        return false;
    try {
        *band = readBand(node, type);
        return true;
    } catch (const FormatError&) {
        return false;
    }
}

bool TemplateFormat::subreportFromNode(const XmlNode& node, SubreportRef* subreport)
{
    if (node.name != QLatin1String("TfrxSubreport"))
        return false;
    auto number = [&node](const char* key) {
        double v = 0;
        return parseTemplateNumber(node.attribute(QLatin1String(key)), &v) &&
                       std::abs(v) <= MaxCoordinate
                   ? v
                   : 0.0;
    };
    subreport->pageName = node.attribute(QStringLiteral("Page"));
    subreport->left = number("Left");
    subreport->top = number("Top");
    subreport->width = std::max(0.0, number("Width"));
    subreport->height = std::max(0.0, number("Height"));
    return true;
}

std::unique_ptr<ReportTemplate> TemplateFormat::read(QIODevice* device)
{
    if (device->size() > MaxFileSize) {
        m_error = QStringLiteral("template too large (%1 bytes)").arg(device->size());
        return nullptr;
    }
    return readBytes(device->read(MaxFileSize + 1));
}

std::unique_ptr<ReportTemplate> TemplateFormat::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return nullptr;
    }
    auto report = read(&file);
    if (!report)
        m_error = path + QStringLiteral(": ") + m_error;
    return report;
}

} // namespace orvel::report
