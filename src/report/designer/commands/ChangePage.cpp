#include "report/designer/commands/ChangePage.h"

namespace orvel::report
{

ChangePageCommand::ChangePageCommand(ReportDocument* doc, const QString& name, int page,
                                     ReportPage before, ReportPage after,
                                     DesignSelection selectionBefore,
                                     DesignSelection selectionAfter, int mergeId)
    : QUndoCommand(name), m_doc(doc), m_page(page), m_before(std::move(before)),
      m_after(std::move(after)), m_selectionBefore(std::move(selectionBefore)),
      m_selectionAfter(std::move(selectionAfter)), m_mergeId(mergeId)
{
}

void ChangePageCommand::apply(bool after)
{
    m_doc->pageForCommand(m_page) = after ? m_after : m_before;
    m_doc->applySelection(m_page, after ? m_selectionAfter : m_selectionBefore);
    m_doc->announce();
}

void ChangePageCommand::undo()
{
    apply(false);
}

void ChangePageCommand::redo()
{
    apply(true);
}

bool ChangePageCommand::mergeWith(const QUndoCommand* other)
{
    const auto* o = static_cast<const ChangePageCommand*>(other);
    if (o->m_page != m_page || o->m_selectionBefore != m_selectionAfter)
        return false;
    m_after = o->m_after;
    m_selectionAfter = o->m_selectionAfter;
    return true;
}

ChangeSettingsCommand::ChangeSettingsCommand(ReportDocument* doc, const QString& name,
                                             ReportSettings before, ReportSettings after)
    : QUndoCommand(name), m_doc(doc), m_before(std::move(before)), m_after(std::move(after))
{
}

void ChangeSettingsCommand::undo()
{
    m_doc->settingsForCommand() = m_before;
    m_doc->announce();
}

void ChangeSettingsCommand::redo()
{
    m_doc->settingsForCommand() = m_after;
    m_doc->announce();
}

} // namespace orvel::report
