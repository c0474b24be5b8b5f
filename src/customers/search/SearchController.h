#pragma once

#include <QObject>

namespace orvel
{

class CustomerWorkspace;
class MainServices;

/// Narrows and sorts the customer list by clicks on the grid's column titles, and
/// resets both from the search panel's buttons.
class SearchController : public QObject
{
    Q_OBJECT
public:
    SearchController(MainServices& services, CustomerWorkspace& workspace);

    /// A click on a column title: nothing while the search panel is collapsed, else a
    /// search or an index click by the panel's choice. Errors it does not catch itself
    /// propagate to the caller.
    void GridTitleClick(int column);
    /// "검색초기화": leaves the duplicate view and drops every search term.
    void tfc_1Click();
    /// "색인초기화": drops every sort column.
    void tfc_2Click();

private:
    void searchClick(int column);
    void indexClick(int column);

    MainServices& m_services;
    CustomerWorkspace& m_workspace;
};

} // namespace orvel
