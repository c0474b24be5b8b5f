#pragma once

#include "report/designer/labels/LabelCatalogue.h"

#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace orvel::report::labels
{

/// Choice of a maker's sheet from the catalogue: search box, paper filter and the list.
class CataloguePanel : public QWidget
{
    Q_OBJECT

public:
    CataloguePanel(const LabelCatalogue* catalogue, QWidget* parent = nullptr);

    /// The chosen sheet; none while no row is chosen.
    std::optional<LabelSheet> currentSheet() const;
    /// Number of sheets the list shows after searching and filtering.
    int shownCount() const;

signals:
    void sheetChanged();

private:
    void refilter();

    const LabelCatalogue* m_catalogue;
    QLineEdit* m_search;
    QComboBox* m_paper;
    QListWidget* m_list;
    QLabel* m_count;
};

} // namespace orvel::report::labels
