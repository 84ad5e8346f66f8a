#pragma once

#include "model/sheet_layout.h"

#include <algorithm>

namespace shiftex {

// What CentreDayCells makes of one cell's column and row, split into the cell's own part and
// that of the other cells: the widest text of the column and the most lines of the row.
struct CellFit {
    int othersWidth = 0;
    int cellWidth = 0;
    int othersLines = 1;
    int cellLines = 0;

    int Width() const { return std::max(othersWidth, cellWidth); }
    int Lines() const { return std::max(othersLines, cellLines); }
};

CellFit FitOfCell(const ScheduleSheet& sheet, int col, int row, const TextMetrics& metrics);

// The width CentreDayCells gives `text` standing in cell (col, row) (its boldness and merge as
// the cell has them), and the lines it counts for it.
int CellTextWidth(const ScheduleSheet& sheet, int col, int row, const std::string& text,
                  const TextMetrics& metrics);
int CellLineCount(const std::string& text);

// After the text or the boldness of day cell (col, row) changed from a state whose fit was
// `before`: the sheet's widths and heights as CentreDayCells gives them. Only when the cell's
// column or row needs another size is the whole sheet laid out again; on a sheet that was
// centred before, the result equals CentreDayCells. True when the sheet was laid out again.
bool CentreChangedCell(ScheduleSheet& sheet, int col, int row, const CellFit& before,
                       const TextMetrics& metrics);

} // namespace shiftex
