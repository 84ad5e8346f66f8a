#include "model/text_helpers.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <limits>
#include <string>

namespace shiftex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

[[noreturn]] void ThrowNotInteger(std::string_view text)
{
    throw ConversionError(Quoted(text) + " is not a valid integer value");
}

// Reads an optionally signed decimal number after leading blanks. The whole rest of the text must
// be digits, and the value must fit in [minValue, maxValue].
bool ReadDecimal(std::string_view text, long long minValue, long long maxValue, long long& value)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    // from_chars takes a minus sign but no plus sign.
    if (i < text.size() && text[i] == '+') {
        ++i;
        if (i < text.size() && text[i] == '-')
            return false;
    }
    const char* const last = text.data() + text.size();
    long long result = 0;
    const auto [end, error] = std::from_chars(text.data() + i, last, result);
    if (error != std::errc() || end != last || result < minValue || result > maxValue)
        return false;
    value = result;
    return true;
}

struct HourParts {
    long long hours = 0;
    long long minutes = 0;
};

bool IsEmptyHourText(std::string_view text) { return text.substr(0, 5) == kEmptyHourText; }

// A number part of an hour text; missing characters are as wrong as letters.
int HourNumber(std::string_view hourText, std::size_t pos, std::size_t count)
{
    if (pos + count > hourText.size()) {
        throw ConversionError(Quoted(hourText) + " is not a valid hour text");
    }
    return ParseInt(hourText.substr(pos, count));
}

// Hours in characters 1-2, minutes in characters 4-5; the empty hour text is midnight.
HourParts ReadFixedHourText(std::string_view hourText)
{
    if (IsEmptyHourText(hourText))
        return {};
    return {HourNumber(hourText, 0, 2), HourNumber(hourText, 3, 2)};
}

// A total carries up to five hour digits: the first "H" at positions 3 to 6 ends the hours.
HourParts ReadHourTotal(std::string_view total)
{
    if (IsEmptyHourText(total))
        return {};
    for (std::size_t pos = 2; pos <= 5; ++pos) {
        if (pos < total.size() && total[pos] == 'H')
            return {HourNumber(total, 0, pos), HourNumber(total, pos + 1, 2)};
    }
    return {};
}

std::string FormatParts(long long hours, long long minutes)
{
    auto part = [](long long value) {
        std::string text = std::to_string(value);
        if (value >= 0 && value < 10)
            text.insert(0, 1, '0');
        return text;
    };
    return part(hours) + "H" + part(minutes);
}

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

std::chrono::year_month_day CivilDate(int year, int month, int day)
{
    return {std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
            std::chrono::day(static_cast<unsigned>(day))};
}

int DaysInMonthUnchecked(int month, int year)
{
    const std::chrono::year_month_day_last last(
        std::chrono::year(year),
        std::chrono::month_day_last(std::chrono::month(static_cast<unsigned>(month))));
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

void CheckDate(int day, int month, int year)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonthUnchecked(month, year)) {
        throw ConversionError(std::to_string(day) + "-" + std::to_string(month) + "-" +
                              std::to_string(year) + " is not a valid date");
    }
}

struct NamedColour {
    std::string_view name;
    Colour value;
};

constexpr std::array<NamedColour, 52> kColourNames = {{
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clScrollBar", 0x80000000},
    {"clBackground", 0x80000001},
    {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003},
    {"clMenu", 0x80000004},
    {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006},
    {"clMenuText", 0x80000007},
    {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009},
    {"clActiveBorder", 0x8000000A},
    {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C},
    {"clHighlight", 0x8000000D},
    {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F},
    {"clBtnShadow", 0x80000010},
    {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012},
    {"clInactiveCaptionText", 0x80000013},
    {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015},
    {"cl3DLight", 0x80000016},
    {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018},
    {"clHotLight", 0x8000001A},
    {"clGradientActiveCaption", 0x8000001B},
    {"clGradientInactiveCaption", 0x8000001C},
    {"clMenuHighlight", 0x8000001D},
    {"clMenuBar", 0x8000001E},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
}};

} // namespace

