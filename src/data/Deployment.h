#pragma once

#include "data/Connection.h"

#include <QString>

namespace orvel
{

/// Deployment values read from deployment.ini (UTF-8): where the databases are and
/// the web addresses and skins of this installation.
struct Deployment {
    ConnectionSettings memberDirectory;
    ConnectionSettings startupDatabase;
    QString signupUrl;
    QString supportUrl;
    QString supportText;
    QString skinMain;
    QString skinControls;
    QString skinDialogs;

    /// The file used: $ORVEL_DEPLOYMENT, else deployment.ini in the program folder.
    static QString defaultPath(const QString& programDir);
    /// Reads a deployment file; a missing file or key gives the defaults.
    static Deployment load(const QString& path);
    /// Writes a deployment file (the demo and tests use it).
    void save(const QString& path) const;
};

} // namespace orvel
