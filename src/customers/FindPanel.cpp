#include "FindPanel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace orvel
{

FindPanel::FindPanel(QWidget* parent) : CollapsiblePanel(QStringLiteral("검색"), parent)
{
    setObjectName(QStringLiteral("FindPanel"));
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(4, 2, 4, 2);

    auto makeLabel = [](const char* name) {
        auto* label = new QLabel;
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameShape(QFrame::StyledPanel);
        label->setMinimumWidth(200);
        label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    tfc_1 = new QPushButton(QStringLiteral("검색초기화"));
    tfc_1->setObjectName(QStringLiteral("tfc_1"));
    tf_1 = makeLabel("tf_1");
    tf_1->setAccessibleName(QStringLiteral("검색 조건"));
    tfc_2 = new QPushButton(QStringLiteral("색인초기화"));
    tfc_2->setObjectName(QStringLiteral("tfc_2"));
    tf_2 = makeLabel("tf_2");
    tf_2->setAccessibleName(QStringLiteral("색인 순서"));

    F_Select = new QGroupBox;
    F_Select->setObjectName(QStringLiteral("F_Select"));
    F_Select->setAccessibleName(QStringLiteral("제목 클릭"));
    auto* radios = new QHBoxLayout(F_Select);
    radios->setContentsMargins(4, 0, 4, 0);
    searchMode = new QRadioButton(QStringLiteral("검색"));
    searchMode->setObjectName(QStringLiteral("F_Select_0"));
    indexMode = new QRadioButton(QStringLiteral("색인"));
    indexMode->setObjectName(QStringLiteral("F_Select_1"));
    searchMode->setChecked(true);
    radios->addWidget(searchMode);
    radios->addWidget(indexMode);

    row->addWidget(tfc_1);
    row->addWidget(tf_1, 1);
    row->addWidget(tfc_2);
    row->addWidget(tf_2, 1);
    row->addWidget(F_Select);
    setContent(content);
}

bool FindPanel::isSearchMode() const
{
    return searchMode->isChecked();
}

} // namespace orvel
