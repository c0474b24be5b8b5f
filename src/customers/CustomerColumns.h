#pragma once

#include <QString>

namespace orvel
{

/// How the customer grid shows one known field: title, width and alignment.
struct CustomerColumn {
    const char* field;
    const char* title; // UTF-8
    int width;         // pixels; 0 keeps the grid's default
    bool centred;
    bool hidden;
};

/// The column table, looked up by field name compared exactly (case-sensitive).
/// Returns nullptr for a field the table does not know.
const CustomerColumn* findCustomerColumn(const QString& field);

/// Width of a column the table does not know.
constexpr int DefaultColumnWidth = 100;

/// Formats a number as "#,##0": thousands separated by ",", no decimals.
QString formatThousands(double value);
QString formatThousands(qint64 value);

} // namespace orvel
