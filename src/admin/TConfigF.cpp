#include "admin/TConfigF.h"

#include "admin/AccountPage.h"
#include "admin/PasswordChange.h"
#include "admin/ProfilePage.h"
#include "appcore/MainServices.h"
#include "platform/LastResort.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace orvel
{

TConfigF::TConfigF(MainServices& services, QWidget* parent)
    : QDialog(parent), m_pages(new QTabWidget), m_general(new QWidget),
      m_password(new PasswordChange(services)), m_profiles(new ProfilePage(services)),
      m_accounts(new AccountPage(services))
{
    setObjectName(QStringLiteral("TConfigF"));
    setWindowTitle(QStringLiteral("기본 설정"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(760, 520);

    m_pages->setObjectName(QStringLiteral("ConfigPages"));
    m_general->setObjectName(QStringLiteral("일반"));
    m_profiles->setObjectName(QStringLiteral("사용자권한"));
    m_accounts->setObjectName(QStringLiteral("사용자"));
    auto* generalLayout = new QVBoxLayout(m_general);
    generalLayout->addWidget(m_password);
    generalLayout->addStretch(1);
    m_pages->addTab(m_general, QStringLiteral("일반"));
    m_pages->addTab(m_profiles, QStringLiteral("사용자권한"));
    m_pages->addTab(m_accounts, QStringLiteral("사용자"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);

    // The page rule, applied once: the administration pages only for level 1.
    m_pages->setCurrentWidget(m_general);
    const bool admin = services.context().UserLevel == 1;
    m_pages->setTabVisible(m_pages->indexOf(m_profiles), admin);
    m_pages->setTabVisible(m_pages->indexOf(m_accounts), admin);
    m_password->clearBoxes();

    connect(m_pages, &QTabWidget::currentChanged, this,
            [this](int index) { guarded([this, index] { pageChanged(index); }); });
    // Closing in any way (Escape included) ends this dialog; the next command makes a new one.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
}

void TConfigF::pageChanged(int index)
{
    QWidget* page = m_pages->widget(index);
    if (page == m_profiles)
        m_profiles->reloadProfiles();
    else if (page == m_accounts)
        m_accounts->enterPage();
}

TConfigF* TConfigF::showSingle(MainServices& services, QPointer<TConfigF>& holder)
{
    // A dialog closed but not yet destroyed counts as gone.
    if (holder && !holder->isVisible()) {
        holder->deleteLater();
        holder = nullptr;
    }
    if (!holder) {
        holder = new TConfigF(services, services.window());
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = holder->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            holder->move(frame.topLeft());
        }
    }
    holder->show();
    holder->raise();
    holder->activateWindow();
    return holder;
}

} // namespace orvel
