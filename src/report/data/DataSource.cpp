#include "report/data/DataSource.h"

namespace orvel::report
{

int DataSource::fieldIndex(const QString& field) const
{
    const QStringList names = fieldNames();
    int i = int(names.indexOf(field));
    if (i >= 0)
        return i;
    for (int k = 0; k < names.size(); ++k)
        if (names[k].compare(field, Qt::CaseInsensitive) == 0)
            return k;
    return -1;
}

QVariant DataSource::value(const QString& field) const
{
    const int i = fieldIndex(field);
    return i < 0 ? QVariant() : value(i);
}

MemoryDataSource::MemoryDataSource(QStringList fields, std::vector<QVariantList> rows)
    : m_fields(std::move(fields)), m_rows(std::move(rows))
{
}

bool MemoryDataSource::open()
{
    m_row = 0;
    return true;
}

QVariant MemoryDataSource::value(int column) const
{
    if (eof() || column < 0 || column >= m_rows[m_row].size())
        return {};
    return m_rows[m_row][column];
}

} // namespace orvel::report
