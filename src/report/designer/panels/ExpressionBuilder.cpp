#include "report/designer/panels/ExpressionBuilder.h"

#include "platform/DialogButtons.h"
#include "report/designer/ReportDocument.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvel::report
{

ExpressionBuilder::ExpressionBuilder(const QString& text, ReportDocument* doc, QWidget* parent,
                                     Mode mode)
    : QDialog(parent), m_dataSet(doc->dataSetName()), m_mode(mode)
{
    setObjectName(QStringLiteral("expressionBuilder"));
    setWindowTitle(QStringLiteral("식 만들기"));

    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("expressionEdit"));
    m_edit->setAccessibleName(QStringLiteral("식"));
    m_edit->setTabChangesFocus(true);
    m_edit->setPlainText(text);
    m_edit->moveCursor(QTextCursor::End);
    auto* editLabel = new QLabel(QStringLiteral("식(&E)"), this);
    editLabel->setBuddy(m_edit);

    // Data fields of the bound data set.
    auto* fieldsBox = new QGroupBox(
        m_dataSet.isEmpty() ? QStringLiteral("필드") : QStringLiteral("필드 (%1)").arg(m_dataSet),
        this);
    auto* fieldsLayout = new QVBoxLayout(fieldsBox);
    m_fields = addList("fieldList", QStringLiteral("필드"));
    for (const QString& f : doc->fieldNames()) {
        auto* item = new QListWidgetItem(f, m_fields);
        item->setData(Qt::UserRole, fieldExpression(f));
    }
    fieldsLayout->addWidget(m_fields);

    // Values the report keeps while it prints.
    auto* systemBox = new QGroupBox(QStringLiteral("시스템 값"), this);
    auto* systemLayout = new QVBoxLayout(systemBox);
    m_system = addList("systemList", QStringLiteral("시스템 값"));
    const std::pair<const char*, const char*> variables[] = {{"페이지 번호", "Page#"},
                                                             {"전체 페이지", "TotalPages#"},
                                                             {"날짜", "Date"},
                                                             {"시간", "Time"},
                                                             {"줄 번호", "Line#"}};
    for (const auto& [label, name] : variables) {
        const QString expr = variableExpression(QLatin1String(name));
        auto* item = new QListWidgetItem(
            QStringLiteral("%1  %2").arg(QString::fromUtf8(label), expr), m_system);
        item->setData(Qt::UserRole, expr);
    }
    systemLayout->addWidget(m_system);

    // Totals over a field.
    auto* totalsBox = new QGroupBox(QStringLiteral("합계"), this);
    auto* totalsLayout = new QVBoxLayout(totalsBox);
    m_function = new QComboBox(totalsBox);
    m_function->setObjectName(QStringLiteral("aggregateFunctionBox"));
    m_function->setAccessibleName(QStringLiteral("합계 함수"));
    const std::pair<const char*, const char*> functions[] = {
        {"합계", "SUM"}, {"개수", "COUNT"}, {"평균", "AVG"}, {"최소", "MIN"}, {"최대", "MAX"}};
    for (const auto& [label, name] : functions)
        m_function->addItem(
            QStringLiteral("%1 %2").arg(QString::fromUtf8(label), QLatin1String(name)),
            QLatin1String(name));
    m_aggregateField = new QComboBox(totalsBox);
    m_aggregateField->setObjectName(QStringLiteral("aggregateFieldBox"));
    m_aggregateField->setAccessibleName(QStringLiteral("합계 필드"));
    m_aggregateField->addItem(QStringLiteral("(행 수)"), QString());
    for (const QString& f : doc->fieldNames())
        m_aggregateField->addItem(f, f);
    if (m_aggregateField->count() > 1)
        m_aggregateField->setCurrentIndex(1);
    m_aggregateInsert = new QPushButton(QStringLiteral("넣기(&I)"), totalsBox);
    m_aggregateInsert->setObjectName(QStringLiteral("aggregateInsertButton"));
    m_aggregateInsert->setAccessibleName(QStringLiteral("합계 넣기"));
    m_aggregateInsert->setAutoDefault(false);
    auto* functionLabel = new QLabel(QStringLiteral("함수(&U)"), totalsBox);
    functionLabel->setBuddy(m_function);
    auto* fieldLabel = new QLabel(QStringLiteral("필드(&D)"), totalsBox);
    fieldLabel->setBuddy(m_aggregateField);
    totalsLayout->addWidget(functionLabel);
    totalsLayout->addWidget(m_function);
    totalsLayout->addWidget(fieldLabel);
    totalsLayout->addWidget(m_aggregateField);
    totalsLayout->addWidget(m_aggregateInsert);
    totalsLayout->addStretch();
    connect(m_function, &QComboBox::currentIndexChanged, this,
            &ExpressionBuilder::updateAggregateButton);
    connect(m_aggregateField, &QComboBox::currentIndexChanged, this,
            &ExpressionBuilder::updateAggregateButton);
    connect(m_aggregateInsert, &QPushButton::clicked, this, &ExpressionBuilder::insertAggregate);
    updateAggregateButton();

    auto* pickers = new QHBoxLayout;
    pickers->addWidget(fieldsBox);
    pickers->addWidget(systemBox);
    pickers->addWidget(totalsBox);

    auto* hint = new QLabel(QStringLiteral("항목을 두 번 누르거나 Enter 키를 누르면 커서 자리에 "
                                           "들어갑니다."),
                            this);
    hint->setWordWrap(true);

    auto* buttons = orvel::okCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editLabel);
    layout->addWidget(m_edit, 1);
    layout->addLayout(pickers, 2);
    layout->addWidget(hint);
    layout->addWidget(buttons);

    setTabOrder(m_edit, m_fields);
    setTabOrder(m_fields, m_system);
    setTabOrder(m_system, m_function);
    setTabOrder(m_function, m_aggregateField);
    setTabOrder(m_aggregateField, m_aggregateInsert);
    m_edit->setFocus();
    resize(640, 420);
}

