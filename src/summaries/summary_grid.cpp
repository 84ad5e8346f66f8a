#include "summaries/summary_grid.h"

#include <algorithm>

namespace shiftex {

void SummaryGrid::Reset(int cols, int rows, int fixedCols, int fixedRows)
{
    cols_ = std::max(0, cols);
    rows_ = std::max(0, rows);
    fixedCols_ = std::clamp(fixedCols, 0, cols_);
    fixedRows_ = std::clamp(fixedRows, 0, rows_);
    cells_.assign(static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_), {});
    merges_.clear();
    colWidths.assign(static_cast<std::size_t>(cols_), kDefaultColWidth);
    rowHeights.assign(static_cast<std::size_t>(rows_), kDefaultRowHeight);
}

void SummaryGrid::Merge(int col, int row, int w, int h)
{
    if (!Contains(col, row) || w < 1 || h < 1)
        return;
    CellRect rect{col, row, std::min(cols_ - 1, col + w - 1), std::min(rows_ - 1, row + h - 1)};
    if (rect.left == rect.right && rect.top == rect.bottom)
        return;
    std::erase_if(merges_, [&](const CellRect& m) {
        return m.left <= rect.right && rect.left <= m.right && m.top <= rect.bottom &&
               rect.top <= m.bottom;
    });
    merges_.push_back(rect);
}

CellRect SummaryGrid::MergeRect(int col, int row) const
{
    for (const CellRect& m : merges_)
        if (col >= m.left && col <= m.right && row >= m.top && row <= m.bottom)
            return m;
    return {col, row, col, row};
}

} // namespace shiftex
