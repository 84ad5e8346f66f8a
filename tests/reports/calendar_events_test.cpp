#include "reports/calendar_events.h"
#include "sample_schedule.h"

#include <gtest/gtest.h>

namespace shiftex {
namespace {

using test::MakeSchedule;
using test::SampleOptions;

constexpr int kFirst = 3;

// Start and end of an event as "d hh:mm" in January (day 32 and up: February).
std::string When(const Date& date, int minute)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d %02d:%02d", date.day, date.month, minute / 60,
                  minute % 60);
    return text;
}

std::vector<std::string> Spans(const EmployeeCalendar& calendar)
{
    std::vector<std::string> spans;
    for (const CalendarEvent& event : calendar.events)
        spans.push_back(event.code + " " + When(event.startDate, event.startMinute) + " - " +
                        When(event.endDate, event.endMinute));
    return spans;
}

ScheduleDocument NightsDocument()
{
    SampleOptions options;
    options.types = {
        WorkingType::Create("E", "Early shift", "07H00", "15H00", "  H  ", "  H  ", 0),
        // The night as two spans: from midnight, and up to midnight.
        WorkingType::Create("N", "Night", "00H00", "07H00", "22H00", "24H00", 1),
        WorkingType::Create("R", "", "22H00", "06H00", "  H  ", "  H  ", 2),
        WorkingType::Create("F", "Full day", "00H00", "24H00", "  H  ", "  H  ", 3),
    };
    options.departments = {"Ward A"};
    return MakeSchedule(options);
}

EmployeeCalendar CalendarOf(const ScheduleDocument& document, int index = 0)
{
    Result<std::vector<EmployeeCalendar>> calendars = ScheduleCalendars(document);
    EXPECT_TRUE(calendars);
    return calendars && static_cast<std::size_t>(index) < calendars->size()
               ? (*calendars)[static_cast<std::size_t>(index)]
               : EmployeeCalendar{};
}

TEST(Calendars, EachSpanOfEachLineIsAnEvent)
{
    ScheduleDocument document = NightsDocument();
    ScheduleSheet& sheet = document.sheet;
    sheet.SetText(2, kFirst, "E");
    sheet.SetText(3, kFirst, "Ward A: E\r\nX\r\nNowhere: E\r\n");
    sheet.SetText(4, kFirst, "R");  // its end lies before its start: it ends the next morning
    const EmployeeCalendar calendar = CalendarOf(document);
    EXPECT_EQ(Spans(calendar), (std::vector<std::string>{"E 1/1 07:00 - 1/1 15:00",
                                                         "E 2/1 07:00 - 2/1 15:00",
                                                         "R 3/1 22:00 - 4/1 06:00"}));
    EXPECT_EQ(calendar.events[0].summary, "E - Early shift");
    EXPECT_EQ(calendar.events[0].category, "");
    EXPECT_EQ(calendar.events[1].category, "Ward A");
    EXPECT_EQ(calendar.events[2].summary, "R");
    EXPECT_EQ(calendar.employee, "Employee 1");
    EXPECT_EQ(calendar.fileName, "Employee 1.ics");
}

TEST(Calendars, NightsJoinAcrossMidnight)
{
    ScheduleDocument document = NightsDocument();
    ScheduleSheet& sheet = document.sheet;
    // 30 and 31 January: nights; 1 February is not on the sheet.
    sheet.SetText(2, kFirst, "N");
    sheet.SetText(3, kFirst, "N");
    sheet.SetText(4, kFirst, "E");
    sheet.SetText(6, kFirst, "F");
    sheet.SetText(7, kFirst, "F");
    sheet.SetText(31, kFirst, "N");
    sheet.SetText(32, kFirst, "N");
    EXPECT_EQ(Spans(CalendarOf(document)),
              (std::vector<std::string>{"N 1/1 00:00 - 1/1 07:00", "N 1/1 22:00 - 2/1 07:00",
                                        "N 2/1 22:00 - 3/1 00:00", "E 3/1 07:00 - 3/1 15:00",
                                        "F 5/1 00:00 - 7/1 00:00",
                                        "N 30/1 00:00 - 30/1 07:00",
                                        "N 30/1 22:00 - 31/1 07:00",
                                        "N 31/1 22:00 - 1/2 00:00"}));
}

