#pragma once

#include "report/model/ReportModel.h"

#include <QObject>
#include <QRectF>
#include <QSet>
#include <QStringList>
#include <compare>
#include <functional>
#include <vector>

class QUndoStack;

namespace orvel::report
{

/// One object of the shown page: a band and a position in it. A placeholder is an element
/// the designer keeps but cannot edit (index into the band's kept children).
struct ObjectRef {
    int band = -1;
    int index = -1;
    bool placeholder = false;
    auto operator<=>(const ObjectRef&) const = default;
};

/// A band of the shown page, or a kept band element the designer cannot edit.
struct BandRef {
    int index = -1;
    bool placeholder = false; // index into the page's kept children
    auto operator<=>(const BandRef&) const = default;
};

/// What is selected: objects (in the order they were selected), or else one band, or else
/// nothing (the page).
struct DesignSelection {
    std::vector<ObjectRef> objects;
    BandRef band;
    bool operator==(const DesignSelection&) const = default;
};

/// The template being designed: the model, its undo stack, the selection, the shown page
/// and the bound data set. Every change goes through an undo command and is announced.
class ReportDocument : public QObject
{
    Q_OBJECT

public:
    explicit ReportDocument(ReportTemplate model, QObject* parent = nullptr);
    ~ReportDocument() override;

    const ReportTemplate& model() const { return m_model; }
    QUndoStack* undoStack() const { return m_undo; }

    /// Replaces the whole template (new report, label wizard): clears the undo history.
    /// A template not yet saved anywhere counts as modified.
    void reset(ReportTemplate model, bool modified = false);

    QString filePath() const { return m_filePath; }
    void setFilePath(const QString& path);
    bool isModified() const;
    /// The current state counts as saved.
    void markSaved();

    QString dataSetName() const { return m_dataSetName; }
    QStringList fieldNames() const { return m_fieldNames; }
    void setDataSet(const QString& name, const QStringList& fields);

    int currentPageIndex() const { return m_page; }
    void setCurrentPage(int index);
    const ReportPage& page() const { return m_model.pages[size_t(m_page)]; }

    const DesignSelection& selection() const { return m_selection; }
    void setSelection(const DesignSelection& selection);
    void selectObjects(std::vector<ObjectRef> objects);
    void selectBand(BandRef band);
    void clearSelection();

    const Band& band(int index) const { return page().bands[size_t(index)]; }
    /// The object of a non-placeholder ref, or nullptr.
    const ReportObject* object(const ObjectRef& ref) const;
    const XmlNode* placeholder(const ObjectRef& ref) const;
    /// Page-kept elements that are bands the designer does not edit, in file order.
    std::vector<BandRef> placeholderBands() const;
    const XmlNode* placeholderBand(const BandRef& ref) const;
    /// An object's box in template pixels relative to its band (placeholders included).
    QRectF objectRect(const ObjectRef& ref) const;
    std::vector<ObjectRef> allObjects(int band) const;

    // Edits: each pushes one undo command named by the caller ("이동", "글꼴" ...). A nonzero
    // merge id joins consecutive edits of the same kind on the same objects into one step.

    /// Changes the listed real objects with f.
    void changeObjects(const QString& name, const std::vector<ObjectRef>& refs,
                       const std::function<void(ReportObject&)>& f, int mergeId = 0);
    /// Gives objects (placeholders too) new boxes relative to their band; where targetBands
    /// names another band for an object (-1 or absent: its own), the object moves into that
    /// band and its box is relative to it.
    void setObjectRects(const QString& name, const std::vector<ObjectRef>& refs,
                        const std::vector<QRectF>& rects, int mergeId = 0,
                        const std::vector<int>& targetBands = {});
    /// Adds objects to a band and selects them.
    void addObjects(const QString& name, int band, std::vector<ReportObject> objects);
    /// Adds objects to several bands at once (one step) and selects them.
    void addObjectsToBands(const QString& name,
                           const std::vector<std::pair<int, ReportObject>>& objects);
    void removeObjects(const QString& name, const std::vector<ObjectRef>& refs);
    /// Moves the objects to the end (front) or the start (back) of their band's order.
    void reorderObjects(const QString& name, const std::vector<ObjectRef>& refs, bool toFront);

    void changeBand(const QString& name, int band, const std::function<void(Band&)>& f,
                    int mergeId = 0);
    /// Inserts a band of the type at its place in print order and selects it; answers its index.
    int addBand(const QString& name, Band band);
    void removeBand(const QString& name, BandRef band);
    void changePage(const QString& name, const std::function<void(ReportPage&)>& f,
                    int mergeId = 0);
    void changeSettings(const QString& name, const std::function<void(ReportSettings&)>& f);

    /// The stem (less trailing digits) with the smallest free number ("Memo3",
    /// "MasterData1"): a name no page, band or object of the template has.
    QString uniqueName(const QString& stem) const;
    QSet<QString> usedNames() const;

    // Used by the undo commands only.
    ReportPage& pageForCommand(int index) { return m_model.pages[size_t(index)]; }
    ReportSettings& settingsForCommand() { return m_model.settings; }
    void applySelection(int page, const DesignSelection& selection);
    void announce();

signals:
    /// The model changed (an edit, undo or redo, or a reset).
    void changed();
    void selectionChanged();
    /// Another page is shown, or the whole template was replaced.
    void pageSwitched();
    void modifiedChanged(bool modified);
    void filePathChanged(const QString& path);

private:
    void pushBands(const QString& name, const std::vector<int>& bands,
                   const std::function<void(ReportPage&)>& f, const DesignSelection& after,
                   int mergeId);
    void pushPage(const QString& name, const std::function<void(ReportPage&)>& f,
                  const DesignSelection& after, int mergeId);
    bool validSelection(const DesignSelection& s) const;
    /// The refs that name editable objects (no placeholders, none out of range).
    std::vector<ObjectRef> realObjects(const std::vector<ObjectRef>& refs) const;

    ReportTemplate m_model;
    QUndoStack* m_undo;
    QString m_filePath;
    QString m_dataSetName;
    QStringList m_fieldNames;
    int m_page = 0;
    DesignSelection m_selection;
    bool m_unsaved = false; // modified by a reset that the undo stack does not know of
};

} // namespace orvel::report
