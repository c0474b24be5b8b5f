#pragma once

// The settings dialog "기본 설정": password change, column profiles and user accounts.

#include <QDialog>
#include <QPointer>

class QTabWidget;

namespace orvel
{

class AccountPage;
class MainServices;
class PasswordChange;
class ProfilePage;

/// The modeless settings dialog with the pages "일반", "사용자권한" and "사용자". The two
/// administration pages are shown only when the dialog is created for a user of level 1;
/// every visit of a page reloads it. Closing the dialog destroys it.
class TConfigF : public QDialog
{
    Q_OBJECT
public:
    explicit TConfigF(MainServices& services, QWidget* parent = nullptr);

    /// The settings command: brings the open dialog held in `holder` to the front, or
    /// creates one (a child of the services' window), centres it on the screen and
    /// shows it.
    static TConfigF* showSingle(MainServices& services, QPointer<TConfigF>& holder);

    QTabWidget* pages() const { return m_pages; }
    QWidget* generalPage() const { return m_general; }
    ProfilePage* profilePage() const { return m_profiles; }
    AccountPage* accountPage() const { return m_accounts; }
    PasswordChange* passwordChange() const { return m_password; }

private:
    void pageChanged(int index);

    QTabWidget* m_pages;
    QWidget* m_general;
    PasswordChange* m_password;
    ProfilePage* m_profiles;
    AccountPage* m_accounts;
};

} // namespace orvel
