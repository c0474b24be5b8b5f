#include "report/designer/labels/FieldsPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvel::report::labels
{

namespace
{
constexpr int ColumnRole = Qt::UserRole + 1; // column name; empty for the fixed-text row

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

FieldsPage::FieldsPage(const QStringList& columns, QWidget* parent)
    : QWizardPage(parent), m_columns(columns)
{
    setObjectName(QStringLiteral("fieldsPage"));
    setTitle(QStringLiteral("항목"));
    setSubTitle(QStringLiteral("라벨에 인쇄할 항목을 줄 순서대로 넣으십시오. 한 줄에 여러 "
                               "항목을 붙일 수 있습니다."));
    m_available = new QListWidget(this);
    m_available->setObjectName(QStringLiteral("availableList"));
    m_available->setAccessibleName(QStringLiteral("넣을 수 있는 항목"));
    m_fixedText = new QLineEdit(QStringLiteral("귀하"), this);
    m_fixedText->setObjectName(QStringLiteral("fixedTextEdit"));
    m_fixedText->setAccessibleName(QStringLiteral("고정 문자"));
    m_linesList = new QListWidget(this);
    m_linesList->setObjectName(QStringLiteral("linesList"));
    m_linesList->setAccessibleName(QStringLiteral("라벨의 줄"));
    m_add = button(QStringLiteral("새 줄로(&A)"), "addLineButton", this);
    m_append = button(QStringLiteral("같은 줄에(&J)"), "appendButton", this);
    m_remove = button(QStringLiteral("빼기(&R)"), "removeLineButton", this);
    m_up = button(QStringLiteral("위로(&U)"), "moveUpButton", this);
    m_down = button(QStringLiteral("아래로(&W)"), "moveDownButton", this);
    m_right = new QCheckBox(QStringLiteral("오른쪽 정렬(&G)"), this);
    m_right->setObjectName(QStringLiteral("rightAlignCheck"));
    m_bold = new QCheckBox(QStringLiteral("굵게(&O)"), this);
    m_bold->setObjectName(QStringLiteral("boldCheck"));
    fillAvailable();

    auto* availableLabel = new QLabel(QStringLiteral("항목(&I)"), this);
    availableLabel->setBuddy(m_available);
    auto* fixedLabel = new QLabel(QStringLiteral("고정 문자(&T)"), this);
    fixedLabel->setBuddy(m_fixedText);
    auto* linesLabel = new QLabel(QStringLiteral("라벨의 줄(&L)"), this);
    linesLabel->setBuddy(m_linesList);

    auto* left = new QVBoxLayout;
    left->addWidget(availableLabel);
    left->addWidget(m_available, 1);
    left->addWidget(fixedLabel);
    left->addWidget(m_fixedText);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* b : {m_add, m_append, m_remove, m_up, m_down})
        middle->addWidget(b);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(linesLabel);
    right->addWidget(m_linesList, 1);
    right->addWidget(m_right);
    right->addWidget(m_bold);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(middle);
    layout->addLayout(right, 3);
    QWidget* order[] = {m_available, m_fixedText, m_add,       m_append, m_remove,
                        m_up,        m_down,      m_linesList, m_right,  m_bold};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_add, &QPushButton::clicked, this, &FieldsPage::addLine);
    connect(m_append, &QPushButton::clicked, this, &FieldsPage::appendToLine);
    connect(m_remove, &QPushButton::clicked, this, &FieldsPage::removeLine);
    connect(m_up, &QPushButton::clicked, this, [this] { moveLine(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveLine(1); });
    connect(m_available, &QListWidget::itemDoubleClicked, this, &FieldsPage::addLine);
    connect(m_available, &QListWidget::currentRowChanged, this, &FieldsPage::updateButtons);
    connect(m_fixedText, &QLineEdit::textChanged, this, &FieldsPage::updateButtons);
    connect(m_linesList, &QListWidget::currentRowChanged, this, &FieldsPage::updateButtons);
    connect(m_right, &QCheckBox::toggled, this, &FieldsPage::lineOptionsChanged);
    connect(m_bold, &QCheckBox::toggled, this, &FieldsPage::lineOptionsChanged);
    setLines(defaultLabelLines(columns));
}

void FieldsPage::fillAvailable()
{
    const int current = m_available->currentRow();
    m_available->clear();
    for (const QString& c : m_columns) {
        const QString caption = m_captions.value(c);
        auto* item = new QListWidgetItem(
            caption.isEmpty() ? c : QStringLiteral("%1 (%2)").arg(caption, c), m_available);
        item->setData(ColumnRole, c);
    }
    auto* text = new QListWidgetItem(QStringLiteral("고정 문자"), m_available);
    text->setData(ColumnRole, QString());
    m_available->setCurrentRow(std::max(0, current));
}

void FieldsPage::setColumnCaptions(const QHash<QString, QString>& captions)
{
    m_captions = captions;
    fillAvailable();
    refresh(m_linesList->currentRow());
}

QString FieldsPage::lineText(const LabelLine& line) const
{
    QStringList out;
    for (const LabelPiece& p : line.pieces) {
        if (p.kind == LabelPiece::Field)
            out << QLatin1Char('[') + m_captions.value(p.value, p.value) + QLatin1Char(']');
        else
            out << QLatin1Char('"') + p.value + QLatin1Char('"');
    }
    QString text = out.join(QLatin1Char(' '));
    if (line.align == HAlign::Right)
        text += QStringLiteral("   (오른쪽)");
    if (line.bold)
        text += QStringLiteral("   (굵게)");
    return text;
}

void FieldsPage::setLines(const std::vector<LabelLine>& lines)
{
    m_lines = lines;
    refresh(m_lines.empty() ? -1 : 0);
}

bool FieldsPage::isComplete() const
{
    return !m_lines.empty();
}

std::optional<LabelPiece> FieldsPage::chosenPiece() const
{
    const QListWidgetItem* item = m_available->currentItem();
    if (!item)
        return std::nullopt;
    const QString column = item->data(ColumnRole).toString();
    if (!column.isEmpty())
        return LabelPiece::field(column);
    const QString text = m_fixedText->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return LabelPiece::text(text);
}

void FieldsPage::addLine()
{
    const std::optional<LabelPiece> piece = chosenPiece();
    if (!piece)
        return;
    const int at = m_linesList->currentRow() + 1; // below the current line, else first
    m_lines.insert(m_lines.begin() + at, LabelLine{{*piece}});
    refresh(at);
}

void FieldsPage::appendToLine()
{
    const int row = m_linesList->currentRow();
    const std::optional<LabelPiece> piece = chosenPiece();
    if (!piece)
        return;
    if (row < 0) {
        addLine();
        return;
    }
    m_lines[row].pieces.push_back(*piece);
    refresh(row);
}

void FieldsPage::removeLine()
{
    const int row = m_linesList->currentRow();
    if (row < 0)
        return;
    m_lines.erase(m_lines.begin() + row);
    refresh(std::min(row, int(m_lines.size()) - 1));
}

void FieldsPage::moveLine(int by)
{
    const int row = m_linesList->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= int(m_lines.size()))
        return;
    std::swap(m_lines[row], m_lines[to]);
    refresh(to);
}

void FieldsPage::lineOptionsChanged()
{
    const int row = m_linesList->currentRow();
    if (row < 0)
        return;
    m_lines[row].align = m_right->isChecked() ? HAlign::Right : HAlign::Left;
    m_lines[row].bold = m_bold->isChecked();
    m_linesList->item(row)->setText(lineText(m_lines[row]));
}

void FieldsPage::refresh(int current)
{
    m_linesList->clear();
    for (const LabelLine& line : m_lines)
        m_linesList->addItem(lineText(line));
    m_linesList->setCurrentRow(current);
    updateButtons();
    emit completeChanged();
}

void FieldsPage::updateButtons()
{
    const int row = m_linesList->currentRow();
    const bool piece = chosenPiece().has_value();
    m_add->setEnabled(piece);
    m_append->setEnabled(piece && row >= 0);
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < int(m_lines.size()));
    for (QCheckBox* box : {m_right, m_bold}) {
        box->setEnabled(row >= 0);
        box->blockSignals(true);
    }
    m_right->setChecked(row >= 0 && m_lines[row].align == HAlign::Right);
    m_bold->setChecked(row >= 0 && m_lines[row].bold);
    m_right->blockSignals(false);
    m_bold->blockSignals(false);
}

} // namespace orvel::report::labels
