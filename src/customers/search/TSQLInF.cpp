#include "customers/search/TSQLInF.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace orvel
{

namespace
{

constexpr int kPanelWidth = 440;

QFont dialogFont(const QFont& base)
{
    QFont f = base;
    f.setFamilies({QStringLiteral("돋움체"), QStringLiteral("DotumChe"),
                   QStringLiteral("NanumGothicCoding"), QStringLiteral("NanumGothic")});
    return f;
}

// Value rows as high as the font's Latin and Hangul glyphs need.
class ValueRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize base = QStyledItemDelegate::sizeHint(option, index);
        const QFontMetrics fm(option.font);
        const int glyphs = fm.boundingRect(QStringLiteral("가힣Ágy")).height();
        return QSize(base.width(), std::max({base.height(), fm.height() + 4, glyphs + 4}));
    }
};

} // namespace

TSQLInF::TSQLInF(QWidget* parent) : QDialog(parent), m_operatorGroup(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("TSQLInF"));
    setWindowTitle(QStringLiteral("검색"));
    setFont(dialogFont(font()));
    setModal(true);

    SQ_Old = new QGroupBox;
    SQ_Old->setObjectName(QStringLiteral("SQ_Old"));
    SQ_Old->setMinimumWidth(kPanelWidth);

    RadioGroup1 = new QGroupBox(QStringLiteral("검색조건"));
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* connectors = new QVBoxLayout(RadioGroup1);
    andButton = new QRadioButton(QStringLiteral("And (그리고)"));
    andButton->setObjectName(QStringLiteral("RadioGroup1_0"));
    orButton = new QRadioButton(QStringLiteral("Or (또는)"));
    orButton->setObjectName(QStringLiteral("RadioGroup1_1"));
    connectors->addWidget(andButton);
    connectors->addWidget(orButton);

    SQ_Label = new QLabel;
    SQ_Label->setObjectName(QStringLiteral("SQ_Label"));
    SQ_Label->setAlignment(Qt::AlignCenter);
    SQ_Label->setStyleSheet(QStringLiteral("color: red;"));
    QFont bold = font();
    bold.setBold(true);
    SQ_Label->setFont(bold);

    RadioGroup2 = new QGroupBox(QStringLiteral("연산자"));
    RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
    new QGridLayout(RadioGroup2);

    SQ_Text = new QComboBox;
    SQ_Text->setObjectName(QStringLiteral("SQ_Text"));
    SQ_Text->setEditable(true);
    SQ_Text->setCompleter(nullptr);
    SQ_Text->setInsertPolicy(QComboBox::NoInsert);
    SQ_Text->setMaxVisibleItems(50);
    // Sizing by contents would measure every value of a long list.
    SQ_Text->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    SQ_Text->setMinimumContentsLength(20);
    m_values = new QStringListModel(this);
    SQ_Text->setModel(m_values);
    if (auto* list = qobject_cast<QListView*>(SQ_Text->view())) {
        // One row height for all rows (fast with many values), in the dialog's font and as
        // high as its Hangul glyphs need, fallback fonts included.
        list->setFont(font());
        list->setItemDelegate(new ValueRowDelegate(list));
        list->setUniformItemSizes(true);
    }
    SQ_Text->setAccessibleName(QStringLiteral("값"));

    SQ_Text2 = new QDateEdit;
    SQ_Text2->setObjectName(QStringLiteral("SQ_Text2"));
    SQ_Text2->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    SQ_Text2->setCalendarPopup(true);
    SQ_Text2->setAccessibleName(QStringLiteral("날짜"));

    SQ_Text3 = new QLineEdit;
    SQ_Text3->setObjectName(QStringLiteral("SQ_Text3"));
    SQ_Text3->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), SQ_Text3));
    SQ_Text3->setAlignment(Qt::AlignRight);
    SQ_Text3->setAccessibleName(QStringLiteral("숫자"));

    SQ_Text4 = new QComboBox;
    SQ_Text4->setObjectName(QStringLiteral("SQ_Text4"));
    SQ_Text4->setEditable(false);
    SQ_Text4->setAccessibleName(QStringLiteral("참/거짓"));

    searchButton = new QPushButton(QStringLiteral("검색"));
    searchButton->setObjectName(QStringLiteral("btn_search"));
    searchButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("취소"));
    cancelButton->setObjectName(QStringLiteral("btn_cancel"));
    connect(searchButton, &QPushButton::clicked, this, &TSQLInF::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(RadioGroup1);
    top->addWidget(SQ_Label, 1);
    top->addWidget(RadioGroup2);
    auto* value = new QHBoxLayout;
    value->addWidget(SQ_Text, 1);
    value->addStretch(0);
    value->addWidget(SQ_Text2);
    value->addWidget(SQ_Text3);
    value->addWidget(SQ_Text4);
    auto* panel = new QVBoxLayout(SQ_Old);
    panel->addLayout(top);
    panel->addLayout(value);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(searchButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SQ_Old);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget* w : {static_cast<QWidget*>(SQ_Text), static_cast<QWidget*>(SQ_Text->lineEdit()),
                       static_cast<QWidget*>(SQ_Text2), static_cast<QWidget*>(SQ_Text3),
                       static_cast<QWidget*>(SQ_Text4)})
        w->installEventFilter(this);
    resetEditors();
}

