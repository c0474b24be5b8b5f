#pragma once

#include "report/model/XmlNode.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <vector>

namespace orvel::report
{

/// Attributes and child elements of a template element that the engine does not use,
/// written back unchanged.
struct KeptXml {
    std::vector<XmlNode::Attribute> attributes;
    std::vector<XmlNode> children;
    bool operator==(const KeptXml&) const = default;
};

/// Font of a text object: name, pixel height, style bits and colour.
struct FontSpec {
    enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
    QString name = QStringLiteral("Arial");
    int pixelHeight = 13;
    int style = 0;
    QColor color = Qt::black;
    int charset = 1;
    bool operator==(const FontSpec&) const = default;
};

/// Frame lines around an object; kinds is a bit mask of the sides.
struct FrameSpec {
    enum Side { Left = 1, Right = 2, Top = 4, Bottom = 8 };
    int sides = 0;
    QColor color = Qt::black;
    double width = 1.0;
    int style = 1; // Qt::PenStyle: solid unless a template says otherwise
    bool operator==(const FrameSpec&) const = default;
};

/// How a value is turned into text.
struct DisplayFormat {
    enum Kind { Text, Numeric, DateTime, Boolean };
    Kind kind = Text;
    QString formatString;
    QString decimalSeparator;
    QString thousandSeparator;
    bool operator==(const DisplayFormat&) const = default;
};

enum class HAlign { Left, Right, Center, Justify };
enum class VAlign { Top, Center, Bottom };
enum class StretchMode { None, ActualHeight, MaxHeight };
enum class ShapeKind {
    Rectangle,
    RoundRectangle,
    Ellipse,
    Triangle,
    Diamond,
    Diagonal1,
    Diagonal2
};

/// One printable object on a band. Geometry is in pixels at 96 dpi, relative to the band.
struct ReportObject {
    enum Type { Memo, SysMemo, Line, Shape, Picture };
    Type type = Memo;
    QString name;
    double left = 0, top = 0, width = 0, height = 0;
    bool visible = true;

    // text objects
    QString text;
    QString dataSetName;
    QString dataField;
    FontSpec font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool wordWrap = true;
    bool allowExpressions = true;
    bool hideZeros = false;
    QString expressionDelimiters = QStringLiteral("[,]");
    StretchMode stretch = StretchMode::None;
    DisplayFormat format;
    double gapX = 2, gapY = 1;
    QColor fill; // invalid = transparent
    FrameSpec frame;

    // lines and shapes
    bool diagonal = false;
    ShapeKind shape = ShapeKind::Rectangle;

    // pictures
    QString fileLink;
    QByteArray imageData; // embedded image file bytes (PNG, JPEG, BMP ...)
    bool stretched = true;
    bool keepAspect = true;
    bool center = false;

    KeptXml kept;
    bool operator==(const ReportObject&) const = default;
};

/// One band of a page: its kind decides when it prints.
struct Band {
    // Print order of band kinds on a page.
    enum Type {
        ReportTitle,
        PageHeader,
        ColumnHeader,
        GroupHeader,
        MasterData,
        GroupFooter,
        ColumnFooter,
        ReportSummary,
        PageFooter,
        Other
    };
    Type type = MasterData;
    QString elementName; // the element the band was read from
    QString name;
    double left = 0, top = 0, width = 0, height = 0; // pixels
    QString dataSetName;
    int rowCount = 0;       // rows printed by a data band bound to no data set
    int columns = 1;        // labels across on a data band
    double columnWidth = 0; // pixels
    double columnGap = 0;   // pixels
    QString condition;      // group condition
    bool stretched = false;
    bool startNewPage = false;
    bool printOnFirstPage = true;
    bool printOnLastPage = true;
    bool visible = true;
    // Links to other bands of the page, by name, and page-break options.
    QString childName;  // child band printed right after this band
    QString headerName; // data bands: their header and footer, when the template names them
    QString footerName;
    bool keepChild = false;          // this band and its child bands share a page
    bool allowSplit = false;         // a band taller than the room left splits across pages
    bool keepTogether = false;       // group headers: the whole group moves to the next page
    bool reprintOnNewPage = false;   // headers: printed again on each page the data goes on
    bool printIfDetailEmpty = false; // data bands: a row prints even without detail rows
    QString outlineText;             // expression whose value becomes an outline entry
    QString masterFields;            // detail bands: relation to the master row (see DataRelation)
    QString detailFields;
    std::vector<ReportObject> objects;
    KeptXml kept;
    bool operator==(const Band&) const = default;
};

/// Band elements the designer keeps as they are but preparing prints: the headers and
/// footers of data bands, child bands and detail data bands.
enum class LinkedBand { None, Header, Footer, Child, DetailData, SubdetailData };

/// A subreport object: another page of the template printed inside a band.
struct SubreportRef {
    QString pageName;
    double left = 0, top = 0, width = 0, height = 0; // pixels, relative to the band
};

/// One page of a template: paper, margins, label columns and bands.
struct ReportPage {
    QString name;
    int paperSize = 9;        // 9 = A4
    double paperWidth = 210;  // mm, as oriented
    double paperHeight = 297; // mm
    bool landscape = false;
    double leftMargin = 10, rightMargin = 10, topMargin = 10, bottomMargin = 10; // mm
    int columns = 1;               // page columns, filled down then across
    double columnWidth = 0;        // mm
    QList<double> columnPositions; // mm from the left margin
    bool titleBeforeHeader = true;
    std::vector<Band> bands;
    KeptXml kept;
    bool operator==(const ReportPage&) const = default;
};

/// A data set the template declares.
struct DataSetRef {
    QString name;
    KeptXml kept;
    bool operator==(const DataSetRef&) const = default;
};

/// Report-level settings.
struct ReportSettings {
    // Preview buttons, in this bit order.
    enum PreviewButton {
        Print = 1,
        Open = 2,
        Save = 4,
        Export = 8,
        Zoom = 16,
        Find = 32,
        Outline = 64,
        PageSetup = 128,
        Tools = 256,
        Edit = 512,
        Navigator = 1024,
        QuickExport = 2048
    };
    QString version = QStringLiteral("4.3");
    QString scriptLanguage = QStringLiteral("PascalScript");
    QString scriptText;
    int previewButtons = 4095;
    double previewZoom = 1.0;
    bool previewModal = true;
    bool previewMaximized = true;
    QString printerName = QStringLiteral("Default");
    QString reportName;
    bool operator==(const ReportSettings&) const = default;
};

/// A whole report template.
struct ReportTemplate {
    ReportSettings settings;
    std::vector<DataSetRef> dataSets;
    std::vector<ReportPage> pages;
    KeptXml kept; // root attributes and elements we do not read

    /// A new report as the designer starts it: A4 portrait, 10 mm margins, one page.
    static ReportTemplate newReport();
    bool operator==(const ReportTemplate&) const = default;
};

/// Millimetres to template pixels (96 dpi).
inline double mmToPx(double mm)
{
    return mm * 96.0 / 25.4;
}
inline double pxToMm(double px)
{
    return px * 25.4 / 96.0;
}

} // namespace orvel::report
