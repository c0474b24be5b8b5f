#pragma once

#include "report/designer/labels/LabelSheet.h"
#include "report/model/ReportModel.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace orvel::report::labels
{

/// One piece of a label line: a data column or a fixed text such as "귀하".
struct LabelPiece {
    enum Kind { Field, Text };
    Kind kind = Field;
    QString value; // column name or the text

    static LabelPiece field(const QString& column) { return {Field, column}; }
    static LabelPiece text(const QString& text) { return {Text, text}; }
    bool operator==(const LabelPiece&) const = default;
};

/// One line printed on each label: its pieces joined by spaces, e.g. the zip code and the
/// address, or the name and "귀하".
struct LabelLine {
    std::vector<LabelPiece> pieces;
    HAlign align = HAlign::Left;
    bool bold = false;

    /// The line as the wizard lists it: columns in brackets, texts as they are.
    QString displayText() const;
    /// The text of the line's memo, columns written as [DataSet."column"].
    QString memoText(const QString& dataSetName) const;
    bool hasFields() const;
    bool operator==(const LabelLine&) const = default;
};

/// How a sheet is put on the page and its band. Normally rowsPerPage is the sheet's rows,
/// rowPitchMm its vertical pitch and shiftMm 0. When the last row's pitch reaches past the
/// paper's bottom edge (the engine starts a row only where its whole band height fits), the
/// band cells start shiftMm above the labels, the labels keeping their places; an overrun of
/// up to 0.05 mm more is taken off the pitch. Only if that cannot make room either are fewer
/// rows printed per page (exact is false then).
struct LabelPlacement {
    int rowsPerPage = 1;
    double rowPitchMm = 0; // band height
    double shiftMm = 0;    // from a band cell's top to its label's top
    double paddingMm = 0;  // from the label's edges to its text
    bool exact = true;
};

LabelPlacement labelPlacement(const LabelSheet& sheet);

/// The template paper code for a paper size: the standard code for A4, A3, A5, B5, Letter
/// and Legal in either orientation, else CustomPaperCode.
inline constexpr int CustomPaperCode = 256;
int paperSizeCode(double widthMm, double heightMm);

/// Lines for a mailing label from the columns there are: zip code, address, then the name
/// with "귀하" at the right. Columns that are missing are left out.
std::vector<LabelLine> defaultLabelLines(const QStringList& columns);

/// A new report with one page laid out as the sheet and a master data band bound to the
/// data set: one band column per label column, one text per line inside each label.
ReportTemplate buildLabelTemplate(const LabelSheet& sheet, const std::vector<LabelLine>& lines,
                                  const QString& dataSetName);

} // namespace orvel::report::labels
