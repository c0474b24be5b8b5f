#pragma once

#include <QTabWidget>

class QPushButton;
class QVBoxLayout;

namespace orvel
{

class CustomerGrid;
class CustomerGridModel;
class EntryPanel;
class FindPanel;
class MainServices;

/// The customer page (tab "고객자료"): print-form bar, search panel, customer grid,
/// delete strip and entry panel, and the list operations that reload the grid.
class CustomerWorkspace : public QTabWidget
{
    Q_OBJECT
public:
    explicit CustomerWorkspace(MainServices& services, QWidget* parent = nullptr);

    /// Puts the print-form bar at the top of the page.
    void setPrintBar(QWidget* bar);

    /// Rebuilds the list query from the list state, reopens it, shows the row count in
    /// the tab's caption and lays the grid's columns out. Reports its own failures.
    void refreshCustomerList();
    /// Switches to the duplicate view of the list currently shown.
    void findDuplicates();
    /// Reloads the entry panel's group list (register mode).
    void loadGroupNames();

    FindPanel* findPanel() const { return m_findPanel; }
    CustomerGrid* grid() const { return m_grid; }
    CustomerGridModel* gridModel() const { return m_model; }
    EntryPanel* entryPanel() const { return m_entryPanel; }
    QWidget* deleteStrip() const { return m_deleteStrip; }
    QPushButton* deleteButton() const { return m_deleteButton; }

    static QString baseCaption() { return QStringLiteral("고객자료"); }

private:
    MainServices& m_services;
    QVBoxLayout* m_pageLayout;
    FindPanel* m_findPanel;
    CustomerGridModel* m_model;
    CustomerGrid* m_grid;
    QWidget* m_deleteStrip;
    QPushButton* m_deleteButton;
    EntryPanel* m_entryPanel;
};

} // namespace orvel
