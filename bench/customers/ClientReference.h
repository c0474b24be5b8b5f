#pragma once

#include "ProcessRun.h"
#include "data/Connection.h"

#include <QByteArray>

namespace orvel::bench
{

/// The reference: the mariadb command-line client fetching a statement, buffered (not
/// --quick), in batch mode, output to /dev/null, over TCP as the program's customer
/// connection goes.
ProcessResult runClient(const ConnectionSettings& server, const QString& database,
                        const QByteArray& statement);

} // namespace orvel::bench
