#include "report/preview/PrintOptionsDialog.h"

#include "platform/DialogButtons.h"
#include "platform/LastResort.h"
#include "report/preview/ReportPrinter.h"
#include "report/print/CalibrationPage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvel::report
{

namespace
{
QDoubleSpinBox* offsetBox(const char* name, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(-PrintOffsets::Limit, PrintOffsets::Limit);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}
} // namespace

PrintOptionsDialog::PrintOptionsDialog(PrintOffsets& offsets, const QString& printer,
                                       QWidget* parent)
    : QDialog(parent), m_offsets(offsets)
{
    setObjectName(QStringLiteral("printOptionsDialog"));
    setWindowTitle(QStringLiteral("인쇄 옵션"));

    m_printers = new QComboBox(this);
    m_printers->setObjectName(QStringLiteral("printerBox"));
    const QString fallback = QPrinterInfo::defaultPrinterName();
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        m_printers->addItem(name == fallback ? name + QStringLiteral(" (기본 프린터)") : name,
                            name);
    m_x = offsetBox("offsetXBox", this);
    m_x->setAccessibleName(QStringLiteral("가로 보정"));
    m_y = offsetBox("offsetYBox", this);
    m_y->setAccessibleName(QStringLiteral("세로 보정"));

    auto* hint =
        new QLabel(QStringLiteral("라벨이 용지에 어긋나게 인쇄되면 프린터마다 보정값을 넣습니다.\n"
                                  "양수는 오른쪽·아래로, 음수는 왼쪽·위로 옮깁니다."),
                   this);
    hint->setWordWrap(true);
    m_calibrate = new QPushButton(QStringLiteral("보정 페이지 인쇄(&P)"), this);
    m_calibrate->setObjectName(QStringLiteral("calibrationButton"));
    m_calibrate->setAutoDefault(false);
    connect(m_calibrate, &QPushButton::clicked, this,
            [this] { guarded([this] { printCalibrationPage(); }); });

    auto* form = new QFormLayout;
    auto* printerLabel = new QLabel(QStringLiteral("프린터(&R):"), this);
    printerLabel->setBuddy(m_printers);
    form->addRow(printerLabel, m_printers);
    auto* xLabel = new QLabel(QStringLiteral("가로 보정(&H):"), this);
    xLabel->setBuddy(m_x);
    form->addRow(xLabel, m_x);
    auto* yLabel = new QLabel(QStringLiteral("세로 보정(&V):"), this);
    yLabel->setBuddy(m_y);
    form->addRow(yLabel, m_y);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addWidget(m_calibrate, 0, Qt::AlignLeft);
    if (m_printers->count() == 0) {
        auto* none = new QLabel(QStringLiteral("설치된 프린터가 없습니다."), this);
        none->setObjectName(QStringLiteral("noPrinterLabel"));
        layout->addWidget(none);
        for (QWidget* w : {static_cast<QWidget*>(m_printers), static_cast<QWidget*>(m_x),
                           static_cast<QWidget*>(m_y), static_cast<QWidget*>(m_calibrate)})
            w->setEnabled(false);
    }
    layout->addWidget(okCancelButtons(this));

    connect(m_printers, &QComboBox::currentIndexChanged, this, &PrintOptionsDialog::showPrinter);
    int index = m_printers->findData(printer.isEmpty() ? fallback : printer);
    if (index < 0)
        index = m_printers->findData(fallback);
    m_printers->setCurrentIndex(std::max(0, index));
    showPrinter(m_printers->currentIndex());
}

QString PrintOptionsDialog::printer() const
{
    return m_printers->currentData().toString();
}

PrintOffset PrintOptionsDialog::enteredOffset() const
{
    return {m_x->value(), m_y->value()};
}

void PrintOptionsDialog::keepEntered()
{
    if (!m_shown.isEmpty())
        m_entered[m_shown] = enteredOffset();
}

void PrintOptionsDialog::showPrinter(int index)
{
    keepEntered();
    m_shown = m_printers->itemData(index).toString();
    if (m_shown.isEmpty())
        return;
    const auto it = m_entered.find(m_shown);
    const PrintOffset o = it != m_entered.end() ? it->second : m_offsets.offset(m_shown);
    m_x->setValue(o.xMm);
    m_y->setValue(o.yMm);
}

void PrintOptionsDialog::printCalibrationPage()
{
    if (printer().isEmpty())
        return;
    QPrinter device(QPrinter::HighResolution);
    device.setPrinterName(printer());
    device.setDocName(QStringLiteral("calibration"));
    // The page is as large as the paper the printer takes by default.
    const QSizeF paper = QPrinterInfo(device).defaultPageSize().size(QPageSize::Millimeter);
    const QSizeF size = paper.isEmpty() ? QSizeF(210, 297) : paper;
    const PreparedReport page =
        CalibrationPage::make(size.width(), size.height(), printer(), enteredOffset());
    ReportPrinter::print(page, &device, {1}, enteredOffset(), this);
}

void PrintOptionsDialog::accept()
{
    keepEntered();
    guarded([this] {
        for (const auto& [name, offset] : m_entered)
            if (!(offset == m_offsets.offset(name)))
                m_offsets.setOffset(name, offset);
        QDialog::accept();
    });
}

} // namespace orvel::report
