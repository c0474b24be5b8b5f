#pragma once

// A logged-in main window on scratch databases, for the record-entry tests.

#include "AppHarness.h"

#include <QString>
#include <QStringList>

namespace orvel
{
class CustomerGrid;
class CustomerGridModel;
class CustomerWorkspace;
class EntryPanel;
class TPostFindF;
} // namespace orvel

namespace orvel::test
{

/// Every customer column the list can show, as the full column list orders them.
extern const QString kAllColumns;

/// A member of the given level logged in, whose profile shows `columns`; the window is
/// shown and active, the panels switch without animation.
class EntrySession
{
public:
    explicit EntrySession(int level, const QString& columns = kAllColumns);

    QString table() const;
    /// Stores a record with these values (column=value pairs) and reloads the list.
    void addRecord(const QStringList& columnValues);
    /// Rows of a select on the customer table, cells joined with "|".
    QStringList rows(const QString& columnsAndTail);
    int count();

    CustomerWorkspace& workspace();
    EntryPanel& panel();
    CustomerGrid& grid();
    CustomerGridModel& model();
    /// Column of a field in the grid.
    int column(const QString& field);
    /// The texts of the message boxes shown by the handler of last resort.
    QStringList lastResortTexts() const;

    MemberFixture fixture;
    AppHarness app;
};

/// Searches the test zip rows for `text`, chooses the row with `zip` and confirms with
/// the detail address typed.
void chooseZip(TPostFindF* d, const QString& text, const QString& zip, const QString& detail);
/// Adds the zip rows the tests choose from.
void addZipRows(MemberFixture& f);

} // namespace orvel::test
