#include "reports/print_commands.h"

#include <algorithm>

namespace shiftex {

const PrintCommandInfo& PrintCommandOf(PrintCommand command)
{
    const auto it = std::find_if(kPrintCommands.begin(), kPrintCommands.end(),
                                 [command](const auto& info) { return info.command == command; });
    SHIFTEX_ASSERT(it != kPrintCommands.end());
    return *it;
}

bool PrintCommandEnabled(PrintCommand command, const ScheduleDocument& document,
                         const SummarySet& summaries)
{
    switch (command) {
    case PrintCommand::CurrentView:
    case PrintCommand::WorkSchedule:
        return true;
    case PrintCommand::WorkScheduleIcons:
        return document.departments.empty();
    case PrintCommand::SpecialSummation:
        return summaries.IsShown(SummaryKind::CustomQuery);
    case PrintCommand::EmployeesTypes:
        return summaries.IsShown(SummaryKind::EmployeesPerType);
    case PrintCommand::TypesDays:
        return summaries.IsShown(SummaryKind::TypesPerDay);
    case PrintCommand::WorkedHours:
        return summaries.IsShown(SummaryKind::WorkedHours);
    }
    return false;
}

std::string CurrentViewJobName()
{
    return std::string(kVersionText) + " : schedule.";
}

const ExportTypeInfo& ExportTypeOf(ExportType type)
{
    const auto it = std::find_if(kExportTypes.begin(), kExportTypes.end(),
                                 [type](const auto& info) { return info.type == type; });
    SHIFTEX_ASSERT(it != kExportTypes.end());
    return *it;
}

std::string ExportFileName(const std::string& enteredName, ExportType type)
{
    return enteredName + "." + ExportTypeOf(type).extension;
}

} // namespace shiftex
