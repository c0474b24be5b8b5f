#include "report/preview/PreviewWindow.h"

#include "platform/LastResort.h"
#include "report/Report.h"
#include "report/designer/ReportDesigner.h"
#include "report/export/ImageExport.h"
#include "report/export/ReportExport.h"
#include "report/export/SimpleTextExport.h"
#include "report/preview/FileChooser.h"
#include "report/preview/PageSetupDialog.h"
#include "report/preview/PreviewPageView.h"
#include "report/preview/PrintOptionsDialog.h"
#include "report/preview/ReportPrinter.h"
#include "report/preview/WorkProgress.h"
#include "report/render/PageRenderer.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QSpinBox>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvel::report
{

namespace
{
const QString Fp3Filter = QStringLiteral("레포트 (*.fp3)");
const double ZoomSteps[] = {0.5, 0.75, 1.0, 1.5, 2.0};
} // namespace

PreviewWindow::PreviewWindow(Report& report, QWidget* parent, bool allowDesign)
    : QDialog(parent), m_report(report), m_allowDesign(allowDesign)
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(QStringLiteral("미리 보기"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setSizeGripEnabled(true);
    resize(1000, 760);

    m_view = new PreviewPageView(this);
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("previewToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    m_findBar = new QWidget(this);
    m_findBar->setObjectName(QStringLiteral("findBar"));
    m_findEdit = new QLineEdit(m_findBar);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_findEdit->setAccessibleName(QStringLiteral("찾을 내용"));
    auto* findNextButton = new QToolButton(m_findBar);
    findNextButton->setObjectName(QStringLiteral("findNextButton"));
    findNextButton->setText(QStringLiteral("다음 찾기"));
    m_findStatus = new QLabel(m_findBar);
    m_findStatus->setObjectName(QStringLiteral("findStatus"));
    auto* findLabel = new QLabel(QStringLiteral("찾기(&F):"), m_findBar);
    findLabel->setBuddy(m_findEdit);
    auto* findLayout = new QHBoxLayout(m_findBar);
    findLayout->setContentsMargins(4, 0, 4, 0);
    findLayout->addWidget(findLabel);
    findLayout->addWidget(m_findEdit);
    findLayout->addWidget(findNextButton);
    findLayout->addWidget(m_findStatus, 1);
    m_findBar->hide();
    connect(m_findEdit, &QLineEdit::returnPressed, this,
            [this] { guarded([this] { onFindNext(); }); });
    connect(findNextButton, &QToolButton::clicked, this,
            [this] { guarded([this] { onFindNext(); }); });
    connect(m_findEdit, &QLineEdit::textChanged, this, [this] {
        m_findItem = -1;
        m_findStatus->clear();
    });

    m_outline = new QTreeWidget(this);
    m_outline->setObjectName(QStringLiteral("outlineTree"));
    m_outline->setAccessibleName(QStringLiteral("개요"));
    m_outline->setHeaderHidden(true);
    m_outline->hide();
    connect(m_outline, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        m_view->goToPage(item->data(0, Qt::UserRole).toInt(),
                         item->data(0, Qt::UserRole + 1).toDouble());
    });

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_outline);
    splitter->addWidget(m_view);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_findBar);
    layout->addWidget(splitter, 1);

    buildToolBar();
    connect(m_view, &PreviewPageView::currentPageChanged, this, &PreviewWindow::updateNavigation);
    if (m_zoom) {
        // The zoom box names the zoom whichever way it was set (settings, keys, wheel).
        connect(m_view, &PreviewPageView::zoomChanged, this,
                [this](double zoom) { m_zoom->setCurrentIndex(m_zoom->findData(zoom)); });
    }
    m_view->setZoom(m_report.reportTemplate().settings.previewZoom);
    refresh();
}

QToolButton* PreviewWindow::addButton(const char* name, const QString& text, const QString& tip,
                                      void (PreviewWindow::*slot)())
{
    auto* button = new QToolButton(m_toolBar);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    if (slot)
        connect(button, &QToolButton::clicked, this,
                [this, slot] { guarded([this, slot] { (this->*slot)(); }); });
    m_toolBar->addWidget(button);
    return button;
}

