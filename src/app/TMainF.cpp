#include "app/TMainF.h"

#include "admin/TConfigF.h"
#include "app/Login.h"
#include "appcore/IniFile.h"
#include "customers/CustomerWorkspace.h"
#include "customers/EntryPanel.h"
#include "data/DbError.h"
#include "data/TMainDB.h"
#include "platform/InputMethod.h"
#include "platform/LastResort.h"
#include "platform/MsgBox.h"
#include "platform/ShellOpen.h"
#include "printing/PrintCommands.h"
#include "printing/PrintFormSelector.h"
#include "printing/ReportObjects.h"
#include "printing/catalogue/TReportListF.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvel
{

namespace
{

QString programDir()
{
    QString dir = qEnvironmentVariable("ORVEL_PROGRAM_DIR");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    dir = QDir::toNativeSeparators(QDir::cleanPath(dir));
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

QLabel* namedLabel(const QString& text, const char* name)
{
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

TMainF::TMainF(const Deployment& deployment, QWidget* parent)
    : QMainWindow(parent), m_deployment(deployment)
{
    setObjectName(QStringLiteral("TMainF"));
    setWindowTitle(windowTitleText());
    setWindowIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    setMinimumSize(283, 84);
    QFont f;
    f.setFamilies({QStringLiteral("돋움체"), QStringLiteral("DotumChe"),
                   QStringLiteral("NanumGothicCoding"), QStringLiteral("NanumGothic")});
    f.setPixelSize(13);
    setFont(f);

    m_login = std::make_unique<LoginController>(*this);
    buildMenu();

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_topBar = new QStackedWidget;
    m_topBar->setObjectName(QStringLiteral("TopBar"));
    m_topBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_loginPage = buildLoginPage();
    m_jobPage = buildJobPage();
    m_topBar->addWidget(m_loginPage);
    m_topBar->addWidget(m_jobPage);

    m_mainArea = new QStackedWidget;
    m_mainArea->setObjectName(QStringLiteral("MainArea"));
    m_backPage = buildBackPage();
    m_workspace = new CustomerWorkspace(*this);
    m_printForms = new PrintFormSelector;
    m_workspace->setPrintBar(m_printForms);
    connect(m_printForms->printButton(), &QToolButton::clicked, this,
            [this] { guarded([this] { printCurrentList(*this, reports(), *m_printForms); }); });
    auto* mainPage = new QWidget;
    mainPage->setObjectName(QStringLiteral("main"));
    auto* mainLayout = new QVBoxLayout(mainPage);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(m_workspace);
    m_mainArea->addWidget(m_backPage);
    m_mainArea->addWidget(mainPage);

    layout->addWidget(m_topBar);
    layout->addWidget(m_mainArea, 1);
    setCentralWidget(central);

    m_keepAlive = new QTimer(this);
    m_keepAlive->setObjectName(QStringLiteral("KeepAliveTimer"));
    m_keepAlive->setInterval(100 * 1000);
    connect(m_keepAlive, &QTimer::timeout, this, [this] { keepAlive(); });
    m_keepAlive->start();

    runCreationStep();
}

TMainF::~TMainF() = default;

void TMainF::buildMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("Orvel 관리 프로그램?"));
    menu->setObjectName(QStringLiteral("MainMenu"));
    auto makeAction = [this](const QString& caption, const char* name,
                             QStyle::StandardPixmap icon) {
        auto* a = new QAction(style()->standardIcon(icon), caption, this);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    A_Config = makeAction(QStringLiteral("기본설정"), "A_Config", QStyle::SP_FileDialogInfoView);
    A_ReportList =
        makeAction(QStringLiteral("양식관리"), "A_ReportList", QStyle::SP_FileDialogListView);
    A_RptEdit =
        makeAction(QStringLiteral("양식 디자인"), "A_RptEdit", QStyle::SP_FileDialogContentsView);
    A_Exit = makeAction(QStringLiteral("종료"), "A_Exit", QStyle::SP_DialogCloseButton);
    menu->addAction(A_Config);
    menu->addAction(A_ReportList);
    menu->addAction(A_RptEdit);
    menu->addSeparator();
    menu->addAction(A_Exit);
    connect(A_Exit, &QAction::triggered, this, &QWidget::close);
    connect(A_Config, &QAction::triggered, this,
            [this] { guarded([this] { TConfigF::showSingle(*this, m_config); }); });
    connect(A_ReportList, &QAction::triggered, this,
            [this] { guarded([this] { showCatalogue(*this, m_catalogue); }); });
    connect(A_RptEdit, &QAction::triggered, this,
            [this] { guarded([this] { designPrintForm(*this, reports()); }); });
}

QWidget* TMainF::buildLoginPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("login"));
    auto* row = new QHBoxLayout(page);
    auto* greeting =
        namedLabel(QStringLiteral("Orvel 관리 프로그램을 이용해 주셔서 감사합니다.\n") +
                       m_deployment.supportText,
                   "LoginGreeting");
    row->addWidget(greeting, 1);

    m_idField = new QLineEdit;
    m_idField->setObjectName(QStringLiteral("UserIdEdit"));
    m_passwordField = new QLineEdit;
    m_passwordField->setObjectName(QStringLiteral("PasswordEdit"));
    m_passwordField->setEchoMode(QLineEdit::Password);
    // The hidden user-type choice: stored in the settings file, never shown.
    m_userType = new QComboBox(page);
    m_userType->setObjectName(QStringLiteral("UserType"));
    m_userType->setAccessibleName(QStringLiteral("사용자"));
    m_userType->addItems({QStringLiteral("일반"), QStringLiteral("관리자")});
    m_userType->setCurrentIndex(0);
    m_userType->hide();

    auto addField = [row](const QString& caption, QLineEdit* edit) {
        auto* column = new QVBoxLayout;
        auto* label = new QLabel(caption);
        label->setBuddy(edit);
        edit->setAccessibleName(caption);
        column->addWidget(label);
        column->addWidget(edit);
        row->addLayout(column);
    };
    addField(QStringLiteral("아이디"), m_idField);
    addField(QStringLiteral("비밀번호"), m_passwordField);

    auto* loginButton = new QPushButton(QStringLiteral("로그인"));
    loginButton->setObjectName(QStringLiteral("btn_login"));
    auto* signupButton = new QPushButton(QStringLiteral("회원 가입"));
    signupButton->setObjectName(QStringLiteral("btn_signup"));
    row->addWidget(loginButton);
    row->addWidget(signupButton);
    setTabOrder(m_idField, m_passwordField);
    setTabOrder(m_passwordField, loginButton);
    setTabOrder(loginButton, signupButton);

    connect(loginButton, &QPushButton::clicked, this, [this] { guarded([this] { login(); }); });
    connect(signupButton, &QPushButton::clicked, this,
            [this] { guarded([this] { runApp(m_deployment.signupUrl); }); });
    m_idField->installEventFilter(this);
    m_passwordField->installEventFilter(this);
    return page;
}

QToolButton* TMainF::addToolButton(QToolBar* bar, const QString& hint, int icon)
{
    auto* button = new QToolButton;
    button->setIcon(style()->standardIcon(QStyle::StandardPixmap(icon)));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    bar->addWidget(button);
    return button;
}

QWidget* TMainF::buildJobPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("job"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar;
    bar->setObjectName(QStringLiteral("JobToolBar"));
    bar->setIconSize(QSize(24, 24));

    QToolButton* exitButton =
        addToolButton(bar, QStringLiteral("종료"), QStyle::SP_DialogCloseButton);
    exitButton->setObjectName(QStringLiteral("tb_exit"));
    connect(exitButton, &QToolButton::clicked, this, &QWidget::close);

    QToolButton* configButton =
        addToolButton(bar, QStringLiteral("기본설정"), QStyle::SP_FileDialogInfoView);
    configButton->setObjectName(QStringLiteral("tb_config"));
    connect(configButton, &QToolButton::clicked, A_Config, &QAction::trigger);

    QToolButton* openButton =
        addToolButton(bar, QStringLiteral("출력"), QStyle::SP_DialogOpenButton);
    openButton->setObjectName(QStringLiteral("tb_open_report"));
    connect(openButton, &QToolButton::clicked, this,
            [this] { guarded([this] { openPreparedReport(*this, reports()); }); });

    QToolButton* supportButton =
        addToolButton(bar, QStringLiteral("고객지원"), QStyle::SP_MessageBoxQuestion);
    supportButton->setObjectName(QStringLiteral("tb_support"));
    connect(supportButton, &QToolButton::clicked, this,
            [this] { guarded([this] { runApp(m_deployment.supportUrl); }); });

    // The toolbar's "양식관리" button is the designer action; it shows and hides with it.
    QToolButton* designButton =
        addToolButton(bar, QStringLiteral("양식관리"), QStyle::SP_FileDialogContentsView);
    designButton->setObjectName(QStringLiteral("tb_design"));
    connect(designButton, &QToolButton::clicked, A_RptEdit, &QAction::trigger);
    connect(A_RptEdit, &QAction::changed, designButton,
            [this, designButton] { designButton->setVisible(A_RptEdit->isVisible()); });

    QToolButton* duplicates =
        addToolButton(bar, QStringLiteral("중복 자료 검색"), QStyle::SP_FileDialogDetailedView);
    duplicates->setObjectName(QStringLiteral("ToolButton2"));
    connect(duplicates, &QToolButton::clicked, this,
            [this] { guarded([this] { m_workspace->findDuplicates(); }); });

    auto* status = new QWidget;
    status->setObjectName(QStringLiteral("StatusLine"));
    auto* statusRow = new QHBoxLayout(status);
    statusRow->setContentsMargins(4, 0, 4, 0);
    statusRow->addWidget(new QLabel(QStringLiteral("사용자 :")));
    m_userLabel = namedLabel(QString(), "UserLabel");
    statusRow->addWidget(m_userLabel);
    statusRow->addStretch();
    m_workDateLabel = namedLabel(QString(), "WorkDateLabel");
    statusRow->addWidget(m_workDateLabel);

    column->addWidget(bar);
    column->addWidget(status);
    return page;
}

QWidget* TMainF::buildBackPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("back"));
    auto* column = new QVBoxLayout(page);
    auto* buildRow = new QHBoxLayout;
    buildRow->addWidget(new QLabel(QStringLiteral("OrvelM Build Number :")));
    buildRow->addWidget(namedLabel(QStringLiteral("3.00.000"), "BuildLabel"));
    buildRow->addStretch();
    column->addLayout(buildRow);
    auto* picture = namedLabel(QString(), "BackPicture");
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(128, 128));
    column->addWidget(picture, 1);
    auto* footer = namedLabel(QStringLiteral("Orvel 고객 관리"), "BackFooter");
    footer->setAlignment(Qt::AlignCenter);
    column->addWidget(footer);
    return page;
}

