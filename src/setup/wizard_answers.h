#pragma once

#include "model/text_helpers.h"
#include "model/working_types.h"

#include <string>
#include <vector>

namespace shiftex {

// What the new-schedule wizard collects; reset to these defaults each time it is shown.
struct WizardAnswers {
    std::string year;   // decimal text
    std::string month;  // 1..12, no leading zero
    std::string regionName = "custom";
    std::string templateFile;
    // "v43" after a schedule file template, "v42" after a schedule text, empty from scratch.
    std::string templateKind;
    std::vector<std::string> employeeNames;
    std::vector<WorkingType> workingTypes;
    std::vector<std::string> customQueryLines{"end all additions"};
    std::vector<ColorThreshold> queryThresholds;
    std::string weekendColour = "clyellow";
    std::string holidayColour = "$00A8C8A6";
    std::string workingTypeFontColour = "clblue";
    std::string gridFontName = "MS Sans Serif";
    std::vector<std::string> departmentNames;
    std::vector<std::string> departmentColours{"$00CE8A8A"};
    int page = 0;

    // Defaults with the given year and month (the wizard passes today's).
    static WizardAnswers Defaults(int year, int month);
};

// The schedule text lines of the answers, ready for the text loader.
std::vector<std::string> BuildScheduleText(const WizardAnswers& answers);

} // namespace shiftex
