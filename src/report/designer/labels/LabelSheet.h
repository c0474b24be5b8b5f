#pragma once

#include <QRectF>
#include <QString>
#include <vector>

namespace orvel::report::labels
{

/// A named paper size in millimetres, portrait or as the sheet is printed.
struct PaperSize {
    QString id;   // "A4", "US-Letter" ...; empty for a size typed in
    QString name; // shown to the user
    double width = 0, height = 0;
    bool operator==(const PaperSize&) const = default;
};

/// Paper sizes a custom sheet can be put on, A4 first.
const std::vector<PaperSize>& standardPaperSizes();
/// The standard paper size of an id; nullptr for other ids.
const PaperSize* standardPaperSize(const QString& id);
/// "100.0 x 150.0 mm", the name of a paper size that has no name.
QString paperSizeName(double widthMm, double heightMm);

/// One sheet of labels: its paper, the label size and the grid the labels sit in. All lengths
/// are millimetres; label (i, j) has its top-left corner at (x0 + i*dx, y0 + j*dy).
struct LabelSheet {
    QString brand;       // maker, or "사용자 용지" for a sheet the office entered
    QString part;        // the maker's part number, or the name of a custom sheet
    QString description; // what the maker calls it
    QString paperId;     // catalogue paper id ("A4", "US-Letter"), "Other" or empty
    QString paperName;
    double paperWidth = 210, paperHeight = 297;
    double labelWidth = 0, labelHeight = 0, cornerRadius = 0;
    int columns = 1, rows = 1;
    double x0 = 0, y0 = 0, dx = 0, dy = 0;
    bool custom = false;

    /// "Avery L7163" for a catalogue sheet, the bare name for a custom one.
    QString displayName() const;
    /// "A4 (210.0 x 297.0 mm)", or the size alone for a paper without a name.
    QString paperText() const;
    int labelsPerSheet() const { return columns * rows; }
    /// The rectangle of label (column, row) on the paper, in millimetres.
    QRectF labelRect(int column, int row) const;
    /// Whether the labels can be laid out: positive sizes, pitches no smaller than the labels
    /// where there are several, every label on the paper. Gives the reason in Korean.
    bool isUsable(QString* why = nullptr) const;
    bool operator==(const LabelSheet&) const = default;
};

/// The maker shown for sheets the office entered itself.
QString customSheetBrand();

} // namespace orvel::report::labels
