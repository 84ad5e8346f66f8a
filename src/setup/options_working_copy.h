#pragma once

#include "model/text_helpers.h"
#include "model/working_types.h"

#include <string>
#include <vector>

namespace shiftex {

// What the options dialog edits: a copy of the open schedule's settings and of the program's
// backup settings, filled when the dialog opens and applied to the schedule when it closes.
struct OptionsWorkingCopy {
    // The real working types (no blank entry), field 1 empty.
    std::vector<WorkingType> workingTypes;
    std::vector<std::string> employeeNames;
    std::string gridFontName;
    std::string workingTypeFontColour;  // colour text
    std::string weekendColour;
    std::string holidayColour;
    // Of the sheet's first day column: "2003", "04".
    std::string year;
    std::string month;
    std::string regionName;
    std::vector<std::string> departmentNames;
    // The main department colour first; entry k + 1 is the colour of department k.
    std::vector<std::string> departmentColours;
    std::vector<std::string> customQueryLines;
    std::vector<ColorThreshold> queryThresholds;
    std::string backupFolder;
    std::string backupInterval;
    // The caption of the backup page's toggle button: "Disable" while backups are on, "Enable"
    // while they are off.
    std::string backupToggle;
    int presetPanel = 0;
    int presetItem = 0;
    std::string presetCode;
};

inline constexpr const char* kBackupOn = "Disable";
inline constexpr const char* kBackupOff = "Enable";

} // namespace shiftex
