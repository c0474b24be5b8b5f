#pragma once

#include "report/designer/ReportDocument.h"

#include <QUndoCommand>

namespace orvel::report
{

/// An edit of a whole page: paper, margins, columns, or its list of bands (adding and
/// removing bands), kept as the page before and after.
class ChangePageCommand : public QUndoCommand
{
public:
    ChangePageCommand(ReportDocument* doc, const QString& name, int page, ReportPage before,
                      ReportPage after, DesignSelection selectionBefore,
                      DesignSelection selectionAfter, int mergeId);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeId ? m_mergeId : -1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    void apply(bool after);

    ReportDocument* m_doc;
    int m_page;
    ReportPage m_before, m_after;
    DesignSelection m_selectionBefore, m_selectionAfter;
    int m_mergeId;
};

/// An edit of the report's own settings (name, script language ...).
class ChangeSettingsCommand : public QUndoCommand
{
public:
    ChangeSettingsCommand(ReportDocument* doc, const QString& name, ReportSettings before,
                          ReportSettings after);
    void undo() override;
    void redo() override;

private:
    ReportDocument* m_doc;
    ReportSettings m_before, m_after;
};

} // namespace orvel::report
