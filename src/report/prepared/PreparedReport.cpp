#include "report/prepared/PreparedReport.h"

namespace orvel::report
{

int PreparedReport::styleIndex(const ItemStyle& style)
{
    // Reports use few styles; a linear search from the end finds recent ones first.
    for (int i = int(styles.size()) - 1; i >= 0; --i)
        if (styles[i] == style)
            return i;
    styles.push_back(style);
    return int(styles.size()) - 1;
}

} // namespace orvel::report
