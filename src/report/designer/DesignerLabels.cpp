// The designer's label wizard command.
#include "report/designer/DesignerWindow.h"

namespace orvel::report
{

void DesignerWindow::runLabelWizard() {}

} // namespace orvel::report