// --- numbers inside texts ---

int ParseInt(std::string_view text)
{
    int value = 0;
    if (!TryParseInt(text, value))
        ThrowNotInteger(text);
    return value;
}

bool TryParseInt(std::string_view text, int& value)
{
    long long read = 0;
    if (!ReadDecimal(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), read))
        return false;
    value = static_cast<int>(read);
    return true;
}

std::string Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

// --- hour text ---

std::string FormatHourText(int hours, int minutes) { return FormatParts(hours, minutes); }

int HourTextToMinutes(std::string_view hourText)
{
    const HourParts parts = ReadFixedHourText(hourText);
    return static_cast<int>(parts.hours * 60 + parts.minutes);
}

std::string MinutesToHourText(int minutes) { return FormatHourText(minutes / 60, minutes % 60); }

std::string HourSpan(std::string_view from, std::string_view til)
{
    const HourParts f = ReadFixedHourText(from);
    const HourParts t = ReadFixedHourText(til);
    long long h = 0;
    long long m = 0;
    if (t.hours > f.hours) {
        m = 60 - f.minutes + t.minutes;
        h = t.hours - f.hours - 1;
        if (m >= 60) {
            m -= 60;
            h += 1;
        }
    } else if (t.hours == f.hours) {
        m = t.minutes - f.minutes;
        if (m < 0)
            m = 0;
    }
    return FormatParts(h, m);
}

std::string WorkingTypeHours(std::string_view from1, std::string_view til1, std::string_view from2,
                             std::string_view til2)
{
    // The readers already take the empty hour text as midnight.
    return AddHourText(HourSpan(from1, til1), HourSpan(from2, til2));
}

std::string AddHourText(std::string_view total, std::string_view addend)
{
    const HourParts a = ReadFixedHourText(addend);
    const HourParts t = ReadHourTotal(total);
    long long m = t.minutes + a.minutes;
    long long h = t.hours + a.hours;
    if (m >= 60) {
        m -= 60;
        h += 1;
    }
    return FormatParts(h, m);
}

std::string SubtractHourText(std::string_view total, std::string_view subtrahend)
{
    const HourParts s = ReadFixedHourText(subtrahend);
    const HourParts t = ReadHourTotal(total);
    long long m = t.minutes - s.minutes;
    long long h = t.hours - s.hours;
    if (m < 0) {
        m += 60;
        h -= 1;
    }
    return FormatParts(h, m);
}

long long HourTotalToMinutes(std::string_view total)
{
    const HourParts parts = ReadHourTotal(total);
    return parts.hours * 60 + parts.minutes;
}

// --- dates ---

std::string MonthNumberOf(std::string_view monthTitle)
{
    if (monthTitle.size() < 5)
        return {};
    const std::string_view name = monthTitle.substr(0, monthTitle.size() - 5);
    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        if (name == kMonthNames[i])
            return TwoDigits(static_cast<int>(i) + 1);
    }
    return {};
}

std::string YearTextOf(std::string_view monthTitle)
{
    if (monthTitle.size() <= 4)
        return std::string(monthTitle);
    return std::string(monthTitle.substr(monthTitle.size() - 4));
}

int DaysInMonth(int month, int year)
{
    if (month < 1 || month > 12 || year < 1 || year > 9999) {
        throw ConversionError("Month " + std::to_string(month) + " of year " +
                              std::to_string(year) + " is not a valid month");
    }
    return DaysInMonthUnchecked(month, year);
}

std::string MonthName(int month)
{
    if (month < 1 || month > 12)
        return {};
    return std::string(kMonthNames[static_cast<std::size_t>(month - 1)]);
}

int DayOfWeek(int day, int month, int year)
{
    CheckDate(day, month, year);
    // Sunday first, as the weekday names count.
    return static_cast<int>(std::chrono::weekday(CivilDate(year, month, day)).c_encoding()) + 1;
}

