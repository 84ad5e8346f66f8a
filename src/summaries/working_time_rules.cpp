#include "summaries/working_time_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <tuple>

namespace shiftex {

namespace {

using std::chrono::days;
using std::chrono::minutes;

constexpr long long kMinutesPerDay = 24 * 60;
constexpr int kMaximumLimitHours = 7 * 24;
constexpr int kMaximumLimitCount = 1000;
// The night of a day: from its 22:00 to 06:00 of the next, and how much of it makes a duty a
// night duty.
constexpr long long kNightStart = 22 * 60;
constexpr long long kNightEnd = kMinutesPerDay + 6 * 60;
constexpr long long kNightShare = 3 * 60;

long long FloorDiv(long long a, long long b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

LocalMinutes AtMinute(long long minute) { return LocalMinutes{minutes{minute}}; }

// "9H00", "56H00": hours without leading zeros, as the messages of the rules write them.
std::string Duration(long long total)
{
    char text[64];
    std::snprintf(text, sizeof text, "%lldH%02lld", total / 60, total % 60);
    return text;
}

} // namespace

std::optional<int> ParseLimitHours(std::string_view text)
{
    double hours = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] =
        std::from_chars(text.data(), end, hours, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(hours) ||
        hours < 0 || hours > kMaximumLimitHours || text.front() == '-')
        return std::nullopt;
    return static_cast<int>(std::lround(hours * 60));
}

std::optional<int> ParseLimitCount(std::string_view text)
{
    int count = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, count);
    if (text.empty() || error != std::errc() || stop != end || count < 0 ||
        count > kMaximumLimitCount || text.front() == '-')
        return std::nullopt;
    return count;
}

std::string LimitHoursText(int total)
{
    std::string text = std::to_string(total / 60);
    if (total % 60 == 0)
        return text;
    char fraction[16];
    std::snprintf(fraction, sizeof fraction, "%.4g", (total % 60) / 60.0);
    return text + (fraction + 1);  // "0.5" without its 0
}

std::string_view RuleName(WorkingTimeRule rule)
{
    switch (rule) {
    case WorkingTimeRule::Nights:
        return "nights";
    case WorkingTimeRule::Rest:
        return "rest";
    case WorkingTimeRule::WeekHours:
        return "week-hours";
    case WorkingTimeRule::WeeklyRest:
        return "weekly-rest";
    case WorkingTimeRule::WorkDays:
        return "work-days";
    }
    return {};
}

std::string_view RuleTitle(WorkingTimeRule rule)
{
    switch (rule) {
    case WorkingTimeRule::Nights:
        return "Nights in a row";
    case WorkingTimeRule::Rest:
        return "Rest between duties";
    case WorkingTimeRule::WeekHours:
        return "Hours in a week";
    case WorkingTimeRule::WeeklyRest:
        return "Weekly rest";
    case WorkingTimeRule::WorkDays:
        return "Working days in a row";
    }
    return {};
}

std::string IsoLocalTime(LocalMinutes time)
{
    const auto day = std::chrono::floor<days>(time);
    const std::chrono::year_month_day date{day};
    const long long minute = (time - day).count();
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02lld:%02lld",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), minute / 60, minute % 60);
    return text;
}

std::string SpokenTime(LocalMinutes time)
{
    static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto day = std::chrono::floor<days>(time);
    const std::chrono::year_month_day date{day};
    const long long minute = (time - day).count();
    char text[64];
    std::snprintf(text, sizeof text, "%s %u %s %02lld:%02lld",
                  kWeekdays[std::chrono::weekday{day}.c_encoding()],
                  static_cast<unsigned>(date.day()),
                  kMonths[(static_cast<unsigned>(date.month()) + 11) % 12], minute / 60,
                  minute % 60);
    return text;
}

std::string FindingValueText(const WorkingTimeFinding& finding)
{
    switch (finding.rule) {
    case WorkingTimeRule::Rest:
    case WorkingTimeRule::WeeklyRest:
    case WorkingTimeRule::WeekHours:
        return Duration(finding.value);
    case WorkingTimeRule::WorkDays:
    case WorkingTimeRule::Nights:
        break;
    }
    return std::to_string(finding.value);
}

