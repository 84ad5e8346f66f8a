// Writes the bundled example schedule: a ward of twelve over January 2027.
#include "files/schedule_text.h"
#include "files/text_io.h"

#include <iostream>

using namespace shiftex;

namespace {

WorkingType Type(const char* code, const char* info, const char* from1, const char* til1,
                 const char* from2, const char* til2, int icon, int dayMin, int dayMax)
{
    WorkingType type = WorkingType::Create(code, info, from1, til1, from2, til2, icon);
    type.fields[field::DayMinColour] = "clred";
    type.fields[field::DayMinCount] = std::to_string(dayMin);
    type.fields[field::DayMaxColour] = "clfuchsia";
    type.fields[field::DayMaxCount] = std::to_string(dayMax);
    type.fields[field::EmployeeMinColour] = "clwhite";
    type.fields[field::EmployeeMinCount] = "0";
    type.fields[field::EmployeeMaxColour] = "$0080C0FF";
    type.fields[field::EmployeeMaxCount] = "8";
    return type;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-example OUT.sxt\n";
        return 2;
    }
    constexpr int year = 2027, month = 1;
    ScheduleTextContent content;
    content.days = DaysInMonth(month, year);
    content.monthTitle = MonthTitle(month, year);
    for (int day = 1; day <= content.days; ++day)
        if (IsWeekend(day, month, year))
            content.weekendDays.push_back(std::to_string(day));
    content.weekendColour = "clyellow";
    content.holidayColour = "$00A8C8A6";
    content.workingTypes = {
        Type("E", "Early shift", "07H00", "15H00", "  H  ", "  H  ", 0, 2, 4),
        Type("L", "Late shift", "14H30", "22H30", "  H  ", "  H  ", 1, 2, 3),
        Type("N", "Night, into the next day", "00H00", "07H00", "22H00", "24H00", 2, 1, 2),
        Type("D", "Day duty", "08H00", "16H30", "  H  ", "  H  ", 3, 0, 2),
        Type("S", "Split shift", "07H00", "11H00", "16H00", "20H00", 4, 0, 1),
        Type("T", "Training", "09H00", "13H00", "  H  ", "  H  ", 5, 0, 2),
    };
    const char* names[] = {"Anna Peeters", "Bram Janssens", "Chloe Maes", "Daan Jacobs",
                           "Elise Willems", "Finn Claes", "Greet Goossens", "Hugo Wouters",
                           "Ines De Smet", "Jonas Dubois", "Katrien Mertens", "Lars Hermans"};
    // Each employee follows the ward's rotation from a different starting day.
    const char* rotation[] = {"E", "E", "L", "L", "N", "N", "", "", "D", "E", "S", "L", "", "T"};
    constexpr int rotationLength = sizeof rotation / sizeof rotation[0];
    int k = 0;
    for (const char* name : names) {
        ScheduleTextContent::Employee employee{name, {}};
        for (int day = 1; day <= content.days; ++day)
            employee.cells.emplace_back(rotation[(day + 3 * k) % rotationLength]);
        content.employees.push_back(std::move(employee));
        ++k;
    }
    content.customQueryLines = {"Day staff", "E", "D", "S", kEndThisAddition,
                                "Nights", "N", kEndThisAddition, kEndAllAdditions};
    content.queryThresholds = {{"Day staff", "clred", "4", "clfuchsia", "7"},
                               {"Nights", "clred", "1", "clyellow", "2"}};
    content.fontName = "DejaVu Sans";
    content.fontColour = "clblue";
    content.region = "Belgium";
    content.departmentNames = {"Ward A", "Ward B"};
    content.departmentColours = {kDefaultMainDepartmentColour, "$00B4E6B4", "$00E6C8B4"};
    if (const auto error = WriteTextLines(argv[1], ComposeScheduleText(content))) {
        std::cerr << *error << '\n';
        return 1;
    }
    return 0;
}
