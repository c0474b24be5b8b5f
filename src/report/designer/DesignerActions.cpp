// The designer window's menus and toolbars.
#include "report/designer/DataPanel.h"
#include "report/designer/DesignEdits.h"
#include "report/designer/DesignScene.h"
#include "report/designer/DesignView.h"
#include "report/designer/DesignerTexts.h"
#include "report/designer/DesignerWindow.h"
#include "report/preview/FileChooser.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QUndoStack>

namespace orvel::report
{

QAction* DesignerWindow::addAction(QMenu* menu, const char* name, const QString& text,
                                   const QKeySequence& key, void (DesignerWindow::*slot)())
{
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    if (menu)
        menu->addAction(a);
    QDialog::addAction(a);
    return a;
}

void DesignerWindow::buildMenus()
{
    QMenuBar* bar = m_main->menuBar();
    QToolBar* standard = m_main->addToolBar(QStringLiteral("표준"));
    standard->setObjectName(QStringLiteral("standardToolBar"));

    QMenu* file = bar->addMenu(QStringLiteral("파일(&F)"));
    standard->addAction(addAction(file, "newAction", QStringLiteral("새 양식"), QKeySequence::New,
                                  &DesignerWindow::newReport));
    addAction(file, "labelWizardAction", QStringLiteral("라벨 마법사..."), {},
              &DesignerWindow::runLabelWizard);
    file->addSeparator();
    standard->addAction(
        addAction(file, "saveAction", QStringLiteral("저장"), QKeySequence::Save, nullptr));
    connect(action(QStringLiteral("saveAction")), &QAction::triggered, this, [this] { save(); });
    QAction* saveAs = addAction(file, "saveAsAction", QStringLiteral("다른 이름으로 저장..."),
                                QKeySequence(QStringLiteral("Ctrl+Shift+S")), nullptr);
    connect(saveAs, &QAction::triggered, this, [this] { this->saveAs(); });
    file->addSeparator();
    standard->addAction(addAction(file, "previewAction", QStringLiteral("미리 보기"),
                                  QKeySequence(QStringLiteral("F5")), &DesignerWindow::preview));
    file->addSeparator();
    QAction* close = addAction(file, "closeAction", QStringLiteral("닫기"), {}, nullptr);
    connect(close, &QAction::triggered, this, &DesignerWindow::reject);
    standard->addSeparator();

    QMenu* edit = bar->addMenu(QStringLiteral("편집(&E)"));
    QUndoStack* undo = m_doc->undoStack();
    QAction* undoAction = undo->createUndoAction(this, QStringLiteral("실행 취소"));
    undoAction->setObjectName(QStringLiteral("undoAction"));
    undoAction->setShortcut(QKeySequence::Undo);
    QAction* redoAction = undo->createRedoAction(this, QStringLiteral("다시 실행"));
    redoAction->setObjectName(QStringLiteral("redoAction"));
    redoAction->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    for (QAction* a : {undoAction, redoAction}) {
        edit->addAction(a);
        standard->addAction(a);
        QDialog::addAction(a);
    }
    edit->addSeparator();
    standard->addAction(addAction(edit, "cutAction", QStringLiteral("잘라내기"), QKeySequence::Cut,
                                  &DesignerWindow::cut));
    standard->addAction(addAction(edit, "copyAction", QStringLiteral("복사"), QKeySequence::Copy,
                                  &DesignerWindow::copy));
    standard->addAction(addAction(edit, "pasteAction", QStringLiteral("붙여넣기"),
                                  QKeySequence::Paste, &DesignerWindow::paste));
    standard->addAction(addAction(edit, "deleteAction", QStringLiteral("삭제"),
                                  QKeySequence::Delete, &DesignerWindow::deleteSelection));
    addAction(edit, "selectAllAction", QStringLiteral("모두 선택"), QKeySequence::SelectAll,
              &DesignerWindow::selectAll);
    edit->addSeparator();
    QAction* front = addAction(edit, "bringToFrontAction", QStringLiteral("맨 앞으로"),
                               QKeySequence(QStringLiteral("Ctrl+]")), nullptr);
    connect(front, &QAction::triggered, this, [this] {
        m_doc->reorderObjects(QStringLiteral("맨 앞으로"), m_doc->selection().objects, true);
    });
    QAction* back = addAction(edit, "sendToBackAction", QStringLiteral("맨 뒤로"),
                              QKeySequence(QStringLiteral("Ctrl+[")), nullptr);
    connect(back, &QAction::triggered, this, [this] {
        m_doc->reorderObjects(QStringLiteral("맨 뒤로"), m_doc->selection().objects, false);
    });

    QMenu* insert = bar->addMenu(QStringLiteral("삽입(&I)"));
    QMenu* bands = insert->addMenu(QStringLiteral("밴드"));
    for (Band::Type t : {Band::ReportTitle, Band::PageHeader, Band::ColumnHeader, Band::GroupHeader,
                         Band::MasterData, Band::GroupFooter, Band::ColumnFooter,
                         Band::ReportSummary, Band::PageFooter}) {
        QAction* a = bands->addAction(bandKindName(t));
        a->setObjectName(QStringLiteral("insertBand%1").arg(int(t)));
        connect(a, &QAction::triggered, this, [this, t] { insertBand(t); });
    }
    QToolBar* objects = m_main->addToolBar(QStringLiteral("개체"));
    objects->setObjectName(QStringLiteral("objectToolBar"));
    buildObjectTools(insert, objects);

    QMenu* align = bar->addMenu(QStringLiteral("맞춤(&A)"));
    QToolBar* alignBar = m_main->addToolBar(QStringLiteral("맞춤"));
    alignBar->setObjectName(QStringLiteral("alignToolBar"));
    const std::pair<const char*, std::pair<QString, AlignKind>> aligns[] = {
        {"alignLeftAction", {QStringLiteral("왼쪽 맞춤"), AlignKind::Left}},
        {"alignRightAction", {QStringLiteral("오른쪽 맞춤"), AlignKind::Right}},
        {"alignTopAction", {QStringLiteral("위쪽 맞춤"), AlignKind::Top}},
        {"alignBottomAction", {QStringLiteral("아래쪽 맞춤"), AlignKind::Bottom}},
        {"alignHCenterAction", {QStringLiteral("가로 가운데 맞춤"), AlignKind::HCenter}},
        {"alignVCenterAction", {QStringLiteral("세로 가운데 맞춤"), AlignKind::VCenter}},
        {"sameWidthAction", {QStringLiteral("같은 너비"), AlignKind::SameWidth}},
        {"sameHeightAction", {QStringLiteral("같은 높이"), AlignKind::SameHeight}},
    };
    for (const auto& [name, def] : aligns) {
        QAction* a = addAction(align, name, def.first, {}, nullptr);
        const AlignKind kind = def.second;
        connect(a, &QAction::triggered, this, [this, kind] { alignSelection(m_doc, kind); });
        alignBar->addAction(a);
    }

    QMenu* view = bar->addMenu(QStringLiteral("보기(&V)"));
    QAction* zoomIn =
        addAction(view, "zoomInAction", QStringLiteral("확대"), QKeySequence::ZoomIn, nullptr);
    connect(zoomIn, &QAction::triggered, this, [this] { m_view->setZoom(m_view->zoom() * 1.25); });
    QAction* zoomOut =
        addAction(view, "zoomOutAction", QStringLiteral("축소"), QKeySequence::ZoomOut, nullptr);
    connect(zoomOut, &QAction::triggered, this, [this] { m_view->setZoom(m_view->zoom() / 1.25); });
    QAction* width = addAction(view, "zoomWidthAction", QStringLiteral("폭에 맞춤"), {}, nullptr);
    connect(width, &QAction::triggered, m_view, &DesignView::zoomToWidth);
    QAction* page = addAction(view, "zoomPageAction", QStringLiteral("전체 페이지"), {}, nullptr);
    connect(page, &QAction::triggered, m_view, &DesignView::zoomToPage);
    view->addSeparator();
    QAction* showGrid = addAction(view, "showGridAction", QStringLiteral("격자 보기"), {}, nullptr);
    showGrid->setCheckable(true);
    showGrid->setChecked(true);
    connect(showGrid, &QAction::toggled, m_scene, &DesignScene::setGridVisible);
    QAction* snap = addAction(view, "snapAction", QStringLiteral("격자에 맞춤"), {}, nullptr);
    snap->setCheckable(true);
    snap->setChecked(true);
    connect(snap, &QAction::toggled, this, [this](bool on) { m_scene->setSnapToGrid(on); });
    QMenu* steps = view->addMenu(QStringLiteral("격자 간격"));
    auto* stepGroup = new QActionGroup(this);
    for (double mm : {1.0, 2.0, 2.5, 5.0}) {
        QAction* a = steps->addAction(QStringLiteral("%1 mm").arg(mm));
        a->setCheckable(true);
        a->setChecked(mm == 2.0);
        stepGroup->addAction(a);
        connect(a, &QAction::triggered, this, [this, mm] { m_scene->setGridStep(mmToPx(mm)); });
    }

    m_zoom = new QComboBox(standard);
    m_zoom->setObjectName(QStringLiteral("zoomBox"));
    m_zoom->setAccessibleName(QStringLiteral("확대/축소"));
    for (double z : {0.5, 0.75, 1.0, 1.5, 2.0})
        m_zoom->addItem(QStringLiteral("%1%").arg(int(z * 100)), z);
    m_zoom->addItem(QStringLiteral("폭에 맞춤"), -1.0);
    m_zoom->addItem(QStringLiteral("전체 페이지"), -2.0);
    m_zoom->setCurrentIndex(2);
    connect(m_zoom, &QComboBox::activated, this, [this](int i) {
        const double z = m_zoom->itemData(i).toDouble();
        if (z == -1.0)
            m_view->zoomToWidth();
        else if (z == -2.0)
            m_view->zoomToPage();
        else
            m_view->setZoom(z);
    });
    connect(m_view, &DesignView::zoomChanged, this, [this](double z) {
        const int i = m_zoom->findData(z);
        if (i >= 0)
            m_zoom->setCurrentIndex(i);
        else
            m_zoom->setEditText(QStringLiteral("%1%").arg(int(z * 100 + 0.5)));
    });
    standard->addWidget(m_zoom);
}

void DesignerWindow::buildObjectTools(QMenu* menu, QToolBar* bar)
{
    auto tool = [&](const char* name, const QString& text, const ReportObject& proto) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, proto] {
            m_view->setInsertTool(proto);
            m_view->setFocus();
        });
        menu->addAction(a);
        bar->addAction(a);
        return a;
    };
    tool("insertTextAction", QStringLiteral("텍스트"), newObject(ReportObject::Memo));
    QMenu* system = menu->addMenu(QStringLiteral("시스템 텍스트"));
    const std::pair<const char*, std::pair<QString, QString>> systems[] = {
        {"insertPageAction", {QStringLiteral("페이지 번호"), QStringLiteral("[Page#]")}},
        {"insertTotalPagesAction",
         {QStringLiteral("전체 페이지"), QStringLiteral("[TotalPages#]")}},
        {"insertPageOfAction",
         {QStringLiteral("페이지 N / M"), QStringLiteral("[Page#] / [TotalPages#]")}},
        {"insertDateAction", {QStringLiteral("날짜"), QStringLiteral("[Date]")}},
        {"insertTimeAction", {QStringLiteral("시간"), QStringLiteral("[Time]")}},
        {"insertLineAction", {QStringLiteral("줄 번호"), QStringLiteral("[Line#]")}},
    };
    for (const auto& [name, def] : systems) {
        QAction* a = system->addAction(def.first);
        a->setObjectName(QString::fromLatin1(name));
        const ReportObject proto = newObject(ReportObject::SysMemo, def.second);
        connect(a, &QAction::triggered, this, [this, proto] {
            m_view->setInsertTool(proto);
            m_view->setFocus();
        });
    }
    tool("insertLineObjectAction", QStringLiteral("선"), newObject(ReportObject::Line));
    const std::pair<const char*, std::pair<QString, ShapeKind>> shapes[] = {
        {"insertRectAction", {QStringLiteral("사각형"), ShapeKind::Rectangle}},
        {"insertRoundRectAction", {QStringLiteral("둥근 사각형"), ShapeKind::RoundRectangle}},
        {"insertEllipseAction", {QStringLiteral("타원"), ShapeKind::Ellipse}},
        {"insertTriangleAction", {QStringLiteral("삼각형"), ShapeKind::Triangle}},
        {"insertDiamondAction", {QStringLiteral("마름모"), ShapeKind::Diamond}},
        {"insertDiagonalAction", {QStringLiteral("대각선"), ShapeKind::Diagonal1}},
    };
    for (const auto& [name, def] : shapes)
        tool(name, def.first, newObject(ReportObject::Shape, {}, def.second));
    auto* picture = new QAction(QStringLiteral("그림..."), this);
    picture->setObjectName(QStringLiteral("insertPictureAction"));
    connect(picture, &QAction::triggered, this, &DesignerWindow::insertPicture);
    menu->addAction(picture);
    bar->addAction(picture);
}