void TMainF::runCreationStep()
{
    m_workspace->entryPanel()->clearAll();
    A_ReportList->setVisible(false);
    A_RptEdit->setVisible(false);
    m_context.DuplicateMode = 0;
    m_context.DuplicateSource.clear();
    m_context.LoggedIn = false;
    m_context.AccessLevel.clear();
    m_context.UserLevel = 0;
    m_mainArea->setCurrentWidget(m_backPage);
    m_topBar->setCurrentWidget(m_loginPage);
    m_workspace->setCurrentIndex(0);
    m_userLabel->clear();
    m_idField->clear();
    m_passwordField->clear();
    m_workDateLabel->setText(
        QStringLiteral("작업일자 : ") +
        QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat) +
        QStringLiteral("  "));
    m_context.UserId.clear();
    m_context.ProgramDir = programDir();
    m_context.DataDir = m_context.ProgramDir + QStringLiteral("orvel_data") + QDir::separator();

    const IniFile settings(settingsFilePath());
    m_idField->setText(settings.readString(QStringLiteral("User"), QStringLiteral("UserName")));
    const int type = settings.readInt(QStringLiteral("User"), QStringLiteral("UserType"), 0);
    m_userType->setCurrentIndex(type >= 0 && type < m_userType->count() ? type : 0);
    if (!m_idField->text().isEmpty())
        m_passwordField->setFocus();
    else
        m_idField->setFocus();
}

