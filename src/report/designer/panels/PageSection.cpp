#include "report/designer/panels/PageSection.h"

#include "report/designer/panels/PropertyWidgets.h"
#include "report/preview/PageSetupDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <cmath>
#include <utility>

namespace orvel::report
{

namespace
{

const PageSetupDialog::Paper* findPaper(int code)
{
    for (const PageSetupDialog::Paper& p : PageSetupDialog::papers())
        if (p.code == code)
            return &p;
    return nullptr;
}

double ReportPage::*const marginMembers[] = {&ReportPage::leftMargin, &ReportPage::rightMargin,
                                             &ReportPage::topMargin, &ReportPage::bottomMargin};
const MergeField marginMerges[] = {MergeField::MarginLeft, MergeField::MarginRight,
                                   MergeField::MarginTop, MergeField::MarginBottom};

double shown(double mm)
{
    return std::round(mm * 10.0) / 10.0;
}

} // namespace

PageSection::PageSection(ReportDocument* doc, QWidget* parent)
    : PropertySection(QStringLiteral("페이지"), doc, parent)
{
    setObjectName(QStringLiteral("pageSection"));

    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paperBox"));
    for (const PageSetupDialog::Paper& p : PageSetupDialog::papers())
        m_paper->addItem(QString::fromUtf8(p.name), p.code);
    m_paper->addItem(QStringLiteral("사용자 정의"), CustomPaper);
    addRow(QStringLiteral("용지(&P)"), m_paper);
    connect(m_paper, &QComboBox::activated, this,
            [this](int i) { choosePaper(m_paper->itemData(i).toInt()); });

    m_width = addMmBox("paperWidthBox", QStringLiteral("용지 너비"), 5000);
    m_height = addMmBox("paperHeightBox", QStringLiteral("용지 높이"), 5000);
    connect(m_width, &MixedSpinBox::edited, this,
            [this](double mm, bool stepped) { setSize(true, mm, stepped); });
    connect(m_height, &MixedSpinBox::edited, this,
            [this](double mm, bool stepped) { setSize(false, mm, stepped); });

    m_orientation = new QComboBox(this);
    m_orientation->setObjectName(QStringLiteral("orientationBox"));
    m_orientation->addItem(QStringLiteral("세로"), 0);
    m_orientation->addItem(QStringLiteral("가로"), 1);
    addRow(QStringLiteral("방향(&O)"), m_orientation, QStringLiteral("용지 방향"));
    connect(m_orientation, &QComboBox::activated, this,
            [this](int i) { setOrientation(m_orientation->itemData(i).toInt() != 0); });

    static const char* const marginNames[] = {"marginLeftBox", "marginRightBox", "marginTopBox",
                                              "marginBottomBox"};
    static const char* const marginLabels[] = {"왼쪽 여백(&L)", "오른쪽 여백(&R)", "위쪽 여백(&T)",
                                               "아래쪽 여백(&B)"};
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = addMmBox(marginNames[i], QString::fromUtf8(marginLabels[i]), 1000);
        connect(m_margins[i], &MixedSpinBox::edited, this, [this, i](double mm, bool stepped) {
            change(
                QStringLiteral("여백 변경"), [=](ReportPage& p) { p.*marginMembers[i] = mm; },
                mergeIdFor(marginMerges[i], stepped));
        });
    }

    m_columns = new MixedSpinBox(this);
    m_columns->setObjectName(QStringLiteral("pageColumnsBox"));
    m_columns->setup(1, 50, 1, 0);
    addRow(QStringLiteral("단 수(&N)"), m_columns, QStringLiteral("페이지 단 수"));
    connect(m_columns, &MixedSpinBox::edited, this, [this](double v, bool stepped) {
        const int n = int(std::lround(v));
        change(
            QStringLiteral("단 변경"), [n](ReportPage& p) { p.columns = n; },
            mergeIdFor(MergeField::PageColumns, stepped));
    });
    m_columnWidth = addMmBox("pageColumnWidthBox", QStringLiteral("단 너비"), 5000);
    connect(m_columnWidth, &MixedSpinBox::edited, this, [this](double mm, bool stepped) {
        change(
            QStringLiteral("단 변경"), [mm](ReportPage& p) { p.columnWidth = mm; },
            mergeIdFor(MergeField::PageColumnWidth, stepped));
    });
}

MixedSpinBox* PageSection::addMmBox(const char* objectName, const QString& label, double max)
{
    auto* box = new MixedSpinBox(this);
    box->setObjectName(QLatin1String(objectName));
    box->setup(0, max, 0.1, 1, QStringLiteral(" mm"));
    addRow(label, box);
    return box;
}

void PageSection::change(const QString& name, const std::function<void(ReportPage&)>& f,
                         int mergeId)
{
    if (!loading())
        document()->changePage(name, f, mergeId);
}

bool PageSection::appliesToSelection() const
{
    const DesignSelection& s = document()->selection();
    return s.objects.empty() && s.band.index < 0;
}

void PageSection::load()
{
    const ReportPage& p = document()->page();
    const bool known = findPaper(p.paperSize) != nullptr;
    // A paper code the list does not know shows as a size of one's own.
    setComboShared(m_paper, known ? p.paperSize : CustomPaper);
    m_width->setEnabled(!known);
    m_height->setEnabled(!known);
    m_width->setShared(shown(p.paperWidth));
    m_height->setShared(shown(p.paperHeight));
    setComboShared(m_orientation, p.landscape ? 1 : 0);
    for (int i = 0; i < 4; ++i)
        m_margins[i]->setShared(shown(p.*marginMembers[i]));
    m_columns->setShared(std::max(1, p.columns));
    m_columnWidth->setShared(shown(p.columnWidth));
}

void PageSection::choosePaper(int code)
{
    const PageSetupDialog::Paper* paper = findPaper(code);
    change(QStringLiteral("용지 변경"), [=](ReportPage& p) {
        p.paperSize = paper ? code : CustomPaper;
        if (!paper)
            return; // a size of one's own keeps the current size until it is edited
        // The model holds the size as oriented.
        p.paperWidth = p.landscape ? paper->height : paper->width;
        p.paperHeight = p.landscape ? paper->width : paper->height;
    });
}

void PageSection::setOrientation(bool landscape)
{
    change(QStringLiteral("방향 변경"), [=](ReportPage& p) {
        if (p.landscape == landscape)
            return;
        p.landscape = landscape;
        std::swap(p.paperWidth, p.paperHeight);
    });
}

void PageSection::setSize(bool width, double mm, bool stepped)
{
    change(
        QStringLiteral("용지 변경"),
        [=](ReportPage& p) {
            p.paperSize = CustomPaper;
            (width ? p.paperWidth : p.paperHeight) = mm;
            // Orientation follows the shape, as reading a file without one decides it.
            if (p.paperWidth != p.paperHeight)
                p.landscape = p.paperWidth > p.paperHeight;
        },
        mergeIdFor(width ? MergeField::PaperWidth : MergeField::PaperHeight, stepped));
}

} // namespace orvel::report
