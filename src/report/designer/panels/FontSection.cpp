#include "report/designer/panels/FontSection.h"

#include "report/designer/panels/PropertyWidgets.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <cmath>

namespace orvel::report
{

namespace
{

// Installed families, the ones that write Korean first.
QStringList installedFamilies()
{
    const QStringList korean = QFontDatabase::families(QFontDatabase::Korean);
    QStringList all = korean;
    for (const QString& f : QFontDatabase::families())
        if (!korean.contains(f))
            all << f;
    return all;
}

} // namespace

FontSection::FontSection(ReportDocument* doc, QWidget* parent)
    : PropertySection(QStringLiteral("글꼴"), doc, parent)
{
    setObjectName(QStringLiteral("fontSection"));

    m_family = new QComboBox(this);
    m_family->setObjectName(QStringLiteral("fontFamilyBox"));
    m_family->setEditable(true);
    m_family->setInsertPolicy(QComboBox::NoInsert);
    m_family->addItems(installedFamilies());
    addRow(QStringLiteral("글꼴(&G)"), m_family);
    connect(m_family, &QComboBox::activated, this,
            [this](int i) { commitFamily(m_family->itemText(i)); });
    connect(m_family->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (!m_family->lineEdit()->isModified())
            return;
        m_family->lineEdit()->setModified(false);
        commitFamily(m_family->currentText());
    });

    // Fields are made inside their row so the tab order follows the rows.
    auto* sizeRow = new QWidget(this);
    auto* sizeLayout = new QHBoxLayout(sizeRow);
    sizeLayout->setContentsMargins(0, 0, 0, 0);
    m_size = new MixedSpinBox(sizeRow);
    m_size->setObjectName(QStringLiteral("fontSizeBox"));
    m_unit = new QComboBox(sizeRow);
    m_unit->setObjectName(QStringLiteral("fontUnitBox"));
    m_unit->setAccessibleName(QStringLiteral("크기 단위"));
    m_unit->addItem(QStringLiteral("pt"));
    m_unit->addItem(QStringLiteral("px"));
    sizeLayout->addWidget(m_size, 1);
    sizeLayout->addWidget(m_unit);
    addRow(QStringLiteral("크기(&S)"), sizeRow, QStringLiteral("글꼴 크기"))->setBuddy(m_size);
    m_size->setAccessibleName(QStringLiteral("글꼴 크기"));
    // Switching the unit shows the same size in the other unit; nothing changes.
    connect(m_unit, &QComboBox::activated, this, [this] { loadSize(); });
    connect(m_size, &MixedSpinBox::edited, this, [this](double v, bool stepped) {
        // The template holds pixels at 96 dpi: 1 pt = 96/72 px.
        const int px = std::max(1, int(std::lround(inPoints() ? v * 96.0 / 72.0 : v)));
        changeSelected(
            QStringLiteral("글꼴 변경"), [px](ReportObject& o) { o.font.pixelHeight = px; },
            mergeIdFor(MergeField::FontSize, stepped));
    });

    auto* styleRow = new QWidget(this);
    auto* styleLayout = new QHBoxLayout(styleRow);
    styleLayout->setContentsMargins(0, 0, 0, 0);
    m_bold = new MixedCheckBox(QStringLiteral("굵게"), styleRow);
    m_bold->setObjectName(QStringLiteral("fontBoldBox"));
    m_italic = new MixedCheckBox(QStringLiteral("기울임"), styleRow);
    m_italic->setObjectName(QStringLiteral("fontItalicBox"));
    m_underline = new MixedCheckBox(QStringLiteral("밑줄"), styleRow);
    m_underline->setObjectName(QStringLiteral("fontUnderlineBox"));
    const std::pair<MixedCheckBox*, int> styles[] = {
        {m_bold, FontSpec::Bold}, {m_italic, FontSpec::Italic}, {m_underline, FontSpec::Underline}};
    for (auto [box, bit] : styles) {
        box->setAccessibleName(box->text());
        styleLayout->addWidget(box);
        connect(box, &MixedCheckBox::edited, this, [this, bit](bool on) { setStyleBit(bit, on); });
    }
    styleLayout->addStretch();
    addRow(QStringLiteral("모양"), styleRow, QStringLiteral("글꼴 모양"))->setBuddy(m_bold);

    m_color = new ColorButton(this);
    m_color->setObjectName(QStringLiteral("fontColorButton"));
    addRow(QStringLiteral("색(&C)"), m_color, QStringLiteral("글자 색"));
    connect(m_color, &ColorButton::edited, this, [this](const QColor& c) {
        changeSelected(QStringLiteral("글꼴 변경"), [c](ReportObject& o) { o.font.color = c; });
    });
}

bool FontSection::appliesToSelection() const
{
    return selectionIsAll({ReportObject::Memo, ReportObject::SysMemo});
}

bool FontSection::inPoints() const
{
    return m_unit->currentIndex() == 0;
}

void FontSection::load()
{
    const auto family = shared([](const ReportObject& o) { return o.font.name; });
    {
        const QSignalBlocker block(m_family);
        // A family the template names stays choosable even where it is not installed.
        if (family && !family->isEmpty() && m_family->findText(*family) < 0)
            m_family->addItem(*family);
        m_family->setCurrentIndex(family ? m_family->findText(*family) : -1);
        m_family->setEditText(family.value_or(QString()));
    }
    loadSize();
    const std::pair<MixedCheckBox*, int> styles[] = {
        {m_bold, FontSpec::Bold}, {m_italic, FontSpec::Italic}, {m_underline, FontSpec::Underline}};
    for (auto [box, bit] : styles)
        box->setShared(shared([bit](const ReportObject& o) { return (o.font.style & bit) != 0; }));
    m_color->setShared(shared([](const ReportObject& o) { return o.font.color; }));
}

void FontSection::loadSize()
{
    if (inPoints())
        m_size->setup(1, 500, 0.5, 1, QStringLiteral(" pt"));
    else
        m_size->setup(1, 700, 1, 0, QStringLiteral(" px"));
    const auto px = shared([](const ReportObject& o) { return o.font.pixelHeight; });
    if (px)
        m_size->setShared(inPoints() ? *px * 72.0 / 96.0 : double(*px));
    else
        m_size->setShared(std::nullopt);
}

void FontSection::commitFamily(const QString& family)
{
    const QString name = family.trimmed();
    if (name.isEmpty())
        return;
    changeSelected(QStringLiteral("글꼴 변경"), [&](ReportObject& o) { o.font.name = name; });
}

void FontSection::setStyleBit(int bit, bool on)
{
    changeSelected(QStringLiteral("글꼴 변경"), [=](ReportObject& o) {
        o.font.style = on ? (o.font.style | bit) : (o.font.style & ~bit);
    });
}

} // namespace orvel::report
