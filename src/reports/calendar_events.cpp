#include "reports/calendar_events.h"

#include "summaries/cell_reading.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>

namespace shiftex {

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr std::size_t kMaxStemBytes = 120;

// FNV-1a: the same value on every machine and in every run, unlike std::hash.
std::uint64_t StableHash(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char ch : text) {
        hash ^= static_cast<unsigned char>(ch);
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string DateDigits(const Date& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year % 10000, date.month % 100,
                  date.day % 100);
    return text;
}

std::string EventUid(const std::string& employee, int occurrence, const Date& date, int line,
                     int span)
{
    const std::string key = employee + '\x1f' + std::to_string(occurrence) + '\x1f' +
                            DateDigits(date) + '\x1f' + std::to_string(line) + '\x1f' +
                            std::to_string(span);
    char hash[24];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(StableHash(key)));
    return DateDigits(date) + "-" + hash + "@shiftex";
}

std::string Lower(std::string text)
{
    for (char& ch : text)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return text;
}

struct Span {
    int start = 0;
    int end = 0;
};

// The two spans of a working type, each clipped to the day; empty spans are left out.
std::vector<std::pair<int, Span>> SpansOf(const WorkingType& type)
{
    std::vector<std::pair<int, Span>> spans;
    const std::pair<int, int> fields[] = {{field::From1, field::Til1},
                                          {field::From2, field::Til2}};
    int number = 0;
    for (const auto& [from, til] : fields) {
        ++number;
        const int start = std::clamp(HourTextToMinutes(type.fields[from]), 0, kMinutesPerDay);
        const int end = std::clamp(HourTextToMinutes(type.fields[til]), 0, kMinutesPerDay);
        if (start == end || start == kMinutesPerDay)
            continue;
        spans.push_back({number, {start, end}});
    }
    return spans;
}

class CalendarBuilder {
public:
    CalendarBuilder(const ScheduleDocument& document, const std::vector<Date>& dates)
        : document_(document), dates_(dates)
    {
    }

    EmployeeCalendar Build(int row, int occurrence)
    {
        const ScheduleSheet& sheet = document_.sheet;
        EmployeeCalendar calendar;
        calendar.employee = sheet.Text(1, row);
        calendar.row = row;
        events_ = &calendar.events;
        open_.clear();
        const bool departments = InDepartmentView(document_);
        for (std::size_t d = 0; d < dates_.size(); ++d) {
            const Date& date = dates_[d];
            std::vector<std::size_t> stillOpen;
            int line = 0;
            const int day = 2 + static_cast<int>(d);
            for (int s = FirstSubColumn(document_, day); s <= LastSubColumn(document_, day);
                 ++s) {
                const std::string header = departments ? sheet.Text(s, 3) : std::string();
                for (const std::string& text : SplitCellLines(sheet.Text(s, row)))
                    AddLine(calendar.employee, occurrence, date, text, header, line++,
                            stillOpen);
            }
            open_ = std::move(stillOpen);
        }
        return calendar;
    }

private:
    void AddLine(const std::string& employee, int occurrence, const Date& date,
                 const std::string& text, const std::string& header, int line,
                 std::vector<std::size_t>& stillOpen)
    {
        const std::string code = ResolveCellLine(document_, text);
        const int type = code.empty() || code == kNoWorkingType
                             ? -1
                             : document_.workingTypes.IndexOfCode(code);
        if (type <= 0)
            return;
        const std::size_t separator = text.find(": ");
        const std::string category =
            separator == std::string::npos ? header : text.substr(0, separator);
        const WorkingType& workingType = document_.workingTypes.At(type);
        for (const auto& [number, span] : SpansOf(workingType)) {
            if (span.start == 0 && Extend(date, code, category, span.end, stillOpen))
                continue;
            CalendarEvent event;
            event.uid = EventUid(employee, occurrence, date, line, number);
            event.startDate = date;
            event.startMinute = span.start;
            SetEnd(event, date, span);
            event.code = code;
            event.summary = code;
            if (const std::string& information = workingType.fields[field::Information];
                !information.empty())
                event.summary += " - " + information;
            event.category = category;
            events_->push_back(std::move(event));
            if (EndsAtMidnight(events_->back(), date))
                stillOpen.push_back(events_->size() - 1);
        }
    }

