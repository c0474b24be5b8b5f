#pragma once

#include <QString>

namespace orvel
{

class Connection;
class TMainF;

/// The login on the main window's login page and the entry into the workspace.
class LoginController
{
public:
    explicit LoginController(TMainF& window) : m_window(window) {}

    /// The whole login; reports its failures itself.
    void login();
    /// Sets the workspace up for the logged-in user. Throws on the errors the login reports.
    void EnterWorkspace();
    /// Creates the customer table when it does not exist yet.
    void EnsureCustomerTable();

private:
    void refuse(const QString& message);
    TMainF& m_window;
};

/// Whether "select * from <table>" runs on the connection.
bool CustomerTableExists(Connection& connection, const QString& table);
/// Runs the customer table's creation statement; false on any error.
bool CreateCustomerTable(Connection& connection, const QString& table, const QString& userId);
/// The five lines of the customer table's creation statement.
QStringList customerTableStatement(Connection& connection, const QString& table,
                                   const QString& userId);

/// Every customer column a level-1 user sees, in list order.
QString fullColumnList();

} // namespace orvel
