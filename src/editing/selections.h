#pragma once

#include "editing/edit_state.h"
#include "editing/summary_panels.h"
#include "model/schedule_document.h"

#include <string>

namespace shiftex {

// A cell that holds a code: inside the sheet, right of the names and below the header.
bool IsDayCell(const ScheduleSheet& sheet, int col, int row);
// A department name above the day cells (row 3 in the department view).
bool IsDepartmentHeaderCell(const ScheduleDocument& document, int col, int row);

// What is selected on the sheet of a schedule window: the focus cell, the selection rectangle,
// and the cell a right click or a header double-click remembers, with the month, week, day,
// department and employee selections built from it.
class Selections {
public:
    Selections(const ScheduleDocument& document, EditState& edit, SummaryPanels& panels)
        : document_(document), edit_(edit), panels_(panels)
    {
    }

    // The focus cell, alone the selection until a range is built. Nothing outside the sheet.
    void SetCurrentCell(int col, int row);
    // The focus cell moves; the selection stays as it is. False outside the sheet.
    bool MoveFocusCell(int col, int row);
    // The selection rectangle (clipped to the day cells) and whether it is shown.
    void SetSelection(const CellRect& rect, bool shown = true);
    // The focus cell and the selection back inside a sheet that may have another size now.
    void ClampToSheet();

    // The remembered cell, as a right click or a header double-click leaves it.
    void Remember(int col, int row);
    // Its text, handed to the options dialog pages; empty outside the sheet.
    std::string RememberedCellText() const;
    // The run of adjacent day columns around the remembered column whose month (row 0), week
    // (row 1) or day number (row 2) text equals the remembered column's, over every employee
    // row. False (nothing changed) when the remembered cell is no day column.
    bool SelectMonth() { return SelectRun(0); }
    bool SelectWeek() { return SelectRun(1); }
    bool SelectDay() { return SelectRun(2); }
    // The remembered column from the row below the remembered row down to the last row.
    bool SelectDepartment();
    // The remembered employee row over every day column.
    bool SelectEmployee();
    // Every day cell; the sheet gets the focus and Cut and Copy are enabled.
    void SelectAll();
    void Unselect() { edit_.selectionShown = false; }
    // A double-click on header cell (col, row) of a day column: the cell is remembered; rows 0
    // to 2 select the month, week or day and give the shown worked hours and employees per
    // type summaries that range (unless locked) before they are computed again; row 3 of the
    // department view selects the department's column.
    bool HeaderDoubleClick(int col, int row);

private:
    bool SelectRun(int headerRow);

    const ScheduleDocument& document_;
    EditState& edit_;
    SummaryPanels& panels_;
};

} // namespace shiftex
