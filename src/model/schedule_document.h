#pragma once

#include "model/schedule_sheet.h"
#include "model/text_helpers.h"
#include "model/working_types.h"

#include <functional>
#include <string>
#include <vector>

namespace shiftex {

struct Department {
    std::string name;
    std::string colour;
    friend bool operator==(const Department&, const Department&) = default;
};

struct CustomQueryRow {
    std::string queryName;
    std::string groupColour;  // colour text; empty: every employee
    friend bool operator==(const CustomQueryRow&, const CustomQueryRow&) = default;
};

struct CustomQueryPanel {
    bool visible = false;
    int height = 0;
    std::vector<CustomQueryRow> rows;
    friend bool operator==(const CustomQueryPanel&, const CustomQueryPanel&) = default;
};

inline constexpr const char* kEmployeeDaysCaption = "Employee / Days";
inline constexpr const char* kDefaultMainDepartmentColour = "$00CE8A8A";
inline constexpr const char* kEndAllAdditions = "end all additions";
inline constexpr const char* kEndThisAddition = "end this addition";

// One open schedule: the sheet and every list and setting that belongs to it.
struct ScheduleDocument {
    ScheduleSheet sheet;
    std::string monthTitle;
    WorkingTypeList workingTypes;
    std::vector<std::string> typeCodes;
    std::string currentCode;
    std::string weekendColour;
    std::vector<std::string> weekendDays;
    std::string holidayColour;
    std::vector<std::string> holidayDays;
    std::vector<std::string> holidayNames;
    std::vector<std::string> holidayLines;
    std::vector<std::string> customQueryLines;
    std::vector<std::string> customQueryNames;
    std::vector<ColorThreshold> queryThresholds;
    std::vector<Department> departments;
    std::string mainDepartmentColour = kDefaultMainDepartmentColour;
    std::string fontName;
    std::string fontColour;
    CustomQueryPanel customQueryPanel;
    bool employeeTypesPanelVisible = false;
    bool typesDaysPanelVisible = false;
    bool workedHoursPanelVisible = false;
    std::string filePath = "filename";
    std::string title = "NEW";
    bool modified = false;
    std::vector<std::string> loadBuffer;
    bool departmentsView = false;

    // Called by MarkModified so that a window can enable Save.
    std::function<void()> onModified;

    void MarkModified();
    // The date of day column c: month and year from its row-0 title, day from row 2.
    Date DayOfColumn(int col) const;
    // The names of the employee rows, top to bottom.
    std::vector<std::string> Employees() const;
    int FirstDayColumn() const { return sheet.fixedCols; }
    int FirstEmployeeRow() const { return sheet.fixedRows; }
    // typeCodes rebuilt from the working type list.
    void RefreshTypeCodes() { typeCodes = workingTypes.Codes(); }
};

ScheduleDocument CreateDocument();

// Lines of a day cell: carriage return, line feed or both end a line.
std::vector<std::string> SplitCellLines(const std::string& text);

} // namespace shiftex
