#pragma once

#include "model/result.h"
#include "model/schedule_document.h"

#include <bitset>
#include <string>
#include <vector>

namespace shiftex {

// The graph grid: row 0 (no height), row 1, the 144 ten-minute slots of a day in rows 2 to 145,
// and the day numbers in row 146.
inline constexpr int kBarGraphRows = 147;
inline constexpr int kFirstSlotRow = 2;
inline constexpr int kLastSlotRow = 145;
inline constexpr int kBarDayRow = 146;
inline constexpr int kSlotCount = kLastSlotRow - kFirstSlotRow + 1;
inline constexpr int kSlotMinutes = 10;
inline constexpr int kMaxLegendButtons = 9;

inline constexpr const char* kBarScheduleHelpTopic = "Generate Bar Schedule";
inline constexpr const char* kBarGraphStatusHint =
    "Hint: Select the days in your schedule before creating the bargraph";
inline constexpr const char* kBarGraphEmployeesLabel = "Schedule for:";
inline constexpr const char* kMainDepartmentLabel = "main department";

enum class BarColumnKind { Bar, Spacer };

// One column of the graph right of the time scale.
struct BarColumn {
    BarColumnKind kind = BarColumnKind::Bar;
    std::string day;               // row 146: the day number, empty for an empty cell's bar
    Colour colour = clNone;        // the department colour of a line that names a working type
    std::bitset<kSlotCount> worked;  // coloured slots: slot s is grid row kFirstSlotRow + s
    friend bool operator==(const BarColumn&, const BarColumn&) = default;
};

struct BarGraph {
    std::string title;
    std::vector<BarColumn> columns;
};

struct LegendButton {
    std::string label;
    Colour colour = clNone;
    friend bool operator==(const LegendButton&, const LegendButton&) = default;
};

// The department colour list: entry 0 the main department's colour, entry k the colour of the
// k-th department.
std::vector<std::string> DepartmentColourList(const ScheduleDocument& document);
// The list's colours; a colour text that does not convert is a conversion error.
Result<std::vector<Colour>> DepartmentColours(const ScheduleDocument& document);
// Up to nine buttons: "main department" with entry 0, then one per department in order.
// A colour text that does not convert is a conversion error.
Result<std::vector<LegendButton>> BarGraphLegend(const ScheduleDocument& document);
// Entry `entry` of the department colour list becomes `colour`. The list belongs to the
// document and is saved with it; the change alone does not mark the document modified.
void SetDepartmentColour(ScheduleDocument& document, int entry, Colour colour);

// The sheet row the graph of the employee named `name` shows: the last row with that name;
// -1 when there is none.
int BarGraphRowOfName(const ScheduleDocument& document, const std::string& name);
// "5 January 'till 11 January" for the sheet columns first and last.
std::string BarRangeText(const ScheduleDocument& document, int firstColumn, int lastColumn);

// The graph of employee row `row` over the sheet columns first to last (clipped to the day
// columns): one bar per line of each day's cell, a spacer after each day. A working type time
// that is not an hour text is a conversion error.
Result<BarGraph> DrawBarGraph(const ScheduleDocument& document, int row, int firstColumn,
                              int lastColumn);

// The slots working type `type` (an index of the WorkingTypeList) works. ConversionError for a
// time that is not an hour text.
std::bitset<kSlotCount> WorkingTypeSlots(const WorkingType& type);

} // namespace shiftex
