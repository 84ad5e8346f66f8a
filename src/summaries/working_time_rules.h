#pragma once

#include "model/result.h"
#include "summaries/cell_reading.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// The limits of working-time law and agreements the sheet is checked against. Times are in
// minutes; the defaults are those of the European working time directive.
struct WorkingTimeLimits {
    bool enabled = true;
    int minimumRest = 11 * 60;       // between two duties
    int longestBreak = 3 * 60;       // a shorter pause keeps one duty going
    int weeklyRest = 35 * 60;        // the longest free stretch in every seven days
    int maximumWeekHours = 48 * 60;  // worked per ISO week
    int maximumDays = 6;             // working days in a row
    int maximumNights = 4;           // nights in a row

    friend bool operator==(const WorkingTimeLimits&, const WorkingTimeLimits&) = default;
};

// The six limits by the names they are kept under in the settings and given on the command
// line; `hours` limits are written as hours, the others as whole counts.
struct WorkingTimeLimitField {
    const char* setting;
    const char* option;
    int WorkingTimeLimits::*limit;
    bool hours;
};

inline constexpr WorkingTimeLimitField kWorkingTimeLimitFields[] = {
    {"MinimumRest", "--min-rest", &WorkingTimeLimits::minimumRest, true},
    {"LongestBreak", "--max-break", &WorkingTimeLimits::longestBreak, true},
    {"WeeklyRest", "--weekly-rest", &WorkingTimeLimits::weeklyRest, true},
    {"MaximumWeekHours", "--max-week-hours", &WorkingTimeLimits::maximumWeekHours, true},
    {"MaximumDays", "--max-days", &WorkingTimeLimits::maximumDays, false},
    {"MaximumNights", "--max-nights", &WorkingTimeLimits::maximumNights, false},
};

// Limits as people type them: hours as a decimal number ("11", "7.5") of at most a week, and
// counts of days as a whole number of at most 1000. Nullopt for anything else.
std::optional<int> ParseLimitHours(std::string_view text);
std::optional<int> ParseLimitCount(std::string_view text);
// Minutes as the hour number ParseLimitHours reads back: "11", "7.5", "0.25".
std::string LimitHoursText(int minutes);

// In the order of their names, so that sorting by either agrees.
enum class WorkingTimeRule { Nights, Rest, WeekHours, WeeklyRest, WorkDays };
// "nights", "rest", "week-hours", "weekly-rest", "work-days".
std::string_view RuleName(WorkingTimeRule rule);
// "Nights in a row", "Rest between duties", ...: the rule as the list of warnings names it.
std::string_view RuleTitle(WorkingTimeRule rule);

// Wall-clock time of the sheet's dates, to the minute.
using LocalMinutes = std::chrono::local_time<std::chrono::minutes>;
// "2027-01-04T22:00".
std::string IsoLocalTime(LocalMinutes time);
// "Mon 4 Jan 22:00".
std::string SpokenTime(LocalMinutes time);

// One broken limit of one employee row.
struct WorkingTimeFinding {
    int row = 0;
    std::string employee;
    WorkingTimeRule rule = WorkingTimeRule::Rest;
    LocalMinutes from{};
    LocalMinutes to{};
    // Minutes for rest, weekly-rest and week-hours; the number of days or nights otherwise.
    long long value = 0;
    // The day columns (2 the first) of the duties or days concerned; their cells that hold
    // worked time carry the finding.
    int firstDay = 0;
    int lastDay = 0;
    // The same days as sheet columns: the first one's first and the last one's last column.
    int firstColumn = 0;
    int lastColumn = 0;

    friend bool operator==(const WorkingTimeFinding&, const WorkingTimeFinding&) = default;
};

// The value of a finding as people read it: "9H00" for times, "5" for counts.
std::string FindingValueText(const WorkingTimeFinding& finding);

// The finding in words, as a cell's hint and the list of warnings give it:
// "Rest of 9H00 between Mon 4 Jan 22:00 and Tue 5 Jan 07:00 (minimum 11H00)".
std::string DescribeFinding(const WorkingTimeFinding& finding, const WorkingTimeLimits& limits);

// The rules over a document's sheet. Built once for a layout of the sheet (its dates and working
// types); rows are checked on their own, so that an edit recomputes only its row.
class WorkingTimeCheck {
public:
    // ConversionError when a day column has no date.
    WorkingTimeCheck(const ScheduleDocument& document, const WorkingTimeLimits& limits);

    // The findings of employee row `row`, sorted by rule and start; none for a header row or
    // while the limits are off. ConversionError for a working type time met that is no hour
    // text.
    std::vector<WorkingTimeFinding> Row(int row) const;
    // Every row's, top to bottom.
    std::vector<WorkingTimeFinding> All() const;
    // Whether sheet cell (col, row) holds a line whose working type has time that counts.
    // ConversionError as Row.
    bool CellWorks(int col, int row) const;

private:
    struct Interval {
        long long start = 0;  // minutes since the epoch of the local calendar
        long long end = 0;
        int firstDay = 0;     // day indexes, 0 the first day column
        int lastDay = 0;
    };
    int DayOfNumber(long long dayNumber) const;
    // The row's duties in time order, with each day's worked minutes as the summary counts
    // them and whether any interval of that day counts.
    void CollectDuties(int row, std::vector<Interval>& duties, std::vector<int>& dayMinutes,
                       std::vector<bool>& worked) const;
    void CheckRest(const std::vector<Interval>& duties, std::vector<WorkingTimeFinding>& out) const;
    void CheckWeeklyRest(const std::vector<Interval>& duties,
                         std::vector<WorkingTimeFinding>& out) const;
    void CheckWeekHours(const std::vector<int>& dayMinutes,
                        std::vector<WorkingTimeFinding>& out) const;
    void CheckWorkDays(const std::vector<bool>& worked, std::vector<WorkingTimeFinding>& out) const;
    void CheckNights(const std::vector<Interval>& duties,
                     std::vector<WorkingTimeFinding>& out) const;
    WorkingTimeFinding Make(WorkingTimeRule rule, long long from, long long to, long long value,
                            int firstDay, int lastDay) const;

    const ScheduleDocument& document_;
    WorkingTimeLimits limits_;
    CellResolver resolver_;
    std::vector<long long> dayNumbers_;  // per day index: days since the epoch
    std::vector<long long> weekStarts_;  // per day index: the day number of its ISO week's Monday
};

// The whole sheet's findings, sorted by row, rule and start; an error for a date or working type
// time that does not convert.
Result<std::vector<WorkingTimeFinding>> CheckWorkingTime(const ScheduleDocument& document,
                                                         const WorkingTimeLimits& limits);

} // namespace shiftex
