#include "report/designer/labels/LabelCatalogue.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <optional>

namespace orvel::report::labels
{

namespace
{

constexpr int MaxEquivDepth = 8;
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
const QLatin1String OtherPaper("Other");

/// One <Template> as written in a file; an equiv entry has only its names and the part it
/// copies.
struct RawTemplate {
    QString where; // file and line, for problems
    QString brand, part, equiv, description;
    QString size;
    QString paperWidth, paperHeight;
    QString shape; // "rectangle", "round", "cd" ... of the first label element
    QString labelWidth, labelHeight, round;
    int layoutCount = 0;
    QXmlStreamAttributes layout; // the first layout
};

struct RawCatalogue {
    std::vector<RawTemplate> templates;
    std::vector<PaperSize> papers;
    QStringList problems;
};

QString key(const QString& brand, const QString& part)
{
    return brand.toCaseFolded() + QLatin1Char('\n') + part.toCaseFolded();
}

QString attr(const QXmlStreamAttributes& a, const char* name, const char* alternative = nullptr)
{
    QString v = a.value(QLatin1String(name)).toString();
    if (v.isEmpty() && alternative)
        v = a.value(QLatin1String(alternative)).toString();
    return v.trimmed();
}

void readPaperSizes(QXmlStreamReader& xml, std::vector<PaperSize>* out)
{
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Paper-size")) {
            const QXmlStreamAttributes a = xml.attributes();
            PaperSize p;
            p.id = attr(a, "id");
            p.name = attr(a, "_name", "name");
            if (p.name.isEmpty())
                p.name = p.id;
            if (!p.id.isEmpty() && parseCatalogueLength(attr(a, "width"), &p.width) &&
                parseCatalogueLength(attr(a, "height"), &p.height) && p.width > 0 && p.height > 0)
                out->push_back(p);
        }
        xml.skipCurrentElement();
    }
}

void readLabel(QXmlStreamReader& xml, RawTemplate* t)
{
    const QXmlStreamAttributes a = xml.attributes();
    t->shape = xml.name().mid(6).toString(); // after "Label-"
    t->labelWidth = attr(a, "width");
    t->labelHeight = attr(a, "height");
    t->round = attr(a, "round");
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Layout")) {
            if (t->layoutCount++ == 0)
                t->layout = xml.attributes();
        }
        xml.skipCurrentElement();
    }
}

void readTemplates(QXmlStreamReader& xml, const QString& file, std::vector<RawTemplate>* out)
{
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Template")) {
            xml.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes a = xml.attributes();
        RawTemplate t;
        t.where = QStringLiteral("%1:%2").arg(file).arg(xml.lineNumber());
        t.brand = attr(a, "brand");
        t.part = attr(a, "part");
        t.equiv = attr(a, "equiv");
        t.description = attr(a, "_description", "description");
        t.size = attr(a, "size");
        t.paperWidth = attr(a, "width");
        t.paperHeight = attr(a, "height");
        while (xml.readNextStartElement()) {
            // Only the first label element counts: a sheet has one kind of label.
            if (xml.name().startsWith(QLatin1String("Label-")) && t.shape.isEmpty())
                readLabel(xml, &t);
            else
                xml.skipCurrentElement();
        }
        out->push_back(std::move(t));
    }
}

/// Reads one file; a file that is not well-formed XML adds nothing but a problem.
void readFile(const QString& path, RawCatalogue* raw)
{
    QFile file(path);
    if (file.size() > MaxFileSize || !file.open(QIODevice::ReadOnly)) {
        raw->problems << QStringLiteral("%1: 읽을 수 없습니다").arg(path);
        return;
    }
    QXmlStreamReader xml(&file);
    std::vector<RawTemplate> templates;
    std::vector<PaperSize> papers;
    if (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Glabels-templates"))
            readTemplates(xml, path, &templates);
        else if (xml.name() == QLatin1String("Glabels-paper-sizes"))
            readPaperSizes(xml, &papers);
        else
            return; // categories, vendors and other files of the folder
    }
    if (xml.hasError()) {
        raw->problems
            << QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
        return;
    }
    for (auto& t : templates)
        raw->templates.push_back(std::move(t));
    for (auto& p : papers)
        raw->papers.push_back(std::move(p));
}

bool parseCount(const QString& text, int* value)
{
    if (text.isEmpty()) {
        *value = 1;
        return true;
    }
    bool ok = false;
    *value = text.toInt(&ok);
    return ok && *value >= 1 && *value <= 1000;
}

