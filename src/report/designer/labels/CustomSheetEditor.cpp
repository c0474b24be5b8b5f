#include "report/designer/labels/CustomSheetEditor.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace orvel::report::labels
{

namespace
{
constexpr double MaxLength = 2000; // mm
constexpr int MaxCount = 100;

void addRow(QFormLayout* form, const QString& text, QWidget* field)
{
    auto* label = new QLabel(text, form->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(
        QString(text).remove(QLatin1String("&")).section(QLatin1Char('('), 0, 0));
    form->addRow(label, field);
}
} // namespace

CustomSheetEditor::CustomSheetEditor(const QString& storePath, QWidget* parent)
    : QWidget(parent), m_store(storePath)
{
    setObjectName(QStringLiteral("customSheetEditor"));
    m_savedBox = new QComboBox(this);
    m_savedBox->setObjectName(QStringLiteral("customSheetBox"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("customNameEdit"));
    m_name->setPlaceholderText(QStringLiteral("예: 우체국 라벨 3x7"));
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("customPaperBox"));
    for (const PaperSize& p : standardPaperSizes())
        m_paper->addItem(QStringLiteral("%1 (%2)").arg(p.name, paperSizeName(p.width, p.height)),
                         p.id);
    m_paper->addItem(QStringLiteral("직접 입력"), QString());
    m_paperWidth = lengthBox("paperWidthSpin", 210);
    m_paperHeight = lengthBox("paperHeightSpin", 297);
    m_columns = countBox("columnsSpin", 3);
    m_rows = countBox("rowsSpin", 8);
    m_labelWidth = lengthBox("labelWidthSpin", 70);
    m_labelHeight = lengthBox("labelHeightSpin", 37);
    m_left = lengthBox("leftMarginSpin", 0);
    m_top = lengthBox("topMarginSpin", 0.5);
    m_dx = lengthBox("horizontalPitchSpin", 70);
    m_dy = lengthBox("verticalPitchSpin", 37);
    m_dx->setToolTip(QStringLiteral("한 라벨의 왼쪽 끝에서 오른쪽 라벨의 왼쪽 끝까지"));
    m_dy->setToolTip(QStringLiteral("한 라벨의 위쪽 끝에서 아래 라벨의 위쪽 끝까지"));
    m_save = new QPushButton(QStringLiteral("저장(&S)"), this);
    m_save->setObjectName(QStringLiteral("saveSheetButton"));
    m_save->setAutoDefault(false);
    m_delete = new QPushButton(QStringLiteral("삭제(&D)"), this);
    m_delete->setObjectName(QStringLiteral("deleteSheetButton"));
    m_delete->setAutoDefault(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("customStatusLabel"));
    m_status->setWordWrap(true);

    auto* form = new QFormLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    addRow(form, QStringLiteral("저장된 용지(&O)"), m_savedBox);
    addRow(form, QStringLiteral("이름(&E)"), m_name);
    addRow(form, QStringLiteral("용지(&P)"), m_paper);
    addRow(form, QStringLiteral("용지 너비(&I)"), m_paperWidth);
    addRow(form, QStringLiteral("용지 높이(&G)"), m_paperHeight);
    addRow(form, QStringLiteral("가로 개수(&C)"), m_columns);
    addRow(form, QStringLiteral("세로 개수(&R)"), m_rows);
    addRow(form, QStringLiteral("라벨 너비(&W)"), m_labelWidth);
    addRow(form, QStringLiteral("라벨 높이(&H)"), m_labelHeight);
    addRow(form, QStringLiteral("왼쪽 여백(&L)"), m_left);
    addRow(form, QStringLiteral("위쪽 여백(&T)"), m_top);
    addRow(form, QStringLiteral("가로 피치(&X)"), m_dx);
    addRow(form, QStringLiteral("세로 피치(&Y)"), m_dy);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_delete);
    layout->addLayout(buttons);
    layout->addWidget(m_status);
    layout->addStretch();
    // Tab order follows the form from top to bottom, then the buttons.
    QWidget* order[] = {m_savedBox, m_name, m_paper,      m_paperWidth,  m_paperHeight,
                        m_columns,  m_rows, m_labelWidth, m_labelHeight, m_left,
                        m_top,      m_dx,   m_dy,         m_save,        m_delete};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_savedBox, &QComboBox::activated, this, &CustomSheetEditor::loadSaved);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &CustomSheetEditor::paperChosen);
    connect(m_name, &QLineEdit::textChanged, this, &CustomSheetEditor::changed);
    connect(m_save, &QPushButton::clicked, this, &CustomSheetEditor::saveSheet);
    connect(m_delete, &QPushButton::clicked, this, &CustomSheetEditor::deleteSheet);
    paperChosen();
    reloadSaved(QString());
    changed();
}

