#pragma once

#include "model/result.h"
#include "model/schedule_sheet.h"
#include "model/text_helpers.h"
#include "model/working_types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// What an existing schedule hands to a new one when it serves as its template: the settings that
// do not depend on the month. Cells, dates, weekends and holidays stay behind.
struct TemplateSettings {
    std::vector<std::string> employeeNames;
    std::vector<WorkingType> workingTypes;  // without the blank entry
    std::vector<std::string> customQueryLines{"end all additions"};
    std::vector<ColorThreshold> queryThresholds;
    std::string weekendColour;
    std::string holidayColour;
    // A schedule text carries its font; a schedule file's font is shown in the preview only.
    bool hasFont = false;
    std::string fontName;
    std::string fontColour;
    // A schedule file carries its departments; a schedule text's are not taken.
    bool hasDepartments = false;
    std::vector<std::string> departmentNames;
    std::vector<std::string> departmentColours;  // the main department colour first
};

// The settings of a schedule text (its first line the magic line). A text that is cut short or
// holds a number or colour that does not convert gives the damaged-file error.
Result<TemplateSettings> ImportTemplateText(const std::vector<std::string>& lines);

// The grid a schedule file holds, sheet and key rows together.
Result<ScheduleSheet> ReadTemplateImage(std::string_view bytes);
// The sheet of the image as a preview shows it: cut to the stored sheet size, with its header
// rows and columns and its font.
Result<ScheduleSheet> PreviewTemplateImage(const ScheduleSheet& image);
// The settings of a schedule file's image; the employees are the names of the preview's rows.
Result<TemplateSettings> ImportTemplateImage(const ScheduleSheet& image,
                                             const ScheduleSheet& preview);

// The settings of a template of either form, chosen by its first line. The preview of a schedule
// file goes to `preview` once it is built, also when its settings then do not import.
Result<TemplateSettings> ImportTemplateBytes(std::string_view bytes,
                                             std::optional<ScheduleSheet>& preview);

} // namespace shiftex