std::string DescribeFinding(const WorkingTimeFinding& finding, const WorkingTimeLimits& limits)
{
    const std::string between =
        " between " + SpokenTime(finding.from) + " and " + SpokenTime(finding.to);
    const std::string count = std::to_string(finding.value);
    switch (finding.rule) {
    case WorkingTimeRule::Rest:
        return "Rest of " + Duration(finding.value) + between + " (minimum " +
               Duration(limits.minimumRest) + ")";
    case WorkingTimeRule::WeeklyRest:
        return "Weekly rest of " + Duration(finding.value) + between + " (minimum " +
               Duration(limits.weeklyRest) + ")";
    case WorkingTimeRule::WeekHours:
        return Duration(finding.value) + " worked in the week" + between + " (maximum " +
               Duration(limits.maximumWeekHours) + ")";
    case WorkingTimeRule::WorkDays:
        return count + " working days in a row" + between + " (maximum " +
               std::to_string(limits.maximumDays) + ")";
    case WorkingTimeRule::Nights:
        return count + " nights in a row" + between + " (maximum " +
               std::to_string(limits.maximumNights) + ")";
    }
    return {};
}

WorkingTimeCheck::WorkingTimeCheck(const ScheduleDocument& document,
                                   const WorkingTimeLimits& limits)
    : document_(document), limits_(limits), resolver_(document)
{
    if (!limits_.enabled)
        return;
    const int dayColumns = DayColumnCount(document);
    dayNumbers_.reserve(static_cast<std::size_t>(dayColumns));
    weekStarts_.reserve(static_cast<std::size_t>(dayColumns));
    for (int day = 2; day < 2 + dayColumns; ++day) {
        const Date date = document.DayOfColumn(FirstSubColumn(document, day));
        const std::chrono::sys_days civil{std::chrono::year{date.year} /
                                          static_cast<int>(date.month) / date.day};
        const long long number = civil.time_since_epoch().count();
        dayNumbers_.push_back(number);
        weekStarts_.push_back(number - (std::chrono::weekday{civil}.iso_encoding() - 1));
    }
}

int WorkingTimeCheck::DayOfNumber(long long dayNumber) const
{
    // The days of a sheet follow each other; anything else finds no day.
    if (dayNumbers_.empty())
        return -1;
    const long long index = dayNumber - dayNumbers_.front();
    if (index < 0 || index >= static_cast<long long>(dayNumbers_.size()) ||
        dayNumbers_[static_cast<std::size_t>(index)] != dayNumber)
        return -1;
    return static_cast<int>(index);
}

void WorkingTimeCheck::CollectDuties(int row, std::vector<Interval>& duties,
                                     std::vector<int>& dayMinutes,
                                     std::vector<bool>& worked) const
{
    const ScheduleSheet& sheet = document_.sheet;
    const int dayCount = static_cast<int>(dayNumbers_.size());
    dayMinutes.assign(dayNumbers_.size(), 0);
    worked.assign(dayNumbers_.size(), false);
    std::vector<Interval> intervals;
    intervals.reserve(dayNumbers_.size() * 2);
    std::vector<int> types;
    const auto byStart = [](const Interval& a, const Interval& b) { return a.start < b.start; };
    for (int d = 0; d < dayCount; ++d) {
        types.clear();
        const int column = 2 + d * resolver_.columnsPerDay();
        resolver_.ForEachDayType(sheet, row, column, [&](int type) { types.push_back(type); });
        if (types.empty())
            continue;
        const auto index = static_cast<std::size_t>(d);
        dayMinutes[index] =
            resolver_.DayMinutesOfTypes(types.data(), static_cast<int>(types.size()));
        const long long midnight = dayNumbers_[index] * kMinutesPerDay;
        const std::size_t first = intervals.size();
        for (const int type : types) {
            const CellResolver::Spans& spans = resolver_.TypeSpans(type);
            for (int s = 0; s < spans.count; ++s) {
                const auto [start, end] = spans.span[static_cast<std::size_t>(s)];
                intervals.push_back({midnight + start, midnight + end, d, d});
            }
        }
        worked[index] = intervals.size() > first;
        std::sort(intervals.begin() + static_cast<std::ptrdiff_t>(first), intervals.end(),
                  byStart);
    }
    if (!std::is_sorted(intervals.begin(), intervals.end(), byStart))
        std::stable_sort(intervals.begin(), intervals.end(), byStart);

    duties.clear();
    for (const Interval& interval : intervals) {
        if (!duties.empty()) {
            Interval& duty = duties.back();
            const long long gap = interval.start - duty.end;
            if (gap <= 0 || gap < limits_.longestBreak) {
                duty.end = std::max(duty.end, interval.end);
                duty.firstDay = std::min(duty.firstDay, interval.firstDay);
                duty.lastDay = std::max(duty.lastDay, interval.lastDay);
                continue;
            }
        }
        duties.push_back(interval);
    }
}

