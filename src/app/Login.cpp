#include "app/Login.h"

#include "app/TMainF.h"
#include "appcore/IniFile.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerWorkspace.h"
#include "customers/EntryPanel.h"
#include "customers/FindPanel.h"
#include "data/SqlText.h"
#include "data/TMainDB.h"
#include "platform/CollapsiblePanel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QStackedWidget>

namespace orvel
{

QString fullColumnList()
{
    return QStringLiteral("no,UserID,group_name,name,email,homepage,jumin,home_post,home_address,"
                          "home_tel,Office_Name,office_post,office_address,office_tel,office_fax,"
                          "handphone,Member_Comment,DM_Check");
}

QStringList customerTableStatement(Connection& connection, const QString& table,
                                   const QString& userId)
{
    return {
        QStringLiteral("Create table ") + sql::quoteIdentifier(table) +
            QStringLiteral(" (no int(20) not null auto_increment primary key ,UserID char(50) "
                           "DEFAULT ") +
            connection.quoteLiteral(userId) + QStringLiteral(","),
        QStringLiteral(" group_name char(100),name char(20) not null,email char(255),"
                       "homepage char(255),"),
        QStringLiteral(" jumin char(18),home_post char(7),home_address char(255),"
                       "home_tel char(20),"),
        QStringLiteral(" Office_Name char(255),office_post char(7),office_address char(255),"
                       "office_tel char(20),office_fax char(20),"),
        QStringLiteral(" handphone char(20),Picture_Dir char(255),Member_Comment char(255),"
                       "DM_Check smallint (6) DEFAULT '1' NULL)"),
    };
}

bool CustomerTableExists(Connection& connection, const QString& table)
{
    try {
        Query probe(connection, QStringLiteral("TableProbe"));
        // "limit 0": the statement still fails for a missing table, but a large table
        // is not downloaded just to learn that it exists.
        probe.addLine(QStringLiteral("select * from ") + sql::quoteIdentifier(table) +
                      QStringLiteral(" limit 0"));
        probe.open();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CreateCustomerTable(Connection& connection, const QString& table, const QString& userId)
{
    try {
        Query create(connection, QStringLiteral("TableCreate"));
        for (const QString& line : customerTableStatement(connection, table, userId))
            create.addLine(line);
        create.exec();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void LoginController::refuse(const QString& message)
{
    m_window.msgDlg(message, 0);
    m_window.idField()->setFocus();
    m_window.idField()->selectAll();
}

void LoginController::login()
{
    TMainF& w = m_window;
    // The login reads the customer table and the list; on a large table that takes a
    // while, so the busy cursor shows for all of it.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    try {
        TMainDB& db = w.db();
        LoginContext& ctx = w.context();
        // 1-2: look the member up with the server's password hash.
        if (!db.SDBConnect.isOpen())
            db.SDBConnect.open();
        Query& q = db.STemp_Data;
        q.close();
        q.clearSql();
        q.addLine(QStringLiteral("select user_id, password, name, level, DB_Host, DB_Port, "
                                 "DB_DataBase, DB_UserName, DB_PassWord, acc_level"));
        q.addLine(QStringLiteral("from zetyx_member_table"));
        q.addLine(QStringLiteral("where user_id = :a1 and password = password(:a2)"));
        q.setParam(QStringLiteral("a1"), w.idField()->text());
        q.setParam(QStringLiteral("a2"), w.passwordField()->text());
        q.open();
        // 3
        if (q.rowCount() == 0) {
            refuse(QStringLiteral("아이디 또는 비밀번호가 맞지 않습니다."));
            return;
        }
        // 4: remembered before the approval test, so an unapproved id is kept too.
        IniFile settings(w.settingsFilePath());
        settings.writeInt(QStringLiteral("User"), QStringLiteral("UserType"),
                          w.userType()->currentIndex());
        settings.writeString(QStringLiteral("User"), QStringLiteral("UserName"),
                             w.idField()->text());
        // 5
        const qint64 level = q.fieldAsInt(QStringLiteral("level"));
        if (level > 8) {
            refuse(w.idField()->text() +
                   QStringLiteral(" 아이디는 승인되지 않은 아이디입니다. 관리자에게 문의 하여 "
                                  "주십시오."));
            return;
        }
        // 6: the member's own customer database; the deployment's socket does not apply.
        const QString userId = q.fieldAsString(QStringLiteral("user_id"));
        const QString name = q.fieldAsString(QStringLiteral("name"));
        const QString accessLevel = q.fieldAsString(QStringLiteral("acc_level"));
        const QString database = q.fieldAsString(QStringLiteral("DB_DataBase"));
        if (db.DBConnect.isOpen())
            db.DBConnect.close();
        ConnectionSettings member = db.DBConnect.settings();
        member.socket.clear();
        member.host = q.fieldAsString(QStringLiteral("DB_Host"));
        member.port = int(q.fieldAsInt(QStringLiteral("DB_Port")));
        member.database = database;
        member.user = q.fieldAsString(QStringLiteral("DB_UserName"));
        member.password = q.fieldAsString(QStringLiteral("DB_PassWord"));
        db.DBConnect.setSettings(member);
        db.DBConnect.open();
        // 7-10
        ctx.UserId = userId;
        ctx.UserLevel = int(level);
        ctx.AccessLevel = accessLevel;
        w.userLabel()->setText(name + QLatin1Char('(') + ctx.UserId + QLatin1Char(')'));
        ctx.CustomerTable = database + QLatin1Char('_') + ctx.UserId;
        ctx.LoggedIn = true;
        // 11-12
        if (db.DBConnect.isOpen())
            w.topBar()->setCurrentWidget(w.jobPage());
        ctx.UserPassword = w.passwordField()->text();
        // 13
        EnsureCustomerTable();
        EnterWorkspace();
    } catch (const std::exception&) {
        w.msgDlg(QStringLiteral("접속 환경을 접검하여 주세요."), 0);
    }
}

void LoginController::EnsureCustomerTable()
{
    TMainDB& db = m_window.db();
    const LoginContext& ctx = m_window.context();
    if (!CustomerTableExists(db.DBConnect, ctx.CustomerTable))
        CreateCustomerTable(db.DBConnect, ctx.CustomerTable, ctx.UserId);
}

void LoginController::EnterWorkspace()
{
    TMainF& w = m_window;
    CustomerWorkspace* ws = w.workspace();
    LoginContext& ctx = w.context();
    // 1-3
    if (ws->findPanel()->isExpanded())
        ws->findPanel()->setExpanded(false);
    if (ws->entryPanel()->isExpanded())
        ws->entryPanel()->setExpanded(false);
    ws->deleteStrip()->show();
    ws->entryPanel()->show();
    w.A_ReportList->setVisible(true);
    w.A_RptEdit->setVisible(true);
    ws->grid()->setCellEditing(ctx.LoggedIn);
    // 4-5
    Query& q = w.db().STemp_Data;
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("select * From RunLevel where Level_Name = :a1 "));
    q.setParam(QStringLiteral("a1"), ctx.AccessLevel);
    q.open();
    QString columns;
    if (ctx.UserLevel == 1)
        columns = fullColumnList();
    else if (q.rowCount() > 0)
        columns = q.fieldAsString(QStringLiteral("Var_Values"));
    ctx.ListSelect = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") +
                     sql::quoteIdentifier(ctx.CustomerTable);
    // 6-7
    ctx.ListCondition.clear();
    ctx.ListOrder = QStringLiteral("Name");
    ws->findPanel()->tf_1->clear();
    ws->findPanel()->tf_2->setText(QStringLiteral("[고객명]"));
    // 8-9
    w.loadPrintFormList();
    w.loadGroupNames();
    w.refreshCustomerList();
    w.mainArea()->setCurrentIndex(1);
}

} // namespace orvel