void PreviewWindow::buildToolBar()
{
    const int buttons = m_report.reportTemplate().settings.previewButtons;
    auto wanted = [buttons](int bit) { return (buttons & bit) != 0; };
    using B = ReportSettings;
    if (wanted(B::Print)) {
        addButton("printButton", QStringLiteral("인쇄"), QStringLiteral("인쇄"),
                  &PreviewWindow::onPrint);
        addButton("printOptionsButton", QStringLiteral("인쇄 옵션"),
                  QStringLiteral("프린터별 인쇄 위치 보정"), &PreviewWindow::onPrintOptions);
    }
    if (wanted(B::Open))
        addButton("openButton", QStringLiteral("열기"), QStringLiteral("레포트 열기"),
                  &PreviewWindow::onOpen);
    if (wanted(B::Save))
        addButton("saveButton", QStringLiteral("저장"), QStringLiteral("레포트 저장"),
                  &PreviewWindow::onSave);
    if (wanted(B::Export)) {
        QToolButton* exportButton = addButton("exportButton", QStringLiteral("내보내기"),
                                              QStringLiteral("내보내기"), nullptr);
        exportButton->setPopupMode(QToolButton::InstantPopup);
        auto* menu = new QMenu(exportButton);
        menu->setObjectName(QStringLiteral("exportMenu"));
        QStringList formats = ReportExport::extensions();
        for (const QString& ext : formats) {
            auto exporter = ReportExport::forExtension(ext);
            QAction* a = menu->addAction(exporter->name() + QStringLiteral("..."));
            a->setObjectName(QStringLiteral("export_") + ext);
            connect(a, &QAction::triggered, this, [this, ext, name = exporter->name()] {
                guarded([&] {
                    const QString path =
                        FileChooser::saveFile(this, QStringLiteral("내보내기"),
                                              QStringLiteral("%1 (*.%2)").arg(name, ext));
                    if (!path.isEmpty())
                        exportTo(ext, path);
                });
            });
        }
        QAction* simple = menu->addAction(SimpleTextExport().name() + QStringLiteral("..."));
        simple->setObjectName(QStringLiteral("export_simple"));
        connect(simple, &QAction::triggered, this, [this] {
            guarded([&] {
                const QString path = FileChooser::saveFile(this, QStringLiteral("내보내기"),
                                                           QStringLiteral("텍스트 (*.txt)"));
                if (!path.isEmpty())
                    exportTo(QStringLiteral("simple"), path);
            });
        });
        exportButton->setMenu(menu);
    }
    if (wanted(B::QuickExport))
        addButton("quickPdfButton", QStringLiteral("PDF"), QStringLiteral("PDF로 빠른 내보내기"),
                  &PreviewWindow::onQuickPdf);
    if (wanted(B::Zoom)) {
        m_toolBar->addSeparator();
        m_zoom = new QComboBox(m_toolBar);
        m_zoom->setObjectName(QStringLiteral("zoomBox"));
        m_zoom->setAccessibleName(QStringLiteral("확대/축소"));
        for (double z : ZoomSteps)
            m_zoom->addItem(QStringLiteral("%1%").arg(int(z * 100)), z);
        m_zoom->addItem(QStringLiteral("폭에 맞춤"), -1.0);
        m_zoom->addItem(QStringLiteral("전체 페이지"), -2.0);
        m_zoom->setCurrentIndex(2);
        connect(m_zoom, &QComboBox::activated, this, &PreviewWindow::applyZoomChoice);
        m_toolBar->addWidget(m_zoom);
        addButton("zoomOutButton", QStringLiteral("−"), QStringLiteral("축소"), nullptr);
        addButton("zoomInButton", QStringLiteral("+"), QStringLiteral("확대"), nullptr);
        connect(findChild<QToolButton*>(QStringLiteral("zoomOutButton")), &QToolButton::clicked,
                this, [this] { m_view->setZoom(m_view->zoom() / 1.25); });
        connect(findChild<QToolButton*>(QStringLiteral("zoomInButton")), &QToolButton::clicked,
                this, [this] { m_view->setZoom(m_view->zoom() * 1.25); });
    }
    if (wanted(B::Find))
        addButton("findButton", QStringLiteral("찾기"), QStringLiteral("찾기"),
                  &PreviewWindow::onFind);
    if (wanted(B::Outline))
        addButton("outlineButton", QStringLiteral("개요"), QStringLiteral("개요"),
                  &PreviewWindow::onOutline);
    if (wanted(B::PageSetup))
        m_pageSetupButton = addButton("pageSetupButton", QStringLiteral("페이지 설정"),
                                      QStringLiteral("페이지 설정"), &PreviewWindow::onPageSetup);
    // Tools are not offered by this preview; Edit opens the designer on the report.
    if (wanted(B::Edit) && m_allowDesign)
        m_editButton = addButton("editButton", QStringLiteral("편집"),
                                 QStringLiteral("양식 디자인"), &PreviewWindow::onEdit);
    if (wanted(B::Navigator)) {
        m_toolBar->addSeparator();
        addButton("firstPageButton", QStringLiteral("|◀"), QStringLiteral("첫 페이지"),
                  &PreviewWindow::onFirst);
        addButton("prevPageButton", QStringLiteral("◀"), QStringLiteral("이전 페이지"),
                  &PreviewWindow::onPrevious);
        m_pageSpin = new QSpinBox(m_toolBar);
        m_pageSpin->setObjectName(QStringLiteral("pageSpin"));
        m_pageSpin->setAccessibleName(QStringLiteral("페이지"));
        m_pageSpin->setKeyboardTracking(false);
        connect(m_pageSpin, &QSpinBox::valueChanged, this, [this](int v) {
            if (v - 1 != m_view->currentPage())
                m_view->goToPage(v - 1);
        });
        m_toolBar->addWidget(m_pageSpin);
        m_pageCount = new QLabel(m_toolBar);
        m_pageCount->setObjectName(QStringLiteral("pageCountLabel"));
        m_toolBar->addWidget(m_pageCount);
        addButton("nextPageButton", QStringLiteral("▶"), QStringLiteral("다음 페이지"),
                  &PreviewWindow::onNext);
        addButton("lastPageButton", QStringLiteral("▶|"), QStringLiteral("마지막 페이지"),
                  &PreviewWindow::onLast);
    }
    m_toolBar->addSeparator();
    addButton("closeButton", QStringLiteral("닫기"), QStringLiteral("닫기"), nullptr);
    connect(findChild<QToolButton*>(QStringLiteral("closeButton")), &QToolButton::clicked, this,
            &QDialog::accept);
}

