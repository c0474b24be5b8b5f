#include "report/designer/DesignerWindow.h"

#include "platform/LastResort.h"
#include "platform/MsgBox.h"
#include "report/Report.h"
#include "report/designer/DataPanel.h"
#include "report/designer/DesignEdits.h"
#include "report/designer/DesignScene.h"
#include "report/designer/DesignView.h"
#include "report/designer/ObjectClipboard.h"
#include "report/designer/Ruler.h"
#include "report/designer/panels/PropertyEditor.h"
#include "report/preview/FileChooser.h"
#include "report/preview/PreviewWindow.h"
#include "report/template/TemplateFormat.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFileInfo>
#include <QGridLayout>
#include <QMainWindow>
#include <QTabBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace orvel::report
{

DesignerWindow::DesignerWindow(Report& report, const DesignerOptions& options, QWidget* parent)
    : QDialog(parent), m_report(report), m_options(options)
{
    setObjectName(QStringLiteral("designerWindow"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setModal(true);
    resize(1200, 820);

    // A report without pages (none loaded yet) starts as a new report with the defaults.
    ReportTemplate model = report.reportTemplate();
    if (model.pages.empty())
        model = ReportTemplate::newReport();
    m_doc = new ReportDocument(std::move(model), this);
    m_doc->setFilePath(report.templatePath());
    QStringList fields;
    if (DataSource* source = report.dataSource()) {
        fields = source->fieldNames();
        if (fields.isEmpty() && source->open())
            fields = source->fieldNames();
    }
    m_doc->setDataSet(report.dataSetName(), fields);

    m_scene = new DesignScene(m_doc, this);
    m_main = new QMainWindow(nullptr, Qt::Widget);
    m_main->setObjectName(QStringLiteral("designerMain"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_main);

    auto* centre = new QWidget(m_main);
    auto* grid = new QGridLayout(centre);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    m_pages = new QTabBar(centre);
    m_pages->setObjectName(QStringLiteral("pageTabs"));
    m_view = new DesignView(m_scene, centre);
    m_view->setFieldTitles(options.fieldTitles);
    auto* hRuler = new Ruler(Qt::Horizontal, m_view, centre);
    auto* vRuler = new Ruler(Qt::Vertical, m_view, centre);
    grid->addWidget(m_pages, 0, 0, 1, 2);
    grid->addWidget(hRuler, 1, 1);
    grid->addWidget(vRuler, 2, 0);
    grid->addWidget(m_view, 2, 1);
    m_main->setCentralWidget(centre);

    m_data = new DataPanel(m_doc, m_main);
    auto* dataDock = new QDockWidget(QStringLiteral("데이터"), m_main);
    dataDock->setObjectName(QStringLiteral("dataDock"));
    dataDock->setWidget(m_data);
    dataDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_main->addDockWidget(Qt::LeftDockWidgetArea, dataDock);
    connect(m_data, &DataPanel::fieldActivated, this,
            [this](const QString& dataSet, const QString& field) {
                // From the keyboard: into the selected band, or the first data band.
                int band = m_doc->selection().band.placeholder ? -1 : m_doc->selection().band.index;
                if (band < 0 && !m_doc->selection().objects.empty())
                    band = m_doc->selection().objects.front().band;
                for (size_t i = 0; band < 0 && i < m_doc->page().bands.size(); ++i)
                    if (m_doc->page().bands[i].type == Band::MasterData)
                        band = int(i);
                if (band < 0)
                    return;
                double right = 0;
                for (const ReportObject& o : m_doc->band(band).objects)
                    right = std::max(right, o.left + o.width);
                dropField(m_doc, band, QPointF(right, 0), dataSet, field, m_options.fieldTitles);
            });
    auto* props = new PropertyEditor(m_doc, m_main);
    auto* propDock = new QDockWidget(QStringLiteral("속성"), m_main);
    propDock->setObjectName(QStringLiteral("propertyDock"));
    propDock->setWidget(props);
    propDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_main->addDockWidget(Qt::RightDockWidgetArea, propDock);

    buildMenus();
    connect(m_doc, &ReportDocument::modifiedChanged, this, &DesignerWindow::updateTitle);
    connect(m_doc, &ReportDocument::filePathChanged, this, &DesignerWindow::updateTitle);
    connect(m_doc, &ReportDocument::selectionChanged, this, &DesignerWindow::updateActions);
    connect(m_doc, &ReportDocument::pageSwitched, this, &DesignerWindow::syncPageTabs);
    connect(m_pages, &QTabBar::currentChanged, this, [this](int i) {
        if (i >= 0)
            m_doc->setCurrentPage(i);
    });
    syncPageTabs();
    updateTitle();
    updateActions();
    m_view->setFocus();
}

DesignerWindow::~DesignerWindow()
{
    // The scene and the view go before the document they show.
    delete m_main;
    delete m_scene;
}

QAction* DesignerWindow::action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

void DesignerWindow::updateTitle()
{
    const QString path = m_doc->filePath();
    const QString name = path.isEmpty() ? QStringLiteral("새 양식") : QFileInfo(path).fileName();
    setWindowTitle(QStringLiteral("양식 디자인 - %1[*]").arg(name));
    setWindowModified(m_doc->isModified());
}

void DesignerWindow::syncPageTabs()
{
    const QSignalBlocker block(m_pages);
    while (m_pages->count() > 0)
        m_pages->removeTab(0);
    for (const ReportPage& p : m_doc->model().pages)
        m_pages->addTab(p.name.isEmpty() ? QStringLiteral("페이지") : p.name);
    m_pages->setCurrentIndex(m_doc->currentPageIndex());
    m_pages->setVisible(m_doc->model().pages.size() > 1);
    m_data->reload();
}

bool DesignerWindow::saveTo(const QString& path)
{
    TemplateFormat format;
    if (!format.writeFile(m_doc->model(), path)) {
        MsgBox::show(this, QStringLiteral("양식 디자인"),
                     QStringLiteral("양식을 저장하지 못했습니다.\n") + format.errorString(), 0);
        return false;
    }
    m_report.reportTemplate() = m_doc->model();
    m_report.setTemplatePath(path);
    m_doc->setFilePath(path);
    m_doc->markSaved();
    m_saved = true;
    return true;
}

bool DesignerWindow::save()
{
    if (m_doc->filePath().isEmpty())
        return saveAs();
    return saveTo(m_doc->filePath());
}

bool DesignerWindow::saveAs()
{
    QString path = FileChooser::saveFile(this, QStringLiteral("다른 이름으로 저장"),
                                         QStringLiteral("양식 (*.fr3)"), m_doc->filePath());
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".fr3");
    return saveTo(path);
}

bool DesignerWindow::maybeSave()
{
    if (!m_doc->isModified())
        return true;
    const int answer = MsgBox::show(this, QStringLiteral("양식 디자인"),
                                    QStringLiteral("양식이 바뀌었습니다. 저장하시겠습니까?"), 5);
    if (answer == 1)
        return save();
    return answer == 7;
}

void DesignerWindow::reject()
{
    // Closing from the title bar comes here too (through QDialog's close event).
    if (maybeSave())
        QDialog::reject();
}

void DesignerWindow::preview()
{
    Report shown;
    shown.reportTemplate() = m_doc->model();
    shown.setTemplatePath(m_doc->filePath());
    shown.setDataSource(m_report.dataSource(), m_report.dataSetName());
    try {
        shown.prepare();
    } catch (const ReportError& e) {
        MsgBox::show(this, QStringLiteral("양식 디자인"), e.message(), 0);
        return;
    }
    PreviewWindow::showPreview(shown, this, false);
}

void DesignerWindow::newReport()
{
    if (!maybeSave())
        return;
    m_doc->reset(ReportTemplate::newReport());
    m_doc->setFilePath({});
}

void DesignerWindow::copy()
{
    if (QMimeData* data = ObjectClipboard::copy(*m_doc))
        QApplication::clipboard()->setMimeData(data);
}

void DesignerWindow::cut()
{
    copy();
    m_doc->removeObjects(QStringLiteral("잘라내기"), m_doc->selection().objects);
}

void DesignerWindow::paste()
{
    ObjectClipboard::paste(m_doc, QApplication::clipboard()->mimeData());
}

void DesignerWindow::deleteSelection()
{
    const DesignSelection& s = m_doc->selection();
    if (!s.objects.empty())
        m_doc->removeObjects(QStringLiteral("삭제"), s.objects);
    else if (s.band.index >= 0)
        m_doc->removeBand(QStringLiteral("밴드 삭제"), s.band);
}

void DesignerWindow::selectAll()
{
    std::vector<ObjectRef> all;
    for (int b = 0; b < int(m_doc->page().bands.size()); ++b)
        for (const ObjectRef& r : m_doc->allObjects(b))
            all.push_back(r);
    m_doc->selectObjects(all);
}

void DesignerWindow::insertBand(Band::Type type)
{
    Band band;
    band.type = type;
    band.height = mmToPx(type == Band::MasterData ? 6 : 10);
    static const char* const stems[] = {"ReportTitle",  "PageHeader",    "ColumnHeader",
                                        "GroupHeader",  "MasterData",    "GroupFooter",
                                        "ColumnFooter", "ReportSummary", "PageFooter"};
    band.name = QString::fromLatin1(stems[std::min(int(type), 8)]);
    if (type == Band::MasterData)
        band.dataSetName = m_doc->dataSetName();
    m_doc->addBand(QStringLiteral("밴드 넣기"), band);
}

} // namespace orvel::report
