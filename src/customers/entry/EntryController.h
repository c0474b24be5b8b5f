#pragma once

#include <QObject>

namespace orvel {

class CustomerWorkspace;
class MainServices;

/// Registers, edits and deletes customer records through the entry panel and the grid.
class EntryController : public QObject {
    Q_OBJECT
public:
    EntryController(MainServices& services, CustomerWorkspace& workspace);

private:
    MainServices& m_services;
    CustomerWorkspace& m_workspace;
};

} // namespace orvel
