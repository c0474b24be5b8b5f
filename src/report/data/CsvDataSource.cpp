#include "report/data/CsvDataSource.h"

#include "report/model/XmlNode.h"

#include <QFile>

namespace orvel::report
{

std::vector<QStringList> CsvDataSource::parse(const QString& text, QChar separator)
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool any = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c == separator) {
            record << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            if (any || !field.isEmpty()) {
                record << field;
                records.push_back(record);
            }
            record.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (any || !field.isEmpty()) {
        record << field;
        records.push_back(record);
    }
    return records;
}

CsvDataSource::CsvDataSource(const QByteArray& bytes)
{
    QString text = XmlTree::decodeBytes(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
    QChar sep = QLatin1Char(',');
    if (firstLine.count(QLatin1Char(';')) > firstLine.count(sep))
        sep = QLatin1Char(';');
    if (firstLine.count(QLatin1Char('\t')) > firstLine.count(sep))
        sep = QLatin1Char('\t');
    auto records = parse(text, sep);
    if (records.empty()) {
        m_error = QStringLiteral("the CSV data has no header line");
        return;
    }
    for (const QString& f : records.front())
        m_fields << f.trimmed();
    records.erase(records.begin());
    m_rows = std::move(records);
}

CsvDataSource* CsvDataSource::fromFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return nullptr;
    }
    return new CsvDataSource(file.readAll());
}

bool CsvDataSource::open()
{
    m_row = 0;
    return m_error.isEmpty();
}

QVariant CsvDataSource::value(int column) const
{
    if (eof() || column < 0)
        return {};
    const QStringList& r = m_rows[m_row];
    return column < r.size() ? QVariant(r[column]) : QVariant(QString());
}

} // namespace orvel::report
