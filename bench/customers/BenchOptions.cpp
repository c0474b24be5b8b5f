#include "BenchOptions.h"

#include <cstdio>

namespace orvel::bench
{

std::optional<BenchOptions> parseBenchOptions(const QStringList& args)
{
    BenchOptions options;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--rows"))
            options.rows = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--repeat"))
            options.repeat = args[i + 1].toInt();
    }
    if (options.rows < 1 || options.repeat < 1) {
        const QString program = args.isEmpty() ? QStringLiteral("bench") : args[0];
        std::fprintf(stderr, "usage: %s [--rows N] [--repeat R]\n", qPrintable(program));
        return std::nullopt;
    }
    return options;
}

} // namespace orvel::bench
