#include "report/designer/labels/SummaryPage.h"

#include "report/designer/labels/FieldsPage.h"
#include "report/designer/labels/SheetPage.h"
#include "report/designer/labels/SheetPreview.h"

#include <QHBoxLayout>
#include <QLabel>

namespace orvel::report::labels
{

SummaryPage::SummaryPage(const SheetPage* sheet, const FieldsPage* fields, QWidget* parent)
    : QWizardPage(parent), m_sheetPage(sheet), m_fieldsPage(fields)
{
    setObjectName(QStringLiteral("summaryPage"));
    setTitle(QStringLiteral("완료"));
    setSubTitle(QStringLiteral("완료를 누르면 이대로 라벨 양식을 만듭니다. 만든 뒤 디자이너에서 "
                               "고칠 수 있습니다."));
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summaryLabel"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_summary->setWordWrap(true);
    m_preview = new SheetPreview(this);
    m_preview->setObjectName(QStringLiteral("summaryPreview"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_summary, 3);
    layout->addWidget(m_preview, 2);
}

void SummaryPage::initializePage()
{
    const std::optional<LabelSheet> s = m_sheetPage->sheet();
    if (!s) {
        m_summary->setText(QStringLiteral("용지를 고르지 않았습니다."));
        return;
    }
    m_preview->setSheet(*s);
    const LabelPlacement place = labelPlacement(*s);
    QStringList text;
    text << QStringLiteral("용지: %1").arg(s->displayName());
    if (!s->description.isEmpty())
        text << QStringLiteral("    %1").arg(s->description);
    text << QStringLiteral("종이: %1").arg(s->paperText());
    text << QStringLiteral("라벨: %1 x %2 mm, 가로 %3개 x 세로 %4줄 = 한 장에 %5개")
                .arg(s->labelWidth, 0, 'f', 1)
                .arg(s->labelHeight, 0, 'f', 1)
                .arg(s->columns)
                .arg(s->rows)
                .arg(s->labelsPerSheet());
    text << QStringLiteral("여백: 왼쪽 %1 mm, 위쪽 %2 mm / 피치: 가로 %3 mm, 세로 %4 mm")
                .arg(s->x0, 0, 'f', 2)
                .arg(s->y0, 0, 'f', 2)
                .arg(s->dx, 0, 'f', 2)
                .arg(s->dy, 0, 'f', 2);
    if (!place.exact)
        text << QStringLiteral("주의: 마지막 줄이 용지 밖으로 나가 한 장에 %1줄만 인쇄합니다.")
                    .arg(place.rowsPerPage);
    text << QString() << QStringLiteral("라벨의 줄:");
    int n = 0;
    for (const LabelLine& line : m_fieldsPage->lines())
        text << QStringLiteral("  %1. %2").arg(++n).arg(m_fieldsPage->lineText(line));
    m_summary->setText(text.join(QLatin1Char('\n')));
}

} // namespace orvel::report::labels
