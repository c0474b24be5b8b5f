#pragma once

#include "data/Connection.h"
#include "data/Query.h"

namespace orvel
{

/// The data-access module: the two connections and the named query objects the
/// windows share.
class TMainDB
{
public:
    /// Creates the connections with their start-up settings. Call open() to connect.
    TMainDB(const ConnectionSettings& customerStartup, const ConnectionSettings& memberDirectory);

    /// Opens both connections; throws DbError when either cannot be opened.
    void open();
    /// Runs the keep-alive query on both connections; every error is ignored.
    void keepAlive();

    Connection DBConnect;  // customer database
    Connection SDBConnect; // member directory

    // customer database
    Query Temp_Data;
    Query GoDB;
    Query RPTListDB;
    Query RPTDB;
    Query SDate;
    // member directory
    Query STemp_Data;
    Query UserListDB;
    Query ZipFindDB;
    Query SSDate;
};

} // namespace orvel
