#include "editing/selections.h"

#include "summaries/cell_reading.h"

#include <algorithm>

namespace shiftex {

bool IsDayCell(const ScheduleSheet& sheet, int col, int row)
{
    return sheet.Contains(col, row) && col >= 2 && col >= sheet.fixedCols &&
           row >= sheet.fixedRows;
}

bool IsDepartmentHeaderCell(const ScheduleDocument& document, int col, int row)
{
    return row == 3 && col >= 2 && document.sheet.Contains(col, row) &&
           InDepartmentView(document);
}

void Selections::SetCurrentCell(int col, int row)
{
    if (!MoveFocusCell(col, row))
        return;
    // As in any grid, the focus cell alone is the selection until a range is built.
    edit_.selection = {col, row, col, row};
}

bool Selections::MoveFocusCell(int col, int row)
{
    if (!document_.sheet.Contains(col, row))
        return false;
    edit_.currentCol = col;
    edit_.currentRow = row;
    return true;
}

void Selections::SetSelection(const CellRect& rect, bool shown)
{
    const ScheduleSheet& sheet = document_.sheet;
    CellRect clipped{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
                     std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
    clipped.left = std::max(clipped.left, sheet.fixedCols);
    clipped.top = std::max(clipped.top, sheet.fixedRows);
    clipped.right = std::min(clipped.right, sheet.colCount() - 1);
    clipped.bottom = std::min(clipped.bottom, sheet.rowCount() - 1);
    edit_.selection = clipped;
    edit_.selectionShown = shown;
}

void Selections::ClampToSheet()
{
    const ScheduleSheet& sheet = document_.sheet;
    edit_.currentCol = std::clamp(edit_.currentCol, 0, std::max(0, sheet.colCount() - 1));
    edit_.currentRow = std::clamp(edit_.currentRow, 0, std::max(0, sheet.rowCount() - 1));
    SetSelection(edit_.selection, edit_.selectionShown);
}

void Selections::Remember(int col, int row)
{
    edit_.rememberedCol = col;
    edit_.rememberedRow = row;
}

std::string Selections::RememberedCellText() const
{
    const ScheduleSheet& sheet = document_.sheet;
    return sheet.Contains(edit_.rememberedCol, edit_.rememberedRow)
               ? sheet.Text(edit_.rememberedCol, edit_.rememberedRow)
               : std::string();
}

bool Selections::SelectRun(int headerRow)
{
    const ScheduleSheet& sheet = document_.sheet;
    const int c = edit_.rememberedCol;
    const int firstDay = std::max(2, sheet.fixedCols);
    if (c < firstDay || !sheet.Contains(c, headerRow) || sheet.fixedRows >= sheet.rowCount())
        return false;
    const std::string& text = sheet.Text(c, headerRow);
    int right = c;
    while (right + 1 < sheet.colCount() && sheet.Text(right + 1, headerRow) == text)
        ++right;
    int left = c;
    while (left - 1 >= firstDay && sheet.Text(left - 1, headerRow) == text)
        --left;
    SetSelection({left, sheet.fixedRows, right, sheet.rowCount() - 1}, true);
    return true;
}

bool Selections::SelectDepartment()
{
    const ScheduleSheet& sheet = document_.sheet;
    const int c = edit_.rememberedCol;
    const int top = std::max(edit_.rememberedRow + 1, sheet.fixedRows);
    if (c < std::max(2, sheet.fixedCols) || !sheet.Contains(c, edit_.rememberedRow) ||
        top >= sheet.rowCount())
        return false;
    SetSelection({c, top, c, sheet.rowCount() - 1}, true);
    return true;
}

bool Selections::SelectEmployee()
{
    const ScheduleSheet& sheet = document_.sheet;
    const int r = edit_.rememberedRow;
    const int firstDay = std::max(2, sheet.fixedCols);
    if (r < sheet.fixedRows || r >= sheet.rowCount() || firstDay >= sheet.colCount())
        return false;
    SetSelection({firstDay, r, sheet.colCount() - 1, r}, true);
    return true;
}

void Selections::SelectAll()
{
    const ScheduleSheet& sheet = document_.sheet;
    SetSelection({std::max(2, sheet.fixedCols), sheet.fixedRows, sheet.colCount() - 1,
                  sheet.rowCount() - 1},
                 true);
    edit_.SetSheetFocus(true);
}

bool Selections::HeaderDoubleClick(int col, int row)
{
    const ScheduleSheet& sheet = document_.sheet;
    if (!sheet.Contains(col, row) || col < std::max(2, sheet.fixedCols) ||
        row >= sheet.fixedRows)
        return false;
    Remember(col, row);
    if (row == 3)
        return InDepartmentView(document_) && SelectDepartment();
    if (!SelectRun(row))
        return false;
    const CellRect range = edit_.selection;
    bool ok = true;
    for (SummaryKind kind : {SummaryKind::WorkedHours, SummaryKind::EmployeesPerType})
        if (panels_.summaries().IsShown(kind))
            ok = panels_.SelectRange(kind, range.left, range.right) && ok;
    return ok;
}

} // namespace shiftex
