#pragma once

#include <QObject>

namespace orvel {

class CustomerWorkspace;
class MainServices;

/// Narrows and sorts the customer list by clicks on the grid's column titles.
class SearchController : public QObject {
    Q_OBJECT
public:
    SearchController(MainServices& services, CustomerWorkspace& workspace);

private:
    MainServices& m_services;
    CustomerWorkspace& m_workspace;
};

} // namespace orvel