TEST(Calendars, UidsAreStableAndDistinct)
{
    ScheduleDocument document = NightsDocument();
    document.sheet.SetText(2, kFirst, "E\r\nE");
    document.sheet.SetText(3, kFirst, "E");
    const EmployeeCalendar first = CalendarOf(document);
    ASSERT_EQ(first.events.size(), 3u);
    EXPECT_NE(first.events[0].uid, first.events[1].uid);
    EXPECT_NE(first.events[0].uid, first.events[2].uid);
    // Another export of the schedule, and one where the day's code changed: the same events.
    document.sheet.SetText(3, kFirst, "N");
    const EmployeeCalendar again = CalendarOf(document);
    EXPECT_EQ(again.events[0].uid, first.events[0].uid);
    EXPECT_EQ(again.events[2].uid, first.events[2].uid);
}

TEST(Calendars, NamesBecomeSafeDistinctFileNames)
{
    const std::pair<const char*, const char*> stems[] = {
        {"Ann", "Ann"},
        {"../../etc/passwd", "_.._etc_passwd"},
        {"..", "Employee"},
        {"", "Employee"},
        {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"tab\there\nnewline", "tab_here_newline"},
        {" .hidden. ", "hidden"},
        {"Zo\xc3\xab", "Zo\xc3\xab"},
    };
    for (const auto& [name, stem] : stems)
        EXPECT_EQ(SafeFileStem(name), stem) << name;
    // Never cut inside a UTF-8 sequence.
    const std::string longName = "a" + std::string(100, 'x');
    std::string umlauts;
    for (int i = 0; i < 100; ++i)
        umlauts += "\xc3\xab";
    EXPECT_EQ(SafeFileStem(umlauts).size(), 120u);
    EXPECT_EQ(SafeFileStem(longName).size(), 101u);

    ScheduleDocument document = MakeSchedule();
    document.sheet.SetText(1, kFirst, "Ann");
    document.sheet.SetText(1, kFirst + 1, "ann");
    document.sheet.SetText(1, kFirst + 2, "Ann");
    document.sheet.SetText(1, kFirst + 3, "Ann (2)");
    Result<std::vector<EmployeeCalendar>> calendars = ScheduleCalendars(document);
    ASSERT_TRUE(calendars);
    std::vector<std::string> files;
    for (const EmployeeCalendar& calendar : *calendars)
        files.push_back(calendar.fileName);
    EXPECT_EQ(files, (std::vector<std::string>{"Ann.ics", "ann (2).ics", "Ann (3).ics",
                                               "Ann (2) (2).ics"}));
    // Only one employee's calendar, by name: every row with that name.
    calendars = ScheduleCalendars(document, "Ann");
    ASSERT_TRUE(calendars);
    EXPECT_EQ(calendars->size(), 2u);
}

TEST(Calendars, ConversionErrorsAreReported)
{
    ScheduleDocument document = NightsDocument();
    document.sheet.SetText(2, kFirst, "E");
    document.workingTypes.SetField(document.workingTypes.IndexOfCode("E"), field::From1, "ab");
    Result<std::vector<EmployeeCalendar>> calendars = ScheduleCalendars(document);
    ASSERT_FALSE(calendars);
    EXPECT_EQ(calendars.error().kind, ErrorKind::Conversion);
}

TEST(Calendars, NextDayRollsOverMonthsAndYears)
{
    EXPECT_EQ(NextDay({2027, 1, 31}), (Date{2027, 2, 1}));
    EXPECT_EQ(NextDay({2028, 2, 28}), (Date{2028, 2, 29}));
    EXPECT_EQ(NextDay({2027, 2, 28}), (Date{2027, 3, 1}));
    EXPECT_EQ(NextDay({2027, 12, 31}), (Date{2028, 1, 1}));
}

} // namespace
} // namespace shiftex
