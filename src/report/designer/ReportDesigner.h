#pragma once

// The engine's designer operation: what the program calls to design a report.

#include "report/designer/DesignerWindow.h"

namespace orvel::report
{

class Report;

/// Shows the designer modally on the report's template (a new report with the designer's
/// defaults when it has none) and its bound data set. The designer saves the template
/// itself: after a save the report holds the saved template and its path. Answers whether
/// the template was saved.
bool showDesigner(Report& report, QWidget* parent = nullptr, const DesignerOptions& options = {});

/// The options a designer opened without any (from the preview) uses: the label sheets file
/// beside the program's settings.
DesignerOptions defaultDesignerOptions();

} // namespace orvel::report
