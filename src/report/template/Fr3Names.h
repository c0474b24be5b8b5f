#pragma once

#include "report/model/ReportModel.h"

#include <QString>

namespace orvel::report::fr3
{

// Names of template elements and enumerated attribute values, both ways.

QString bandElement(Band::Type type);
/// Band type for an element name; Band::Other when the element is no band we print.
Band::Type bandType(const QString& element, bool* isBand);

/// The linked band kind of an element the reader keeps as it is; LinkedBand::None for others.
LinkedBand linkedBand(const QString& element);

QString hAlignName(HAlign a);
HAlign hAlignFromName(const QString& s);
QString vAlignName(VAlign a);
VAlign vAlignFromName(const QString& s);
QString stretchName(StretchMode m);
StretchMode stretchFromName(const QString& s);
QString shapeName(ShapeKind k);
ShapeKind shapeFromName(const QString& s);
QString formatKindName(DisplayFormat::Kind k);
DisplayFormat::Kind formatKindFromName(const QString& s);
QString frameStyleName(int penStyle);
int frameStyleFromName(const QString& s);

/// Bit sets written either as integers or as "[name,name]" lists.
int setFromText(const QString& s, const QStringList& names, bool* ok);
QString setToText(int bits, const QStringList& names);
const QStringList& fontStyleNames();
const QStringList& frameSideNames();
const QStringList& previewButtonNames();

/// Windows colour integers (BGR, negative = system colour, clNone = transparent).
QColor colorFromText(const QString& s, bool* ok);
QString colorToText(const QColor& c);

} // namespace orvel::report::fr3
