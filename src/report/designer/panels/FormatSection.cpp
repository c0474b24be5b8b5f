#include "report/designer/panels/FormatSection.h"

#include "report/designer/panels/PropertyWidgets.h"
#include "report/expression/DisplayFormatter.h"

#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace orvel::report
{

QStringList FormatSection::choices(DisplayFormat::Kind kind)
{
    switch (kind) {
    case DisplayFormat::Numeric:
        return {QStringLiteral("#,##0"), QStringLiteral("#,##0.00"), QStringLiteral("%2.2n"),
                QStringLiteral("%2.2f"), QStringLiteral("%d"),       QStringLiteral("#,##0원"),
                QStringLiteral("0.000")};
    case DisplayFormat::DateTime:
        return {QStringLiteral("yyyy-mm-dd"),       QStringLiteral("yyyy년 m월 d일"),
                QStringLiteral("yyyy.mm.dd"),       QStringLiteral("yy-mm-dd"),
                QStringLiteral("yyyy-mm-dd hh:nn"), QStringLiteral("hh:nn:ss")};
    case DisplayFormat::Boolean:
        return {QStringLiteral("아니오,예"), QStringLiteral("False,True"), QStringLiteral("X,O")};
    case DisplayFormat::Text:
        break;
    }
    return {};
}

QVariant FormatSection::sampleValue(DisplayFormat::Kind kind)
{
    switch (kind) {
    case DisplayFormat::Numeric:
        return 1234567.891;
    case DisplayFormat::DateTime:
        return QDateTime::currentDateTime();
    case DisplayFormat::Boolean:
        return true;
    case DisplayFormat::Text:
        break;
    }
    return QStringLiteral("가나다 123");
}

FormatSection::FormatSection(ReportDocument* doc, QWidget* parent)
    : PropertySection(QStringLiteral("표시 형식"), doc, parent)
{
    setObjectName(QStringLiteral("formatSection"));

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("formatKindBox"));
    m_kind->addItem(QStringLiteral("텍스트"), int(DisplayFormat::Text));
    m_kind->addItem(QStringLiteral("숫자"), int(DisplayFormat::Numeric));
    m_kind->addItem(QStringLiteral("날짜"), int(DisplayFormat::DateTime));
    m_kind->addItem(QStringLiteral("논리"), int(DisplayFormat::Boolean));
    addRow(QStringLiteral("종류(&K)"), m_kind, QStringLiteral("표시 형식 종류"));
    connect(m_kind, &QComboBox::activated, this, [this](int i) {
        const auto kind = DisplayFormat::Kind(m_kind->itemData(i).toInt());
        const QString first = choices(kind).value(0);
        // A new kind starts from its first common format; the old string means nothing to it.
        changeSelected(QStringLiteral("표시 형식 변경"), [&](ReportObject& o) {
            if (o.format.kind == kind)
                return;
            o.format.kind = kind;
            o.format.formatString = first;
        });
    });

    m_format = new QComboBox(this);
    m_format->setObjectName(QStringLiteral("formatStringBox"));
    m_format->setEditable(true);
    m_format->setInsertPolicy(QComboBox::NoInsert);
    // Completion would turn a typed "#,##0" into a longer listed format.
    m_format->setCompleter(nullptr);
    addRow(QStringLiteral("형식(&R)"), m_format, QStringLiteral("형식 문자열"));
    connect(m_format, &QComboBox::activated, this,
            [this](int i) { commitFormatString(m_format->itemText(i)); });
    connect(m_format->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        // Leaving the field without typing keeps the objects' formats, blank or not.
        if (!m_format->lineEdit()->isModified())
            return;
        m_format->lineEdit()->setModified(false);
        commitFormatString(m_format->currentText());
    });
    connect(m_format, &QComboBox::editTextChanged, this, &FormatSection::updateSample);

    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("formatSampleLabel"));
    m_sample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addRow(QStringLiteral("보기"), m_sample, QStringLiteral("형식 보기"));
}

bool FormatSection::appliesToSelection() const
{
    return selectionIsAll({ReportObject::Memo, ReportObject::SysMemo});
}

void FormatSection::load()
{
    const auto kind = shared([](const ReportObject& o) { return int(o.format.kind); });
    const auto text = shared([](const ReportObject& o) { return o.format.formatString; });
    setComboShared(m_kind, kind);
    fillChoices(kind.value_or(-1));
    {
        const QSignalBlocker block(m_format);
        m_format->setCurrentIndex(text ? m_format->findText(*text) : -1);
        m_format->setEditText(text.value_or(QString()));
    }
    // A text kind has no format string to pick.
    m_format->setEnabled(kind && *kind != DisplayFormat::Text);
    updateSample();
}

void FormatSection::fillChoices(int kind)
{
    if (kind == m_choicesKind)
        return;
    const QSignalBlocker block(m_format);
    m_format->clear();
    if (kind >= 0)
        m_format->addItems(choices(DisplayFormat::Kind(kind)));
    m_choicesKind = kind;
}

void FormatSection::commitFormatString(const QString& text)
{
    if (loading() || m_kind->currentIndex() < 0)
        return;
    // Only the selection's common kind takes a format string.
    changeSelected(QStringLiteral("표시 형식 변경"),
                   [&](ReportObject& o) { o.format.formatString = text; });
}

void FormatSection::updateSample()
{
    if (m_kind->currentIndex() < 0) {
        m_sample->clear();
        return;
    }
    DisplayFormat fmt;
    if (const auto f = shared([](const ReportObject& o) { return o.format; }))
        fmt = *f; // keeps the objects' separators
    fmt.kind = DisplayFormat::Kind(m_kind->currentData().toInt());
    fmt.formatString = m_format->currentText();
    m_sample->setText(DisplayFormatter::format(sampleValue(fmt.kind), fmt));
}

} // namespace orvel::report
