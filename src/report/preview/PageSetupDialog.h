#pragma once

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

namespace orvel::report
{

/// Paper, orientation and margins chosen in the page setup dialog.
struct PageSetup {
    int paperSize = 9;
    double widthMm = 210, heightMm = 297; // portrait size of the paper
    bool landscape = false;
    double left = 10, right = 10, top = 10, bottom = 10;
};

/// The preview's page setup dialog.
class PageSetupDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PageSetupDialog(const PageSetup& setup, QWidget* parent = nullptr);
    PageSetup setup() const;

    /// Paper sizes offered: code, name and portrait size in millimetres.
    struct Paper {
        int code;
        const char* name;
        double width, height;
    };
    static const std::vector<Paper>& papers();

private:
    QComboBox* m_paper;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_right;
    QDoubleSpinBox* m_top;
    QDoubleSpinBox* m_bottom;
    PageSetup m_initial;
};

} // namespace orvel::report
