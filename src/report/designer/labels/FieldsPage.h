#pragma once

#include "report/designer/labels/LabelTemplateBuilder.h"

#include <QHash>
#include <QWizardPage>
#include <optional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvel::report::labels
{

/// Second wizard step: which columns and fixed texts each label prints, line by line.
class FieldsPage : public QWizardPage
{
    Q_OBJECT

public:
    FieldsPage(const QStringList& columns, QWidget* parent = nullptr);

    const std::vector<LabelLine>& lines() const { return m_lines; }
    void setLines(const std::vector<LabelLine>& lines);
    /// Korean captions of columns, shown instead of their names.
    void setColumnCaptions(const QHash<QString, QString>& captions);
    QString lineText(const LabelLine& line) const;
    bool isComplete() const override;

private:
    std::optional<LabelPiece> chosenPiece() const;
    void addLine();
    void appendToLine();
    void removeLine();
    void moveLine(int by);
    void lineOptionsChanged();
    void refresh(int current);
    void updateButtons();
    void fillAvailable();

    QStringList m_columns;
    QHash<QString, QString> m_captions;
    std::vector<LabelLine> m_lines;
    QListWidget* m_available;
    QLineEdit* m_fixedText;
    QListWidget* m_linesList;
    QPushButton* m_add;
    QPushButton* m_append;
    QPushButton* m_remove;
    QPushButton* m_up;
    QPushButton* m_down;
    QCheckBox* m_right;
    QCheckBox* m_bold;
};

} // namespace orvel::report::labels
