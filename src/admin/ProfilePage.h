#pragma once

// The page "사용자권한": edits the column profile of each access level.

#include <QStringList>
#include <QWidget>

class QComboBox;
class QListWidget;
class QPushButton;

namespace orvel
{

class MainServices;

/// The profile editor: the item list of labels, the access-level list with the stored
/// texts of each profile, and the output list of the profile being edited.
class ProfilePage : public QWidget
{
    Q_OBJECT
public:
    explicit ProfilePage(MainServices& services, QWidget* parent = nullptr);

    /// Reads every profile again and shows the first; reports failures itself.
    void reloadProfiles();
    /// Fills the output list from the selected profile's labels.
    void showSelectedProfile();
    /// "추가": appends the selected label to the output list.
    void addLabel();
    /// "삭제": removes the selected entry of the output list.
    void removeLabel();
    /// "저장": writes the output list as the selected level's profile.
    void saveProfile();

    QListWidget* itemList() const { return m_items; }
    QListWidget* outputList() const { return m_output; }
    QComboBox* levelList() const { return m_levels; }
    /// The stored texts of each profile, paired with the level list by position.
    const QStringList& varNames() const { return m_varNames; }
    const QStringList& varValues() const { return m_varValues; }
    /// The output list's entries, in order.
    QStringList outputEntries() const;

private:
    MainServices& m_services;
    QListWidget* m_items;
    QListWidget* m_output;
    QComboBox* m_levels;
    QPushButton* m_save;
    QPushButton* m_add;
    QPushButton* m_remove;
    QStringList m_varNames;
    QStringList m_varValues;
};

} // namespace orvel
