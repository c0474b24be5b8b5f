#pragma once

#include "report/print/PrintOffsets.h"

#include <QDialog>
#include <map>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace orvel::report
{

/// The print options: each installed printer's offset in mm, and the calibration page
/// that measures it. OK stores the offsets that were changed.
class PrintOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    /// printer: the one selected first (empty = the system's default).
    PrintOptionsDialog(PrintOffsets& offsets, const QString& printer, QWidget* parent = nullptr);

    QString printer() const;
    PrintOffset enteredOffset() const;

    /// Prints the calibration page on the selected printer with the offset as entered.
    /// Throws ReportError when printing cannot start.
    void printCalibrationPage();

    void accept() override;

private:
    void showPrinter(int index);
    void keepEntered();

    PrintOffsets& m_offsets;
    std::map<QString, PrintOffset> m_entered; // offsets edited here, not yet stored
    QString m_shown;                          // the printer whose offset the boxes show
    QComboBox* m_printers;
    QDoubleSpinBox* m_x;
    QDoubleSpinBox* m_y;
    QPushButton* m_calibrate;
};

} // namespace orvel::report
