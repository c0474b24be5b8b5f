#include "customers/FindPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvel
{

namespace
{

// Height of the expanded panel's content; with the title bar the panel is about 84 px.
constexpr int kContentHeight = 60;

QLabel* makeStateLabel(const char* name, const QString& accessibleName)
{
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(200);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAccessibleName(accessibleName);
    return label;
}

} // namespace

FindPanel::FindPanel(QWidget* parent) : CollapsiblePanel(QStringLiteral("검색"), parent)
{
    setObjectName(QStringLiteral("FindPanel"));
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("FindPanelContent"));
    content->setFixedHeight(kContentHeight);

    tfc_1 = new QPushButton(QStringLiteral("검색초기화"));
    tfc_1->setObjectName(QStringLiteral("tfc_1"));
    tf_1 = makeStateLabel("tf_1", QStringLiteral("검색"));
    tfc_2 = new QPushButton(QStringLiteral("색인초기화"));
    tfc_2->setObjectName(QStringLiteral("tfc_2"));
    tf_2 = makeStateLabel("tf_2", QStringLiteral("색인"));
    auto* searchCaption = new QLabel(QStringLiteral("검색 :"));
    searchCaption->setObjectName(QStringLiteral("tf_1_caption"));
    auto* indexCaption = new QLabel(QStringLiteral("색인 :"));
    indexCaption->setObjectName(QStringLiteral("tf_2_caption"));

    F_Select = new QGroupBox(QStringLiteral("선택"));
    F_Select->setObjectName(QStringLiteral("F_Select"));
    F_Select->setAccessibleName(QStringLiteral("선택"));
    auto* radios = new QVBoxLayout(F_Select);
    radios->setContentsMargins(4, 0, 4, 0);
    radios->setSpacing(0);
    searchMode = new QRadioButton(QStringLiteral("검색"));
    searchMode->setObjectName(QStringLiteral("F_Select_0"));
    indexMode = new QRadioButton(QStringLiteral("색인"));
    indexMode->setObjectName(QStringLiteral("F_Select_1"));
    searchMode->setChecked(true);
    radios->addWidget(searchMode);
    radios->addWidget(indexMode);

    auto* rows = new QGridLayout;
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setVerticalSpacing(2);
    rows->addWidget(tfc_1, 0, 0);
    rows->addWidget(searchCaption, 0, 1);
    rows->addWidget(tf_1, 0, 2);
    rows->addWidget(tfc_2, 1, 0);
    rows->addWidget(indexCaption, 1, 1);
    rows->addWidget(tf_2, 1, 2);
    rows->setColumnStretch(2, 1);

    auto* layout = new QHBoxLayout(content);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addLayout(rows, 1);
    layout->addWidget(F_Select);
    setContent(content);
}

bool FindPanel::isSearchMode() const
{
    return searchMode->isChecked();
}

} // namespace orvel
