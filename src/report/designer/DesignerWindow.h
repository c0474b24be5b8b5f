#pragma once

#include "report/designer/ReportDocument.h"

#include <QDialog>
#include <QHash>
#include <QStringList>

class QAction;
class QComboBox;
class QMainWindow;
class QMenu;
class QTabBar;
class QToolBar;

namespace orvel::report
{

class DataPanel;
class DesignScene;
class DesignView;
class Report;

/// Where the designer finds label sheets and how it titles data fields.
struct DesignerOptions {
    /// The file of the office's own label sheets (beside the program's settings file).
    QString labelSheetsFile;
    /// Folders of the label-sheet catalogue; empty = the installed catalogue.
    QStringList labelCatalogueDirs;
    /// Titles of data fields for the column header (field name -> title).
    QHash<QString, QString> fieldTitles;
};

/// The report designer: the page with its bands and objects, the data set's columns, the
/// property editor, menus and toolbars; it saves the template itself.
class DesignerWindow : public QDialog
{
    Q_OBJECT

public:
    DesignerWindow(Report& report, const DesignerOptions& options, QWidget* parent = nullptr);
    ~DesignerWindow() override;

    ReportDocument* document() const { return m_doc; }
    DesignView* view() const { return m_view; }
    DesignScene* scene() const { return m_scene; }
    DataPanel* dataPanel() const { return m_data; }
    /// Whether the template was saved since the window opened.
    bool saved() const { return m_saved; }
    QAction* action(const QString& objectName) const;

    /// Saves to the template's file (asks for one when it has none); false when not saved.
    bool save();
    bool saveAs();
    /// Writes the template to a path; shows the error and answers false on failure.
    bool saveTo(const QString& path);
    /// Asks about unsaved changes: saved or discarded = true, cancelled = false.
    bool maybeSave();
    void preview();
    void newReport();
    void runLabelWizard();
    void insertBand(Band::Type type);
    void copy();
    void cut();
    void paste();
    void deleteSelection();
    void selectAll();

public slots:
    void reject() override;

private:
    void buildMenus();
    void buildObjectTools(QMenu* menu, QToolBar* bar);
    QAction* addAction(QMenu* menu, const char* name, const QString& text, const QKeySequence& key,
                       void (DesignerWindow::*slot)());
    void updateTitle();
    void updateActions();
    void syncPageTabs();
    void insertPicture();

    Report& m_report;
    DesignerOptions m_options;
    ReportDocument* m_doc;
    DesignScene* m_scene;
    DesignView* m_view;
    DataPanel* m_data;
    QMainWindow* m_main;
    QTabBar* m_pages;
    QComboBox* m_zoom = nullptr;
    bool m_saved = false;
};

} // namespace orvel::report
