#pragma once

#include <QString>

namespace orvel
{

/// The logged-in user's values and the customer list's state, held by the main window.
struct LoginContext {
    QString UserId;
    QString UserPassword;
    int UserLevel = 0;
    QString AccessLevel;
    QString ProgramDir; // with a trailing separator
    QString DataDir;    // ProgramDir + "orvel_data" + separator
    QString CustomerTable;
    QString ListSelect;
    QString ListCondition;
    QString ListOrder;
    int DuplicateMode = 0;
    QString DuplicateSource;
    bool LoggedIn = false;
    QString CatalogueSelect;
};

} // namespace orvel
