#pragma once

// Shared by the label tests: a small catalogue in the makers' XML form, customer rows and the
// check that prepared labels start where their sheet says.

#include "report/Report.h"
#include "report/designer/labels/LabelSheet.h"
#include "report/designer/labels/LabelTemplateBuilder.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cmath>
#include <functional>

namespace labeltest
{

using namespace orvel::report;
using namespace orvel::report::labels;

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

/// Paper sizes and a few sheets of a maker "Acme", in the catalogue's units.
inline bool writeCatalogue(const QString& dir)
{
    const QByteArray papers = R"(<?xml version="1.0"?>
<Glabels-paper-sizes>
  <Paper-size id="A4" _name="A4" width="210mm" height="297mm"/>
  <Paper-size id="US-Letter" _name="US Letter" width="8.5in" height="11in"/>
</Glabels-paper-sizes>
)";
    const QByteArray sheets = R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Acme" part="R100" size="A4" _description="Address labels">
    <Meta category="label"/>
    <Label-rectangle id="0" width="99.1mm" height="38.1mm" round="2.5mm" x_waste="0mm" y_waste="0mm">
      <Markup-margin size="1mm"/>
      <Layout nx="2" ny="7" x0="4.65mm" y0="15.15mm" dx="101.6mm" dy="38.1mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="R100-K" equiv="R100"/>
  <Template brand="Acme" part="P30" size="US-Letter" description="Letter labels">
    <Label-rectangle id="0" width="2.625in" height="1in" round="0.0625in">
      <Layout nx="3" ny="10" x0="0.1875in" y0="0.5in" dx="2.75in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="CM4" size="Other" width="10cm" height="15cm">
    <Label-rectangle id="0" width="9cm" height="4cm">
      <Layout nx="1" ny="3" x0="0.5cm" y0="1cm" dy="4.5cm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="PT2" size="Other" width="288" height="432pt">
    <Label-rectangle id="0" width="144" height="72pt" round="in">
      <Layout nx="2" ny="5" x0="0" y0="36" dx="144" dy="72pt"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="ROUND1" size="A4">
    <Label-round id="0" radius="20mm"><Layout nx="4" ny="6" x0="5mm" y0="5mm" dx="50mm" dy="48mm"/></Label-round>
  </Template>
  <Template brand="Acme" part="CD1" size="A4">
    <Label-cd id="0" radius="58.5mm" hole="8.5mm"><Layout nx="1" ny="2" x0="46mm" y0="20mm" dx="0" dy="140mm"/></Label-cd>
  </Template>
  <Template brand="Acme" part="ELL1" size="A4">
    <Label-ellipse id="0" width="60mm" height="40mm"><Layout nx="3" ny="6" x0="10mm" y0="10mm" dx="65mm" dy="45mm"/></Label-ellipse>
  </Template>
  <Template brand="Acme" part="TWO" size="A4">
    <Label-rectangle id="0" width="40mm" height="120mm">
      <Layout nx="1" ny="1" x0="10mm" y0="20mm" dx="0" dy="0"/>
      <Layout nx="1" ny="1" x0="150mm" y0="150mm" dx="0" dy="0"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="BADNUM" size="A4">
    <Label-rectangle id="0" width="abcmm" height="38mm"><Layout nx="2" ny="7" x0="5mm" y0="5mm" dx="100mm" dy="40mm"/></Label-rectangle>
  </Template>
  <Template brand="Acme" part="NOPAPER" size="Z9">
    <Label-rectangle id="0" width="50mm" height="30mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle>
  </Template>
  <Template brand="Acme" part="OFFPAGE" size="A4">
    <Label-rectangle id="0" width="80mm" height="30mm"><Layout nx="3" ny="1" x0="10mm" y0="10mm" dx="85mm"/></Label-rectangle>
  </Template>
  <Template brand="Acme" part="GHOST" equiv="MISSING"/>
</Glabels-templates>
)";
    // Cut off in the middle of an element: the whole file is left out.
    const QByteArray damaged = R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Broken" part="X1" size="A4">
    <Label-rectangle id="0" width="50mm" height="30mm">
      <Layout nx="2" ny="5" x0="5mm" y0="5mm" dx="55mm" dy="35mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Broken" part="X2" size="A4">
    <Label-rectangle id="0" width="50mm" heig)";
    const QByteArray other = R"(<?xml version="1.0"?>