void PreviewWindow::showPreview(Report& report, QWidget* parent, bool allowDesign, bool fromFile)
{
    const ReportSettings& s = report.reportTemplate().settings;
    auto* window = new PreviewWindow(report, parent, allowDesign);
    if (fromFile) {
        window->m_loadedFromFile = true;
        window->refresh();
    }
    if (s.previewMaximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    if (s.previewModal) {
        window->exec();
        delete window;
    } else {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    }
}

void PreviewWindow::refresh()
{
    m_view->setReport(&m_report.prepared());
    const int pages = m_view->pageCount();
    if (m_pageSpin) {
        m_pageSpin->setRange(pages > 0 ? 1 : 0, pages);
        m_pageCount->setText(QStringLiteral(" / %1").arg(pages));
    }
    const bool hasTemplate = !m_loadedFromFile && !m_report.reportTemplate().pages.empty();
    if (m_pageSetupButton)
        m_pageSetupButton->setEnabled(hasTemplate);
    if (m_editButton)
        m_editButton->setEnabled(hasTemplate);
    m_findPage = 0;
    m_findItem = -1;
    fillOutline();
    updateNavigation(m_view->currentPage());
}

void PreviewWindow::updateNavigation(int page)
{
    if (m_pageSpin && page >= 0) {
        const QSignalBlocker block(m_pageSpin);
        m_pageSpin->setValue(page + 1);
    }
}

void PreviewWindow::fillOutline()
{
    m_outline->clear();
    const PreparedReport& r = m_report.prepared();
    if (!r.outline.empty()) {
        for (const OutlineEntry& e : r.outline) {
            auto* item = new QTreeWidgetItem(m_outline, {e.text});
            item->setData(0, Qt::UserRole, e.page);
            item->setData(0, Qt::UserRole + 1, e.y);
        }
        return;
    }
    for (int i = 0; i < int(r.pages.size()); ++i) {
        auto* item = new QTreeWidgetItem(m_outline, {QStringLiteral("%1 쪽").arg(i + 1)});
        item->setData(0, Qt::UserRole, i);
        item->setData(0, Qt::UserRole + 1, 0.0);
    }
}

void PreviewWindow::applyZoomChoice(int index)
{
    const double z = m_zoom->itemData(index).toDouble();
    if (z == -1.0)
        m_view->fitWidth();
    else if (z == -2.0)
        m_view->fitPage();
    else
        m_view->setZoom(z);
}

bool PreviewWindow::printTo(QPrinter* printer, int fromPage, int toPage)
{
    const int count = int(m_report.prepared().pages.size());
    std::vector<int> pages;
    for (int p = std::max(1, fromPage); p <= (toPage <= 0 ? count : std::min(toPage, count)); ++p)
        pages.push_back(p);
    return printPages(printer, pages);
}

bool PreviewWindow::printPages(QPrinter* printer, const std::vector<int>& pages)
{
    const PreparedReport& r = m_report.prepared();
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
        // Printing to a PDF file goes through our PDF export, whose text extracts cleanly.
        PreparedReport chosen = r;
        chosen.pages.clear();
        for (int p : pages)
            if (p >= 1 && p <= int(r.pages.size()))
                chosen.pages.push_back(r.pages[p - 1]);
        if (!chosen.pages.empty())
            exportReport(chosen, QStringLiteral("pdf"), printer->outputFileName(), 0, this);
        return true;
    }
    if (printer->docName().isEmpty())
        printer->setDocName(r.title.isEmpty() ? windowTitle() : r.title);
    const PrintOffset offset = PrintOffsets().offset(printer->printerName());
    return ReportPrinter::print(r, printer, pages, offset, this);
}

