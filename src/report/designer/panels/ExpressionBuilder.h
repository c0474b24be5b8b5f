#pragma once

#include <QDialog>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

namespace orvel::report
{

class ReportDocument;

/// The "식 만들기" dialog: puts data fields, system values and totals into an expression.
class ExpressionBuilder : public QDialog
{
    Q_OBJECT

public:
    /// Text: entries go inside [ ] as in a memo's text. Expression: bare, as in a condition.
    enum class Mode { Text, Expression };

    ExpressionBuilder(const QString& text, ReportDocument* doc, QWidget* parent = nullptr,
                      Mode mode = Mode::Text);

    QString text() const;
    /// What picking a field inserts: [RPTDB."name"] (or RPTDB."name" bare).
    QString fieldExpression(const QString& field) const;
    /// What picking a system value inserts: [Page#] (or Page#).
    QString variableExpression(const QString& variable) const;
    /// What a total inserts: [SUM(<RPTDB."amount">)]; an empty field counts rows: [COUNT()].
    QString aggregateExpression(const QString& function, const QString& field) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* addList(const char* objectName, const QString& accessibleName);
    void insertItem(QListWidgetItem* item);
    void insertAggregate();
    void updateAggregateButton();
    void insert(const QString& expression);

    QString m_dataSet;
    Mode m_mode;
    QPlainTextEdit* m_edit;
    QListWidget* m_fields;
    QListWidget* m_system;
    QComboBox* m_function;
    QComboBox* m_aggregateField;
    QPushButton* m_aggregateInsert;
};

} // namespace orvel::report
