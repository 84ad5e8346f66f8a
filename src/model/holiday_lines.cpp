#include "model/holiday_lines.h"

#include <string_view>

namespace shiftex {

std::vector<HolidayEntry> HolidaysOfLines(const std::vector<std::string>& holidayLines)
{
    std::vector<HolidayEntry> entries;
    std::string year;
    std::string month;
    const std::size_t markerLength = std::string_view(kYearMarker).size();
    for (std::size_t i = 1; i < holidayLines.size(); ++i) {
        const std::string& line = holidayLines[i];
        if (line.rfind("[*", 0) == 0) {
            // A marker too short to hold a year starts a block whose entries belong nowhere.
            year = line.size() >= markerLength + 4 ? line.substr(markerLength, 4) : "";
        } else if (line.starts_with('[')) {
            month = line.size() >= 3 ? line.substr(1, 2) : "";
        } else if (line.size() >= 2 && !year.empty() && !month.empty()) {
            entries.push_back({year, month, line.substr(0, 2),
                               line.size() > 3 ? line.substr(3) : ""});
        }
    }
    return entries;
}

std::string RegionOfLines(const std::vector<std::string>& holidayLines)
{
    if (holidayLines.empty())
        return {};
    std::string region = holidayLines.front();
    if (!region.empty() && region.front() == '[')
        region.erase(0, 1);
    if (!region.empty() && region.back() == ']')
        region.pop_back();
    return region;
}

} // namespace shiftex