void TSQLInF::resetEditors()
{
    m_values->setStringList({});
    SQ_Text->setCurrentIndex(-1);
    SQ_Text->setEditText(QString());
    SQ_Text2->setDate(QDate::currentDate());
    SQ_Text3->setText(QStringLiteral("0"));
    SQ_Text4->clear();
    for (QWidget* w : {static_cast<QWidget*>(SQ_Text), static_cast<QWidget*>(SQ_Text2),
                       static_cast<QWidget*>(SQ_Text3), static_cast<QWidget*>(SQ_Text4)})
        w->hide();
    andButton->setChecked(true);
    setOperators({}, {});
}

void TSQLInF::setOperators(const QStringList& operators, const QString& preselected)
{
    for (QRadioButton* b : std::as_const(m_operatorButtons)) {
        m_operatorGroup->removeButton(b);
        delete b;
    }
    m_operatorButtons.clear();
    auto* grid = static_cast<QGridLayout*>(RadioGroup2->layout());
    for (int i = 0; i < operators.size(); ++i) {
        auto* b = new QRadioButton(operators[i].trimmed());
        b->setObjectName(QStringLiteral("RadioGroup2_%1").arg(i));
        b->setProperty("operator", operators[i]);
        m_operatorGroup->addButton(b, i);
        grid->addWidget(b, i / 3, i % 3);
        m_operatorButtons.append(b);
        if (operators[i] == preselected)
            b->setChecked(true);
    }
}

void TSQLInF::prepare(const QString& searchLabel, const QString& columnTitle, ColumnKind kind)
{
    // A long search label is shortened in the title; the whole text stays in the tip.
    SQ_Old->setTitle(SQ_Old->fontMetrics().elidedText(searchLabel, Qt::ElideMiddle, kPanelWidth));
    SQ_Old->setToolTip(searchLabel);
    SQ_Label->setText(columnTitle);
    resetEditors();

    const KindSearch search = KindSearch::of(kind);
    setOperators(search.operators, search.preselected);
    m_editor = search.editor;
    if (m_editor == ValueEditor::TrueFalse) {
        SQ_Text4->addItems({QStringLiteral("거짓"), QStringLiteral("참")});
        SQ_Text4->setCurrentIndex(0);
    }
    editorWidget()->show();
    editorWidget()->setFocus();
}

void TSQLInF::setValueList(const QStringList& values)
{
    m_values->setStringList(values);
    SQ_Text->setCurrentIndex(-1);
    SQ_Text->setEditText(QString());
}

QWidget* TSQLInF::editorWidget() const
{
    switch (m_editor) {
    case ValueEditor::Date:
        return SQ_Text2;
    case ValueEditor::Number:
        return SQ_Text3;
    case ValueEditor::TrueFalse:
        return SQ_Text4;
    case ValueEditor::ValueBox:
        break;
    }
    return SQ_Text;
}

bool TSQLInF::orSelected() const
{
    return orButton->isChecked();
}

QString TSQLInF::selectedOperator() const
{
    QAbstractButton* b = m_operatorGroup->checkedButton();
    return b ? b->property("operator").toString() : QString();
}

QStringList TSQLInF::offeredOperators() const
{
    QStringList ops;
    for (QRadioButton* b : m_operatorButtons)
        ops.append(b->property("operator").toString());
    return ops;
}

QString TSQLInF::valueText() const
{
    return SQ_Text->currentText();
}

void TSQLInF::confirm()
{
    switch (m_editor) {
    case ValueEditor::Date:
        SQ_Text->setEditText(dateValueText(SQ_Text2->date()));
        break;
    case ValueEditor::Number:
        SQ_Text->setEditText(SQ_Text3->text());
        break;
    case ValueEditor::TrueFalse:
        SQ_Text->setEditText(QString::number(SQ_Text4->currentIndex()));
        break;
    case ValueEditor::ValueBox:
        break;
    }
    accept();
}

bool TSQLInF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            confirm();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TSQLInF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    editorWidget()->setFocus();
}

} // namespace orvel
