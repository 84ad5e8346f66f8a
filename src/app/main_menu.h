#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace shiftex {

// The menus of the main window's menu bar, left to right.
enum class MainMenu { File, Edit, Workinglist, Options, Window, Help };

// Every command of the main window's menu bar and tool bar. A window binds a command to its
// handler once; a command nobody has bound yet stays disabled.
enum class MainCommand {
    // File
    New,
    Open,
    Save,
    SaveAs,
    Export,
    ExportCalendars,
    PrinterSettings,
    PrintCurrentView,
    PrintWorkSchedule,
    PrintWorkScheduleIcons,
    PrintSpecialSummation,
    PrintEmployeesTypes,
    PrintTypesDays,
    PrintWorkedHours,
    Close,
    Exit,
    // Edit
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    SelectAll,
    EditEmployees,
    EditWorkingHours,
    EditCustomQuery,
    EditHolidays,
    // Workinglist
    ViewCustomQuery,
    ViewEmployeesTypes,
    ViewTypesDays,
    ViewWorkedHours,
    GenerateBarSchedule,
    // Options
    Settings,
    HideDepartments,
    ShowDepartments,
    WorkingTimeRules,
    // Window
    Tile,
    Cascade,
    ArrangeAll,
    // Help
    SearchKeyword,
    HelpIndex,
    FaqOnline,
    HelpOnline,
    About,
    // Tool bar only
    PrintPreview,
    PrintSheet,
    ToggleVisibleWindows,
    ShowHelpFile,
};
inline constexpr int kMainCommandCount = static_cast<int>(MainCommand::ShowHelpFile) + 1;

std::string_view MainMenuCaption(MainMenu menu);

// One line of a menu: a command, a submenu ("&Reopen", "&Print") whose items follow it, or a
// separator.
struct MenuEntry {
    enum class Kind { Command, Submenu, Separator };
    MainMenu menu = MainMenu::File;
    Kind kind = Kind::Command;
    MainCommand command = MainCommand::New;  // for Kind::Command
    std::string_view caption;
    std::string_view shortcut;  // as QKeySequence reads it ("Ctrl+Z", "F5"), or empty
    std::string_view hint;      // shown in the status bar, or empty
    bool inSubmenu = false;     // belongs to the submenu entry above it
    // Offered only while a schedule is open (the File menu enabling, the Edit, Workinglist and
    // Options menus).
    bool needsSchedule = false;
};

// The menu bar, menu by menu, top to bottom.
std::span<const MenuEntry> MainMenuEntries();

// One button of the main tool bar.
struct ToolEntry {
    MainCommand command;
    std::string_view hint;
    bool separatorBefore = false;
    bool needsSchedule = false;
};
std::span<const ToolEntry> MainToolEntries();

// The menu entry of a command; nullopt for the tool bar's own commands.
std::optional<MenuEntry> FindMenuEntry(MainCommand command);

// Whether the command waits for an open schedule (menu or tool bar).
bool NeedsSchedule(MainCommand command);

} // namespace shiftex
