#pragma once

#include <string>
#include <vector>

namespace shiftex {

// A schedule's holiday lines: its region in brackets, then per year a year marker followed by
// that year's template, month headers such as "[04]" with "dd:name" entries below them.
inline constexpr const char* kYearMarker = "[**YEAR**]:";

// A holiday of a schedule's holiday lines.
struct HolidayEntry {
    std::string year;
    std::string month;  // two digits
    std::string day;    // two digits
    std::string name;
};
std::vector<HolidayEntry> HolidaysOfLines(const std::vector<std::string>& holidayLines);
// The region of holiday lines: the first line without its brackets.
std::string RegionOfLines(const std::vector<std::string>& holidayLines);

} // namespace shiftex
