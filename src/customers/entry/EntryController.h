#pragma once

#include <QObject>

namespace orvel
{

class CustomerWorkspace;
class EntryPanel;
class GridEntry;
class MainServices;

/// Registers, edits and deletes customer records through the entry panel, the delete
/// strip and the grid's double click; in-cell entry is handed to GridEntry.
class EntryController : public QObject
{
    Q_OBJECT
public:
    EntryController(MainServices& services, CustomerWorkspace& workspace);

    /// Runs on every expansion of the entry panel: in register mode the first group is
    /// selected; the focus goes to in1.
    void InputPanelPop();
    /// The grid's double click: loads the current record for editing (level 8 only).
    void LoadRecordForEdit();
    /// "저장": inserts (after the duplicate question) or updates, then reloads.
    void SaveRecord();
    /// "취소": collapses the panel and resets it to register mode.
    void CancelEntry();
    /// "선택 항목 삭제": deletes the grid's current record after asking.
    void DeleteSelectedRecord();

    /// The message shown when the record being saved was deleted meanwhile.
    static QString recordGoneText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enterInField(int number);
    void zipLookup(int zipField, int addressField);
    void moveTo(int number);
    int currentRow() const;
    void restorePosition(int row, int column);

    MainServices& m_services;
    CustomerWorkspace& m_workspace;
    EntryPanel& m_panel;
    GridEntry* m_gridEntry;
};

} // namespace orvel
