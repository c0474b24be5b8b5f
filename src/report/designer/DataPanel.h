#pragma once

#include <QTreeWidget>

namespace orvel::report
{

class ReportDocument;

/// The bound data set and its columns; a column dragged onto a band becomes a text object
/// showing it, and Enter (or a double-click) puts it into the selected band.
class DataPanel : public QTreeWidget
{
    Q_OBJECT

public:
    explicit DataPanel(ReportDocument* doc, QWidget* parent = nullptr);

    /// Reads the data set's name and columns from the document again.
    void reload();
    /// The drag data of a column, as a drop onto the page reads it.
    QMimeData* fieldMimeData(const QString& field) const;

signals:
    /// A column was chosen from the keyboard or by a double-click.
    void fieldActivated(const QString& dataSet, const QString& field);

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;

private:
    ReportDocument* m_doc;
};

} // namespace orvel::report
