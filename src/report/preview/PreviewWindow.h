#pragma once

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QSpinBox;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace orvel::report
{

class PreviewPageView;
class Report;
struct PageSetup;
struct PreparedReport;

/// The preview window: pages of a prepared report with printing, files, export, zoom,
/// find, outline, page setup and page navigation.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    /// allowDesign offers the edit button, which opens the designer on the report.
    explicit PreviewWindow(Report& report, QWidget* parent = nullptr, bool allowDesign = true);

    /// Shows the preview as the report's settings say (modal and maximised by default).
    /// fromFile: the pages were read from a prepared report, not prepared from the template
    /// (no page setup, no designing).
    static void showPreview(Report& report, QWidget* parent = nullptr, bool allowDesign = true,
                            bool fromFile = false);

    PreviewPageView* pageView() const { return m_view; }

    // The window's commands; failures throw ReportError (the buttons report them).
    /// Prints pages fromPage..toPage (toPage 0 = the last) with the printer's offset;
    /// false when the user stopped it.
    bool printTo(QPrinter* printer, int fromPage = 1, int toPage = 0);
    /// Prints the given pages (1-based, in that order).
    bool printPages(QPrinter* printer, const std::vector<int>& pages);
    void openPrepared(const QString& path);
    void savePrepared(const QString& path);
    void exportTo(const QString& extension, const QString& path);
    void applyPageSetup(const PageSetup& setup);
    /// Finds the next page item holding the text (case-insensitive) and shows it.
    bool findNext(const QString& text);

private:
    static void exportReport(const PreparedReport& report, const QString& extension,
                             const QString& path, int imagePage, QWidget* parent);
    void buildToolBar();
    QToolButton* addButton(const char* name, const QString& text, const QString& tip,
                           void (PreviewWindow::*slot)());
    void refresh();
    void updateNavigation(int page);
    void fillOutline();
    void applyZoomChoice(int index);

    void onPrint();
    void onPrintOptions();
    void onOpen();
    void onSave();
    void onQuickPdf();
    void onFind();
    void onFindNext();
    void onOutline();
    void onPageSetup();
    void onEdit();
    void onFirst();
    void onPrevious();
    void onNext();
    void onLast();

    Report& m_report;
    bool m_loadedFromFile = false;
    PreviewPageView* m_view;
    QToolBar* m_toolBar;
    QComboBox* m_zoom = nullptr;
    QSpinBox* m_pageSpin = nullptr;
    QLabel* m_pageCount = nullptr;
    QWidget* m_findBar;
    QLineEdit* m_findEdit;
    QLabel* m_findStatus;
    QTreeWidget* m_outline;
    QToolButton* m_pageSetupButton = nullptr;
    QToolButton* m_editButton = nullptr;
    bool m_allowDesign;
    int m_findPage = 0;
    int m_findItem = -1;
};

} // namespace orvel::report
