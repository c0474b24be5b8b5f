#pragma once

// The group "비밀번호 변경": the logged-in user changes the own password.

#include <QGroupBox>

class QLineEdit;
class QPushButton;

namespace orvel
{

class MainServices;

/// Three masked boxes (current, new, confirmation) and the button that writes the new
/// password's hash for the logged-in user.
class PasswordChange : public QGroupBox
{
    Q_OBJECT
public:
    explicit PasswordChange(MainServices& services, QWidget* parent = nullptr);

    /// Empties the three boxes.
    void clearBoxes();
    /// "비밀번호 변경": checks the boxes, asks, writes and reports.
    void changePassword();

    QLineEdit* currentBox() const { return m_current; }
    QLineEdit* newBox() const { return m_new; }
    QLineEdit* confirmBox() const { return m_confirm; }
    QPushButton* changeButton() const { return m_change; }

private:
    /// Writes the new password; throws when it could not be stored.
    void writePassword(const QString& password);

    MainServices& m_services;
    QLineEdit* m_current;
    QLineEdit* m_new;
    QLineEdit* m_confirm;
    QPushButton* m_change;
};

} // namespace orvel
