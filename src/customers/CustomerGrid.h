#pragma once

#include <QTableView>

namespace orvel
{

class CustomerGridModel;

/// The customer grid: a view over the list query with the program's look, fixed-height
/// rows and the column layout of the known customer fields. Its entry keys are reported
/// as signals; what they do is decided by the record-entry controller.
class CustomerGrid : public QTableView
{
    Q_OBJECT
public:
    explicit CustomerGrid(QWidget* parent = nullptr);

    void setGridModel(CustomerGridModel* model);
    CustomerGridModel* gridModel() const { return m_model; }

    /// Widths and visibility by the column table; called after every reload.
    void applyColumnLayout();
    /// Switches in-cell editing on or off.
    void setCellEditing(bool on);
    bool cellEditing() const { return m_cellEditing; }

signals:
    /// Enter was pressed in the grid or in a cell editor (the typed text is committed).
    void enterPressed();
    /// The Down arrow was pressed on the last row.
    void appendRowRequested();
    /// The Down arrow was released.
    void downReleased();
    /// The current cell moved off a row.
    void rowLeft(int row);
    /// The focus went to another control of the window.
    void focusLeft();
    /// A double click anywhere in the grid's cell area (also on an empty list).
    void recordDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    /// Makes the open cell editor's text the cell's value and closes the editor.
    void commitEditor();

    CustomerGridModel* m_model = nullptr;
    bool m_cellEditing = false;
};

} // namespace orvel
