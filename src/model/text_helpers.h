#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace shiftex {

// A number that should be in a text and is not. The command that meets one stops where it is and
// the message reaches the user. This is the one exception of the program's own that crosses
// functions: the conversions sit deep inside the counting, and every command catches it at its
// boundary (the schedule session's guard, the loaders, the report builders, ConversionGuard)
// and turns it into the error shown. It never leaves a command.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// 32-bit colour value: $00BBGGRR for RGB, $80000000 + index for a system colour.
using Colour = std::uint32_t;

inline constexpr Colour clBlack = 0x00000000;
inline constexpr Colour clWhite = 0x00FFFFFF;
inline constexpr Colour clNone = 0x1FFFFFFF;
inline constexpr Colour clDefault = 0x20000000;
inline constexpr Colour clBtnFace = 0x8000000F;
inline constexpr Colour clWindow = 0x80000005;
// Header band of the month titles and the group colour of an employee without a group.
inline constexpr Colour kNeutralGroupColour = 0x00C8E0E6;
inline constexpr Colour kHeaderColour = clBtnFace;

inline constexpr std::string_view kEmptyHourText = "  H  ";

// --- numbers inside texts ---
// Decimal integer; leading blanks skipped; anything else a ConversionError.
int ParseInt(std::string_view text);
// Like ParseInt, but gives false instead of throwing.
bool TryParseInt(std::string_view text, int& value);
std::string Trim(std::string_view text);

// --- hour text ---
std::string FormatHourText(int hours, int minutes);
int HourTextToMinutes(std::string_view hourText);
std::string MinutesToHourText(int minutes);
std::string HourSpan(std::string_view from, std::string_view til);
std::string WorkingTypeHours(std::string_view from1, std::string_view til1, std::string_view from2,
                             std::string_view til2);
std::string AddHourText(std::string_view total, std::string_view addend);
std::string SubtractHourText(std::string_view total, std::string_view subtrahend);
// Total minutes of an hour total (variable hour width), 0 when it holds no "H" at positions 3-6.
long long HourTotalToMinutes(std::string_view total);

// --- dates ---
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

std::string MonthNumberOf(std::string_view monthTitle);
std::string YearTextOf(std::string_view monthTitle);
int DaysInMonth(int month, int year);
std::string MonthName(int month);
// 1 = Sunday ... 7 = Saturday. Impossible dates are a ConversionError.
int DayOfWeek(int day, int month, int year);
std::string WeekdayName(int dayOfWeek);
bool IsWeekend(int day, int month, int year);
int IsoWeekNumber(const Date& date);
// The date of a day column from its month title and day text; ConversionError when impossible.
Date DateFromTitle(std::string_view monthTitle, std::string_view dayText);
// "January 2005" for month 1, year 2005.
std::string MonthTitle(int month, int year);
std::string TwoDigits(int value);

// --- colour text ---
std::string ColorToString(Colour colour);
Colour StringToColor(std::string_view text);
bool TryStringToColor(std::string_view text, Colour& colour);
// The colour name of a value, or an empty text when the value has none.
std::string_view ColourName(Colour colour);
// RGB parts of a $00BBGGRR value.
inline int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
inline int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }
inline Colour RgbColour(int r, int g, int b)
{
    return static_cast<Colour>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}

struct ColorThreshold {
    std::string name;
    std::string minColour = "clwhite";
    std::string minCount = "1";
    std::string maxColour = "clwhite";
    std::string maxCount = "1";
    friend bool operator==(const ColorThreshold&, const ColorThreshold&) = default;
};

Colour ThresholdColour(int count, const ColorThreshold& threshold);

} // namespace shiftex