QListWidget* ExpressionBuilder::addList(const char* objectName, const QString& accessibleName)
{
    auto* list = new QListWidget(this);
    list->setObjectName(QLatin1String(objectName));
    list->setAccessibleName(accessibleName);
    list->installEventFilter(this);
    connect(list, &QListWidget::itemActivated, this, &ExpressionBuilder::insertItem);
    return list;
}

QString ExpressionBuilder::text() const
{
    return m_edit->toPlainText();
}

QString ExpressionBuilder::fieldExpression(const QString& field) const
{
    const QString ref = QStringLiteral("%1.\"%2\"").arg(m_dataSet, field);
    return m_mode == Mode::Text ? QLatin1Char('[') + ref + QLatin1Char(']') : ref;
}

QString ExpressionBuilder::variableExpression(const QString& variable) const
{
    return m_mode == Mode::Text ? QLatin1Char('[') + variable + QLatin1Char(']') : variable;
}

QString ExpressionBuilder::aggregateExpression(const QString& function, const QString& field) const
{
    // Inside a call a field is written in angle brackets.
    const QString arg =
        field.isEmpty() ? QString() : QStringLiteral("<%1.\"%2\">").arg(m_dataSet, field);
    const QString call = QStringLiteral("%1(%2)").arg(function, arg);
    return m_mode == Mode::Text ? QLatin1Char('[') + call + QLatin1Char(']') : call;
}

bool ExpressionBuilder::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a list inserts its entry rather than closing the dialog.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* list = qobject_cast<QListWidget*>(watched);
        if (list && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            insertItem(list->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ExpressionBuilder::insertItem(QListWidgetItem* item)
{
    if (item)
        insert(item->data(Qt::UserRole).toString());
}

void ExpressionBuilder::updateAggregateButton()
{
    // Only a count goes without a field.
    const bool count = m_function->currentData().toString() == QLatin1String("COUNT");
    m_aggregateInsert->setEnabled(count || !m_aggregateField->currentData().toString().isEmpty());
}

void ExpressionBuilder::insertAggregate()
{
    insert(aggregateExpression(m_function->currentData().toString(),
                               m_aggregateField->currentData().toString()));
}

void ExpressionBuilder::insert(const QString& expression)
{
    m_edit->insertPlainText(expression);
}

} // namespace orvel::report
