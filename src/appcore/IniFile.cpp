#include "appcore/IniFile.h"

#include "data/Cp949.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <stdexcept>

namespace orvel
{

namespace
{

QStringList readLines(const QString& path, bool* ok)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *ok = false;
        return {};
    }
    *ok = true;
    QString text = cp949::decode(f.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool isSection(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
        *name = t.mid(1, t.size() - 2).trimmed();
        return true;
    }
    return false;
}

// Index of the key's line inside the section, -1 if absent; `sectionEnd` receives the
// index after the section's last line (or -1 when the section is missing).
int findKey(const QStringList& lines, const QString& section, const QString& key, int* sectionEnd)
{
    *sectionEnd = -1;
    bool inside = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSection(lines[i], &name)) {
            if (inside)
                return -1;
            inside = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inside)
                *sectionEnd = i + 1;
            continue;
        }
        if (!inside)
            continue;
        if (!lines[i].trimmed().isEmpty())
            *sectionEnd = i + 1;
        const int eq = lines[i].indexOf(QLatin1Char('='));
        if (eq > 0 && lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& fallback) const
{
    bool ok = false;
    const QStringList lines = readLines(m_path, &ok);
    if (!ok)
        return fallback;
    int sectionEnd = -1;
    const int at = findKey(lines, section, key, &sectionEnd);
    if (at < 0)
        return fallback;
    const QString& line = lines[at];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

int IniFile::readInt(const QString& section, const QString& key, int fallback) const
{
    bool ok = false;
    const int v = readString(section, key).toInt(&ok);
    return ok ? v : fallback;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    bool ok = false;
    QStringList lines = readLines(m_path, &ok);
    int sectionEnd = -1;
    const int at = findKey(lines, section, key, &sectionEnd);
    const QString entry = key + QLatin1Char('=') + value;
    if (at >= 0) {
        lines[at] = entry;
    } else if (sectionEnd >= 0) {
        lines.insert(sectionEnd, entry);
    } else {
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(entry);
    }
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        throw std::runtime_error(out.errorString().toStdString());
    out.write(cp949::encode(lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")));
    if (!out.commit())
        throw std::runtime_error(
            QStringLiteral("%1: %2").arg(m_path, out.errorString()).toStdString());
}

void IniFile::writeInt(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

} // namespace orvel
