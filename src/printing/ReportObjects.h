#pragma once

#include "report/Report.h"
#include "report/designer/DesignerWindow.h"
#include "tools/QueryDataSource.h"

namespace orvel
{

class Query;

/// The report-engine objects beside the data module: TR_View (the report, holding the
/// template loaded last and its prepared pages), TR_DataSet (the rows of RPTDB as
/// templates read them) and TR_Edit (the designer's settings; its defaults for a new
/// report are the engine's).
class ReportObjects
{
public:
    /// rptdb is the data module's RPTDB; programDir holds the office's label sheets.
    ReportObjects(Query& rptdb, const QString& programDir);

    /// Points TR_View's data set at RPTDB under the name templates use, "RPTDB".
    void bindRptdb();

    report::Report TR_View;
    tools::QueryDataSource TR_DataSet;
    report::DesignerOptions TR_Edit;
};

} // namespace orvel
