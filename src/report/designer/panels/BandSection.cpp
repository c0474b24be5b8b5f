#include "report/designer/panels/BandSection.h"

#include "report/designer/panels/ExpressionBuilder.h"
#include "report/designer/panels/PropertyWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <cmath>

namespace orvel::report
{

QString BandSection::kindName(Band::Type type)
{
    static const char* const names[] = {
        "보고서 제목", "페이지 머리글", "열 머리글",   "그룹 머리글",   "데이터",
        "그룹 바닥글", "열 바닥글",     "보고서 요약", "페이지 바닥글", "기타"};
    return QString::fromUtf8(names[type]);
}

BandSection::BandSection(ReportDocument* doc, QWidget* parent)
    : PropertySection(QStringLiteral("밴드"), doc, parent)
{
    setObjectName(QStringLiteral("bandSection"));

    m_kind = new QLabel(this);
    m_kind->setObjectName(QStringLiteral("bandKindLabel"));
    m_kind->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addRow(QStringLiteral("종류"), m_kind, QStringLiteral("밴드 종류"));
    m_note = new QLabel(QStringLiteral("이 밴드는 디자이너에서 편집할 수 없습니다."), this);
    m_note->setObjectName(QStringLiteral("bandPlaceholderNote"));
    m_note->setWordWrap(true);
    form()->addRow(m_note);

    m_height = addMmBox("bandHeightBox", QStringLiteral("높이(&H)"), 5000, MergeField::BandHeight,
                        &Band::height);

    m_dataSet = new QComboBox(this);
    m_dataSet->setObjectName(QStringLiteral("bandDataSetBox"));
    addRow(QStringLiteral("데이터 집합(&D)"), m_dataSet);
    connect(m_dataSet, &QComboBox::activated, this, [this](int i) {
        const QString name = m_dataSet->itemData(i).toString();
        change(QStringLiteral("데이터 집합 변경"), [&](Band& b) { b.dataSetName = name; });
    });

    m_rowCount = new MixedSpinBox(this);
    m_rowCount->setObjectName(QStringLiteral("bandRowCountBox"));
    m_rowCount->setup(0, 100000, 1, 0);
    addRow(QStringLiteral("줄 수"), m_rowCount, QStringLiteral("데이터 없이 찍을 줄 수"));
    connect(m_rowCount, &MixedSpinBox::edited, this, [this](double v, bool stepped) {
        change(
            QStringLiteral("밴드 변경"), [v](Band& b) { b.rowCount = int(std::lround(v)); },
            mergeIdFor(MergeField::BandRowCount, stepped));
    });

    m_columns = new MixedSpinBox(this);
    m_columns->setObjectName(QStringLiteral("bandColumnsBox"));
    m_columns->setup(1, 100, 1, 0);
    addRow(QStringLiteral("가로 개수(&N)"), m_columns, QStringLiteral("가로로 찍을 개수"));
    connect(m_columns, &MixedSpinBox::edited, this, [this](double v, bool stepped) {
        change(
            QStringLiteral("밴드 변경"), [v](Band& b) { b.columns = int(std::lround(v)); },
            mergeIdFor(MergeField::BandColumns, stepped));
    });
    m_columnWidth = addMmBox("bandColumnWidthBox", QStringLiteral("칸 너비"), 5000,
                             MergeField::BandColumnWidth, &Band::columnWidth);
    m_columnGap = addMmBox("bandColumnGapBox", QStringLiteral("칸 간격"), 5000,
                           MergeField::BandColumnGap, &Band::columnGap);

    m_conditionRow = new QWidget(this);
    auto* row = new QHBoxLayout(m_conditionRow);
    row->setContentsMargins(0, 0, 0, 0);
    m_condition = new QLineEdit(m_conditionRow);
    m_condition->setObjectName(QStringLiteral("bandConditionEdit"));
    m_conditionBuilder = new QToolButton(m_conditionRow);
    m_conditionBuilder->setObjectName(QStringLiteral("bandConditionButton"));
    m_conditionBuilder->setText(QStringLiteral("..."));
    m_conditionBuilder->setToolTip(QStringLiteral("식 만들기"));
    m_conditionBuilder->setAccessibleName(QStringLiteral("조건 식 만들기"));
    m_conditionBuilder->setFocusPolicy(Qt::StrongFocus);
    row->addWidget(m_condition, 1);
    row->addWidget(m_conditionBuilder);
    addRow(QStringLiteral("조건(&C)"), m_conditionRow, QStringLiteral("그룹 조건"))
        ->setBuddy(m_condition);
    m_condition->setAccessibleName(QStringLiteral("그룹 조건"));
    connect(m_condition, &QLineEdit::editingFinished, this, [this] {
        if (!m_condition->isModified())
            return;
        m_condition->setModified(false);
        const QString text = m_condition->text().trimmed();
        change(QStringLiteral("조건 변경"), [&](Band& b) { b.condition = text; });
    });
    connect(m_conditionBuilder, &QToolButton::clicked, this, &BandSection::openBuilder);

    m_newPage = new MixedCheckBox(QStringLiteral("새 페이지에서 시작"), this);
    m_newPage->setObjectName(QStringLiteral("bandNewPageBox"));
    m_newPage->setAccessibleName(m_newPage->text());
    form()->addRow(QString(), m_newPage);
    connect(m_newPage, &MixedCheckBox::edited, this, [this](bool on) {
        change(QStringLiteral("밴드 변경"), [on](Band& b) { b.startNewPage = on; });
    });
}

MixedSpinBox* BandSection::addMmBox(const char* objectName, const QString& label, double max,
                                    MergeField merge, double Band::*member)
{
    auto* box = new MixedSpinBox(this);
    box->setObjectName(QLatin1String(objectName));
    box->setup(0, max, 0.1, 1, QStringLiteral(" mm"));
    addRow(label, box);
    connect(box, &MixedSpinBox::edited, this, [=, this](double mm, bool stepped) {
        const double px = mmToPx(mm);
        change(
            QStringLiteral("밴드 변경"), [=](Band& b) { b.*member = px; },
            mergeIdFor(merge, stepped));
    });
    return box;
}

bool BandSection::appliesToSelection() const
{
    const DesignSelection& s = document()->selection();
    return s.objects.empty() && s.band.index >= 0;
}

int BandSection::bandIndex() const
{
    const BandRef& ref = document()->selection().band;
    return ref.placeholder ? -1 : ref.index;
}

const Band* BandSection::band() const
{
    const int i = bandIndex();
    return i >= 0 && i < int(document()->page().bands.size()) ? &document()->band(i) : nullptr;
}

void BandSection::change(const QString& name, const std::function<void(Band&)>& f, int mergeId)
{
    if (loading() || !band())
        return;
    document()->changeBand(name, bandIndex(), f, mergeId);
}

void BandSection::load()
{
    const Band* b = band();
    m_note->setVisible(!b);
    QWidget* const rows[] = {m_height,      m_dataSet,   m_rowCount,     m_columns,
                             m_columnWidth, m_columnGap, m_conditionRow, m_newPage};
    if (!b) {
        const XmlNode* node = document()->placeholderBand(document()->selection().band);
        m_kind->setText(node ? node->attribute(QStringLiteral("Name"), node->name) : QString());
        for (QWidget* w : rows)
            form()->setRowVisible(w, false);
        return;
    }
    m_kind->setText(b->name.isEmpty() ? kindName(b->type)
                                      : QStringLiteral("%1 · %2").arg(kindName(b->type), b->name));
    const bool data = b->type == Band::MasterData;
    const bool pageBand = b->type == Band::PageHeader || b->type == Band::PageFooter ||
                          b->type == Band::ColumnHeader || b->type == Band::ColumnFooter;
    form()->setRowVisible(m_height, true);
    form()->setRowVisible(m_dataSet, data);
    form()->setRowVisible(m_rowCount, data && b->dataSetName.isEmpty());
    form()->setRowVisible(m_columns, data);
    form()->setRowVisible(m_columnWidth, data);
    form()->setRowVisible(m_columnGap, data);
    form()->setRowVisible(m_conditionRow, b->type == Band::GroupHeader);
    form()->setRowVisible(m_newPage, !pageBand);

    m_height->setShared(shownMm(b->height));
    {
        const QSignalBlocker block(m_dataSet);
        m_dataSet->clear();
        m_dataSet->addItem(QStringLiteral("(없음)"), QString());
        QStringList names;
        if (!document()->dataSetName().isEmpty())
            names << document()->dataSetName();
        for (const DataSetRef& d : document()->model().dataSets)
            names << d.name;
        names << b->dataSetName;
        for (const QString& n : names)
            if (!n.isEmpty() && m_dataSet->findData(n) < 0)
                m_dataSet->addItem(n, n);
        m_dataSet->setCurrentIndex(m_dataSet->findData(b->dataSetName));
    }
    m_rowCount->setShared(b->rowCount);
    m_columns->setShared(std::max(1, b->columns));
    m_columnWidth->setShared(shownMm(b->columnWidth));
    m_columnGap->setShared(shownMm(b->columnGap));
    if (m_condition->text() != b->condition)
        m_condition->setText(b->condition);
    m_newPage->setShared(b->startNewPage);
}

void BandSection::openBuilder()
{
    auto* builder = new ExpressionBuilder(m_condition->text(), document(), this,
                                          ExpressionBuilder::Mode::Expression);
    builder->setAttribute(Qt::WA_DeleteOnClose);
    connect(builder, &QDialog::accepted, this, [this, builder] {
        const QString text = builder->text().trimmed();
        change(QStringLiteral("조건 변경"), [&](Band& b) { b.condition = text; });
    });
    builder->open();
}

} // namespace orvel::report