<Glabels-categories><Category id="label" _name="Labels"/></Glabels-categories>
)";
    QDir d(dir);
    return writeFile(d.filePath(QStringLiteral("paper-sizes.xml")), papers) &&
           writeFile(d.filePath(QStringLiteral("acme-templates.xml")), sheets) &&
           writeFile(d.filePath(QStringLiteral("broken-templates.xml")), damaged) &&
           writeFile(d.filePath(QStringLiteral("categories.xml")), other);
}

/// A sheet of a maker "Test" from its measurements in millimetres.
inline LabelSheet sheetOf(const QString& paperId, double pw, double ph, double w, double h, int nx,
                          int ny, double x0, double y0, double dx, double dy)
{
    LabelSheet s;
    s.brand = QStringLiteral("Test");
    s.part = QStringLiteral("%1x%2").arg(nx).arg(ny);
    s.paperId = paperId;
    s.paperName = paperId;
    s.paperWidth = pw;
    s.paperHeight = ph;
    s.labelWidth = w;
    s.labelHeight = h;
    s.columns = nx;
    s.rows = ny;
    s.x0 = x0;
    s.y0 = y0;
    s.dx = dx;
    s.dy = dy;
    return s;
}

inline QStringList customerColumns()
{
    return {QStringLiteral("no"), QStringLiteral("name"), QStringLiteral("home_post"),
            QStringLiteral("home_address")};
}

/// Zip code of row k (0-based): the text of the first line of a default mailing label.
inline QString zipOf(int k)
{
    return QString::number(10001 + k);
}

inline MemoryDataSource customerRows(int count)
{
    std::vector<QVariantList> rows;
    for (int k = 0; k < count; ++k)
        rows.push_back({k + 1, QStringLiteral("고객%1").arg(k + 1), zipOf(k),
                        QStringLiteral("서울시 중구 %1번지").arg(k + 1)});
    return MemoryDataSource(customerColumns(), std::move(rows));
}

inline PreparedReport prepareLabels(const ReportTemplate& t, int count)
{
    MemoryDataSource rows = customerRows(count);
    Report report;
    report.reportTemplate() = t;
    report.setDataSource(&rows, QStringLiteral("RPTDB"));
    report.prepare();
    return report.prepared();
}

/// Checks that the label of every row k starts at (x0 + (k % nx) dx, y0 + (k / nx % rows) dy)
/// on page k / (nx rows), within 0.2 mm, rows being the rows printed per page. A label's
/// start is its first text (firstText(k), the zip code of a default label) less the inner
/// padding. Answers what is wrong.
inline QString checkLabelOrigins(const PreparedReport& prepared, const LabelSheet& sheet, int count,
                                 const std::function<QString(int)>& firstText = zipOf)
{
    const LabelPlacement place = labelPlacement(sheet);
    const int rows = place.rowsPerPage;
    const int perPage = sheet.columns * rows;
    const int pages = (count + perPage - 1) / perPage;
    if (int(prepared.pages.size()) != pages)
        return QStringLiteral("%1 pages, expected %2").arg(prepared.pages.size()).arg(pages);
    for (int k = 0; k < count; ++k) {
        const int expectedPage = k / perPage;
        const double x = sheet.x0 + (k % sheet.columns) * sheet.dx;
        const double y = sheet.y0 + ((k / sheet.columns) % rows) * sheet.dy;
        bool found = false;
        for (size_t p = 0; p < prepared.pages.size() && !found; ++p) {
            for (const PreparedItem& item : prepared.pages[p].items) {
                if (item.kind != PreparedItem::Text || item.text != firstText(k))
                    continue;
                found = true;
                const double gotX = pxToMm(item.rect.left()) - place.paddingMm;
                const double gotY = pxToMm(item.rect.top()) - place.paddingMm;
                if (int(p) != expectedPage || std::abs(gotX - x) > 0.2 || std::abs(gotY - y) > 0.2)
                    return QStringLiteral("label %1 at page %2 (%3, %4) mm, expected page %5 "
                                          "(%6, %7) mm")
                        .arg(k)
                        .arg(p)
                        .arg(gotX)
                        .arg(gotY)
                        .arg(expectedPage)
                        .arg(x)
                        .arg(y);
                break;
            }
        }
        if (!found)
            return QStringLiteral("label %1 (%2) not printed").arg(k).arg(firstText(k));
    }
    return {};
}

} // namespace labeltest
