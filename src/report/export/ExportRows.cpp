#include "report/export/ExportRows.h"

#include <algorithm>

namespace orvel::report
{

std::vector<std::vector<const PreparedItem*>> textRows(const PreparedPage& page)
{
    std::vector<const PreparedItem*> items;
    for (const PreparedItem& it : page.items)
        if (it.kind == PreparedItem::Text && !it.text.isEmpty())
            items.push_back(&it);
    std::stable_sort(items.begin(), items.end(), [](const PreparedItem* a, const PreparedItem* b) {
        return a->rect.top() < b->rect.top();
    });
    std::vector<std::vector<const PreparedItem*>> rows;
    double rowTop = -1e9;
    for (const PreparedItem* it : items) {
        if (rows.empty() || it->rect.top() - rowTop > 2.0) {
            rows.emplace_back();
            rowTop = it->rect.top();
        }
        rows.back().push_back(it);
    }
    for (auto& row : rows)
        std::stable_sort(row.begin(), row.end(), [](const PreparedItem* a, const PreparedItem* b) {
            return a->rect.left() < b->rect.left();
        });
    return rows;
}

} // namespace orvel::report
