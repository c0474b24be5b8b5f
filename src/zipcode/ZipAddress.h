#pragma once

// Builds the address texts of the zip-code lookup from a directory row and the typed parts.

#include <QString>

namespace orvel
{

/// One row of the zip-code directory, as far as the address is built from it.
struct ZipRow {
    QString zipCode;
    QString sido;
    QString gugun;
    QString dong;
    QString ri;
    QString bldg;
};

/// The base address: the province, then each further part after the text so far
/// (trimmed) and one space. An empty last part leaves one trailing space.
QString baseAddress(const ZipRow& row);

/// The address handed to the caller: base and detail joined by one space and trimmed,
/// then one space and the trimmed lot number (not trimmed again, so an empty lot
/// number leaves a trailing space).
QString chosenAddress(const QString& base, const QString& detail, const QString& lot);

} // namespace orvel
