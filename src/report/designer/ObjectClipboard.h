#pragma once

#include "report/designer/ReportDocument.h"

class QMimeData;

namespace orvel::report
{

/// Copies selected objects to the clipboard as template elements and pastes them back,
/// within one designer window or between two.
class ObjectClipboard
{
public:
    static QString mimeType();
    /// The selected objects (placeholders are not copied) as clipboard data.
    static QMimeData* copy(const ReportDocument& doc);
    /// The objects held by clipboard data, positions relative to their band kept.
    static std::vector<ReportObject> objects(const QMimeData* data);
    /// Pastes into the selected band, else the band of the first selected object, else the
    /// first data band, else the first band; one undo step. Answers whether anything came.
    static bool paste(ReportDocument* doc, const QMimeData* data);
};

} // namespace orvel::report
