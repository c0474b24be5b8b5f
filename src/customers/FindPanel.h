#pragma once

#include "platform/CollapsiblePanel.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace orvel
{

/// The collapsible search panel "검색": the reset buttons, the condition and order
/// labels and the choice between searching and indexing by column title.
class FindPanel : public CollapsiblePanel
{
    Q_OBJECT
public:
    explicit FindPanel(QWidget* parent = nullptr);

    QPushButton* tfc_1; // "검색초기화"
    QLabel* tf_1;       // the search terms
    QPushButton* tfc_2; // "색인초기화"
    QLabel* tf_2;       // the sort columns
    QGroupBox* F_Select;
    QRadioButton* searchMode; // "검색"
    QRadioButton* indexMode;  // "색인"

    /// True when a title click searches, false when it indexes.
    bool isSearchMode() const;
};

} // namespace orvel