void PreviewWindow::onPrint()
{
    QPrinter printer(QPrinter::HighResolution);
    ReportPrinter::choosePrinter(printer, m_report.reportTemplate().settings.printerName);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("printDialog"));
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, std::max(1, m_view->pageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printPages(&printer,
               ReportPrinter::chosenPages(printer, m_view->pageCount(), m_view->currentPage() + 1));
}

void PreviewWindow::onPrintOptions()
{
    QPrinter printer;
    ReportPrinter::choosePrinter(printer, m_report.reportTemplate().settings.printerName);
    PrintOffsets offsets;
    PrintOptionsDialog dialog(offsets, printer.printerName(), this);
    dialog.exec();
}

void PreviewWindow::onEdit()
{
    // A saved template is prepared again, so the preview shows what was designed.
    if (showDesigner(m_report, this, defaultDesignerOptions())) {
        m_report.prepare();
        refresh();
    }
}

void PreviewWindow::openPrepared(const QString& path)
{
    try {
        m_report.loadPrepared(path);
    } catch (...) {
        refresh();
        throw;
    }
    m_loadedFromFile = true;
    refresh();
}

void PreviewWindow::savePrepared(const QString& path)
{
    QString target = path;
    if (QFileInfo(target).suffix().isEmpty())
        target += QStringLiteral(".fp3");
    m_report.savePrepared(target);
}

void PreviewWindow::exportTo(const QString& extension, const QString& path)
{
    exportReport(m_report.prepared(), extension, path, std::max(0, m_view->currentPage()), this);
}

void PreviewWindow::exportReport(const PreparedReport& report, const QString& extension,
                                 const QString& path, int imagePage, QWidget* parent)
{
    std::unique_ptr<ReportExport> exporter;
    if (extension == QLatin1String("simple"))
        exporter = std::make_unique<SimpleTextExport>();
    else
        exporter = ReportExport::forExtension(extension);
    if (!exporter)
        throw ReportError(QStringLiteral("알 수 없는 형식: %1").arg(extension));
    if (auto* image = dynamic_cast<ImageExport*>(exporter.get()))
        image->setPage(imagePage);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    // A stopped export leaves no file: the temporary one is dropped, never renamed.
    WorkProgress progress(parent, QStringLiteral("내보내기"),
                          QStringLiteral("%1쪽 내보내는 중입니다..."));
    exporter->setProgress([&progress](int pages) { return progress.step(pages); });
    if (!exporter->write(report, &file)) {
        if (exporter->wasCancelled())
            return;
        throw ReportError(exporter->errorString());
    }
    if (!file.commit())
        throw ReportError(QStringLiteral("%1: %2").arg(path, file.errorString()));
}

