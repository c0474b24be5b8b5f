#pragma once

#include <QObject>

namespace orvel
{

class CustomerGrid;
class CustomerGridModel;
class CustomerWorkspace;
class MainServices;

/// In-cell entry in the customer grid: Enter fills empty cells through the zip-code
/// lookup or the pick list and moves on cell by cell, saving a row at its last column;
/// Down takes back a blank new row below level 8; leaving a row saves it.
class GridEntry : public QObject
{
    Q_OBJECT
public:
    GridEntry(MainServices& services, CustomerWorkspace& workspace, QObject* parent = nullptr);

    /// Enter in the grid.
    void GridKeyPress();
    /// The Down arrow released in the grid.
    void GridKeyUp();

    /// Shown when entry is tried in the grouped duplicate view.
    static QString duplicateViewText();

private:
    void appendRow();
    void rowLeft(int row);
    void focusLeft();
    /// Saves the active row; false (with a message) when its record was deleted meanwhile.
    bool saveRow();
    void zipLookup(int row, const QString& addressField, const QString& zipField);
    void pickList(int row, int column);
    int lastColumn() const;
    int nextColumn(int column) const;
    int secondColumn() const;
    void moveTo(int row, int column);
    void updateEditable();

    MainServices& m_services;
    CustomerGrid& m_grid;
    CustomerGridModel& m_model;
    bool m_movingBack = false;
};

} // namespace orvel
