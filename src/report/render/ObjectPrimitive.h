#pragma once

// How a template object becomes a prepared primitive: shared by preparing and by the
// designer, so the designer draws objects as they print.

#include "report/prepared/PreparedReport.h"

namespace orvel::report
{

/// The style a prepared item of the object carries (font, alignment, frame, fill ...).
ItemStyle itemStyleOf(const ReportObject& object);

/// The primitive kind that draws the object, adjusting rect (the object's box on the
/// page) to the primitive's geometry: lines become horizontal, vertical or diagonal.
PreparedItem::Kind primitiveKindOf(const ReportObject& object, QRectF* rect);

/// The picture of a picture object: its embedded bytes, else the linked file; null when
/// neither reads.
QImage pictureOf(const ReportObject& object);

} // namespace orvel::report
