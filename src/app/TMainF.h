#pragma once

#include "appcore/MainServices.h"
#include "data/Deployment.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTimer;
class QToolButton;

namespace orvel
{

class CustomerWorkspace;
class LoginController;
class PrintFormSelector;
class ReportObjects;
class TConfigF;
class TMainDB;
class TReportListF;

/// The main window: login bar, work bar, menu, status line and the customer page; it
/// holds the login context and offers the shared services to the feature areas.
class TMainF : public QMainWindow, public MainServices
{
    Q_OBJECT
public:
    explicit TMainF(const Deployment& deployment, QWidget* parent = nullptr);
    ~TMainF() override;

    static QString windowTitleText() { return QStringLiteral("Orvel 관리 프로그램 Ver 2008"); }
    static QString settingsFileName() { return QStringLiteral("OrvelM2008.ini"); }
    QString settingsFilePath() const;

    /// Hands the window its data module (created after the window, as at program start).
    void attachDatabase(TMainDB* db);

    // MainServices
    LoginContext& context() override { return m_context; }
    TMainDB& db() override;
    ReportObjects& reports() override;
    QWidget* window() override { return this; }
    QString title() const override { return windowTitleText(); }
    int msgDlg(const QString& message, int kind) override;
    void setHangeulMode(bool on) override;
    void runApp(const QString& target) override;
    void refreshCustomerList() override;
    void loadGroupNames() override;
    void loadPrintFormList() override;

    /// Runs the login as the "로그인" button does.
    void login();
    /// Runs the keep-alive as the timer does.
    void keepAlive();

    const Deployment& deployment() const { return m_deployment; }
    CustomerWorkspace* workspace() const { return m_workspace; }
    PrintFormSelector* printForms() const { return m_printForms; }
    QStackedWidget* topBar() const { return m_topBar; }
    QStackedWidget* mainArea() const { return m_mainArea; }
    QWidget* loginPage() const { return m_loginPage; }
    QWidget* jobPage() const { return m_jobPage; }
    QWidget* backPage() const { return m_backPage; }
    QLineEdit* idField() const { return m_idField; }
    QLineEdit* passwordField() const { return m_passwordField; }
    QComboBox* userType() const { return m_userType; }
    QLabel* userLabel() const { return m_userLabel; }
    QLabel* workDateLabel() const { return m_workDateLabel; }
    QTimer* keepAliveTimer() const { return m_keepAlive; }

    QAction* A_Config;
    QAction* A_ReportList;
    QAction* A_RptEdit;
    QAction* A_Exit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    QWidget* buildLoginPage();
    QWidget* buildJobPage();
    QWidget* buildBackPage();
    void runCreationStep();
    QToolButton* addToolButton(class QToolBar* bar, const QString& hint, int icon);

    Deployment m_deployment;
    LoginContext m_context;
    TMainDB* m_db = nullptr;
    std::unique_ptr<ReportObjects> m_reports;
    std::unique_ptr<LoginController> m_login;

    QStackedWidget* m_topBar;
    QStackedWidget* m_mainArea;
    QWidget* m_loginPage;
    QWidget* m_jobPage;
    QWidget* m_backPage;
    QLineEdit* m_idField;
    QLineEdit* m_passwordField;
    QComboBox* m_userType;
    QLabel* m_userLabel;
    QLabel* m_workDateLabel;
    CustomerWorkspace* m_workspace;
    PrintFormSelector* m_printForms;
    QTimer* m_keepAlive;
    QPointer<TConfigF> m_config;        // the one settings dialog, while it is open
    QPointer<TReportListF> m_catalogue; // the one print-form catalogue, while it is open
};

} // namespace orvel
