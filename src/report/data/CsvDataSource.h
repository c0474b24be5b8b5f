#pragma once

#include "report/data/DataSource.h"

#include <QByteArray>

namespace orvel::report
{

/// Rows from a CSV file: first line holds the field names; separator ",", ";" or tab
/// (found from the first line); quotes as usual; UTF-8, or CP949 when not valid UTF-8.
class CsvDataSource : public DataSource
{
public:
    /// Parses the bytes; check errorString() when open() fails.
    explicit CsvDataSource(const QByteArray& bytes);
    static CsvDataSource* fromFile(const QString& path, QString* error);

    bool open() override;
    bool eof() const override { return m_row >= int(m_rows.size()); }
    void next() override { ++m_row; }
    int rowCount() const override { return int(m_rows.size()); }
    QStringList fieldNames() const override { return m_fields; }
    using DataSource::value;
    QVariant value(int column) const override;
    QString errorString() const override { return m_error; }

    /// Splits CSV text into records of fields.
    static std::vector<QStringList> parse(const QString& text, QChar separator);

private:
    QStringList m_fields;
    std::vector<QStringList> m_rows;
    int m_row = 0;
    QString m_error;
};

} // namespace orvel::report
