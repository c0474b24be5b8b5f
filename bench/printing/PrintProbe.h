#pragma once

#include <QString>

namespace orvel::bench
{

/// The measured side, run in a fresh process: starts the real program window, logs the
/// benchmark member in and presses the customer page's print button for the list and the
/// labels, timing the preview's first page and a PDF export, and prints name=value lines.
/// Then writes the printed rows as a UTF-8 CSV to csvPath for the comparison.
int runPrintProbe(int argc, char** argv, qint64 expectedRows, const QString& csvPath);

} // namespace orvel::bench
