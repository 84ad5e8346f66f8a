#pragma once

#include "model/schedule_document.h"
#include "reports/print_copy.h"
#include "summaries/summary_set.h"

#include <array>
#include <string>

namespace shiftex {

// What a command of the Print menu does with its grid.
enum class PrintOutput { Window, PrintAtOnce, Preview };

enum class PrintCommand {
    CurrentView,
    WorkSchedule,
    WorkScheduleIcons,
    SpecialSummation,
    EmployeesTypes,
    TypesDays,
    WorkedHours,
};

// What each command of the Print menu (the menu's own texts are the main window's) prints and
// how.
struct PrintCommandInfo {
    PrintCommand command;
    PrintSource source;  // unused for the current view
    PrintOutput output;
};

// The Print menu in menu order.
inline constexpr std::array<PrintCommandInfo, 7> kPrintCommands{{
    {PrintCommand::CurrentView, PrintSource::Sheet, PrintOutput::Window},
    {PrintCommand::WorkSchedule, PrintSource::Sheet, PrintOutput::PrintAtOnce},
    {PrintCommand::WorkScheduleIcons, PrintSource::Icons, PrintOutput::Preview},
    {PrintCommand::SpecialSummation, PrintSource::Queries, PrintOutput::Preview},
    {PrintCommand::EmployeesTypes, PrintSource::Employees, PrintOutput::Preview},
    {PrintCommand::TypesDays, PrintSource::Types, PrintOutput::Preview},
    {PrintCommand::WorkedHours, PrintSource::Hours, PrintOutput::Preview},
}};

inline constexpr const char* kPreviewCaption = "Preview";

const PrintCommandInfo& PrintCommandOf(PrintCommand command);
// Whether a Print menu item is offered as the menu opens: the icon print only while the
// document declares no departments, each summary's print only while that summary is shown.
bool PrintCommandEnabled(PrintCommand command, const ScheduleDocument& document,
                         const SummarySet& summaries);

// The name of the print job of the current view: "4.3 : schedule.".
std::string CurrentViewJobName();

// --- export ---
inline constexpr const char* kExportDialogTitle = "Export Shiftex file";
inline constexpr const char* kCannotCreateFile = "Cannot Create file ";

enum class ExportType { Html, Xml, Xlsx, Odt, Pdf };

struct ExportTypeInfo {
    ExportType type;
    const char* label;      // as the file dialog lists it
    const char* patterns;   // "*.html *.htm"
    const char* extension;  // always appended to the chosen name
    const char* cliName;    // the command line's --format
};

// The export dialog's types in their order.
inline constexpr std::array<ExportTypeInfo, 5> kExportTypes{{
    {ExportType::Html, "html - File", "*.html *.htm", "htm", "html"},
    {ExportType::Xml, "XML - files", "*.xml", "xml", "xml"},
    {ExportType::Xlsx, "Excel - File", "*.xlsx", "xlsx", "xlsx"},
    {ExportType::Odt, "Word - File", "*.odt", "odt", "odt"},
    {ExportType::Pdf, "PDF - File", "*.pdf", "pdf", "pdf"},
}};

const ExportTypeInfo& ExportTypeOf(ExportType type);
// The file an export writes: the name entered, "." and the type's extension, also when the
// name has an extension already ("roster.htm" becomes "roster.htm.htm").
std::string ExportFileName(const std::string& enteredName, ExportType type);

// --- calendars ---
inline constexpr const char* kCalendarsDialogTitle = "Export calendars to folder";

} // namespace shiftex