bool optionalLength(const QString& text, double* mm)
{
    *mm = 0;
    return text.isEmpty() || parseCatalogueLength(text, mm);
}

/// The sheet of a resolved entry; an empty optional and a reason when it is damaged.
std::optional<LabelSheet> toSheet(const RawTemplate& t, const QHash<QString, PaperSize>& papers,
                                  QString* problem)
{
    LabelSheet s;
    s.brand = t.brand;
    s.part = t.part;
    s.description = t.description;
    if (auto it = papers.constFind(t.size); it != papers.constEnd()) {
        s.paperId = it->id;
        s.paperName = it->name;
        s.paperWidth = it->width;
        s.paperHeight = it->height;
    } else if (parseCatalogueLength(t.paperWidth, &s.paperWidth) &&
               parseCatalogueLength(t.paperHeight, &s.paperHeight)) {
        s.paperId = OtherPaper;
        s.paperName = paperSizeName(s.paperWidth, s.paperHeight);
    } else {
        *problem = QStringLiteral("알 수 없는 용지 \"%1\"").arg(t.size);
        return std::nullopt;
    }
    const QXmlStreamAttributes& l = t.layout;
    if (!parseCatalogueLength(t.labelWidth, &s.labelWidth) ||
        !parseCatalogueLength(t.labelHeight, &s.labelHeight) ||
        !parseCount(attr(l, "nx"), &s.columns) || !parseCount(attr(l, "ny"), &s.rows) ||
        !optionalLength(attr(l, "x0"), &s.x0) || !optionalLength(attr(l, "y0"), &s.y0) ||
        !optionalLength(attr(l, "dx"), &s.dx) || !optionalLength(attr(l, "dy"), &s.dy)) {
        *problem = QStringLiteral("라벨 크기나 배열을 읽을 수 없습니다");
        return std::nullopt;
    }
    // The corner radius only decorates the preview; an unreadable one is taken as square.
    if (!optionalLength(t.round, &s.cornerRadius) || s.cornerRadius < 0)
        s.cornerRadius = 0;
    // Rounding in the catalogue leaves lengths like 3.9e-16pt where 0 is meant.
    for (double* v : {&s.x0, &s.y0, &s.dx, &s.dy})
        if (std::abs(*v) < 1e-9)
            *v = 0;
    if (s.columns == 1 && s.dx <= 0)
        s.dx = s.labelWidth;
    if (s.rows == 1 && s.dy <= 0)
        s.dy = s.labelHeight;
    QString why;
    if (!s.isUsable(&why)) {
        *problem = why;
        return std::nullopt;
    }
    return s;
}

} // namespace

bool parseCatalogueLength(const QString& text, double* mm)
{
    const QString t = text.trimmed();
    qsizetype end = t.size();
    while (end > 0 && t.at(end - 1).isLetter())
        --end;
    const QString unit = t.mid(end).toLower();
    bool ok = false;
    const double v = t.left(end).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::abs(v) > 1.0e6)
        return false;
    double factor;
    if (unit.isEmpty() || unit == QLatin1String("pt"))
        factor = 25.4 / 72.0;
    else if (unit == QLatin1String("mm"))
        factor = 1.0;
    else if (unit == QLatin1String("cm"))
        factor = 10.0;
    else if (unit == QLatin1String("in"))
        factor = 25.4;
    else if (unit == QLatin1String("pc"))
        factor = 25.4 / 6.0;
    else
        return false;
    *mm = v * factor;
    return true;
}

