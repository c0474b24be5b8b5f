#pragma once

#include <QString>

namespace orvel::bench
{

/// The measured side, run in a fresh process: starts the real program window, logs the
/// benchmark member in, times a customer-list refresh and the painting of the grid, and
/// prints name=value lines. Writes the list statement as sent (CP949) to statementPath.
int runRefreshProbe(int argc, char** argv, qint64 expectedRows, const QString& statementPath);

} // namespace orvel::bench
