#include "reports/calendar_events.h"

#include "summaries/cell_reading.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>

namespace shiftex {

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr std::size_t kMaxStemBytes = 120;

// FNV-1a: the same value on every machine and in every run, unlike std::hash.
constexpr std::uint64_t kHashStart = 14695981039346656037ULL;

std::uint64_t Hash(std::uint64_t hash, std::string_view text)
{
    for (const char ch : text) {
        hash ^= static_cast<unsigned char>(ch);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// "20270105" for 5 January 2027.
std::array<char, 9> DateDigits(const Date& date)
{
    std::array<char, 9> text{};
    const auto put = [&](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[static_cast<std::size_t>(at + i)] = static_cast<char>('0' + value % 10);
    };
    put(0, std::abs(date.year) % 10000, 4);
    put(4, std::abs(date.month) % 100, 2);
    put(6, std::abs(date.day) % 100, 2);
    return text;
}

// The UID of an event: the hash of the employee's name and place among those of the same name,
// the day, and the line and span of the cell it comes from.
std::string EventUid(std::uint64_t employeeHash, const Date& date, int line, int span)
{
    const std::array<char, 9> day = DateDigits(date);
    char numbers[32];
    const int length = std::snprintf(numbers, sizeof numbers, "\x1f%d\x1f%d", line, span);
    std::uint64_t hash = Hash(employeeHash, "\x1f");
    hash = Hash(hash, std::string_view(day.data(), 8));
    hash = Hash(hash, std::string_view(numbers, static_cast<std::size_t>(length)));
    char uid[48];
    std::snprintf(uid, sizeof uid, "%s-%016llx@shiftex", day.data(),
                  static_cast<unsigned long long>(hash));
    return uid;
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
// ConversionError for a time that is no hour text.
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
        : document_(document), dates_(dates), resolver_(document)
    {
        const WorkingTypeList& types = document.workingTypes;
        spans_.resize(static_cast<std::size_t>(types.Count()));
        errors_.resize(spans_.size());
        summaries_.resize(spans_.size());
        for (int i = 1; i < types.Count(); ++i) {
            const WorkingType& type = types.At(i);
            summaries_[static_cast<std::size_t>(i)] =
                type.fields[field::Information].empty()
                    ? type.code()
                    : type.code() + " - " + type.fields[field::Information];
            // A type whose times do not convert stops the calendars only when a cell uses it.
            try {
                spans_[static_cast<std::size_t>(i)] = SpansOf(types.At(i));
            } catch (const ConversionError& error) {
                errors_[static_cast<std::size_t>(i)] = error.what();
            }
        }
    }

    EmployeeCalendar Build(int row, int occurrence)
    {
        const ScheduleSheet& sheet = document_.sheet;
        EmployeeCalendar calendar;
        calendar.employee = sheet.Text(1, row);
        employeeHash_ = Hash(Hash(Hash(kHashStart, calendar.employee), "\x1f"),
                             std::to_string(occurrence));
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
                    AddLine(date, text, header, line++, stillOpen);
            }
            open_ = std::move(stillOpen);
        }
        return calendar;
    }

private:
    void AddLine(const Date& date, const std::string& text, const std::string& header,
                 int line, std::vector<std::size_t>& stillOpen)
    {
        const int type = resolver_.ResolveLine(text);
        if (type <= 0)
            return;
        const auto index = static_cast<std::size_t>(type);
        if (!errors_[index].empty())
            throw ConversionError(errors_[index]);
        const std::size_t separator = text.find(": ");
        const std::string category =
            separator == std::string::npos ? header : text.substr(0, separator);
        const WorkingType& workingType = document_.workingTypes.At(type);
        const std::string& code = workingType.code();
        for (const auto& [number, span] : spans_[index]) {
            if (span.start == 0 && Extend(date, code, category, span.end, stillOpen))
                continue;
            CalendarEvent event;
            event.uid = EventUid(employeeHash_, date, line, number);
            event.startDate = date;
            event.startMinute = span.start;
            SetEnd(event, date, span);
            event.code = code;
            event.summary = summaries_[index];
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
    CellResolver resolver_;
    std::vector<std::vector<std::pair<int, Span>>> spans_;  // per working type
    std::vector<std::string> errors_;                        // per working type
    std::vector<std::string> summaries_;                     // per working type
    std::uint64_t employeeHash_ = kHashStart;
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
