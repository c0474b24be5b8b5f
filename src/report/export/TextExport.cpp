#include "report/export/TextExport.h"

#include <cmath>

namespace orvel::report
{

namespace
{
constexpr double CellWidth = 8.0;   // 96 dpi / 12 cpi
constexpr double CellHeight = 16.0; // 96 dpi / 6 lpi
const QChar Filler(0xFFFF);         // right half of a wide character
} // namespace

int TextExport::cellWidth(QChar c)
{
    const ushort u = c.unicode();
    if ((u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
        (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
        (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
        (u >= 0xFFE0 && u <= 0xFFE6))
        return 2;
    return 1;
}

bool TextExport::write(const PreparedReport& report, QIODevice* device)
{
    QString out;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        if (!pageStarts(int(p)))
            return false;
        const PreparedPage& page = report.pages[p];
        const int rows = int(std::ceil(page.heightPx() / CellHeight));
        const int cols = int(std::ceil(page.widthPx() / CellWidth));
        std::vector<QString> grid(rows, QString(cols, QLatin1Char(' ')));
        for (const PreparedItem& it : page.items) {
            if (it.kind != PreparedItem::Text || it.text.isEmpty())
                continue;
            int row = int(std::lround(it.rect.top() / CellHeight));
            const int col0 = std::max(0, int(std::lround(it.rect.left() / CellWidth)));
            const int colEnd =
                std::min(cols, std::max(col0 + 1, int(std::lround(it.rect.right() / CellWidth))));
            for (const QString& line : it.text.split(QLatin1Char('\n'))) {
                if (row < 0 || row >= rows)
                    break;
                int col = col0;
                for (QChar c : line) {
                    const int w = cellWidth(c);
                    if (col + w > colEnd)
                        break;
                    grid[row][col] = c;
                    if (w == 2)
                        grid[row][col + 1] = Filler;
                    col += w;
                }
                ++row;
            }
        }
        if (p > 0)
            out += QLatin1Char('\f');
        // Drop blank lines at the end of the page and spaces at the end of lines.
        int last = rows - 1;
        while (last >= 0 && grid[last].trimmed().isEmpty())
            --last;
        for (int r = 0; r <= last; ++r) {
            QString line = grid[r];
            line.remove(Filler);
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            out += line + QLatin1String("\r\n");
        }
    }
    return writeAll(device, out.toUtf8());
}

} // namespace orvel::report
