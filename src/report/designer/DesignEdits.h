#pragma once

// Edits of several objects at once that the designer's commands and keys run: align, same
// size, nudge, insert, drop a data field. Each is one undo step on the document.

#include "report/designer/ReportDocument.h"

#include <QHash>

namespace orvel::report
{

enum class AlignKind { Left, Right, Top, Bottom, HCenter, VCenter, SameWidth, SameHeight };

/// Aligns the selected objects to the first of them (in band coordinates).
void alignSelection(ReportDocument* doc, AlignKind kind);

/// Moves (or with resize, grows) the selected objects by dx, dy template pixels. Repeated
/// nudges of the same selection join into one undo step.
void nudgeSelection(ReportDocument* doc, double dx, double dy, bool resize);

/// A new object of the kind as the designer makes it (default size, font and text).
ReportObject newObject(ReportObject::Type type, const QString& text = {},
                       ShapeKind shape = ShapeKind::Rectangle);

/// A text object showing a data field at pos (band coordinates) and, when dropped on a
/// master data band, the field's title above it in the column header band (or the page
/// header where the page has no column header); one undo step. Both take the look and row
/// of their band's other text objects. titles maps field names to titles (else the name).
void dropField(ReportDocument* doc, int band, const QPointF& pos, const QString& dataSet,
               const QString& field, const QHash<QString, QString>& titles = {});

/// The expression text that shows a field of a data set.
QString fieldExpression(const QString& dataSet, const QString& field);

} // namespace orvel::report
