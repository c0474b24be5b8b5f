#pragma once

#include <QStringList>
#include <optional>

namespace orvel::bench
{

/// The command line shared by the benchmarks: --rows N and --repeat R.
struct BenchOptions {
    qint64 rows = 1000000;
    int repeat = 3;
};

/// Reads the options from the program's arguments; prints the usage and returns nothing
/// when a value is not a positive number.
std::optional<BenchOptions> parseBenchOptions(const QStringList& args);

} // namespace orvel::bench
