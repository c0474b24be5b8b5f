#pragma once

#include <QWidget>
#include <vector>

class QLabel;

namespace orvel::report
{

class PropertySection;
class ReportDocument;

/// The designer's property panel: the selection's properties, edited through the document.
class PropertyEditor : public QWidget
{
    Q_OBJECT

public:
    explicit PropertyEditor(ReportDocument* doc, QWidget* parent = nullptr);

    /// Shows the sections that fit the selection and loads them from the document; runs on
    /// every change, selection and page switch of the document.
    void refresh();

private:
    QString caption() const;

    ReportDocument* m_doc;
    QLabel* m_caption;
    std::vector<PropertySection*> m_sections;
};

} // namespace orvel::report
