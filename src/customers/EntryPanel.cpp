#include "customers/EntryPanel.h"

#include "data/Query.h"
#include "data/SqlText.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvel
{

namespace
{

struct FieldSpec {
    int number;
    const char* caption;
    int stretch;
};

// Rows of fields, top to bottom, each left to right; row 4 is one wide field.
const std::vector<std::vector<FieldSpec>> kRows = {
    {{1, "그룹", 2},
     {2, "이름", 2},
     {3, "우편번호", 1},
     {4, "주소", 5},
     {5, "전화번호", 2},
     {6, "휴대폰", 2}},
    {{7, "주민등록번호", 2}, {8, "메일", 3}, {9, "홈페이지", 3}},
    {{10, "직장명", 2}, {11, "우편번호", 1}, {12, "주소", 5}, {13, "전화번호", 2}, {14, "팩스", 2}},
};

QWidget* separator()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

EntryPanel::EntryPanel(QWidget* parent) : CollapsiblePanel(registerTitle(), parent)
{
    setObjectName(QStringLiteral("InputPanel"));
    Edit_No = new QLabel;
    Edit_No->setObjectName(QStringLiteral("Edit_No"));
    Edit_No->setAccessibleName(QStringLiteral("관리번호"));
    addTitleWidget(Edit_No);

    auto* content = new QWidget;
    auto* outer = new QHBoxLayout(content);
    outer->setContentsMargins(4, 2, 4, 2);
    auto* rows = new QVBoxLayout;
    outer->addLayout(rows, 1);

    in1 = new QComboBox;
    in1->setObjectName(QStringLiteral("in1"));
    in1->setEditable(true);
    in1->setInsertPolicy(QComboBox::NoInsert);

    QList<QWidget*> tabOrder;
    for (size_t r = 0; r < kRows.size(); ++r) {
        if (r > 0)
            rows->addWidget(separator());
        auto* grid = new QGridLayout;
        grid->setVerticalSpacing(0);
        int column = 0;
        for (const FieldSpec& spec : kRows[r]) {
            QWidget* editor = nullptr;
            if (spec.number == 1) {
                editor = in1;
            } else {
                auto* edit = new QLineEdit;
                edit->setObjectName(QStringLiteral("in%1").arg(spec.number));
                m_fields[size_t(spec.number)] = edit;
                editor = edit;
            }
            auto* label = new QLabel(QString::fromUtf8(spec.caption));
            label->setBuddy(editor);
            editor->setAccessibleName(label->text());
            grid->addWidget(label, 0, column);
            grid->addWidget(editor, 1, column);
            grid->setColumnStretch(column, spec.stretch);
            tabOrder.append(editor);
            ++column;
        }
        rows->addLayout(grid);
    }
    rows->addWidget(separator());
    auto* last = new QHBoxLayout;
    auto* comment = new QLineEdit;
    comment->setObjectName(QStringLiteral("in15"));
    m_fields[15] = comment;
    auto* commentLabel = new QLabel(QStringLiteral("기타 특이사항"));
    commentLabel->setBuddy(comment);
    comment->setAccessibleName(commentLabel->text());
    last->addWidget(commentLabel);
    last->addWidget(comment, 1);
    rows->addLayout(last);
    tabOrder.append(comment);

    auto* buttonFrame = new QFrame;
    buttonFrame->setFrameShape(QFrame::StyledPanel);
    auto* buttons = new QVBoxLayout(buttonFrame);
    saveButton = new QPushButton(QStringLiteral("저장"));
    saveButton->setObjectName(QStringLiteral("btn_save"));
    cancelButton = new QPushButton(QStringLiteral("취소"));
    cancelButton->setObjectName(QStringLiteral("btn_cancel"));
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();
    outer->addWidget(buttonFrame);
    tabOrder << saveButton << cancelButton;

    setContent(content);
    for (int i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

QLineEdit* EntryPanel::field(int number) const
{
    return number >= 2 && number <= 15 ? m_fields[size_t(number)] : nullptr;
}

QString EntryPanel::text(int number) const
{
    if (number == 1)
        return in1->currentText();
    QLineEdit* f = field(number);
    return f ? f->text() : QString();
}

void EntryPanel::setText(int number, const QString& text)
{
    if (number == 1)
        in1->setEditText(text);
    else if (QLineEdit* f = field(number))
        f->setText(text);
}

void EntryPanel::clearAll()
{
    for (int n = 1; n <= 15; ++n)
        setText(n, QString());
    Edit_No->clear();
}

void EntryPanel::loadGroupNames(Query& query, const QString& customerTable)
{
    setCaption(registerTitle());
    for (int n : {2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})
        setText(n, QString());
    Edit_No->clear();

    query.close();
    query.clearSql();
    query.addLine(QStringLiteral("select group_name from ") + sql::quoteIdentifier(customerTable));
    query.addLine(QStringLiteral(" group by group_name order by group_name"));
    query.open();

    QStringList groups;
    groups.reserve(query.rowCount());
    for (query.first(); !query.eof(); query.next())
        groups.append(query.fieldAsString(QStringLiteral("group_name")));
    // Refill the list without touching the typed group text.
    const QString typed = in1->currentText();
    in1->clear();
    in1->addItems(groups);
    in1->setCurrentIndex(-1);
    in1->setEditText(typed);
}

} // namespace orvel
