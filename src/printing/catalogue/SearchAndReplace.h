#pragma once

// Text replacement shared by the print-form catalogue and the main window.

#include <QString>

namespace orvel
{

/// Returns source with every occurrence of search replaced by replacement. When the
/// replacement does not contain the search text, replacing repeats from the start until
/// no occurrence is left (so occurrences formed by a replacement are replaced too); when
/// it does, every occurrence is replaced once, left to right. An empty search text leaves
/// the source as it is.
QString SearchAndReplace(const QString& source, const QString& search, const QString& replacement);

} // namespace orvel
