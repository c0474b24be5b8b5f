#include "printing/ReportObjects.h"

#include "data/Query.h"

#include <QDir>

namespace orvel
{

ReportObjects::ReportObjects(Query& rptdb, const QString& programDir) : TR_DataSet(rptdb)
{
    TR_Edit.labelSheetsFile = QDir(programDir).filePath(QStringLiteral("OrvelLabels.ini"));
}

void ReportObjects::bindRptdb()
{
    TR_View.setDataSource(&TR_DataSet, QStringLiteral("RPTDB"));
}

} // namespace orvel
