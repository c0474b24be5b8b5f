#include "report/designer/panels/ShapeSection.h"

#include "report/designer/panels/PropertyWidgets.h"

#include <QComboBox>
#include <QFormLayout>

namespace orvel::report
{

ShapeSection::ShapeSection(ReportDocument* doc, QWidget* parent)
    : PropertySection(QStringLiteral("도형"), doc, parent)
{
    setObjectName(QStringLiteral("shapeSection"));
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("shapeKindBox"));
    m_kind->addItem(QStringLiteral("사각형"), int(ShapeKind::Rectangle));
    m_kind->addItem(QStringLiteral("둥근 사각형"), int(ShapeKind::RoundRectangle));
    m_kind->addItem(QStringLiteral("타원"), int(ShapeKind::Ellipse));
    m_kind->addItem(QStringLiteral("삼각형"), int(ShapeKind::Triangle));
    m_kind->addItem(QStringLiteral("마름모"), int(ShapeKind::Diamond));
    m_kind->addItem(QStringLiteral("대각선 (\\)"), int(ShapeKind::Diagonal1));
    m_kind->addItem(QStringLiteral("대각선 (/)"), int(ShapeKind::Diagonal2));
    addRow(QStringLiteral("모양(&P)"), m_kind, QStringLiteral("도형 모양"));
    connect(m_kind, &QComboBox::activated, this, [this](int i) {
        const auto kind = ShapeKind(m_kind->itemData(i).toInt());
        changeSelected(QStringLiteral("도형 변경"), [kind](ReportObject& o) { o.shape = kind; });
    });
}

bool ShapeSection::appliesToSelection() const
{
    return selectionIsAll({ReportObject::Shape});
}

void ShapeSection::load()
{
    setComboShared(m_kind, shared([](const ReportObject& o) { return int(o.shape); }));
}

} // namespace orvel::report
