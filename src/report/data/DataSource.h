#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace orvel::report
{

/// The rows a report reads: a forward cursor with values by field.
class DataSource
{
public:
    virtual ~DataSource() = default;
    /// Positions on the first row; false with errorString() set on failure.
    virtual bool open() = 0;
    virtual bool eof() const = 0;
    virtual void next() = 0;
    /// Number of rows, -1 when unknown.
    virtual int rowCount() const = 0;
    virtual QStringList fieldNames() const = 0;
    /// Column index of a field (exact name first, then ignoring case); -1 when missing.
    virtual int fieldIndex(const QString& field) const;
    /// Value of the current row; an invalid variant when there is no such column or row.
    virtual QVariant value(int column) const = 0;
    QVariant value(const QString& field) const;
    virtual QString errorString() const { return {}; }
};

/// Rows held in memory, for tests and small reports.
class MemoryDataSource : public DataSource
{
public:
    MemoryDataSource(QStringList fields, std::vector<QVariantList> rows);
    bool open() override;
    bool eof() const override { return m_row >= int(m_rows.size()); }
    void next() override { ++m_row; }
    int rowCount() const override { return int(m_rows.size()); }
    QStringList fieldNames() const override { return m_fields; }
    using DataSource::value;
    QVariant value(int column) const override;

private:
    QStringList m_fields;
    std::vector<QVariantList> m_rows;
    int m_row = 0;
};

} // namespace orvel::report