QStringList LabelCatalogue::defaultDirectories()
{
    QStringList dirs;
    for (const QString& base :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        for (const char* sub : {"libglabels-3.0/templates", "glabels-3.0/templates"})
            dirs << QDir(base).filePath(QLatin1String(sub));
    // Sheets a user designed with the label program itself.
    for (const QString& base :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        dirs << QDir(base).filePath(QStringLiteral("libglabels/templates"));
    for (const char* dir :
         {"/usr/share/libglabels-3.0/templates", "/usr/share/glabels-3.0/templates"})
        if (!dirs.contains(QLatin1String(dir)))
            dirs << QLatin1String(dir);
    return dirs;
}

void LabelCatalogue::load(const QStringList& directories)
{
    m_sheets.clear();
    m_papers.clear();
    m_problems.clear();
    m_unsupported = 0;

    RawCatalogue raw;
    QStringList seenDirs;
    for (const QString& dirPath : directories) {
        QDir dir(dirPath);
        const QString canonical = dir.canonicalPath();
        if (canonical.isEmpty() || seenDirs.contains(canonical))
            continue;
        seenDirs << canonical;
        const QStringList files =
            dir.entryList({QStringLiteral("*.xml"), QStringLiteral("*.template")},
                          QDir::Files | QDir::Readable, QDir::Name);
        for (const QString& f : files)
            readFile(dir.filePath(f), &raw);
    }
    m_problems = raw.problems;

    QHash<QString, PaperSize> papers;
    for (const PaperSize& p : raw.papers)
        if (!papers.contains(p.id))
            papers.insert(p.id, p);
    // Full entries by maker and part, for equiv entries to copy; the first one read wins.
    QHash<QString, int> full;
    for (int i = 0; i < int(raw.templates.size()); ++i) {
        const RawTemplate& t = raw.templates[i];
        if (t.equiv.isEmpty() && !full.contains(key(t.brand, t.part)))
            full.insert(key(t.brand, t.part), i);
    }

    QHash<QString, bool> taken;
    for (const RawTemplate& entry : raw.templates) {
        if (entry.brand.isEmpty() || entry.part.isEmpty()) {
            m_problems << QStringLiteral("%1: 제조사나 품번이 없습니다").arg(entry.where);
            continue;
        }
        const QString k = key(entry.brand, entry.part);
        if (taken.contains(k))
            continue;
        // An equiv entry is another part number for the geometry of a part of the same maker.
        const RawTemplate* source = &entry;
        for (int depth = 0; source && !source->equiv.isEmpty(); ++depth) {
            auto it = full.constFind(key(entry.brand, source->equiv));
            source = depth < MaxEquivDepth && it != full.constEnd() ? &raw.templates[*it] : nullptr;
        }
        if (!source) {
            m_problems << QStringLiteral("%1: %2 %3: 같은 규격(%4)을 찾을 수 없습니다")
                              .arg(entry.where, entry.brand, entry.part, entry.equiv);
            continue;
        }
        RawTemplate t = *source;
        t.brand = entry.brand;
        t.part = entry.part;
        if (!entry.description.isEmpty())
            t.description = entry.description;
        if (t.shape.isEmpty() || t.layoutCount == 0) {
            m_problems << QStringLiteral("%1: %2 %3: 라벨이나 배열이 없습니다")
                              .arg(entry.where, entry.brand, entry.part);
            continue;
        }
        // Only rectangles fit the band cells the labels print in; round, elliptic and CD
        // labels are left out. Sheets with several layouts (CD case inserts and the like,
        // labels at scattered places) cannot be one grid of columns and rows either.
        if (t.shape != QLatin1String("rectangle") || t.layoutCount > 1) {
            ++m_unsupported;
            continue;
        }
        QString problem;
        std::optional<LabelSheet> sheet = toSheet(t, papers, &problem);
        if (!sheet) {
            m_problems << QStringLiteral("%1: %2 %3: %4")
                              .arg(entry.where, entry.brand, entry.part, problem);
            continue;
        }
        taken.insert(k, true);
        m_sheets.push_back(std::move(*sheet));
    }

    std::sort(m_sheets.begin(), m_sheets.end(), [](const LabelSheet& a, const LabelSheet& b) {
        const int c = a.brand.compare(b.brand, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.part.compare(b.part, Qt::CaseInsensitive) < 0;
    });

    QHash<QString, bool> used;
    for (const LabelSheet& s : m_sheets)
        used.insert(s.paperId, true);
    for (const PaperSize& p : raw.papers)
        if (used.contains(p.id) && std::none_of(m_papers.begin(), m_papers.end(),
                                                [&](const PaperSize& q) { return q.id == p.id; }))
            m_papers.push_back(p);
    if (used.contains(OtherPaper))
        m_papers.push_back({OtherPaper, QStringLiteral("기타 크기"), 0, 0});
}

std::vector<int> LabelCatalogue::find(const QString& text, const QString& paperId) const
{
    const QString simplified = text.simplified();
    const QStringList words =
        simplified.isEmpty() ? QStringList() : simplified.split(QLatin1Char(' '));
    std::vector<int> out;
    for (int i = 0; i < int(m_sheets.size()); ++i) {
        const LabelSheet& s = m_sheets[i];
        if (!paperId.isEmpty() && s.paperId != paperId)
            continue;
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString& w) {
            return s.brand.contains(w, Qt::CaseInsensitive) ||
                   s.part.contains(w, Qt::CaseInsensitive);
        });
        if (all)
            out.push_back(i);
    }
    return out;
}

} // namespace orvel::report::labels
