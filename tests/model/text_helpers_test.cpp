#include "model/text_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace shiftex {
namespace {

constexpr Colour kRed = 0x000000FF;
constexpr Colour kBlue = 0x00FF0000;

// --- numbers inside texts ---

TEST(TextHelpersNumbers, ParseIntAcceptsDecimalWithLeadingBlanksAndSign)
{
    struct Case {
        std::string_view text;
        int value;
    };
    const Case cases[] = {
        {"0", 0},          {"42", 42},    {"  7", 7},     {"\t12", 12},
        {"-15", -15},      {"+3", 3},     {"007", 7},     {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseInt(c.text), c.value) << c.text;
        int value = -99;
        EXPECT_TRUE(TryParseInt(c.text, value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(TextHelpersNumbers, ParseIntRejectsEverythingElse)
{
    const std::string_view bad[] = {"",   "   ",  "abc", "12a", "1 2",         "7 ",
                                    "-",  "+",    "- 1", "$1F", "2147483648",  "-2147483649",
                                    "1.5", "0x10", "99999999999999999999999999"};
    for (std::string_view text : bad) {
        EXPECT_THROW(ParseInt(text), ConversionError) << '"' << text << '"';
        int value = 5;
        EXPECT_FALSE(TryParseInt(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 5) << "a failed parse leaves the value alone";
    }
}

TEST(TextHelpersNumbers, ConversionErrorNamesTheText)
{
    try {
        ParseInt("abc");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "\"abc\" is not a valid integer value");
    }
}

TEST(TextHelpersNumbers, TrimStripsBlanksAndTabsAtBothEnds)
{
    EXPECT_EQ(Trim("  a b\t "), "a b");
    EXPECT_EQ(Trim("\t\t"), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim("x"), "x");
}

// --- hour text ---

TEST(TextHelpersHours, FormatHourTextPadsBelowTenOnly)
{
    struct Case {
        int hours, minutes;
        std::string_view text;
    };
    const Case cases[] = {{8, 5, "08H05"},    {10, 0, "10H00"}, {0, 10, "00H10"},
                          {123, 7, "123H07"}, {10, 10, "10H10"}, {9, 10, "09H10"},
                          {10, 9, "10H09"},   {0, 0, "00H00"}};
    for (const Case& c : cases)
        EXPECT_EQ(FormatHourText(c.hours, c.minutes), c.text) << c.hours << ":" << c.minutes;
}

TEST(TextHelpersHours, MinutesAndHourTextRoundTrip)
{
    struct Case {
        int minutes;
        std::string_view text;
    };
    const Case cases[] = {
        {0, "00H00"},   {59, "00H59"},    {60, "01H00"},
        {600, "10H00"}, {1440, "24H00"}, {510, "08H30"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MinutesToHourText(c.minutes), c.text);
        EXPECT_EQ(HourTextToMinutes(c.text), c.minutes) << c.text;
    }
    EXPECT_EQ(HourTextToMinutes(kEmptyHourText), 0);
    // Character 3 is not examined; blanks before a digit are skipped.
    EXPECT_EQ(HourTextToMinutes("08:30"), 510);
    EXPECT_EQ(HourTextToMinutes(" 8H 5"), 485);
}

TEST(TextHelpersHours, MalformedHourTextsAreConversionErrors)
{
    const std::string_view bad[] = {"",      "8H30",  "08H3",  "08",    "abHcd", "08H  ",
                                    "  H30", " H  ", "08Hxx", "0 H00", "H"};
    for (std::string_view text : bad) {
        EXPECT_THROW(HourTextToMinutes(text), ConversionError) << '"' << text << '"';
        EXPECT_THROW(HourSpan(text, "10H00"), ConversionError) << '"' << text << '"';
        EXPECT_THROW(AddHourText("10H00", text), ConversionError) << '"' << text << '"';
    }
}

TEST(TextHelpersHours, HourSpanCountsOnlyForwardSpansWithinTheDay)
{
    struct Case {
        std::string_view from, til, span;
    };
    const Case cases[] = {
        {"08H45", "09H15", "00H30"}, {"08H00", "17H30", "09H30"}, {"22H00", "23H59", "01H59"},
        {"22H00", "06H00", "00H00"}, {"08H30", "08H15", "00H00"}, {"08H30", "08H30", "00H00"},
        {"23H00", "01H00", "00H00"}, {"00H00", "24H00", "24H00"}, {"08H15", "08H45", "00H30"},
        {"08H30", "09H29", "00H59"}, {"  H  ", "12H00", "12H00"}, {"08H00", "  H  ", "00H00"},
        {"  H  ", "  H  ", "00H00"},
        // Only the first five characters count.
        {"08H00xyz", "09H00 trailing", "01H00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HourSpan(c.from, c.til), c.span) << c.from << " - " << c.til;
}

TEST(TextHelpersHours, WorkingTypeHoursAddsBothSpans)
{
    struct Case {
        std::string_view from1, til1, from2, til2, hours;
    };
    const Case cases[] = {
        {"08H00", "12H00", "13H00", "17H30", "08H30"},
        {"08H00", "12H00", "  H  ", "  H  ", "04H00"},
        {"08H00", "12H00", "00H00", "00H00", "04H00"},
        {"  H  ", "  H  ", "  H  ", "  H  ", "00H00"},
        {"08H00", "12H00", "10H00", "14H00", "08H00"},
        {"08H00", "12H00", "  H  ", "18H00", "22H00"},
        {"06H45", "12H30", "13H15", "17H50", "10H20"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WorkingTypeHours(c.from1, c.til1, c.from2, c.til2), c.hours)
            << c.from1 << "-" << c.til1 << " " << c.from2 << "-" << c.til2;
    }
}

TEST(TextHelpersHours, AddAndSubtractReadTotalsOfTwoToFiveHourDigits)
{
    struct Case {
        std::string_view total, operand, sum;
    };
    const Case adds[] = {
        {"07H45", "01H30", "09H15"},   {"99H50", "00H20", "100H10"},
        {"123H05", "08H00", "131H05"}, {"99H59", "00H01", "100H00"},
        {"9999H30", "00H45", "10000H15"},
        // Six hour digits: no "H" at positions 3 to 6, so the total reads as zero.
        {"100000H00", "01H00", "01H00"},
        {"", "02H15", "02H15"},        {"  H  ", "02H15", "02H15"},
        {"07H45", "  H  ", "07H45"},
    };
    for (const Case& c : adds)
        EXPECT_EQ(AddHourText(c.total, c.operand), c.sum) << c.total << " + " << c.operand;

    const Case subtracts[] = {
        {"09H15", "01H30", "07H45"},  {"10H00", "02H30", "07H30"},
        {"100H10", "00H20", "99H50"}, {"131H05", "08H00", "123H05"},
        {"10000H15", "00H45", "9999H30"},
    };
    for (const Case& c : subtracts)
        EXPECT_EQ(SubtractHourText(c.total, c.operand), c.sum) << c.total << " - " << c.operand;
}

TEST(TextHelpersHours, HourTotalToMinutes)
{
    EXPECT_EQ(HourTotalToMinutes("07H45"), 465);
    EXPECT_EQ(HourTotalToMinutes("10000H15"), 600015);
    EXPECT_EQ(HourTotalToMinutes("  H  "), 0);
    EXPECT_EQ(HourTotalToMinutes("100000H00"), 0);
    EXPECT_EQ(HourTotalToMinutes(""), 0);
}

TEST(TextHelpersHours, TotalsWithAnHButBadNumbersAreConversionErrors)
{
    // An "H" that ends the hours, then too few or wrong characters.
    const std::string_view bad[] = {"12H", "12H5", "1aH00", "123Hxx", "abcdH00"};
    for (std::string_view total : bad) {
        EXPECT_THROW(AddHourText(total, "01H00"), ConversionError) << total;
        EXPECT_THROW(SubtractHourText(total, "01H00"), ConversionError) << total;
        EXPECT_THROW(HourTotalToMinutes(total), ConversionError) << total;
    }
}

// --- dates ---

TEST(TextHelpersDates, MonthTitlePartsAndRoundTrip)
{
    EXPECT_EQ(MonthNumberOf("January 2005"), "01");
    EXPECT_EQ(MonthNumberOf("May 2005"), "05");
    EXPECT_EQ(MonthNumberOf("December 2006"), "12");
    EXPECT_EQ(MonthNumberOf("january 2005"), "") << "letter case matters";
    EXPECT_EQ(MonthNumberOf("Mai 2005"), "");
    EXPECT_EQ(MonthNumberOf("2005"), "");
    EXPECT_EQ(MonthNumberOf(""), "");
    EXPECT_EQ(YearTextOf("January 2005"), "2005");
    EXPECT_EQ(YearTextOf("205"), "205");
    EXPECT_EQ(YearTextOf(""), "");

    for (int month = 1; month <= 12; ++month) {
        const std::string title = MonthTitle(month, 2005);
        EXPECT_EQ(title, MonthName(month) + " 2005");
        EXPECT_EQ(MonthNumberOf(title), TwoDigits(month));
        EXPECT_EQ(YearTextOf(title), "2005");
    }
    EXPECT_EQ(MonthTitle(9, 2006), "September 2006");
    EXPECT_EQ(MonthTitle(3, 999), "March 0999") << "four year digits read back";
    EXPECT_THROW(MonthTitle(13, 2005), ConversionError);
    EXPECT_THROW(MonthTitle(0, 2005), ConversionError);
    EXPECT_EQ(MonthName(0), "");
    EXPECT_EQ(MonthName(13), "");
    EXPECT_EQ(TwoDigits(5), "05");
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(12), "12");
}

TEST(TextHelpersDates, DaysInMonth)
{
    struct Case {
        int month, year, days;
    };
    const Case cases[] = {{2, 1900, 28}, {2, 2000, 29}, {2, 2004, 29}, {2, 2005, 28},
                          {4, 2005, 30}, {1, 2005, 31}, {12, 9999, 31}, {2, 1, 28}};
    for (const Case& c : cases)
        EXPECT_EQ(DaysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
    EXPECT_THROW(DaysInMonth(0, 2005), ConversionError);
    EXPECT_THROW(DaysInMonth(13, 2005), ConversionError);
    EXPECT_THROW(DaysInMonth(1, 0), ConversionError);
    EXPECT_THROW(DaysInMonth(1, 10000), ConversionError);
}

TEST(TextHelpersDates, DayOfWeekAndWeekend)
{
    struct Case {
        int day, month, year, dayOfWeek;
    };
    const Case cases[] = {
        {1, 1, 2005, 7},  {2, 1, 2005, 1},  {3, 1, 2005, 2},  {29, 2, 2000, 3},
        {1, 1, 1970, 5},  {1, 1, 1, 2},     {31, 12, 9999, 6}, {15, 10, 1582, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayOfWeek(c.day, c.month, c.year), c.dayOfWeek)
            << c.day << "." << c.month << "." << c.year;
        EXPECT_EQ(IsWeekend(c.day, c.month, c.year), c.dayOfWeek == 1 || c.dayOfWeek == 7);
    }
    EXPECT_EQ(WeekdayName(DayOfWeek(1, 1, 2005)), "Saturday");
    EXPECT_EQ(WeekdayName(1), "Sunday");
    EXPECT_EQ(WeekdayName(0), "");
    EXPECT_EQ(WeekdayName(8), "");

    struct Bad {
        int day, month, year;
    };
    const Bad impossible[] = {{31, 4, 2005}, {29, 2, 2005}, {29, 2, 1900}, {0, 1, 2005},
                              {1, 13, 2005}, {1, 0, 2005},  {1, 1, 0},     {32, 1, 2005}};
    for (const Bad& b : impossible) {
        EXPECT_THROW(DayOfWeek(b.day, b.month, b.year), ConversionError);
        EXPECT_THROW(IsWeekend(b.day, b.month, b.year), ConversionError);
        EXPECT_THROW(IsoWeekNumber({b.year, b.month, b.day}), ConversionError);
    }
}

TEST(TextHelpersDates, IsoWeekNumbersAtYearEnds)
{
    struct Case {
        Date date;
        int week;
    };
    const Case cases[] = {
        {{2004, 12, 31}, 53}, {{2005, 1, 1}, 53}, {{2005, 1, 2}, 53}, {{2005, 1, 3}, 1},
        {{2008, 12, 28}, 52}, {{2008, 12, 29}, 1}, {{2009, 1, 1}, 1}, {{2009, 12, 31}, 53},
        {{2010, 1, 3}, 53},   {{2010, 1, 4}, 1},  {{2006, 1, 1}, 52}, {{2012, 1, 1}, 52},
        {{2015, 12, 31}, 53}, {{2016, 1, 3}, 53}, {{2020, 12, 31}, 53}, {{2021, 1, 1}, 53},
        {{2005, 6, 15}, 24},  {{2019, 12, 30}, 1}, {{1, 1, 1}, 1},    {{9999, 12, 31}, 52},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsoWeekNumber(c.date), c.week)
            << c.date.day << "." << c.date.month << "." << c.date.year;
    }
}

TEST(TextHelpersDates, DateFromTitle)
{
    EXPECT_EQ(DateFromTitle("January 2005", "3"), (Date{2005, 1, 3}));
    EXPECT_EQ(DateFromTitle("February 2004", " 29"), (Date{2004, 2, 29}));

    struct Bad {
        std::string_view title, day;
    };
    const Bad bad[] = {{"january 2005", "1"}, {"April 2005", "31"}, {"February 2005", "29"},
                       {"May 2005", ""},      {"May 2005", "x"},    {"May 20x5", "1"},
                       {"", "1"},             {"May 2005", "0"}};
    for (const Bad& b : bad)
        EXPECT_THROW(DateFromTitle(b.title, b.day), ConversionError) << b.title << "/" << b.day;
}

// --- colour text ---

TEST(TextHelpersColours, NamesMapOneToOneWithTheirValues)
{
    struct Case {
        std::string_view name;
        Colour value;
    };
    const Case cases[] = {
        {"clBlack", 0x00000000},     {"clMaroon", 0x00000080},     {"clWhite", 0x00FFFFFF},
        {"clRed", 0x000000FF},       {"clBlue", 0x00FF0000},       {"clMoneyGreen", 0x00C0DCC0},
        {"clSkyBlue", 0x00F0CAA6},   {"clCream", 0x00F0FBFF},      {"clMedGray", 0x00A4A0A0},
        {"clScrollBar", 0x80000000}, {"clWindow", clWindow},       {"clBtnFace", clBtnFace},
        {"cl3DDkShadow", 0x80000015}, {"clInfoBk", 0x80000018},    {"clHotLight", 0x8000001A},
        {"clMenuBar", 0x8000001E},   {"clNone", clNone},           {"clDefault", clDefault},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorToString(c.value), c.name);
        EXPECT_EQ(ColourName(c.value), c.name);
        EXPECT_EQ(StringToColor(c.name), c.value) << c.name;
    }
    EXPECT_EQ(StringToColor("CLWHITE"), clWhite);
    EXPECT_EQ(StringToColor("clwhite"), clWhite);
    EXPECT_EQ(StringToColor("CLbtnface"), clBtnFace);
    // Index 25 has no name.
    EXPECT_EQ(ColourName(0x80000019), "");
    EXPECT_EQ(ColorToString(0x80000019), "$80000019");
}

TEST(TextHelpersColours, UnnamedValuesAreEightUpperCaseHexDigits)
{
    EXPECT_EQ(ColorToString(kNeutralGroupColour), "$00C8E0E6");
    EXPECT_EQ(ColorToString(0x00CE8A8A), "$00CE8A8A");
    EXPECT_EQ(ColorToString(0x00000001), "$00000001");
    EXPECT_EQ(ColorToString(0xFFFFFFFF), "$FFFFFFFF");
    EXPECT_EQ(ColourName(kNeutralGroupColour), "");

    EXPECT_EQ(StringToColor("13164774"), kNeutralGroupColour);
    EXPECT_EQ(StringToColor("$00C8E0E6"), kNeutralGroupColour);
    EXPECT_EQ(StringToColor("$00c8e0e6"), kNeutralGroupColour);
    EXPECT_EQ(StringToColor("$FF"), kRed);
    EXPECT_EQ(StringToColor("-2147483643"), clWindow) << "signed decimal of a system colour";
    EXPECT_EQ(StringToColor("4294967295"), 0xFFFFFFFFu);
    const Colour rgb = StringToColor("$00CE8A8A");
    EXPECT_EQ(BlueOf(rgb), 0xCE);
    EXPECT_EQ(GreenOf(rgb), 0x8A);
    EXPECT_EQ(RedOf(rgb), 0x8A);
    EXPECT_EQ(RgbColour(0x8A, 0x8A, 0xCE), rgb);
}

TEST(TextHelpersColours, BadColourTextsAreConversionErrors)
{
    const std::string_view bad[] = {
        "",           "clWhit",    "clWhite ",   "white", "$",           "#FFFFFF",
        "$00C8E0E6F", "$00G8E0E6", "4294967296", "12abc", "-2147483649",
    };
    for (std::string_view text : bad) {
        EXPECT_THROW(StringToColor(text), ConversionError) << '"' << text << '"';
        Colour colour = 7;
        EXPECT_FALSE(TryStringToColor(text, colour)) << '"' << text << '"';
        EXPECT_EQ(colour, 7u);
    }
    Colour colour = 0;
    EXPECT_TRUE(TryStringToColor("clAqua", colour));
    EXPECT_EQ(colour, 0x00FFFF00u);
}

TEST(TextHelpersColours, ThresholdColourUsesStrictComparisonsMinFirst)
{
    const ColorThreshold normal{"type", "clRed", "2", "clBlue", "5"};
    struct Case {
        int count;
        Colour colour;
    };
    const Case cases[] = {{-1, kRed}, {1, kRed}, {2, clWhite}, {3, clWhite},
                          {5, clWhite}, {6, kBlue}, {100, kBlue}};
    for (const Case& c : cases)
        EXPECT_EQ(ThresholdColour(c.count, normal), c.colour) << c.count;

    const ColorThreshold inverted{"type", "clRed", "5", "clBlue", "2"};
    EXPECT_EQ(ThresholdColour(3, inverted), kRed);
    EXPECT_EQ(ThresholdColour(5, inverted), kBlue);
    EXPECT_EQ(ThresholdColour(1, ColorThreshold{}), clWhite) << "defaults are all white";
    EXPECT_EQ(ThresholdColour(0, ColorThreshold{"", "$00C8E0E6", "1", "clwhite", "1"}),
              kNeutralGroupColour);

    EXPECT_THROW(ThresholdColour(1, (ColorThreshold{"", "clRed", "x", "clBlue", "5"})),
                 ConversionError);
    EXPECT_THROW(ThresholdColour(1, (ColorThreshold{"", "clRed", "1", "clBlue", ""})),
                 ConversionError);
    EXPECT_THROW(ThresholdColour(1, (ColorThreshold{"", "reddish", "1", "clBlue", "5"})),
                 ConversionError);
}

} // namespace
} // namespace shiftex
