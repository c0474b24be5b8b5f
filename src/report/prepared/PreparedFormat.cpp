#include "report/prepared/PreparedFormat.h"

#include "report/template/Fr3Names.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <QtEndian>
#include <cmath>

namespace orvel::report
{

namespace
{

const QByteArray Magic("ORVELFP3\x01", 9);
const char* const kindTags[] = {"T", "L", "R", "Q", "E", "I", "V", "D"};
constexpr int KindCount = 8;

QString num(double v)
{
    return QString::number(v, 'g', 9);
}

// Characters XML 1.0 cannot carry are shown as spaces.
QString xmlSafe(const QString& s)
{
    QString out = s;
    for (QChar& c : out) {
        const ushort u = c.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFE || u == 0xFFFF)
            c = QLatin1Char(' ');
    }
    return out;
}

struct ReadError {
    QString message;
};

double number(const QXmlStreamAttributes& a, const char* key, double fallback = 0)
{
    const auto v = a.value(QLatin1String(key));
    if (v.isEmpty())
        return fallback;
    bool ok = false;
    double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 1e7)
        throw ReadError{QStringLiteral("bad number \"%1\" in %2")
                            .arg(v.left(30).toString(), QLatin1String(key))};
    return d;
}

int integer(const QXmlStreamAttributes& a, const char* key, int lo, int hi, int fallback = 0)
{
    double d = number(a, key, fallback);
    if (d < lo || d > hi)
        throw ReadError{QStringLiteral("%1 out of range").arg(QLatin1String(key))};
    return int(d);
}

QColor color(const QXmlStreamAttributes& a, const char* key, const QColor& fallback)
{
    const auto v = a.value(QLatin1String(key));
    if (v.isEmpty())
        return fallback;
    if (v == QLatin1String("none"))
        return QColor();
    QColor c = QColor::fromString(v);
    return c.isValid() ? c : fallback;
}

} // namespace

