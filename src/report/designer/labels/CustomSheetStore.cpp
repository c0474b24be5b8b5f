#include "report/designer/labels/CustomSheetStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace orvel::report::labels
{

namespace
{

const QLatin1String RootElement("label-sheets");
const QLatin1String SheetElement("sheet");

struct NumberField {
    const char* attribute;
    double LabelSheet::*member;
};

const NumberField numberFields[] = {
    {"paper-width", &LabelSheet::paperWidth},
    {"paper-height", &LabelSheet::paperHeight},
    {"label-width", &LabelSheet::labelWidth},
    {"label-height", &LabelSheet::labelHeight},
    {"corner-radius", &LabelSheet::cornerRadius},
    {"left", &LabelSheet::x0},
    {"top", &LabelSheet::y0},
    {"horizontal-pitch", &LabelSheet::dx},
    {"vertical-pitch", &LabelSheet::dy},
};

bool readSheet(const QXmlStreamAttributes& a, LabelSheet* s)
{
    s->custom = true;
    s->brand = customSheetBrand();
    s->part = a.value(QLatin1String("name")).toString().trimmed();
    s->description = a.value(QLatin1String("description")).toString();
    s->paperId = a.value(QLatin1String("paper")).toString();
    bool ok = !s->part.isEmpty();
    for (const NumberField& f : numberFields) {
        bool fieldOk = false;
        const double v = a.value(QLatin1String(f.attribute)).toDouble(&fieldOk);
        ok = ok && fieldOk && std::isfinite(v);
        s->*f.member = v;
    }
    bool columnsOk = false, rowsOk = false;
    s->columns = a.value(QLatin1String("columns")).toInt(&columnsOk);
    s->rows = a.value(QLatin1String("rows")).toInt(&rowsOk);
    const PaperSize* paper = standardPaperSize(s->paperId);
    s->paperName = paper ? paper->name : paperSizeName(s->paperWidth, s->paperHeight);
    return ok && columnsOk && rowsOk && s->isUsable();
}

} // namespace

bool CustomSheetStore::readAll(std::vector<LabelSheet>* sheets)
{
    sheets->clear();
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("%1 파일을 읽을 수 없습니다: %2").arg(m_path, file.errorString());
        return false;
    }
    QXmlStreamReader xml(&file);
    if (xml.readNextStartElement() && xml.name() == RootElement) {
        while (xml.readNextStartElement()) {
            LabelSheet s;
            if (xml.name() == SheetElement && readSheet(xml.attributes(), &s) &&
                std::none_of(sheets->begin(), sheets->end(),
                             [&](const LabelSheet& o) { return o.part == s.part; }))
                sheets->push_back(s);
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError() || xml.name() != RootElement) {
        m_error =
            QStringLiteral("%1 파일이 손상되었습니다 (%2줄)").arg(m_path).arg(xml.lineNumber());
        return false;
    }
    return true;
}

bool CustomSheetStore::writeAll(const std::vector<LabelSheet>& sheets)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("%1 파일에 쓸 수 없습니다: %2").arg(m_path, file.errorString());
        return false;
    }
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(RootElement);
    for (const LabelSheet& s : sheets) {
        xml.writeEmptyElement(SheetElement);
        xml.writeAttribute(QStringLiteral("name"), s.part);
        if (!s.description.isEmpty())
            xml.writeAttribute(QStringLiteral("description"), s.description);
        xml.writeAttribute(QStringLiteral("paper"), s.paperId);
        xml.writeAttribute(QStringLiteral("columns"), QString::number(s.columns));
        xml.writeAttribute(QStringLiteral("rows"), QString::number(s.rows));
        for (const NumberField& f : numberFields)
            xml.writeAttribute(QLatin1String(f.attribute), QString::number(s.*f.member, 'g', 12));
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    if (!file.commit()) {
        m_error = QStringLiteral("%1 파일에 쓸 수 없습니다: %2").arg(m_path, file.errorString());
        return false;
    }
    return true;
}

std::vector<LabelSheet> CustomSheetStore::load()
{
    m_error.clear();
    std::vector<LabelSheet> sheets;
    readAll(&sheets);
    std::sort(sheets.begin(), sheets.end(), [](const LabelSheet& a, const LabelSheet& b) {
        return a.part.localeAwareCompare(b.part) < 0;
    });
    return sheets;
}

bool CustomSheetStore::save(const LabelSheet& sheet)
{
    m_error.clear();
    LabelSheet s = sheet;
    s.part = s.part.trimmed();
    s.custom = true;
    s.brand = customSheetBrand();
    if (s.part.isEmpty()) {
        m_error = QStringLiteral("용지 이름을 입력하십시오.");
        return false;
    }
    QString why;
    if (!s.isUsable(&why)) {
        m_error = why;
        return false;
    }
    std::vector<LabelSheet> sheets;
    // A damaged file would be lost by writing over it: it is kept beside the new one.
    if (!readAll(&sheets)) {
        const QString backup = m_path + QStringLiteral(".bak");
        QFile::remove(backup);
        if (!QFile::rename(m_path, backup))
            return false;
        sheets.clear();
    }
    auto it = std::find_if(sheets.begin(), sheets.end(),
                           [&](const LabelSheet& o) { return o.part == s.part; });
    if (it != sheets.end())
        *it = s;
    else
        sheets.push_back(s);
    m_error.clear();
    return writeAll(sheets);
}

bool CustomSheetStore::remove(const QString& name)
{
    m_error.clear();
    std::vector<LabelSheet> sheets;
    if (!readAll(&sheets))
        return false;
    const auto before = sheets.size();
    std::erase_if(sheets, [&](const LabelSheet& o) { return o.part == name.trimmed(); });
    if (sheets.size() == before) {
        m_error = QStringLiteral("\"%1\" 용지가 없습니다.").arg(name);
        return false;
    }
    return writeAll(sheets);
}

} // namespace orvel::report::labels
