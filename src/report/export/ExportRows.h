#pragma once

#include "report/prepared/PreparedReport.h"

#include <vector>

namespace orvel::report
{

/// Text items of a page grouped into rows by their top edge, each row sorted left to
/// right: what the table-like text formats (CSV, simple text) write.
std::vector<std::vector<const PreparedItem*>> textRows(const PreparedPage& page);

} // namespace orvel::report