void DesignerWindow::insertPicture()
{
    const QString path = FileChooser::openFile(
        this, QStringLiteral("그림 넣기"), QStringLiteral("그림 (*.png *.jpg *.jpeg *.bmp *.gif)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    ReportObject o = newObject(ReportObject::Picture);
    // The picture is kept in the template, so the template travels without the file.
    if (file.open(QIODevice::ReadOnly) && file.size() < 16 * 1024 * 1024)
        o.imageData = file.readAll();
    QImage img;
    if (o.imageData.isEmpty() || !img.loadFromData(o.imageData)) {
        o.imageData.clear();
        o.fileLink = path;
    } else {
        o.width = std::min(double(img.width()), mmToPx(80));
        o.height = img.height() * o.width / std::max(1, img.width());
    }
    m_view->setInsertTool(o);
    m_view->setFocus();
}

void DesignerWindow::updateActions()
{
    const DesignSelection& s = m_doc->selection();
    const bool objects = !s.objects.empty();
    bool real = false;
    for (const ObjectRef& r : s.objects)
        real = real || !r.placeholder;
    action(QStringLiteral("copyAction"))->setEnabled(real);
    action(QStringLiteral("cutAction"))->setEnabled(real);
    action(QStringLiteral("deleteAction"))->setEnabled(objects || s.band.index >= 0);
    action(QStringLiteral("bringToFrontAction"))->setEnabled(real);
    action(QStringLiteral("sendToBackAction"))->setEnabled(real);
    for (const char* name :
         {"alignLeftAction", "alignRightAction", "alignTopAction", "alignBottomAction",
          "alignHCenterAction", "alignVCenterAction", "sameWidthAction", "sameHeightAction"})
        action(QString::fromLatin1(name))->setEnabled(s.objects.size() > 1);
}

} // namespace orvel::report