QString TMainF::settingsFilePath() const
{
    return m_context.ProgramDir + settingsFileName();
}

void TMainF::attachDatabase(TMainDB* db)
{
    m_db = db;
    m_reports = std::make_unique<ReportObjects>(db->RPTDB, m_context.ProgramDir);
}

ReportObjects& TMainF::reports()
{
    if (!m_reports)
        throw DbError(QStringLiteral("The data module is not available"));
    return *m_reports;
}

TMainDB& TMainF::db()
{
    if (!m_db)
        throw DbError(QStringLiteral("The data module is not available"));
    return *m_db;
}

int TMainF::msgDlg(const QString& message, int kind)
{
    // A question asked in the middle of a long action gets the normal cursor back.
    int busy = 0;
    while (QApplication::overrideCursor()) {
        QApplication::restoreOverrideCursor();
        ++busy;
    }
    const int result = MsgBox::show(this, title(), message, kind);
    for (int i = 0; i < busy; ++i)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    return result;
}

void TMainF::setHangeulMode(bool on)
{
    SetHangeulMode(this, on);
}

void TMainF::runApp(const QString& target)
{
    // Without a browser (or any application for the address) the user opens it by hand.
    if (!RunApp(this, target))
        msgDlg(QStringLiteral("웹 브라우저를 열 수 없습니다. 다음 주소를 직접 열어 주십시오.\n") +
                   target,
               0);
}

void TMainF::refreshCustomerList()
{
    m_workspace->refreshCustomerList();
}

void TMainF::loadGroupNames()
{
    m_workspace->loadGroupNames();
}

void TMainF::loadPrintFormList()
{
    m_printForms->loadPrintFormList(*this);
}

void TMainF::login()
{
    m_login->login();
}

void TMainF::keepAlive()
{
    if (m_db)
        m_db->keepAlive();
}

bool TMainF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && watched == m_idField) {
            m_passwordField->setFocus();
            return true;
        }
        if (enter && watched == m_passwordField) {
            guarded([this] { login(); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace orvel
