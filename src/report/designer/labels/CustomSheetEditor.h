#pragma once

#include "report/designer/labels/CustomSheetStore.h"
#include "report/designer/labels/LabelSheet.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orvel::report::labels
{

/// Entry of a label sheet by its measurements, with the office's saved sheets by name.
class CustomSheetEditor : public QWidget
{
    Q_OBJECT

public:
    CustomSheetEditor(const QString& storePath, QWidget* parent = nullptr);

    /// The sheet as entered; its name is the name box's text.
    LabelSheet sheet() const;
    void setSheet(const LabelSheet& sheet);
    /// Names of the saved sheets, as the saved-sheet box lists them.
    QStringList savedNames() const;

public slots:
    bool saveSheet();
    bool deleteSheet();

signals:
    void sheetChanged();

private:
    QDoubleSpinBox* lengthBox(const char* name, double value);
    QSpinBox* countBox(const char* name, int value);
    void reloadSaved(const QString& select);
    void loadSaved(int index);
    void paperChosen();
    void changed();

    CustomSheetStore m_store;
    std::vector<LabelSheet> m_saved;
    bool m_updating = false;
    QComboBox* m_savedBox;
    QLineEdit* m_name;
    QComboBox* m_paper;
    QDoubleSpinBox* m_paperWidth;
    QDoubleSpinBox* m_paperHeight;
    QSpinBox* m_columns;
    QSpinBox* m_rows;
    QDoubleSpinBox* m_labelWidth;
    QDoubleSpinBox* m_labelHeight;
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_top;
    QDoubleSpinBox* m_dx;
    QDoubleSpinBox* m_dy;
    QPushButton* m_save;
    QPushButton* m_delete;
    QLabel* m_status;
};

} // namespace orvel::report::labels
