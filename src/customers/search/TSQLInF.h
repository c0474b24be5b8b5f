#pragma once

#include "customers/search/SearchGrammar.h"
#include "data/Query.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;

namespace orvel
{

/// The search dialog "검색": connector, operator and value of one search term on one
/// column, with the editor that suits the column's kind.
class TSQLInF : public QDialog
{
    Q_OBJECT
public:
    explicit TSQLInF(QWidget* parent = nullptr);

    /// Sets the dialog up for a column: the panel shows the search label, the title
    /// label the column's title; operators, preselection and editor follow the kind.
    void prepare(const QString& searchLabel, const QString& columnTitle, ColumnKind kind);
    /// Gives the value box its list in one step (no item by item insertion).
    void setValueList(const QStringList& values);

    bool orSelected() const;
    /// The checked operator with its spaces (" = ", " like ", ...); "" when none.
    QString selectedOperator() const;
    /// The operators offered, in order.
    QStringList offeredOperators() const;
    /// The value text; after "검색" it holds the shown editor's value.
    QString valueText() const;
    ValueEditor editor() const { return m_editor; }
    /// The shown value editor's widget.
    QWidget* editorWidget() const;

    QGroupBox* SQ_Old;
    QGroupBox* RadioGroup1;
    QRadioButton* andButton; // "And (그리고)"
    QRadioButton* orButton;  // "Or (또는)"
    QLabel* SQ_Label;
    QGroupBox* RadioGroup2;
    QComboBox* SQ_Text;  // value box with the value list
    QDateEdit* SQ_Text2; // date picker
    QLineEdit* SQ_Text3; // number field
    QComboBox* SQ_Text4; // true/false list
    QPushButton* searchButton;
    QPushButton* cancelButton;

public slots:
    /// "검색": takes the shown editor's value into the value box, then accepts.
    void confirm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void resetEditors();
    void setOperators(const QStringList& operators, const QString& preselected);

    QButtonGroup* m_operatorGroup;
    QList<QRadioButton*> m_operatorButtons;
    QStringListModel* m_values;
    ValueEditor m_editor = ValueEditor::ValueBox;
};

} // namespace orvel
