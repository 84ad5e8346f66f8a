#include "editing/context_menu.h"

#include "editing/selections.h"
#include "summaries/cell_reading.h"

namespace shiftex {

namespace {

// Whether the first of several runs of header row `row` (months or weeks) holds column `col`.
bool InFirstOfSeveralRuns(const ScheduleSheet& sheet, int col, int row)
{
    if (col < 2 || !sheet.Contains(col, row) || !sheet.Contains(2, row))
        return false;
    const std::string& text = sheet.Text(col, row);
    return text == sheet.Text(2, row) && text != sheet.Text(sheet.colCount() - 1, row);
}

} // namespace

bool CanRemoveMonth(const ScheduleSheet& sheet, int col)
{
    return InFirstOfSeveralRuns(sheet, col, 0);
}

bool CanRemoveWeek(const ScheduleSheet& sheet, int col)
{
    return InFirstOfSeveralRuns(sheet, col, 1);
}

bool CanKeepOnlyWeek(const ScheduleSheet& sheet)
{
    return sheet.colCount() - sheet.fixedRows > 7;
}

std::optional<std::vector<MenuItem>> ComposeContextMenu(const ScheduleDocument& document,
                                                        const EditCommandStates& states,
                                                        int col, int row)
{
    const ScheduleSheet& sheet = document.sheet;
    const bool inside = sheet.Contains(col, row);
    if (inside && (col == 0 || (col == 1 && row < sheet.fixedRows)))
        return std::nullopt;

    std::vector<MenuItem> items{
        {MenuCommand::Undo, "Undo", "Undo", states.undo},
        {MenuCommand::Redo, "Redo", "Redo", states.redo},
        {MenuCommand::Cut, "Cut", "Cut to clipboard", states.cutCopy},
        {MenuCommand::Copy, "Copy", "Copy to clipboard", states.cutCopy},
        {MenuCommand::Paste, "Paste", "Paste from clipboard", states.paste},
        {MenuCommand::Unselect, "Unselect", "Unselect selected cells", states.cutCopy},
        {MenuCommand::SelectAll, "Select all", "Select all cells", true},
    };
    if (!inside)
        return items;

    const bool departments = InDepartmentView(document);
    auto add = [&](MenuCommand command, std::string caption, std::string hint,
                   bool enabled = true) {
        items.push_back({command, std::move(caption), std::move(hint), enabled});
    };
    auto dayCellItems = [&] {
        add(MenuCommand::EditWorkingHours, "Edit WorkingHours ...",
            "Go to setup menu to edit this workingtype");
        add(MenuCommand::Comment,
            sheet.Comment(col, row).empty() ? "Add Comment" : "Edit Comment",
            "Add comment to this cell");
        add(MenuCommand::Bold, sheet.IsBold(col, row) ? "Undo Bold" : "Make Bold",
            "Make the value of this cell bold");
    };
    const bool dayColumn = col >= 2;
    if (dayColumn && row == 0) {
        add(MenuCommand::SelectMonth, "Select all cells of this Month",
            "Select all cells of this Month");
        add(MenuCommand::RemoveMonth, "Remove Month from Schedule",
            "Remove Month from Schedule (cannot be undone)", CanRemoveMonth(sheet, col));
    } else if (dayColumn && row == 1) {
        add(MenuCommand::RemoveWeek, "Remove Week from Schedule",
            "Remove Week from Schedule (cannot be undone)", CanRemoveWeek(sheet, col));
        add(MenuCommand::RemoveAllExceptWeek, "Remove all except this week",
            "Remove all except this week (cannot be undone)", CanKeepOnlyWeek(sheet));
        add(MenuCommand::SelectWeek, "Select all cells of this week",
            "Select all cells of this week");
    } else if (dayColumn && row == 2) {
        add(MenuCommand::SelectDay, "Select all cells of this day",
            "Select all cells of this day");
        if (departments)
            add(MenuCommand::HideDepartments, "Hide Departments", "Hide display of departments");
        else
            add(MenuCommand::ShowDepartments, "Show Departments", "Show departments");
    } else if (dayColumn && row == 3 && departments) {
        add(MenuCommand::SelectDepartment, "Select all cells of this department",
            "Select all cells of this department");
        add(MenuCommand::HideDepartments, "Hide Departments", "Hide display of departments");
        add(MenuCommand::DepartmentSettings, "Department settings ...",
            "Go to setup menu to edit the department settings");
        dayCellItems();
    } else if (IsDayCell(sheet, col, row)) {
        dayCellItems();
    } else if (col == 1 && row >= sheet.fixedRows) {
        add(MenuCommand::SelectEmployee, "Select all cells of this Employee",
            "Select all cells of this Employee");
        add(MenuCommand::AddEmployee, "Add New Employee",
            "Go to setup menu to add a new employee");
        add(MenuCommand::RemoveEmployee, "Remove Employee from Schedule", "");
    }
    return items;
}

} // namespace shiftex
