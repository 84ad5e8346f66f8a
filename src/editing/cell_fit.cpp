#include "editing/cell_fit.h"

namespace shiftex {

int CellLineCount(const std::string& text)
{
    int lines = 0;
    const std::size_t n = text.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        ++lines;
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return start < n ? lines + 1 : lines;
}

// A title merged over several columns spreads over them and takes none.
int CellTextWidth(const ScheduleSheet& sheet, int col, int row, const std::string& text,
                  const TextMetrics& metrics)
{
    if (text.empty())
        return 0;
    const CellRect rect = sheet.MergeRect(col, row);
    if (rect.left != rect.right)
        return 0;
    const bool bold = sheet.IsBold(col, row);
    int width = 0;
    std::string line;
    const std::size_t n = text.size();
    std::size_t start = 0;
    auto measure = [&](std::size_t end) {
        line.assign(text, start, end - start);
        width = std::max(width, metrics.TextWidth(line, bold));
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        measure(i);
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        measure(n);
    return width;
}

namespace {

int TextWidthOf(const ScheduleSheet& sheet, int col, int row, const TextMetrics& metrics)
{
    return CellTextWidth(sheet, col, row, sheet.Text(col, row), metrics);
}

} // namespace

CellFit FitOfCell(const ScheduleSheet& sheet, int col, int row, const TextMetrics& metrics)
{
    CellFit fit;
    for (int r = 0; r < sheet.rowCount(); ++r)
        if (r != row)
            fit.othersWidth = std::max(fit.othersWidth, TextWidthOf(sheet, col, r, metrics));
    for (int c = sheet.fixedCols; c < sheet.colCount(); ++c)
        if (c != col)
            fit.othersLines = std::max(fit.othersLines, CellLineCount(sheet.Text(c, row)));
    fit.cellWidth = TextWidthOf(sheet, col, row, metrics);
    fit.cellLines = CellLineCount(sheet.Text(col, row));
    return fit;
}

bool CentreChangedCell(ScheduleSheet& sheet, int col, int row, const CellFit& before,
                       const TextMetrics& metrics)
{
    if (!sheet.Contains(col, row))
        return false;
    sheet.SetAlignment(col, row, HAlignment::Center);
    CellFit after = before;
    after.cellWidth = TextWidthOf(sheet, col, row, metrics);
    after.cellLines = CellLineCount(sheet.Text(col, row));
    if (after.Width() == before.Width() && after.Lines() == before.Lines())
        return false;
    CentreDayCells(sheet, metrics);
    return true;
}

} // namespace shiftex
