#pragma once

// The page "사용자": lists, adds and changes the accounts of the member directory.

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace orvel
{

class AccountListModel;
class CollapsiblePanel;
class MainServices;

/// The account panel (id, password, name, access level, held no) above the account grid.
/// Database errors are not caught here; they end the action at the failing step.
class AccountPage : public QWidget
{
    Q_OBJECT
public:
    explicit AccountPage(MainServices& services, QWidget* parent = nullptr);

    /// Entering the page: collapses the panel, reloads the grid and the level list and
    /// returns the panel to the new-account state.
    void enterPage();
    /// Re-reads every account, ordered by name.
    void reloadAccounts();
    /// Loads a grid row into the panel for changing (double-click).
    void loadAccount(int row);
    /// "저장": changes the held account, or adds a new one.
    void save();
    /// "취소": collapses the panel and returns it to the new-account state.
    void cancel();

    CollapsiblePanel* panel() const { return m_panel; }
    QTableView* grid() const { return m_grid; }
    AccountListModel* model() const { return m_model; }
    QLineEdit* idBox() const { return m_id; }
    QLineEdit* passwordBox() const { return m_password; }
    QLineEdit* nameBox() const { return m_name; }
    QComboBox* levelList() const { return m_level; }
    /// The no of the account being changed; empty for a new account.
    QString heldNo() const;
    bool passwordEdited() const { return m_passwordEdited; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void clearFields();
    void fillLevels();
    void layOutGrid();

    MainServices& m_services;
    CollapsiblePanel* m_panel;
    QLineEdit* m_id;
    QLineEdit* m_password;
    QLineEdit* m_name;
    QComboBox* m_level;
    QLabel* m_no;
    QPushButton* m_save;
    QPushButton* m_cancel;
    QTableView* m_grid;
    AccountListModel* m_model;
    bool m_passwordEdited = false;
};

} // namespace orvel
