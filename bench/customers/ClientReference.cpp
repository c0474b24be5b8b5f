#include "ClientReference.h"

namespace orvel::bench
{

ProcessResult runClient(const ConnectionSettings& server, const QString& database,
                        const QByteArray& statement)
{
    QList<QByteArray> argv{"mariadb",
                           "--no-defaults",
                           "--batch",
                           "--default-character-set=euckr",
                           "--protocol=TCP",
                           "--host=" + server.host.toUtf8(),
                           "--port=" + QByteArray::number(server.port),
                           "--user=" + server.user.toUtf8()};
    if (!server.password.isEmpty())
        argv.append("--password=" + server.password.toUtf8());
    argv.append(database.toUtf8());
    argv.append("--execute=" + statement);
    return runMeasured(argv);
}

} // namespace orvel::bench