void PreviewWindow::onOpen()
{
    const QString path = FileChooser::openFile(this, QStringLiteral("레포트 열기"), Fp3Filter);
    if (!path.isEmpty())
        openPrepared(path);
}

void PreviewWindow::onSave()
{
    const QString path = FileChooser::saveFile(this, QStringLiteral("레포트 저장"), Fp3Filter);
    if (!path.isEmpty())
        savePrepared(path);
}

void PreviewWindow::onQuickPdf()
{
    const QString path = FileChooser::saveFile(this, QStringLiteral("PDF로 내보내기"),
                                               QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty())
        exportTo(QStringLiteral("pdf"), path);
}

void PreviewWindow::onFind()
{
    m_findBar->setVisible(true);
    m_findEdit->setFocus();
    m_findEdit->selectAll();
}

void PreviewWindow::onFindNext()
{
    if (!findNext(m_findEdit->text()))
        m_findStatus->setText(QStringLiteral("찾는 내용이 없습니다."));
}

bool PreviewWindow::findNext(const QString& text)
{
    const PreparedReport& r = m_report.prepared();
    if (text.isEmpty() || r.pages.empty())
        return false;
    const int pages = int(r.pages.size());
    int page = std::clamp(m_findPage, 0, pages - 1);
    int item = m_findItem + 1;
    // At most one full turn through the pages, starting after the last match.
    for (int turn = 0; turn <= pages; ++turn) {
        const auto& items = r.pages[page].items;
        for (int i = item; i < int(items.size()); ++i) {
            if (items[i].kind == PreparedItem::Text &&
                items[i].text.contains(text, Qt::CaseInsensitive)) {
                m_findPage = page;
                m_findItem = i;
                m_view->goToPage(page, std::max(0.0, items[i].rect.top() - 40));
                m_view->setHighlight(page, items[i].rect);
                m_findStatus->clear();
                return true;
            }
        }
        page = (page + 1) % pages;
        item = 0;
    }
    m_view->setHighlight(-1, QRectF());
    return false;
}

void PreviewWindow::onOutline()
{
    m_outline->setVisible(!m_outline->isVisible());
}

void PreviewWindow::applyPageSetup(const PageSetup& s)
{
    for (ReportPage& p : m_report.reportTemplate().pages) {
        p.paperSize = s.paperSize;
        p.landscape = s.landscape;
        p.paperWidth = s.landscape ? s.heightMm : s.widthMm;
        p.paperHeight = s.landscape ? s.widthMm : s.heightMm;
        p.leftMargin = s.left;
        p.rightMargin = s.right;
        p.topMargin = s.top;
        p.bottomMargin = s.bottom;
    }
    m_report.prepare();
    refresh();
}

void PreviewWindow::onPageSetup()
{
    const auto& pages = m_report.reportTemplate().pages;
    if (pages.empty())
        return;
    const ReportPage& p = pages.front();
    PageSetup current;
    current.paperSize = p.paperSize;
    current.landscape = p.landscape;
    current.widthMm = std::min(p.paperWidth, p.paperHeight);
    current.heightMm = std::max(p.paperWidth, p.paperHeight);
    current.left = p.leftMargin;
    current.right = p.rightMargin;
    current.top = p.topMargin;
    current.bottom = p.bottomMargin;
    PageSetupDialog dialog(current, this);
    if (dialog.exec() == QDialog::Accepted)
        applyPageSetup(dialog.setup());
}

void PreviewWindow::onFirst()
{
    m_view->goToPage(0);
}
void PreviewWindow::onPrevious()
{
    m_view->goToPage(m_view->currentPage() - 1);
}
void PreviewWindow::onNext()
{
    m_view->goToPage(m_view->currentPage() + 1);
}
void PreviewWindow::onLast()
{
    m_view->goToPage(m_view->pageCount() - 1);
}

} // namespace orvel::report
