#pragma once

// Names the designer shows for band and object kinds.

#include "report/model/ReportModel.h"

#include <QString>

namespace orvel::report
{

QString bandKindName(Band::Type type);
QString objectKindName(ReportObject::Type type);

} // namespace orvel::report
