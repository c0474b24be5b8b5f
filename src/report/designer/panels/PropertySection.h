#pragma once

#include "report/designer/ReportDocument.h"

#include <QGroupBox>
#include <functional>
#include <initializer_list>
#include <optional>

class QFormLayout;
class QLabel;

namespace orvel::report
{

/// Fields whose consecutive arrow steps or typing join into one undo step.
enum class MergeField {
    X = 1,
    Y,
    Width,
    Height,
    Text,
    FontSize,
    FrameWidth,
    BandHeight,
    BandRowCount,
    BandColumns,
    BandColumnWidth,
    BandColumnGap,
    PaperWidth,
    PaperHeight,
    MarginLeft,
    MarginRight,
    MarginTop,
    MarginBottom,
    PageColumns,
    PageColumnWidth
};

/// The merge id of a field's edits; stepped edits merge, a typed value stands alone.
int mergeIdFor(MergeField field, bool stepped = true);

/// One group of fields of the property editor: loads them from the document's selection
/// and writes the user's edits back through the document.
class PropertySection : public QGroupBox
{
    Q_OBJECT

public:
    PropertySection(const QString& title, ReportDocument* doc, QWidget* parent);

    /// Whether the section has fields for what is selected now.
    virtual bool appliesToSelection() const = 0;
    /// Loads the fields from the document; edits made while loading are ignored.
    void refresh();
    /// Ignores edits while the editor swaps sections: a field losing the focus as its
    /// section hides must not write its pending text into a selection it no longer shows.
    void blockEdits(bool blocked) { m_blocked += blocked ? 1 : -1; }

protected:
    /// Fills the fields from the document; called by refresh() only.
    virtual void load() = 0;
    bool loading() const { return m_blocked > 0; }
    ReportDocument* document() const { return m_doc; }
    QFormLayout* form() const { return m_form; }
    /// Adds a labelled row; the label's mnemonic moves the focus to the field.
    QLabel* addRow(const QString& label, QWidget* field, const QString& accessibleName = {});

    /// The selected objects the designer edits (placeholders left out).
    std::vector<ObjectRef> editableRefs() const;
    std::vector<const ReportObject*> selectedObjects() const;
    bool hasPlaceholder() const;
    /// Whether objects are selected, none of them a placeholder, all of these types.
    bool selectionIsAll(std::initializer_list<ReportObject::Type> types) const;
    /// Applies f to every editable selected object, as one undo step.
    void changeSelected(const QString& name, const std::function<void(ReportObject&)>& f,
                        int mergeId = 0);

    /// The value all selected objects share, or nullopt when they differ.
    template <class F>
    auto shared(F get) const -> std::optional<decltype(get(std::declval<const ReportObject&>()))>
    {
        std::optional<decltype(get(std::declval<const ReportObject&>()))> value;
        for (const ReportObject* o : selectedObjects()) {
            auto v = get(*o);
            if (value && !(*value == v))
                return std::nullopt;
            value = std::move(v);
        }
        return value;
    }

private:
    ReportDocument* m_doc;
    QFormLayout* m_form;
    int m_blocked = 0;
};

/// Millimetres rounded to the 0.1 mm the fields show, so equal-looking values compare equal.
double shownMm(double px);

} // namespace orvel::report
