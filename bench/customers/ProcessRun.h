#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace orvel::bench
{

/// What one run of a child process took: wall time and its own peak resident memory.
struct ProcessResult {
    int exitCode = -1;
    double wallMs = 0;
    double peakMiB = 0; // ru_maxrss of this child alone (wait4)
};

/// Runs a program (argv[0], looked up in PATH) to its end with stdout sent to a file (or
/// /dev/null) and measures it. Arguments are passed as bytes, unconverted.
ProcessResult runMeasured(const QList<QByteArray>& argv,
                          const QString& stdoutPath = QStringLiteral("/dev/null"));

/// The process's own peak resident memory (VmHWM) and current one (VmRSS), in MiB.
double selfPeakMiB();
double selfResidentMiB();

} // namespace orvel::bench
