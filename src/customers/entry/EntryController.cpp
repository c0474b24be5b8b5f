#include "EntryController.h"

#include "CustomerWorkspace.h"

namespace orvel {

EntryController::EntryController(MainServices& services, CustomerWorkspace& workspace)
    : QObject(&workspace), m_services(services), m_workspace(workspace)
{
}

} // namespace orvel
