#pragma once

#include "model/schedule_document.h"
#include "model/sheet_layout.h"

#include <string>
#include <vector>

namespace shiftex::test {

// E 08H00-12H00 and 13H00-17H00, L 10H00-14H00, N 22H00-06H00: the hours table of the worked
// hours summary.
inline std::vector<WorkingType> HoursTableTypes()
{
    return {WorkingType::Create("E", "Early", "08H00", "12H00", "13H00", "17H00", 0),
            WorkingType::Create("L", "Late", "10H00", "14H00", "  H  ", "  H  ", 1),
            WorkingType::Create("N", "Night", "22H00", "06H00", "  H  ", "  H  ", 2)};
}

struct SampleOptions {
    int employees = 4;
    int days = 31;                         // from firstDay.month.year on
    int firstDay = 1;
    int month = 1;
    int year = 2027;
    std::vector<WorkingType> types = HoursTableTypes();
    std::vector<std::string> departments;  // declared in the document
    bool departmentView = false;           // one sub-column per department and day
};

// A document laid out as the loaders leave it: month, week and day rows, names, weekends
// coloured clYellow, a holiday on 1 January 2027 coloured clAqua, the widths fitted.
inline ScheduleDocument MakeSchedule(const SampleOptions& options = {})
{
    ScheduleDocument document = CreateDocument();
    document.monthTitle = MonthTitle(options.month, options.year);
    document.weekendColour = "clYellow";
    document.holidayColour = "clAqua";
    document.holidayLines = {"[Sample]", "[**YEAR**]:2027", "[01]", "01:New Year"};
    for (const WorkingType& type : options.types)
        document.workingTypes.Add(type);
    document.RefreshTypeCodes();
    for (const std::string& name : options.departments)
        document.departments.push_back({name, "clWhite"});
    const int n = options.departmentView && !options.departments.empty()
                      ? static_cast<int>(options.departments.size())
                      : 1;
    const int header = n > 1 || options.departmentView ? 4 : 3;

    ScheduleSheet& sheet = document.sheet;
    sheet = ScheduleSheet();
    sheet.Resize(2 + options.days * n, header + options.employees);
    sheet.fixedCols = 2;
    sheet.fixedRows = header;
    int day = options.firstDay, month = options.month, year = options.year;
    for (int d = 0; d < options.days; ++d) {
        for (int i = 0; i < n; ++i) {
            const int c = 2 + d * n + i;
            sheet.SetText(c, 0, MonthTitle(month, year));
            sheet.SetText(c, 2, std::to_string(day));
            if (header == 4)
                sheet.SetText(c, 3, options.departments[static_cast<std::size_t>(i)]);
        }
        if (++day > DaysInMonth(month, year)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    for (int e = 0; e < options.employees; ++e)
        sheet.SetText(1, header + e, "Employee " + std::to_string(e + 1));
    LayoutMonthRow(sheet, document.monthTitle);
    LayoutWeekRow(sheet);
    ColourDayColumns(document);
    PlaceExtendButtons(sheet);
    if (header == 4) {
        document.departmentsView = true;
        for (int c = 0; c < sheet.colCount(); ++c)
            sheet.SetBrushColor(c, 3, kHeaderColour);
        MergeDayNumbers(sheet);
    }
    return document;
}

} // namespace shiftex::test
