#include "app/main_menu.h"

#include "editing/schedule_session.h"

#include <array>

namespace shiftex {

namespace {

using Kind = MenuEntry::Kind;
using M = MainMenu;
using C = MainCommand;

constexpr MenuEntry Item(M menu, C command, std::string_view caption,
                         std::string_view shortcut = {}, std::string_view hint = {},
                         bool needsSchedule = false, bool inSubmenu = false)
{
    return MenuEntry{menu, Kind::Command, command, caption, shortcut, hint, inSubmenu,
                     needsSchedule};
}

constexpr MenuEntry Scheduled(M menu, C command, std::string_view caption,
                              std::string_view shortcut = {}, std::string_view hint = {})
{
    return Item(menu, command, caption, shortcut, hint, true);
}

constexpr MenuEntry Printing(C command, std::string_view caption, std::string_view hint)
{
    return Item(M::File, command, caption, {}, hint, true, true);
}

constexpr MenuEntry Submenu(M menu, std::string_view caption, std::string_view hint,
                            bool needsSchedule)
{
    return MenuEntry{menu, Kind::Submenu, C::New, caption, {}, hint, false, needsSchedule};
}

constexpr MenuEntry Separator(M menu)
{
    return MenuEntry{menu, Kind::Separator, C::New, {}, {}, {}, false, false};
}

constexpr std::string_view kOpenHint = "Open workinglist";
constexpr std::string_view kSaveHint = "Save workinglist";

constexpr auto kEntries = std::to_array<MenuEntry>({
    Item(M::File, C::New, "&New", "Ctrl+N"),
    Item(M::File, C::Open, "&Open...", "Ctrl+O", kOpenHint),
    Submenu(M::File, "&Reopen", kOpenHint, false),
    Separator(M::File),
    Scheduled(M::File, C::Save, "&Save", "Ctrl+S", kSaveHint),
    Scheduled(M::File, C::SaveAs, "Save &As...", {}, kSaveHint),
    Separator(M::File),
    Scheduled(M::File, C::Export, "&Export ...", {},
              "Export schedule to Word, Excel or HTML files"),
    Scheduled(M::File, C::ExportCalendars, "Export &Calendars ...", {},
              "Export one calendar file per employee"),
    Separator(M::File),
    Scheduled(M::File, C::PrinterSettings, "Printer &Settings ...", {}, "Setup printer properties"),
    Submenu(M::File, "&Print", "Print", true),
    Printing(C::PrintCurrentView, "&Current view ...", "Print Workinglist"),
    Printing(C::PrintWorkSchedule, "&Work Schedule ...",
             "Print the current visible work schedule (code/icon)"),
    Printing(C::PrintWorkScheduleIcons, "Work Schedule (&Icons) ...",
             "Print the schedule using the defined icons (only when no departments declared)"),
    Printing(C::PrintSpecialSummation, "&Special Summation ...",
             "Print Special Summation (only possible when visible)"),
    Printing(C::PrintEmployeesTypes, "&Employees / Types ...",
             "Print Employee/Types (only possible when visible)"),
    Printing(C::PrintTypesDays, "&Types / Days ...",
             "Print Types/Days (only possible when visible)"),
    Printing(C::PrintWorkedHours, "Worked &Hours ...",
             "Print Worked Hours (only possible when visible)"),
    Separator(M::File),
    Scheduled(M::File, C::Close, "&Close"),
    Separator(M::File),
    Item(M::File, C::Exit, "E&xit", {}, "Exit Shiftex"),

    Scheduled(M::Edit, C::Undo, "&Undo", "Ctrl+Z"),
    Scheduled(M::Edit, C::Redo, "Redo", "Ctrl+Y"),
    Separator(M::Edit),
    Scheduled(M::Edit, C::Cut, "Cut", "Ctrl+X", kClipboardHint),
    Scheduled(M::Edit, C::Copy, "&Copy", "Ctrl+C", kClipboardHint),
    Scheduled(M::Edit, C::Paste, "&Paste", "Ctrl+V", "Paste"),
    Separator(M::Edit),
    Scheduled(M::Edit, C::SelectAll, "&Select All", "Ctrl+A", "Select all cells"),
    Separator(M::Edit),
    Scheduled(M::Edit, C::EditEmployees, "&Employees ...", {}, "Edit employees"),
    Scheduled(M::Edit, C::EditWorkingHours, "&WorkingHours ...", {}, "Edit workinghours"),
    Scheduled(M::Edit, C::EditCustomQuery, "&Custom Query ..."),
    Scheduled(M::Edit, C::EditHolidays, "&Holidays ...", {}, "Edit holidays"),

    Scheduled(M::Workinglist, C::ViewCustomQuery, "View &Custom Query", "F5"),
    Scheduled(M::Workinglist, C::ViewEmployeesTypes, "View &Employees / Types summary", "F6"),
    Scheduled(M::Workinglist, C::ViewTypesDays, "View &Types / Days summary", "F7"),
    Scheduled(M::Workinglist, C::ViewWorkedHours, "View &Worked Hours", "F8"),
    Separator(M::Workinglist),
    Scheduled(M::Workinglist, C::GenerateBarSchedule, "Generate &Bar Schedule ...", {},
              "Generate Bar Schedule per employee (SELECT THE CELL RANGE FIRST)"),

    Scheduled(M::Options, C::Settings, "&Settings ...", "F2"),
    Separator(M::Options),
    Scheduled(M::Options, C::HideDepartments, "Hide Departments"),
    Scheduled(M::Options, C::ShowDepartments, "Show Departments"),
    Separator(M::Options),
    Item(M::Options, C::WorkingTimeRules, "&Working-time rules ...", {},
         "Limits of the working-time warnings"),

    Item(M::Window, C::Tile, "&Tile", {}, "Tile all windows"),
    Item(M::Window, C::Cascade, "&Cascade", {}, "Cascade all windows"),
    Item(M::Window, C::ArrangeAll, "&Arrange All"),

    Item(M::Help, C::SearchKeyword, "&Seach keyword"),
    Item(M::Help, C::HelpIndex, "&Index", "F1"),
    Separator(M::Help),
    Item(M::Help, C::FaqOnline, "&FAQ (online)"),
    Item(M::Help, C::HelpOnline, "&Help (online)"),
    Separator(M::Help),
    Item(M::Help, C::About, "&About..."),
});

constexpr auto kTools = std::to_array<ToolEntry>({
    {C::New, "Create new workinglist", false, false},
    {C::Open, kOpenHint, false, false},
    {C::Save, "save current workinglist", false, true},
    {C::PrintPreview, "Print Preview of main workinggrid", true, true},
    {C::PrintSheet, "Print main workinggrid", false, true},
    {C::Cut, "Cut", true, true},
    {C::Copy, "Copy", false, true},
    {C::Paste, "Paste", false, true},
    {C::Redo, "Redo", true, true},
    {C::Undo, "Undo", false, true},
    {C::ToggleVisibleWindows, "Toggle visible windows ", true, true},
    {C::ShowHelpFile, "Show help file", true, false},
});

} // namespace

std::string_view MainMenuCaption(MainMenu menu)
{
    switch (menu) {
    case M::File:
        return "&File";
    case M::Edit:
        return "&Edit";
    case M::Workinglist:
        return "&Workinglist";
    case M::Options:
        return "&Options";
    case M::Window:
        return "&Window";
    case M::Help:
        return "&Help";
    }
    return {};
}

std::span<const MenuEntry> MainMenuEntries() { return kEntries; }

std::span<const ToolEntry> MainToolEntries() { return kTools; }

std::optional<MenuEntry> FindMenuEntry(MainCommand command)
{
    for (const MenuEntry& entry : kEntries)
        if (entry.kind == Kind::Command && entry.command == command)
            return entry;
    return std::nullopt;
}

bool NeedsSchedule(MainCommand command)
{
    if (const std::optional<MenuEntry> entry = FindMenuEntry(command))
        return entry->needsSchedule;
    for (const ToolEntry& tool : kTools)
        if (tool.command == command)
            return tool.needsSchedule;
    return false;
}

} // namespace shiftex
