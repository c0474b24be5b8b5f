#include "data/TMainDB.h"

namespace orvel
{

TMainDB::TMainDB(const ConnectionSettings& customerStartup,
                 const ConnectionSettings& memberDirectory)
    : DBConnect(QStringLiteral("DBConnect"), customerStartup),
      SDBConnect(QStringLiteral("SDBConnect"), memberDirectory),
      Temp_Data(DBConnect, QStringLiteral("Temp_Data")), GoDB(DBConnect, QStringLiteral("GoDB")),
      RPTListDB(DBConnect, QStringLiteral("RPTListDB")), RPTDB(DBConnect, QStringLiteral("RPTDB")),
      SDate(DBConnect, QStringLiteral("SDate")),
      STemp_Data(SDBConnect, QStringLiteral("STemp_Data")),
      UserListDB(SDBConnect, QStringLiteral("UserListDB")),
      ZipFindDB(SDBConnect, QStringLiteral("ZipFindDB")),
      SSDate(SDBConnect, QStringLiteral("SSDate"))
{
}

void TMainDB::open()
{
    DBConnect.open();
    SDBConnect.open();
}

void TMainDB::keepAlive()
{
    auto ping = [](Query& q) {
        try {
            q.close();
            q.clearSql();
            q.addLine(QStringLiteral("select now() as S_Date"));
            q.open();
        } catch (...) {
            // A failed keep-alive is ignored; the next run tries again.
        }
    };
    // The customer side runs even when its connection is closed, which reopens it.
    ping(SDate);
    if (SDBConnect.isOpen())
        ping(SSDate);
}

} // namespace orvel
