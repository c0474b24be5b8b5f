#include "report/designer/panels/TextSection.h"

#include "report/designer/panels/ExpressionBuilder.h"
#include "report/designer/panels/PropertyWidgets.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

namespace orvel::report
{

TextSection::TextSection(ReportDocument* doc, QWidget* parent)
    : PropertySection(QStringLiteral("텍스트"), doc, parent)
{
    setObjectName(QStringLiteral("textSection"));

    // Fields are made inside their row so the tab order follows the rows.
    auto* textRow = new QWidget(this);
    auto* textLayout = new QHBoxLayout(textRow);
    textLayout->setContentsMargins(0, 0, 0, 0);
    m_text = new QPlainTextEdit(textRow);
    m_text->setObjectName(QStringLiteral("textEdit"));
    m_text->setTabChangesFocus(true);
    m_text->setFixedHeight(m_text->fontMetrics().lineSpacing() * 4 + 12);
    m_builder = new QToolButton(textRow);
    m_builder->setObjectName(QStringLiteral("textBuilderButton"));
    m_builder->setText(QStringLiteral("..."));
    m_builder->setToolTip(QStringLiteral("식 만들기"));
    m_builder->setAccessibleName(QStringLiteral("식 만들기"));
    m_builder->setFocusPolicy(Qt::StrongFocus);
    textLayout->addWidget(m_text, 1);
    textLayout->addWidget(m_builder, 0, Qt::AlignTop);
    // The labels of two-field rows lead to the first field.
    addRow(QStringLiteral("내용(&T)"), textRow, QStringLiteral("내용"))->setBuddy(m_text);
    m_text->setAccessibleName(QStringLiteral("내용"));
    // Typing shows on the page at once; one run of typing is one undo step.
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_text->toPlainText();
        changeSelected(
            QStringLiteral("텍스트 변경"), [&](ReportObject& o) { o.text = text; },
            mergeIdFor(MergeField::Text));
    });
    connect(m_builder, &QToolButton::clicked, this, &TextSection::openBuilder);

    m_hAlign = new QComboBox(this);
    m_hAlign->setObjectName(QStringLiteral("hAlignBox"));
    m_hAlign->addItem(QStringLiteral("왼쪽"), int(HAlign::Left));
    m_hAlign->addItem(QStringLiteral("가운데"), int(HAlign::Center));
    m_hAlign->addItem(QStringLiteral("오른쪽"), int(HAlign::Right));
    m_hAlign->addItem(QStringLiteral("양쪽"), int(HAlign::Justify));
    addRow(QStringLiteral("가로 정렬(&J)"), m_hAlign);
    connect(m_hAlign, &QComboBox::activated, this, [this](int i) {
        const auto h = HAlign(m_hAlign->itemData(i).toInt());
        changeSelected(QStringLiteral("정렬 변경"), [h](ReportObject& o) { o.hAlign = h; });
    });

    m_vAlign = new QComboBox(this);
    m_vAlign->setObjectName(QStringLiteral("vAlignBox"));
    m_vAlign->addItem(QStringLiteral("위"), int(VAlign::Top));
    m_vAlign->addItem(QStringLiteral("가운데"), int(VAlign::Center));
    m_vAlign->addItem(QStringLiteral("아래"), int(VAlign::Bottom));
    addRow(QStringLiteral("세로 정렬(&Q)"), m_vAlign);
    connect(m_vAlign, &QComboBox::activated, this, [this](int i) {
        const auto v = VAlign(m_vAlign->itemData(i).toInt());
        changeSelected(QStringLiteral("정렬 변경"), [v](ReportObject& o) { o.vAlign = v; });
    });

    m_wrap = new MixedCheckBox(QStringLiteral("줄 바꿈"), this);
    m_wrap->setObjectName(QStringLiteral("wordWrapBox"));
    m_wrap->setAccessibleName(QStringLiteral("줄 바꿈"));
    form()->addRow(QString(), m_wrap);
    connect(m_wrap, &MixedCheckBox::edited, this, [this](bool on) {
        changeSelected(QStringLiteral("줄 바꿈 변경"), [on](ReportObject& o) { o.wordWrap = on; });
    });
}

bool TextSection::appliesToSelection() const
{
    return selectionIsAll({ReportObject::Memo, ReportObject::SysMemo});
}

void TextSection::load()
{
    const auto text = shared([](const ReportObject& o) { return o.text; });
    // Leave the edit alone when it already holds the text: it is the one being typed in.
    const QString shown = text.value_or(QString());
    if (m_text->toPlainText() != shown)
        m_text->setPlainText(shown);
    m_text->setPlaceholderText(text ? QString() : QStringLiteral("(여러 값)"));
    setComboShared(m_hAlign, shared([](const ReportObject& o) { return int(o.hAlign); }));
    setComboShared(m_vAlign, shared([](const ReportObject& o) { return int(o.vAlign); }));
    m_wrap->setShared(shared([](const ReportObject& o) { return o.wordWrap; }));
}

void TextSection::openBuilder()
{
    auto* builder = new ExpressionBuilder(m_text->toPlainText(), document(), this);
    builder->setAttribute(Qt::WA_DeleteOnClose);
    connect(builder, &QDialog::accepted, this, [this, builder] {
        const QString text = builder->text();
        changeSelected(QStringLiteral("텍스트 변경"), [&](ReportObject& o) { o.text = text; });
    });
    builder->open();
}

} // namespace orvel::report
