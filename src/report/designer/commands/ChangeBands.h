#pragma once

#include "report/designer/ReportDocument.h"

#include <QUndoCommand>

namespace orvel::report
{

/// An edit of some bands of one page (their settings, objects and kept elements), kept as
/// the bands before and after, so undo gives back exactly the earlier bands.
class ChangeBandsCommand : public QUndoCommand
{
public:
    struct Change {
        int band;
        Band before;
        Band after;
    };

    ChangeBandsCommand(ReportDocument* doc, const QString& name, int page,
                       std::vector<Change> changes, DesignSelection selectionBefore,
                       DesignSelection selectionAfter, int mergeId);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeId ? m_mergeId : -1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply(bool after);

    ReportDocument* m_doc;
    int m_page;
    std::vector<Change> m_changes;
    DesignSelection m_selectionBefore, m_selectionAfter;
    int m_mergeId;
};

} // namespace orvel::report
