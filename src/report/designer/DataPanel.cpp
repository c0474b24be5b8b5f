#include "report/designer/DataPanel.h"

#include "report/designer/DesignView.h"
#include "report/designer/ReportDocument.h"

#include <QMimeData>

namespace orvel::report
{

DataPanel::DataPanel(ReportDocument* doc, QWidget* parent) : QTreeWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("dataPanel"));
    setAccessibleName(QStringLiteral("데이터"));
    setHeaderHidden(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (item && item->parent())
            emit fieldActivated(m_doc->dataSetName(), item->text(0));
    });
    reload();
}

void DataPanel::reload()
{
    clear();
    if (m_doc->dataSetName().isEmpty())
        return;
    auto* root = new QTreeWidgetItem(this, {m_doc->dataSetName()});
    root->setFlags(Qt::ItemIsEnabled);
    for (const QString& field : m_doc->fieldNames()) {
        auto* item = new QTreeWidgetItem(root, {field});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    }
    root->setExpanded(true);
}

QStringList DataPanel::mimeTypes() const
{
    return {DesignView::fieldMimeType()};
}

QMimeData* DataPanel::fieldMimeData(const QString& field) const
{
    auto* data = new QMimeData;
    data->setData(DesignView::fieldMimeType(),
                  (m_doc->dataSetName() + QLatin1Char('\n') + field).toUtf8());
    data->setText(QStringLiteral("[%1.\"%2\"]").arg(m_doc->dataSetName(), field));
    return data;
}

QMimeData* DataPanel::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    if (items.isEmpty() || !items.front()->parent())
        return nullptr;
    return fieldMimeData(items.front()->text(0));
}

} // namespace orvel::report
