#pragma once

#include <QTableView>

namespace orvel
{

class CustomerGridModel;

/// The customer grid: a view over the list query with the program's look, fixed-height
/// rows and the column layout of the known customer fields.
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

private:
    CustomerGridModel* m_model = nullptr;
    bool m_cellEditing = false;
};

} // namespace orvel
