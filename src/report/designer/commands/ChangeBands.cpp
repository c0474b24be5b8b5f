#include "report/designer/commands/ChangeBands.h"

namespace orvel::report
{

ChangeBandsCommand::ChangeBandsCommand(ReportDocument* doc, const QString& name, int page,
                                       std::vector<Change> changes, DesignSelection selectionBefore,
                                       DesignSelection selectionAfter, int mergeId)
    : QUndoCommand(name), m_doc(doc), m_page(page), m_changes(std::move(changes)),
      m_selectionBefore(std::move(selectionBefore)), m_selectionAfter(std::move(selectionAfter)),
      m_mergeId(mergeId)
{
}

void ChangeBandsCommand::apply(bool after)
{
    ReportPage& page = m_doc->pageForCommand(m_page);
    for (const Change& c : m_changes)
        page.bands[size_t(c.band)] = after ? c.after : c.before;
    m_doc->applySelection(m_page, after ? m_selectionAfter : m_selectionBefore);
    m_doc->announce();
}

void ChangeBandsCommand::undo()
{
    apply(false);
}

void ChangeBandsCommand::redo()
{
    apply(true);
}

bool ChangeBandsCommand::mergeWith(const QUndoCommand* other)
{
    const auto* o = static_cast<const ChangeBandsCommand*>(other);
    if (o->m_page != m_page || o->m_changes.size() != m_changes.size() ||
        o->m_selectionBefore != m_selectionAfter)
        return false;
    for (size_t i = 0; i < m_changes.size(); ++i)
        if (o->m_changes[i].band != m_changes[i].band)
            return false;
    for (size_t i = 0; i < m_changes.size(); ++i)
        m_changes[i].after = o->m_changes[i].after;
    m_selectionAfter = o->m_selectionAfter;
    return true;
}

} // namespace orvel::report