std::string WeekdayName(int dayOfWeek)
{
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return {};
    return std::string(kWeekdayNames[static_cast<std::size_t>(dayOfWeek - 1)]);
}

bool IsWeekend(int day, int month, int year)
{
    const int dayOfWeek = DayOfWeek(day, month, year);
    return dayOfWeek == 1 || dayOfWeek == 7;
}

int IsoWeekNumber(const Date& date)
{
    using namespace std::chrono;
    CheckDate(date.day, date.month, date.year);
    // A week belongs to the year of its Thursday; week 1 holds that year's first Thursday.
    const sys_days day(CivilDate(date.year, date.month, date.day));
    const unsigned weekday = std::chrono::weekday(day).iso_encoding();  // Monday 1 ... Sunday 7
    const sys_days thursday = day + days(4 - static_cast<int>(weekday));
    const sys_days firstOfItsYear(year_month_day(thursday).year() / January / 1);
    return static_cast<int>((thursday - firstOfItsYear).count() / 7 + 1);
}

Date DateFromTitle(std::string_view monthTitle, std::string_view dayText)
{
    const std::string monthNumber = MonthNumberOf(monthTitle);
    if (monthNumber.empty())
        throw ConversionError(Quoted(monthTitle) + " is not a valid month title");
    Date date;
    date.month = ParseInt(monthNumber);
    date.year = ParseInt(YearTextOf(monthTitle));
    date.day = ParseInt(dayText);
    CheckDate(date.day, date.month, date.year);
    return date;
}

std::string MonthTitle(int month, int year)
{
    if (month < 1 || month > 12 || year < 1 || year > 9999) {
        throw ConversionError("Month " + std::to_string(month) + " of year " +
                              std::to_string(year) + " is not a valid month");
    }
    // Four year digits, so that the title reads back.
    char yearText[8];
    std::snprintf(yearText, sizeof yearText, "%04d", year);
    return MonthName(month) + " " + yearText;
}

std::string TwoDigits(int value)
{
    std::string text = std::to_string(value);
    if (value >= 0 && value < 10)
        text.insert(0, 1, '0');
    return text;
}

// --- colour text ---

std::string ColorToString(Colour colour)
{
    const std::string_view name = ColourName(colour);
    if (!name.empty())
        return std::string(name);
    char text[12];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(colour));
    return text;
}

Colour StringToColor(std::string_view text)
{
    Colour colour = 0;
    if (!TryStringToColor(text, colour))
        throw ConversionError(Quoted(text) + " is not a valid colour");
    return colour;
}

bool TryStringToColor(std::string_view text, Colour& colour)
{
    for (const NamedColour& named : kColourNames) {
        if (EqualsIgnoringCase(text, named.name)) {
            colour = named.value;
            return true;
        }
    }
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && text[i] == '$') {
        const std::string_view digits = text.substr(i + 1);
        if (digits.empty() || digits.size() > 8)
            return false;
        Colour value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (error != std::errc() || end != digits.data() + digits.size())
            return false;
        colour = value;
        return true;
    }
    // Decimal colours may come from files that kept them as signed 32-bit numbers.
    long long value = 0;
    if (!ReadDecimal(text, std::numeric_limits<std::int32_t>::min(),
                     std::numeric_limits<std::uint32_t>::max(), value)) {
        return false;
    }
    colour = static_cast<Colour>(value);
    return true;
}

std::string_view ColourName(Colour colour)
{
    for (const NamedColour& named : kColourNames) {
        if (named.value == colour)
            return named.name;
    }
    return {};
}

Colour ThresholdColour(int count, const ColorThreshold& threshold)
{
    const int minCount = ParseInt(threshold.minCount);
    const int maxCount = ParseInt(threshold.maxCount);
    const Colour minColour = StringToColor(threshold.minColour);
    const Colour maxColour = StringToColor(threshold.maxColour);
    if (count < minCount)
        return minColour;
    if (count > maxCount)
        return maxColour;
    return clWhite;
}

} // namespace shiftex
