#pragma once

#include "model/schedule_document.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// The commands the sheet's context menu can offer. A front end binds each one with a switch
// over this enum, so that a command it forgets does not compile.
enum class MenuCommand {
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    Unselect,
    SelectAll,
    EditWorkingHours,
    Comment,
    Bold,
    SelectMonth,
    RemoveMonth,
    RemoveWeek,
    RemoveAllExceptWeek,
    SelectWeek,
    SelectDay,
    ShowDepartments,
    HideDepartments,
    SelectDepartment,
    DepartmentSettings,
    SelectEmployee,
    AddEmployee,
    RemoveEmployee,
};

// The stable name of a command: the object name of its menu action, and the word scripts use.
constexpr std::string_view MenuCommandName(MenuCommand command)
{
    switch (command) {
    case MenuCommand::Undo: return "undo";
    case MenuCommand::Redo: return "redo";
    case MenuCommand::Cut: return "cut";
    case MenuCommand::Copy: return "copy";
    case MenuCommand::Paste: return "paste";
    case MenuCommand::Unselect: return "unselect";
    case MenuCommand::SelectAll: return "selectAll";
    case MenuCommand::EditWorkingHours: return "editWorkingHours";
    case MenuCommand::Comment: return "comment";
    case MenuCommand::Bold: return "bold";
    case MenuCommand::SelectMonth: return "selectMonth";
    case MenuCommand::RemoveMonth: return "removeMonth";
    case MenuCommand::RemoveWeek: return "removeWeek";
    case MenuCommand::RemoveAllExceptWeek: return "removeAllExceptWeek";
    case MenuCommand::SelectWeek: return "selectWeek";
    case MenuCommand::SelectDay: return "selectDay";
    case MenuCommand::ShowDepartments: return "showDepartments";
    case MenuCommand::HideDepartments: return "hideDepartments";
    case MenuCommand::SelectDepartment: return "selectDepartment";
    case MenuCommand::DepartmentSettings: return "departmentSettings";
    case MenuCommand::SelectEmployee: return "selectEmployee";
    case MenuCommand::AddEmployee: return "addEmployee";
    case MenuCommand::RemoveEmployee: return "removeEmployee";
    }
    return {};
}

// One entry of the sheet's context menu as composed for the clicked cell.
struct MenuItem {
    MenuCommand command;
    std::string caption;
    std::string hint;
    bool enabled = true;
};

// Whether the commands always on the menu can run now: the states of their tool buttons.
struct EditCommandStates {
    bool undo = false;
    bool redo = false;
    bool cutCopy = false;  // Cut, Copy and Unselect
    bool paste = false;
};

// The enabling rules of the shape commands: the first of several months or weeks (the one of
// sheet column `col`) can be removed; one week can stay alone while the sheet's column count
// minus its header row count is greater than 7.
bool CanRemoveMonth(const ScheduleSheet& sheet, int col);
bool CanRemoveWeek(const ScheduleSheet& sheet, int col);
bool CanKeepOnlyWeek(const ScheduleSheet& sheet);

// The context menu for a right click on (col, row): the commands always there, then those of
// the clicked area; nullopt on the colour strip and on the header of the names, where no menu
// opens.
std::optional<std::vector<MenuItem>> ComposeContextMenu(const ScheduleDocument& document,
                                                        const EditCommandStates& states,
                                                        int col, int row);

} // namespace shiftex