QByteArray PreparedFormat::toXml(const PreparedReport& r)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("OrvelPreparedReport"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    w.writeAttribute(QStringLiteral("title"), xmlSafe(r.title));
    w.writeStartElement(QStringLiteral("Styles"));
    for (const ItemStyle& s : r.styles) {
        w.writeStartElement(QStringLiteral("S"));
        w.writeAttribute(QStringLiteral("font"), xmlSafe(s.font.name));
        w.writeAttribute(QStringLiteral("px"), QString::number(s.font.pixelHeight));
        w.writeAttribute(QStringLiteral("fs"), QString::number(s.font.style));
        w.writeAttribute(QStringLiteral("fc"), s.font.color.name(QColor::HexArgb));
        w.writeAttribute(QStringLiteral("cs"), QString::number(s.font.charset));
        w.writeAttribute(QStringLiteral("ha"), QString::number(int(s.hAlign)));
        w.writeAttribute(QStringLiteral("va"), QString::number(int(s.vAlign)));
        w.writeAttribute(QStringLiteral("wrap"), QString::number(int(s.wordWrap)));
        w.writeAttribute(QStringLiteral("gx"), num(s.gapX));
        w.writeAttribute(QStringLiteral("gy"), num(s.gapY));
        w.writeAttribute(QStringLiteral("fill"),
                         s.fill.isValid() ? s.fill.name(QColor::HexArgb) : QStringLiteral("none"));
        w.writeAttribute(QStringLiteral("sides"), QString::number(s.frame.sides));
        w.writeAttribute(QStringLiteral("lc"), s.frame.color.name(QColor::HexArgb));
        w.writeAttribute(QStringLiteral("lw"), num(s.frame.width));
        w.writeAttribute(QStringLiteral("ls"), QString::number(s.frame.style));
        w.writeAttribute(
            QStringLiteral("pic"),
            QString::number(int(s.stretched) | int(s.keepAspect) << 1 | int(s.center) << 2));
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("Images"));
    for (const QImage& img : r.images) {
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "PNG");
        w.writeTextElement(QStringLiteral("Image"), QString::fromLatin1(png.toBase64()));
    }
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("Outline"));
    for (const OutlineEntry& e : r.outline) {
        w.writeStartElement(QStringLiteral("Entry"));
        w.writeAttribute(QStringLiteral("page"), QString::number(e.page));
        w.writeAttribute(QStringLiteral("y"), num(e.y));
        w.writeCharacters(xmlSafe(e.text));
        w.writeEndElement();
    }
    w.writeEndElement();
    for (const PreparedPage& p : r.pages) {
        w.writeStartElement(QStringLiteral("Page"));
        w.writeAttribute(QStringLiteral("w"), num(p.widthMm));
        w.writeAttribute(QStringLiteral("h"), num(p.heightMm));
        w.writeAttribute(QStringLiteral("land"), QString::number(int(p.landscape)));
        w.writeAttribute(QStringLiteral("paper"), QString::number(p.paperSize));
        w.writeAttribute(QStringLiteral("ml"), num(p.leftMargin));
        w.writeAttribute(QStringLiteral("mr"), num(p.rightMargin));
        w.writeAttribute(QStringLiteral("mt"), num(p.topMargin));
        w.writeAttribute(QStringLiteral("mb"), num(p.bottomMargin));
        for (const PreparedItem& it : p.items) {
            w.writeStartElement(QLatin1String(kindTags[it.kind]));
            w.writeAttribute(QStringLiteral("x"), num(it.rect.x()));
            w.writeAttribute(QStringLiteral("y"), num(it.rect.y()));
            w.writeAttribute(QStringLiteral("w"), num(it.rect.width()));
            w.writeAttribute(QStringLiteral("h"), num(it.rect.height()));
            w.writeAttribute(QStringLiteral("s"), QString::number(it.style));
            if (it.kind == PreparedItem::Image)
                w.writeAttribute(QStringLiteral("img"), QString::number(it.image));
            if (!it.text.isEmpty())
                w.writeCharacters(xmlSafe(it.text));
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

bool PreparedFormat::fromXml(const QByteArray& xml, PreparedReport* report)
{
    PreparedReport r;
    QXmlStreamReader x(xml);
    try {
        if (!x.readNextStartElement() || x.name() != QLatin1String("OrvelPreparedReport"))
            throw ReadError{QStringLiteral("not a prepared report")};
        r.title = x.attributes().value(QLatin1String("title")).toString();
        PreparedPage* page = nullptr;
        int depth = 1;
        while (!x.atEnd()) {
            const auto token = x.readNext();
            if (token == QXmlStreamReader::EndElement) {
                if (--depth == 1)
                    page = nullptr;
                continue;
            }
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (++depth > 4)
                throw ReadError{QStringLiteral("elements nested too deep")};
            const auto name = x.name();
            const auto a = x.attributes();
            if (name == QLatin1String("S")) {
                ItemStyle s;
                s.font.name = a.value(QLatin1String("font")).toString();
                s.font.pixelHeight = integer(a, "px", 1, 10000, 13);
                s.font.style = integer(a, "fs", 0, 15);
                s.font.color = color(a, "fc", Qt::black);
                s.font.charset = integer(a, "cs", 0, 255, 1);
                s.hAlign = HAlign(integer(a, "ha", 0, 3));
                s.vAlign = VAlign(integer(a, "va", 0, 2));
                s.wordWrap = integer(a, "wrap", 0, 1, 1);
                s.gapX = number(a, "gx", 2);
                s.gapY = number(a, "gy", 1);
                s.fill = color(a, "fill", QColor());
                s.frame.sides = integer(a, "sides", 0, 15);
                s.frame.color = color(a, "lc", Qt::black);
                s.frame.width = number(a, "lw", 1);
                s.frame.style = integer(a, "ls", 0, 5, 1);
                const int pic = integer(a, "pic", 0, 7, 3);
                s.stretched = pic & 1;
                s.keepAspect = pic & 2;
                s.center = pic & 4;
                r.styles.push_back(s);
            } else if (name == QLatin1String("Image")) {
                QImage img =
                    QImage::fromData(QByteArray::fromBase64(x.readElementText().toLatin1()));
                --depth;
                r.images.push_back(img);
            } else if (name == QLatin1String("Entry")) {
                OutlineEntry e;
                e.page = integer(a, "page", 0, 10000000);
                e.y = number(a, "y");
                e.text = x.readElementText();
                --depth;
                r.outline.push_back(e);
            } else if (name == QLatin1String("Page")) {
                PreparedPage p;
                p.widthMm = number(a, "w", 210);
                p.heightMm = number(a, "h", 297);
                if (p.widthMm < 1 || p.heightMm < 1 || p.widthMm > 10000 || p.heightMm > 10000)
                    throw ReadError{QStringLiteral("bad page size")};
                p.landscape = integer(a, "land", 0, 1);
                p.paperSize = integer(a, "paper", 0, 100000, 9);
                p.leftMargin = number(a, "ml", 10);
                p.rightMargin = number(a, "mr", 10);
                p.topMargin = number(a, "mt", 10);
                p.bottomMargin = number(a, "mb", 10);
                r.pages.push_back(std::move(p));
                page = &r.pages.back();
            } else if (page && name.size() == 1) {
                PreparedItem it;
                int kind = -1;
                for (int k = 0; k < KindCount; ++k)
                    if (name == QLatin1String(kindTags[k]))
                        kind = k;
                if (kind < 0)
                    throw ReadError{QStringLiteral("unknown item <%1>").arg(name.toString())};
                it.kind = PreparedItem::Kind(kind);
                it.rect = QRectF(number(a, "x"), number(a, "y"), number(a, "w"), number(a, "h"));
                it.style = integer(a, "s", 0, int(r.styles.size()) - 1);
                if (it.kind == PreparedItem::Image)
                    it.image = integer(a, "img", 0, int(r.images.size()) - 1);
                it.text = x.readElementText();
                --depth;
                page->items.push_back(std::move(it));
            } else if (name != QLatin1String("Styles") && name != QLatin1String("Images") &&
                       name != QLatin1String("Outline")) {
                x.skipCurrentElement();
                --depth;
            }
        }
        if (x.hasError())
            throw ReadError{
                QStringLiteral("%1 at line %2").arg(x.errorString()).arg(x.lineNumber())};
    } catch (const ReadError& e) {
        m_error = QStringLiteral("damaged prepared report: ") + e.message;
        return false;
    }
    *report = std::move(r);
    return true;
}

bool PreparedFormat::write(const PreparedReport& report, QIODevice* device)
{
    m_error.clear();
    const QByteArray data = Magic + qCompress(toXml(report), 6);
    if (device->write(data) != data.size()) {
        m_error = QStringLiteral("cannot write prepared report: ") + device->errorString();
        return false;
    }
    return true;
}

bool PreparedFormat::writeFile(const PreparedReport& report, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !write(report, &file) || !file.commit()) {
        m_error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool PreparedFormat::read(QIODevice* device, PreparedReport* report)
{
    m_error.clear();
    const QByteArray data = device->read(MaxFileSize + 1);
    if (data.size() > MaxFileSize) {
        m_error = QStringLiteral("prepared report too large");
        return false;
    }
    if (!data.startsWith(Magic)) {
        m_error = QStringLiteral("not a prepared report file");
        return false;
    }
    const QByteArray packed = data.mid(Magic.size());
    if (packed.size() < 4 || qFromBigEndian<quint32>(packed.constData()) > MaxUncompressedSize) {
        m_error = QStringLiteral("damaged prepared report: bad size");
        return false;
    }
    const QByteArray xml = qUncompress(packed);
    if (xml.isEmpty()) {
        m_error = QStringLiteral("damaged prepared report: cannot uncompress");
        return false;
    }
    return fromXml(xml, report);
}

bool PreparedFormat::readFile(const QString& path, PreparedReport* report)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    if (!read(&file, report)) {
        m_error = path + QStringLiteral(": ") + m_error;
        return false;
    }
    return true;
}

} // namespace orvel::report
