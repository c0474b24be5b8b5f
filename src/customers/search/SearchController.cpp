#include "SearchController.h"

#include "CustomerWorkspace.h"

namespace orvel {

SearchController::SearchController(MainServices& services, CustomerWorkspace& workspace)
    : QObject(&workspace), m_services(services), m_workspace(workspace)
{
}

} // namespace orvel