WorkingTimeFinding WorkingTimeCheck::Make(WorkingTimeRule rule, long long from, long long to,
                                          long long value, int firstDay, int lastDay) const
{
    WorkingTimeFinding finding;
    finding.rule = rule;
    finding.from = AtMinute(from);
    finding.to = AtMinute(to);
    finding.value = value;
    finding.firstDay = 2 + firstDay;
    finding.lastDay = 2 + lastDay;
    return finding;
}

void WorkingTimeCheck::CheckRest(const std::vector<Interval>& duties,
                                 std::vector<WorkingTimeFinding>& out) const
{
    for (std::size_t i = 1; i < duties.size(); ++i) {
        const Interval& before = duties[i - 1];
        const Interval& after = duties[i];
        const long long rest = after.start - before.end;
        if (rest < limits_.minimumRest)
            out.push_back(Make(WorkingTimeRule::Rest, before.end, after.start, rest,
                               before.firstDay, after.lastDay));
    }
}

void WorkingTimeCheck::CheckWeeklyRest(const std::vector<Interval>& duties,
                                       std::vector<WorkingTimeFinding>& out) const
{
    constexpr int kWindow = 7;
    const int windows = static_cast<int>(dayNumbers_.size()) - kWindow + 1;
    const auto windowStart = [&](int w) {
        return dayNumbers_[static_cast<std::size_t>(w)] * kMinutesPerDay;
    };
    const auto windowEnd = [&](int w) {
        return (dayNumbers_[static_cast<std::size_t>(w + kWindow - 1)] + 1) * kMinutesPerDay;
    };
    int failingFrom = -1;
    long long smallest = 0;
    const auto close = [&](int lastFailing) {
        out.push_back(Make(WorkingTimeRule::WeeklyRest, windowStart(failingFrom),
                           windowEnd(lastFailing), smallest, failingFrom,
                           lastFailing + kWindow - 1));
        failingFrom = -1;
    };
    // The free stretches between the duties, bounded by the sheet's edges only: a rest that
    // reaches over a window's edge counts whole for it, so that a free weekend serves both the
    // week before and the week after, as planners count it.
    std::vector<std::pair<long long, long long>> free;
    if (windows > 0) {
        long long cursor = dayNumbers_.front() * kMinutesPerDay;
        for (const Interval& duty : duties) {
            if (duty.start > cursor)
                free.emplace_back(cursor, duty.start);
            cursor = std::max(cursor, duty.end);
        }
        const long long sheetEnd = (dayNumbers_.back() + 1) * kMinutesPerDay;
        if (sheetEnd > cursor)
            free.emplace_back(cursor, sheetEnd);
    }
    for (int w = 0; w < windows; ++w) {
        const long long start = windowStart(w);
        const long long end = windowEnd(w);
        // The stretches are disjoint and in order, so their ends are too.
        auto stretch = std::partition_point(free.begin(), free.end(),
                                            [&](const auto& f) { return f.second <= start; });
        long long longest = 0;
        for (; stretch != free.end() && stretch->first < end; ++stretch)
            longest = std::max(longest, stretch->second - stretch->first);
        if (longest < limits_.weeklyRest) {
            smallest = failingFrom < 0 ? longest : std::min(smallest, longest);
            if (failingFrom < 0)
                failingFrom = w;
        } else if (failingFrom >= 0) {
            close(w - 1);
        }
    }
    if (failingFrom >= 0)
        close(windows - 1);
}

void WorkingTimeCheck::CheckWeekHours(const std::vector<int>& dayMinutes,
                                      std::vector<WorkingTimeFinding>& out) const
{
    const std::size_t dayCount = dayNumbers_.size();
    for (std::size_t first = 0; first < dayCount;) {
        std::size_t last = first;
        long long total = dayMinutes[first];
        while (last + 1 < dayCount && weekStarts_[last + 1] == weekStarts_[first])
            total += dayMinutes[++last];
        if (total > limits_.maximumWeekHours)
            out.push_back(Make(WorkingTimeRule::WeekHours, dayNumbers_[first] * kMinutesPerDay,
                               (dayNumbers_[last] + 1) * kMinutesPerDay, total,
                               static_cast<int>(first), static_cast<int>(last)));
        first = last + 1;
    }
}

