#include "setup/wizard_answers.h"

#include "files/schedule_text.h"

namespace shiftex {

WizardAnswers WizardAnswers::Defaults(int year, int month)
{
    WizardAnswers answers;
    answers.year = std::to_string(year);
    answers.month = std::to_string(month);
    return answers;
}

std::vector<std::string> BuildScheduleText(const WizardAnswers& answers)
{
    const int month = ParseInt(answers.month);
    const int year = ParseInt(answers.year);
    ScheduleTextContent content;
    content.days = DaysInMonth(month, year);
    content.monthTitle = MonthName(month) + " " + answers.year;
    for (int day = 1; day <= content.days; ++day)
        if (IsWeekend(day, month, year))
            content.weekendDays.push_back(std::to_string(day));
    content.weekendColour = answers.weekendColour;
    content.holidayColour = answers.holidayColour;
    for (const std::string& name : answers.employeeNames)
        content.employees.push_back({name, {}});
    content.workingTypes = answers.workingTypes;
    content.customQueryLines = answers.customQueryLines;
    content.queryThresholds = answers.queryThresholds;
    content.fontName = answers.gridFontName;
    content.fontColour = answers.workingTypeFontColour;
    content.region = answers.regionName;
    content.departmentNames = answers.departmentNames;
    content.departmentColours = answers.departmentColours;
    return ComposeScheduleText(content);
}

} // namespace shiftex
