#pragma once

#include "model/schedule_document.h"

#include <array>
#include <algorithm>
#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace shiftex {

// What ResolveCellLine gives for a line that names no declared working type or department.
inline constexpr const char* kNoWorkingType = "#Shiftex@False";

// --- the department view's columns ---
// The view is on while the sheet has four header rows and the document declares departments.
bool InDepartmentView(const ScheduleDocument& document);
// Sub-columns per day: the number of departments in the view, otherwise 1.
int ColumnsPerDay(const ScheduleDocument& document);
// Day columns as the normal view numbers them: 2 to DayColumnCount + 1.
int DayColumnCount(const ScheduleDocument& document);
// The first and last sheet column of day column `dayColumn` (clipped to the sheet).
int FirstSubColumn(const ScheduleDocument& document, int dayColumn);
int LastSubColumn(const ScheduleDocument& document, int dayColumn);
// The day column a sheet column belongs to.
int DayColumnOfSheetColumn(const ScheduleDocument& document, int sheetColumn);

// --- reading cells, line by line ---
// A code, an empty text, or kNoWorkingType.
std::string ResolveCellLine(const ScheduleDocument& document, const std::string& line);
// What employee `row` holds on the day whose (first) sheet column is `column`.
std::vector<std::string> DayCodes(const ScheduleDocument& document, int row, int column);
// That day's worked hours: one entry adds its two intervals, several count the union of their
// minutes. ConversionError for a working type time that is not an hour text.
std::string DayHours(const ScheduleDocument& document, const std::vector<std::string>& codes);

// Calls `line` for every line of a cell text, as SplitCellLines splits it, without copying.
template <typename F>
void ForEachCellLine(std::string_view text, F&& line)
{
    std::size_t start = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char ch = text[i];
        if (ch != '\r' && ch != '\n')
            continue;
        line(text.substr(start, i - start));
        if (ch == '\r' && i + 1 < n && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        line(text.substr(start));
}

// The working types and departments of a document, prepared for counting many cells quickly.
// Built again whenever the summaries are laid out; a working type's index is its place in the
// WorkingTypeList (0 the blank entry), and a code used by several types means the first.
class CellResolver {
public:
    static constexpr int kNoType = -1;

    explicit CellResolver(const ScheduleDocument& document);
    CellResolver() = default;

    int typeCount() const { return static_cast<int>(types_.size()); }
    // The index of the type with exactly this code, kNoType when none has it.
    int TypeOfCode(std::string_view code) const;
    // ResolveCellLine as an index: 0 for an empty text, kNoType for kNoWorkingType.
    int ResolveLine(std::string_view line) const;
    // The minutes DayHours gives for the day of employee `row` whose first column is `column`.
    // ConversionError when a type met there has a time that is no hour text.
    int DayMinutes(const ScheduleSheet& sheet, int row, int column) const;
    // The same for a list of type indexes (kNoType and 0 count nothing).
    int DayMinutesOfTypes(const int* types, int count) const;
    // Calls `type` with the index of every entry of that day as DayMinutes reads it: the
    // resolved lines of the cell, or in the department view each sub-column as it stands.
    template <typename F>
    void ForEachDayType(const ScheduleSheet& sheet, int row, int column, F&& type) const;

    // The intervals of a working type that count on its day, as minutes from its midnight:
    // those whose end lies after their start, an end of 24H00 being minute 1440.
    struct Spans {
        int count = 0;
        std::array<std::pair<int, int>, 2> span{};  // [start, end)
    };
    // ConversionError when the type's times are no hour texts; no spans for kNoType and 0.
    const Spans& TypeSpans(int type) const;

    bool departmentView() const { return departmentView_; }
    int columnsPerDay() const { return columnsPerDay_; }

private:
    struct TypeHours {
        int sumMinutes = 0;         // the two intervals added, as one entry gives
        std::bitset<1440> minutes;  // the minutes its intervals cover, for the union
        Spans spans;                // the same minutes as intervals
        std::string error;          // the conversion error its times give, if any
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const
        {
            return std::hash<std::string_view>{}(s);
        }
    };
    const TypeHours& Hours(int type) const;

    std::unordered_map<std::string, int, Hash, std::equal_to<>> codes_;
    std::vector<std::string> departments_;
    std::vector<TypeHours> types_;
    bool departmentView_ = false;
    int columnsPerDay_ = 1;
};

template <typename F>
void CellResolver::ForEachDayType(const ScheduleSheet& sheet, int row, int column, F&& type) const
{
    if (departmentView_) {
        // Each sub-column is one entry as it stands: neither split nor resolved.
        const int end = std::min(column + columnsPerDay_, sheet.colCount());
        for (int c = column; c < end; ++c)
            type(TypeOfCode(sheet.Text(c, row)));
        return;
    }
    ForEachCellLine(sheet.Text(column, row), [&](std::string_view line) {
        const int resolved = ResolveLine(line);
        if (resolved != kNoType)
            type(resolved);
    });
}

} // namespace shiftex
