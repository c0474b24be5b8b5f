#pragma once

// Runs the zip-code lookup for a caller that fills an address pair with its result.

#include <QString>
#include <optional>

namespace orvel
{

class MainServices;

/// What a confirmed lookup hands back.
struct ZipChoice {
    QString zipCode;
    QString address;
};

/// Creates the lookup dialog over the main window, runs it modally and returns the zip
/// code and composed address when it ended with OK; nothing when it was cancelled.
std::optional<ZipChoice> RunZipLookup(MainServices& services);

} // namespace orvel
