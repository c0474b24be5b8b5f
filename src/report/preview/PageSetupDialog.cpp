#include "report/preview/PageSetupDialog.h"

#include "platform/DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace orvel::report
{

const std::vector<PageSetupDialog::Paper>& PageSetupDialog::papers()
{
    static const std::vector<Paper> list{
        {9, "A4 (210 x 297 mm)", 210, 297},         {8, "A3 (297 x 420 mm)", 297, 420},
        {11, "A5 (148 x 210 mm)", 148, 210},        {13, "B5 (182 x 257 mm)", 182, 257},
        {1, "Letter (216 x 279 mm)", 215.9, 279.4}, {5, "Legal (216 x 356 mm)", 215.9, 355.6}};
    return list;
}

static QDoubleSpinBox* marginBox(const char* name, double value, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 100);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}

PageSetupDialog::PageSetupDialog(const PageSetup& setup, QWidget* parent)
    : QDialog(parent), m_initial(setup)
{
    setObjectName(QStringLiteral("pageSetupDialog"));
    setWindowTitle(QStringLiteral("페이지 설정"));
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paperBox"));
    int current = -1;
    for (const Paper& p : papers()) {
        m_paper->addItem(QString::fromUtf8(p.name), p.code);
        if (p.code == setup.paperSize)
            current = m_paper->count() - 1;
    }
    if (current < 0) {
        // A paper of the template that is not in the list stays selectable as it is.
        m_paper->addItem(
            QStringLiteral("사용자 정의 (%1 x %2 mm)").arg(setup.widthMm).arg(setup.heightMm),
            setup.paperSize);
        current = m_paper->count() - 1;
    }
    m_paper->setCurrentIndex(current);
    m_portrait = new QRadioButton(QStringLiteral("세로"), this);
    m_portrait->setObjectName(QStringLiteral("portraitButton"));
    m_landscape = new QRadioButton(QStringLiteral("가로"), this);
    m_landscape->setObjectName(QStringLiteral("landscapeButton"));
    (setup.landscape ? m_landscape : m_portrait)->setChecked(true);
    m_left = marginBox("leftMarginBox", setup.left, this);
    m_right = marginBox("rightMarginBox", setup.right, this);
    m_top = marginBox("topMarginBox", setup.top, this);
    m_bottom = marginBox("bottomMarginBox", setup.bottom, this);

    auto* orientation = new QHBoxLayout;
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("용지(&P)"), m_paper);
    form->addRow(QStringLiteral("방향"), orientation);
    form->addRow(QStringLiteral("왼쪽 여백(&L)"), m_left);
    form->addRow(QStringLiteral("오른쪽 여백(&R)"), m_right);
    form->addRow(QStringLiteral("위쪽 여백(&T)"), m_top);
    form->addRow(QStringLiteral("아래쪽 여백(&B)"), m_bottom);
    auto* buttons = orvel::okCancelButtons(this);
    buttons->setObjectName(QStringLiteral("pageSetupButtons"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

PageSetup PageSetupDialog::setup() const
{
    PageSetup s = m_initial;
    const int code = m_paper->currentData().toInt();
    for (const Paper& p : papers()) {
        if (p.code == code && m_paper->currentIndex() < int(papers().size())) {
            s.paperSize = p.code;
            s.widthMm = p.width;
            s.heightMm = p.height;
        }
    }
    s.landscape = m_landscape->isChecked();
    s.left = m_left->value();
    s.right = m_right->value();
    s.top = m_top->value();
    s.bottom = m_bottom->value();
    return s;
}

} // namespace orvel::report