void WorkingTimeCheck::CheckWorkDays(const std::vector<bool>& worked,
                                     std::vector<WorkingTimeFinding>& out) const
{
    const std::size_t dayCount = dayNumbers_.size();
    for (std::size_t first = 0; first < dayCount;) {
        if (!worked[first]) {
            ++first;
            continue;
        }
        std::size_t last = first;
        while (last + 1 < dayCount && worked[last + 1] &&
               dayNumbers_[last + 1] == dayNumbers_[last] + 1)
            ++last;
        const auto run = static_cast<long long>(last - first + 1);
        if (run > limits_.maximumDays)
            out.push_back(Make(WorkingTimeRule::WorkDays, dayNumbers_[first] * kMinutesPerDay,
                               (dayNumbers_[last] + 1) * kMinutesPerDay, run,
                               static_cast<int>(first), static_cast<int>(last)));
        first = last + 1;
    }
}

void WorkingTimeCheck::CheckNights(const std::vector<Interval>& duties,
                                   std::vector<WorkingTimeFinding>& out) const
{
    // A run of nights: consecutive days whose night a duty covers for long enough.
    long long lastNight = 0;
    long long nights = 0;
    const Interval* firstDuty = nullptr;
    const Interval* lastDuty = nullptr;
    const auto close = [&] {
        if (nights > limits_.maximumNights)
            out.push_back(Make(WorkingTimeRule::Nights, firstDuty->start, lastDuty->end, nights,
                               firstDuty->firstDay, lastDuty->lastDay));
        nights = 0;
    };
    for (const Interval& duty : duties) {
        const long long fromDay = FloorDiv(duty.start, kMinutesPerDay) - 1;
        const long long toDay = FloorDiv(duty.end - 1, kMinutesPerDay);
        for (long long day = fromDay; day <= toDay; ++day) {
            const long long midnight = day * kMinutesPerDay;
            const long long overlap = std::min(duty.end, midnight + kNightEnd) -
                                      std::max(duty.start, midnight + kNightStart);
            // Nights of days outside the sheet are beyond its edge.
            if (overlap < kNightShare || DayOfNumber(day) < 0)
                continue;
            if (nights > 0 && day == lastNight) {
                lastDuty = &duty;
                continue;
            }
            if (nights > 0 && day != lastNight + 1)
                close();
            if (nights == 0)
                firstDuty = &duty;
            lastDuty = &duty;
            lastNight = day;
            ++nights;
        }
    }
    if (nights > 0)
        close();
}

std::vector<WorkingTimeFinding> WorkingTimeCheck::Row(int row) const
{
    std::vector<WorkingTimeFinding> findings;
    const ScheduleSheet& sheet = document_.sheet;
    if (!limits_.enabled || row < sheet.fixedRows || row >= sheet.rowCount() ||
        sheet.colCount() < 2)
        return findings;
    std::vector<Interval> duties;
    std::vector<int> dayMinutes;
    std::vector<bool> worked;
    CollectDuties(row, duties, dayMinutes, worked);
    CheckNights(duties, findings);
    CheckRest(duties, findings);
    CheckWeekHours(dayMinutes, findings);
    CheckWeeklyRest(duties, findings);
    CheckWorkDays(worked, findings);
    std::stable_sort(findings.begin(), findings.end(), [](const auto& a, const auto& b) {
        return std::tie(a.rule, a.from) < std::tie(b.rule, b.from);
    });
    for (WorkingTimeFinding& finding : findings) {
        finding.row = row;
        finding.employee = sheet.Text(1, row);
        finding.firstColumn = FirstSubColumn(document_, finding.firstDay);
        finding.lastColumn = LastSubColumn(document_, finding.lastDay);
    }
    return findings;
}

std::vector<WorkingTimeFinding> WorkingTimeCheck::All() const
{
    std::vector<WorkingTimeFinding> findings;
    for (int r = document_.sheet.fixedRows; r < document_.sheet.rowCount(); ++r) {
        std::vector<WorkingTimeFinding> row = Row(r);
        findings.insert(findings.end(), std::make_move_iterator(row.begin()),
                        std::make_move_iterator(row.end()));
    }
    return findings;
}

bool WorkingTimeCheck::CellWorks(int col, int row) const
{
    const std::string& text = document_.sheet.Text(col, row);
    if (resolver_.departmentView())
        return resolver_.TypeSpans(resolver_.TypeOfCode(text)).count > 0;
    bool works = false;
    ForEachCellLine(text, [&](std::string_view line) {
        works = works || resolver_.TypeSpans(resolver_.ResolveLine(line)).count > 0;
    });
    return works;
}

Result<std::vector<WorkingTimeFinding>> CheckWorkingTime(const ScheduleDocument& document,
                                                         const WorkingTimeLimits& limits)
{
    try {
        return WorkingTimeCheck(document, limits).All();
    } catch (const ConversionError& error) {
        return Fail(ErrorKind::Conversion, error.what());
    }
}

} // namespace shiftex