QDoubleSpinBox* CustomSheetEditor::lengthBox(const char* name, double value)
{
    auto* box = new QDoubleSpinBox(this);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, MaxLength);
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    connect(box, &QDoubleSpinBox::valueChanged, this, &CustomSheetEditor::changed);
    return box;
}

QSpinBox* CustomSheetEditor::countBox(const char* name, int value)
{
    auto* box = new QSpinBox(this);
    box->setObjectName(QLatin1String(name));
    box->setRange(1, MaxCount);
    box->setValue(value);
    connect(box, &QSpinBox::valueChanged, this, &CustomSheetEditor::changed);
    return box;
}

LabelSheet CustomSheetEditor::sheet() const
{
    LabelSheet s;
    s.custom = true;
    s.brand = customSheetBrand();
    s.part = m_name->text().trimmed();
    s.paperId = m_paper->currentData().toString();
    s.paperWidth = m_paperWidth->value();
    s.paperHeight = m_paperHeight->value();
    const PaperSize* paper = standardPaperSize(s.paperId);
    s.paperName = paper ? paper->name : paperSizeName(s.paperWidth, s.paperHeight);
    s.columns = m_columns->value();
    s.rows = m_rows->value();
    s.labelWidth = m_labelWidth->value();
    s.labelHeight = m_labelHeight->value();
    s.x0 = m_left->value();
    s.y0 = m_top->value();
    s.dx = m_dx->value();
    s.dy = m_dy->value();
    return s;
}

void CustomSheetEditor::setSheet(const LabelSheet& s)
{
    m_updating = true;
    m_name->setText(s.custom ? s.part : s.displayName());
    int paper = m_paper->findData(s.paperId);
    if (paper < 0 || s.paperId.isEmpty())
        paper = m_paper->count() - 1;
    m_paper->setCurrentIndex(paper);
    m_paperWidth->setValue(s.paperWidth);
    m_paperHeight->setValue(s.paperHeight);
    m_columns->setValue(s.columns);
    m_rows->setValue(s.rows);
    m_labelWidth->setValue(s.labelWidth);
    m_labelHeight->setValue(s.labelHeight);
    m_left->setValue(s.x0);
    m_top->setValue(s.y0);
    m_dx->setValue(s.dx);
    m_dy->setValue(s.dy);
    m_updating = false;
    changed();
}

QStringList CustomSheetEditor::savedNames() const
{
    QStringList names;
    for (const LabelSheet& s : m_saved)
        names << s.part;
    return names;
}

void CustomSheetEditor::reloadSaved(const QString& select)
{
    m_saved = m_store.load();
    const QSignalBlocker block(m_savedBox);
    m_savedBox->clear();
    m_savedBox->addItem(QStringLiteral("(새 용지)"));
    for (const LabelSheet& s : m_saved)
        m_savedBox->addItem(s.part);
    const int index = m_savedBox->findText(select);
    m_savedBox->setCurrentIndex(std::max(0, index));
    if (!m_store.errorString().isEmpty())
        m_status->setText(m_store.errorString());
}

void CustomSheetEditor::loadSaved(int index)
{
    if (index >= 1 && index <= int(m_saved.size()))
        setSheet(m_saved[index - 1]);
}

void CustomSheetEditor::paperChosen()
{
    const QString id = m_paper->currentData().toString();
    const bool typed = id.isEmpty();
    m_paperWidth->setEnabled(typed);
    m_paperHeight->setEnabled(typed);
    const PaperSize* paper = standardPaperSize(id);
    if (paper && !m_updating) {
        m_paperWidth->setValue(paper->width);
        m_paperHeight->setValue(paper->height);
    }
    changed();
}

void CustomSheetEditor::changed()
{
    if (m_updating)
        return;
    const LabelSheet s = sheet();
    QString why;
    const bool usable = s.isUsable(&why);
    m_save->setEnabled(usable && !s.part.isEmpty());
    m_delete->setEnabled(savedNames().contains(s.part));
    m_status->setText(usable ? QStringLiteral("한 장에 라벨 %1개").arg(s.labelsPerSheet()) : why);
    emit sheetChanged();
}

bool CustomSheetEditor::saveSheet()
{
    const LabelSheet s = sheet();
    if (!m_store.save(s)) {
        m_status->setText(m_store.errorString());
        return false;
    }
    reloadSaved(s.part);
    changed();
    m_status->setText(QStringLiteral("\"%1\" 용지를 저장했습니다.").arg(s.part));
    return true;
}

bool CustomSheetEditor::deleteSheet()
{
    const QString name = m_name->text().trimmed();
    if (!m_store.remove(name)) {
        m_status->setText(m_store.errorString());
        return false;
    }
    reloadSaved(QString());
    changed();
    m_status->setText(QStringLiteral("\"%1\" 용지를 삭제했습니다.").arg(name));
    return true;
}

} // namespace orvel::report::labels