    // A span from midnight continues the same code's event that ended there.
    bool Extend(const Date& date, const std::string& code, const std::string& category, int end,
                std::vector<std::size_t>& stillOpen)
    {
        for (auto it = open_.begin(); it != open_.end(); ++it) {
            CalendarEvent& event = (*events_)[*it];
            if (event.endDate != date || event.endMinute != 0 || event.code != code ||
                event.category != category)
                continue;
            SetEnd(event, date, {0, end});
            if (EndsAtMidnight(event, date))
                stillOpen.push_back(*it);
            open_.erase(it);
            return true;
        }
        return false;
    }

    static void SetEnd(CalendarEvent& event, const Date& date, const Span& span)
    {
        if (span.end > span.start && span.end < kMinutesPerDay) {
            event.endDate = date;
            event.endMinute = span.end;
        } else {
            // Up to midnight, or a span whose end lies before its start: it ends the next day.
            event.endDate = NextDay(date);
            event.endMinute = span.end % kMinutesPerDay;
        }
    }

    static bool EndsAtMidnight(const CalendarEvent& event, const Date& date)
    {
        return event.endMinute == 0 && event.endDate == NextDay(date);
    }

    const ScheduleDocument& document_;
    const std::vector<Date>& dates_;
    std::vector<CalendarEvent>* events_ = nullptr;
    std::vector<std::size_t> open_;  // events of the previous day that end at midnight
};

} // namespace

Date NextDay(const Date& date)
{
    Date next = date;
    if (++next.day > DaysInMonth(next.month, next.year)) {
        next.day = 1;
        if (++next.month > 12) {
            next.month = 1;
            ++next.year;
        }
    }
    return next;
}

std::string SafeFileStem(const std::string& name)
{
    std::string stem;
    for (const char ch : name) {
        const auto u = static_cast<unsigned char>(ch);
        const bool refused = u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(ch) !=
                                                          std::string_view::npos;
        stem += refused ? '_' : ch;
    }
    const auto keep = [](char ch) { return ch != '.' && ch != ' '; };
    stem.erase(stem.begin(), std::find_if(stem.begin(), stem.end(), keep));
    stem.erase(std::find_if(stem.rbegin(), stem.rend(), keep).base(), stem.end());
    if (stem.size() > kMaxStemBytes) {
        std::size_t cut = kMaxStemBytes;
        // Never inside a UTF-8 sequence.
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.resize(cut);
    }
    return stem.empty() ? std::string("Employee") : stem;
}

Result<std::vector<EmployeeCalendar>> ScheduleCalendars(const ScheduleDocument& document,
                                                        const std::string& onlyEmployee)
{
    const ScheduleSheet& sheet = document.sheet;
    std::vector<EmployeeCalendar> calendars;
    try {
        std::vector<Date> dates;
        const int days = DayColumnCount(document);
        for (int day = 2; day < 2 + days; ++day)
            dates.push_back(document.DayOfColumn(FirstSubColumn(document, day)));
        CalendarBuilder builder(document, dates);
        std::map<std::string, int> occurrences;
        std::set<std::string> usedFiles;
        for (int r = sheet.fixedRows; r < sheet.rowCount() && sheet.colCount() > 1; ++r) {
            const std::string& name = sheet.Text(1, r);
            const int occurrence = occurrences[name]++;
            if (!onlyEmployee.empty() && name != onlyEmployee)
                continue;
            EmployeeCalendar calendar = builder.Build(r, occurrence);
            // Names that differ only in letter case would meet in one file on some systems.
            const std::string stem = SafeFileStem(name);
            calendar.fileName = stem + ".ics";
            for (int n = 2; !usedFiles.insert(Lower(calendar.fileName)).second; ++n)
                calendar.fileName = stem + " (" + std::to_string(n) + ").ics";
            calendars.push_back(std::move(calendar));
        }
    } catch (const ConversionError& error) {
        return Fail(ErrorKind::Conversion, error.what());
    }
    return calendars;
}

} // namespace shiftex
