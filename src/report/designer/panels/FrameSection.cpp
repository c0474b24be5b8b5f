#include "report/designer/panels/FrameSection.h"

#include "report/designer/panels/PropertyWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace orvel::report
{

namespace
{

constexpr int AllSides = FrameSpec::Left | FrameSpec::Right | FrameSpec::Top | FrameSpec::Bottom;

} // namespace

FrameSection::FrameSection(ReportDocument* doc, QWidget* parent)
    : PropertySection(QStringLiteral("테두리와 채우기"), doc, parent)
{
    setObjectName(QStringLiteral("frameSection"));

    m_sidesRow = new QWidget(this);
    auto* grid = new QGridLayout(m_sidesRow);
    grid->setContentsMargins(0, 0, 0, 0);
    struct Side {
        const char* objectName;
        const char* text;
        int bit;
    };
    static const Side sides[] = {{"frameLeftBox", "왼쪽", FrameSpec::Left},
                                 {"frameRightBox", "오른쪽", FrameSpec::Right},
                                 {"frameTopBox", "위", FrameSpec::Top},
                                 {"frameBottomBox", "아래", FrameSpec::Bottom}};
    for (int i = 0; i < 4; ++i) {
        const QString text = QString::fromUtf8(sides[i].text);
        auto* box = new MixedCheckBox(text, m_sidesRow);
        box->setObjectName(QLatin1String(sides[i].objectName));
        box->setAccessibleName(QStringLiteral("%1 테두리").arg(text));
        grid->addWidget(box, i / 2, i % 2);
        const int bit = sides[i].bit;
        connect(box, &MixedCheckBox::edited, this, [this, bit](bool on) { setSides(bit, on); });
        m_sides[i] = box;
    }
    m_all = new QPushButton(QStringLiteral("모두"), m_sidesRow);
    m_all->setObjectName(QStringLiteral("frameAllButton"));
    m_all->setAccessibleName(QStringLiteral("테두리 모두"));
    m_none = new QPushButton(QStringLiteral("없음"), m_sidesRow);
    m_none->setObjectName(QStringLiteral("frameNoneButton"));
    m_none->setAccessibleName(QStringLiteral("테두리 없음"));
    grid->addWidget(m_all, 0, 2);
    grid->addWidget(m_none, 1, 2);
    connect(m_all, &QPushButton::clicked, this, [this] { setSides(AllSides, true); });
    connect(m_none, &QPushButton::clicked, this, [this] { setSides(AllSides, false); });
    addRow(QStringLiteral("테두리"), m_sidesRow)->setBuddy(m_sides[0]);

    m_width = new MixedSpinBox(this);
    m_width->setObjectName(QStringLiteral("frameWidthBox"));
    m_width->setup(0.1, 50, 0.5, 1, QStringLiteral(" px"));
    addRow(QStringLiteral("선 굵기"), m_width);
    connect(m_width, &MixedSpinBox::edited, this, [this](double w, bool stepped) {
        changeSelected(
            QStringLiteral("테두리 변경"), [w](ReportObject& o) { o.frame.width = w; },
            mergeIdFor(MergeField::FrameWidth, stepped));
    });

    m_style = new QComboBox(this);
    m_style->setObjectName(QStringLiteral("frameStyleBox"));
    m_style->addItem(QStringLiteral("실선"), int(Qt::SolidLine));
    m_style->addItem(QStringLiteral("파선"), int(Qt::DashLine));
    m_style->addItem(QStringLiteral("점선"), int(Qt::DotLine));
    m_style->addItem(QStringLiteral("일점 쇄선"), int(Qt::DashDotLine));
    m_style->addItem(QStringLiteral("이점 쇄선"), int(Qt::DashDotDotLine));
    addRow(QStringLiteral("선 모양"), m_style);
    connect(m_style, &QComboBox::activated, this, [this](int i) {
        const int style = m_style->itemData(i).toInt();
        changeSelected(QStringLiteral("테두리 변경"),
                       [style](ReportObject& o) { o.frame.style = style; });
    });

    m_color = new ColorButton(this);
    m_color->setObjectName(QStringLiteral("frameColorButton"));
    addRow(QStringLiteral("선 색"), m_color);
    connect(m_color, &ColorButton::edited, this, [this](const QColor& c) {
        changeSelected(QStringLiteral("테두리 변경"), [c](ReportObject& o) { o.frame.color = c; });
    });

    m_fillRow = new QWidget(this);
    auto* fillLayout = new QHBoxLayout(m_fillRow);
    fillLayout->setContentsMargins(0, 0, 0, 0);
    m_fill = new ColorButton(m_fillRow);
    m_fill->setObjectName(QStringLiteral("fillColorButton"));
    m_fill->setAccessibleName(QStringLiteral("채우기 색"));
    m_noFill = new QPushButton(QStringLiteral("없음"), m_fillRow);
    m_noFill->setObjectName(QStringLiteral("fillNoneButton"));
    m_noFill->setAccessibleName(QStringLiteral("채우기 없음"));
    fillLayout->addWidget(m_fill, 1);
    fillLayout->addWidget(m_noFill);
    addRow(QStringLiteral("채우기"), m_fillRow)->setBuddy(m_fill);
    connect(m_fill, &ColorButton::edited, this, [this](const QColor& c) {
        changeSelected(QStringLiteral("채우기 변경"), [c](ReportObject& o) { o.fill = c; });
    });
    connect(m_noFill, &QPushButton::clicked, this, [this] {
        changeSelected(QStringLiteral("채우기 변경"), [](ReportObject& o) { o.fill = QColor(); });
    });
}

bool FrameSection::appliesToSelection() const
{
    return selectionIsAll({ReportObject::Memo, ReportObject::SysMemo, ReportObject::Line,
                           ReportObject::Shape, ReportObject::Picture});
}

void FrameSection::load()
{
    // Lines and shapes draw their outline whole: sides apply to boxes only; lines have no fill.
    form()->setRowVisible(m_sidesRow, selectionIsAll({ReportObject::Memo, ReportObject::SysMemo,
                                                      ReportObject::Picture}));
    form()->setRowVisible(m_fillRow, selectionIsAll({ReportObject::Memo, ReportObject::SysMemo,
                                                     ReportObject::Shape, ReportObject::Picture}));
    static const int bits[] = {FrameSpec::Left, FrameSpec::Right, FrameSpec::Top,
                               FrameSpec::Bottom};
    for (int i = 0; i < 4; ++i) {
        const int bit = bits[i];
        m_sides[i]->setShared(
            shared([bit](const ReportObject& o) { return (o.frame.sides & bit) != 0; }));
    }
    m_width->setShared(shared([](const ReportObject& o) { return o.frame.width; }));
    setComboShared(m_style, shared([](const ReportObject& o) { return o.frame.style; }));
    m_color->setShared(shared([](const ReportObject& o) { return o.frame.color; }));
    m_fill->setShared(shared([](const ReportObject& o) { return o.fill; }));
}

void FrameSection::setSides(int mask, bool on)
{
    changeSelected(QStringLiteral("테두리 변경"), [=](ReportObject& o) {
        o.frame.sides = on ? (o.frame.sides | mask) : (o.frame.sides & ~mask);
    });
}

} // namespace orvel::report
