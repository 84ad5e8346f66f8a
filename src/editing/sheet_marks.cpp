#include "editing/sheet_marks.h"

#include "editing/selections.h"
#include "summaries/cell_reading.h"

namespace shiftex {

std::string SheetMarks::CellHint(int col, int row) const
{
    const ScheduleSheet& sheet = document_.sheet;
    if (!sheet.Contains(col, row))
        return {};
    if (IsDepartmentHeaderCell(document_, col, row))
        return sheet.Text(col, row);
    const Colour colour = sheet.BrushColor(col, row);
    std::string hint;
    Colour weekend = clNone;
    if (TryStringToColor(document_.weekendColour, weekend) && colour == weekend)
        hint = kWeekEndHint;
    Colour holiday = clNone;
    if (col >= 2 && TryStringToColor(document_.holidayColour, holiday) && colour == holiday) {
        try {
            if (std::string name = HolidayNameOfColumn(document_, col); !name.empty())
                hint = std::move(name);
        } catch (const std::exception&) {
            // A holiday list that does not read gives no name.
        }
    }
    return hint;
}

int SheetMarks::HintDisplayTime() const
{
    const ScheduleSheet& sheet = document_.sheet;
    const bool comment = sheet.Contains(edit_.currentCol, edit_.currentRow) &&
                         !sheet.Comment(edit_.currentCol, edit_.currentRow).empty();
    return comment ? kCommentHintTime : kHintTime;
}

bool SheetMarks::GroupLineAbove(int /*col*/, int row) const
{
    const ScheduleSheet& sheet = document_.sheet;
    return row > sheet.fixedRows && row < sheet.rowCount() &&
           sheet.BrushColor(0, row) != sheet.BrushColor(0, row - 1);
}

bool SheetMarks::DayLineRight(int col, int row) const
{
    const ScheduleSheet& sheet = document_.sheet;
    if (!InDepartmentView(document_) || col < 2 || !sheet.Contains(col, row) ||
        row < sheet.fixedRows || GroupLineAbove(col, row))
        return false;
    return col + 1 >= sheet.colCount() || sheet.Text(col + 1, 2) != sheet.Text(col, 2);
}

} // namespace shiftex
