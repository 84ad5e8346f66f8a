#include "app/working_time_settings.h"
#include "cli_support.h"
#include "files/schedule_file.h"
#include "sample_schedule.h"
#include "summaries/working_time_rules.h"
#include "summaries/working_time_warnings.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

namespace shiftex {
namespace {

using test::MakeSchedule;
using test::SampleOptions;

// January 2027: Friday the 1st, Monday the 4th, 11th, 18th and 25th. Day d is column d + 1,
// the first employee row 3.
constexpr int kFirst = 3;
int Day(int d) { return d + 1; }

// An early and a late shift, split duties with a gap of 1, 3 and 6 hours, and a night entered
// as its evening (22H00-24H00) and its morning (00H00-06H00).
SampleOptions RuleTypes()
{
    SampleOptions options;
    options.types = {
        WorkingType::Create("E", "Early", "07H00", "15H00", "  H  ", "  H  ", 0),
        WorkingType::Create("L", "Late", "14H00", "22H00", "  H  ", "  H  ", 1),
        WorkingType::Create("S", "Split", "08H00", "12H00", "13H00", "17H00", 2),
        WorkingType::Create("S3", "Split 3", "08H00", "12H00", "15H00", "19H00", 2),
        WorkingType::Create("S6", "Split 6", "06H00", "10H00", "16H00", "20H00", 2),
        WorkingType::Create("NE", "Night evening", "22H00", "24H00", "  H  ", "  H  ", 3),
        WorkingType::Create("NM", "Night morning", "00H00", "06H00", "  H  ", "  H  ", 3),
    };
    options.departments = {"Ward"};
    return options;
}

struct Cell {
    int day;
    const char* text;
};

// Days first to last of January hold `text`.
std::vector<Cell> Days(int first, int last, const char* text)
{
    std::vector<Cell> cells;
    for (int d = first; d <= last; ++d)
        cells.push_back({d, text});
    return cells;
}

std::vector<Cell> operator+(std::vector<Cell> a, const std::vector<Cell>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Five nights from Monday 4 January: the evening, four times morning and evening, the morning.
std::vector<Cell> Nights(int firstDay, int nights)
{
    return Days(firstDay, firstDay, "NE") +
           Days(firstDay + 1, firstDay + nights - 1, "NM\rNE") +
           Days(firstDay + nights, firstDay + nights, "NM");
}

ScheduleDocument Plan(const std::vector<Cell>& cells)
{
    ScheduleDocument document = MakeSchedule(RuleTypes());
    for (const Cell& cell : cells)
        document.sheet.SetText(Day(cell.day), kFirst, cell.text);
    return document;
}

// A finding as one line: rule, from, to, value and the day columns it marks.
std::string Line(const WorkingTimeFinding& f)
{
    std::ostringstream line;
    line << f.row << " " << RuleName(f.rule) << " " << IsoLocalTime(f.from) << " "
         << IsoLocalTime(f.to) << " " << f.value << " " << f.firstDay << "-" << f.lastDay;
    return line.str();
}

std::vector<std::string> Lines(const ScheduleDocument& document, const WorkingTimeLimits& limits)
{
    const auto findings = CheckWorkingTime(document, limits);
    EXPECT_TRUE(findings) << findings.error().message;
    std::vector<std::string> lines;
    for (const WorkingTimeFinding& finding : findings.value_or(std::vector<WorkingTimeFinding>{}))
        lines.push_back(Line(finding));
    return lines;
}

struct PlanCase {
    const char* name;
    std::vector<Cell> cells;
    std::vector<std::string> findings;  // with the default limits
};

std::vector<PlanCase> PlanCases()
{
    return {
        {"a late then an early shift", {{4, "L"}, {5, "E"}},
         {"3 rest 2027-01-04T22:00 2027-01-05T07:00 540 5-6"}},
        {"department lines count like plain lines", {{4, "Ward: L"}, {5, "Ward: E"}},
         {"3 rest 2027-01-04T22:00 2027-01-05T07:00 540 5-6"}},
        {"a split duty with a 1 hour gap", {{6, "S"}, {7, "S"}}, {}},
        {"a split duty with a 3 hour gap", {{6, "S3"}},
         {"3 rest 2027-01-06T12:00 2027-01-06T15:00 180 7-7"}},
        {"a split duty with a 6 hour gap", {{6, "S6"}},
         {"3 rest 2027-01-06T10:00 2027-01-06T16:00 360 7-7"}},
        {"five nights", Nights(4, 5),
         {"3 nights 2027-01-04T22:00 2027-01-09T06:00 5 5-10"}},
        {"eight early shifts in a row", Days(7, 14, "E"),
         {"3 work-days 2027-01-07T00:00 2027-01-15T00:00 8 8-15"}},
        {"six early shifts and a split duty in one week", Days(11, 16, "E") + Days(17, 17, "S"),
         {"3 week-hours 2027-01-11T00:00 2027-01-18T00:00 3360 12-18",
          "3 work-days 2027-01-11T00:00 2027-01-18T00:00 7 12-18"}},
        // The windows from the 5th and the 6th reach no free stretch longer than a night's.
        {"ten late shifts in a row", Days(4, 13, "L"),
         {"3 week-hours 2027-01-04T00:00 2027-01-11T00:00 3360 5-11",
          "3 weekly-rest 2027-01-05T00:00 2027-01-13T00:00 960 6-13",
          "3 work-days 2027-01-04T00:00 2027-01-14T00:00 10 5-14"}},
        {"a plan that keeps every rule",
         Days(4, 8, "E") + Days(11, 15, "L") + Days(18, 22, "S") + Nights(25, 4),
         {}},
        {"an empty row", {}, {}},
    };
}

TEST(WorkingTimeRules, EachPlanGivesItsFindings)
{
    for (const PlanCase& plan : PlanCases())
        EXPECT_EQ(Lines(Plan(plan.cells), {}), plan.findings) << plan.name;
}

TEST(WorkingTimeRules, ChangedLimitsMoveTheFindingsAndOffGivesNone)
{
    struct LimitCase {
        const char* plan;
        WorkingTimeLimits limits;
        std::vector<std::string> findings;
    };
    WorkingTimeLimits shortRest;
    shortRest.minimumRest = 9 * 60;
    WorkingTimeLimits longBreak;
    longBreak.longestBreak = 6 * 60 + 1;
    WorkingTimeLimits noBreak;
    noBreak.longestBreak = 0;
    WorkingTimeLimits fiveNights;
    fiveNights.maximumNights = 5;
    WorkingTimeLimits threeNights;
    threeNights.maximumNights = 3;
    WorkingTimeLimits eightDays;
    eightDays.maximumDays = 8;
    WorkingTimeLimits longWeeks;
    longWeeks.maximumWeekHours = 56 * 60;
    longWeeks.maximumDays = 7;
    WorkingTimeLimits shortWeeklyRest;
    shortWeeklyRest.weeklyRest = 16 * 60;
    WorkingTimeLimits off;
    off.enabled = false;
    const LimitCase cases[] = {
        {"a late then an early shift", shortRest, {}},
        {"a split duty with a 6 hour gap", longBreak, {}},
        // Without a break a split duty is two duties, a night's evening and morning still one.
        {"a split duty with a 1 hour gap", noBreak,
         {"3 rest 2027-01-06T12:00 2027-01-06T13:00 60 7-7",
          "3 rest 2027-01-07T12:00 2027-01-07T13:00 60 8-8"}},
        {"five nights", noBreak, {"3 nights 2027-01-04T22:00 2027-01-09T06:00 5 5-10"}},
        {"five nights", fiveNights, {}},
        {"a plan that keeps every rule", threeNights,
         {"3 nights 2027-01-25T22:00 2027-01-29T06:00 4 26-30"}},
        {"eight early shifts in a row", eightDays, {}},
        {"six early shifts and a split duty in one week", longWeeks, {}},
        {"ten late shifts in a row", shortWeeklyRest,
         {"3 week-hours 2027-01-04T00:00 2027-01-11T00:00 3360 5-11",
          "3 work-days 2027-01-04T00:00 2027-01-14T00:00 10 5-14"}},
    };
    const std::vector<PlanCase> plans = PlanCases();
    const auto planNamed = [&](const char* name) {
        for (const PlanCase& plan : plans)
            if (std::string_view(plan.name) == name)
                return Plan(plan.cells);
        ADD_FAILURE() << name;
        return Plan({});
    };
    for (const LimitCase& c : cases)
        EXPECT_EQ(Lines(planNamed(c.plan), c.limits), c.findings) << c.plan;
    for (const PlanCase& plan : plans)
        EXPECT_TRUE(Lines(Plan(plan.cells), off).empty()) << plan.name;
}

TEST(WorkingTimeRules, RowsAreCheckedOnTheirOwnAndNamed)
{
    ScheduleDocument document = Plan(Days(7, 14, "E"));
    document.sheet.SetText(Day(4), kFirst + 2, "L");
    document.sheet.SetText(Day(5), kFirst + 2, "E");
    const WorkingTimeCheck check(document, {});
    ASSERT_EQ(check.Row(kFirst).size(), 1u);
    EXPECT_TRUE(check.Row(kFirst + 1).empty());
    const auto third = check.Row(kFirst + 2);
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0].employee, "Employee 3");
    EXPECT_EQ(third[0].row, kFirst + 2);
    EXPECT_TRUE(check.Row(0).empty());
    EXPECT_TRUE(check.Row(document.sheet.rowCount()).empty());

    const auto all = check.All();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], check.Row(kFirst)[0]);
    EXPECT_EQ(all[1], third[0]);
}

TEST(WorkingTimeRules, TheDepartmentViewReadsEachDaysSubColumns)
{
    SampleOptions options = RuleTypes();
    options.departments = {"A", "B"};
    options.departmentView = true;
    ScheduleDocument document = MakeSchedule(options);
    // Day d's sub-columns are 2d and 2d + 1.
    document.sheet.SetText(2 * 4 + 1, kFirst + 1, "L");
    document.sheet.SetText(2 * 5, kFirst + 1, "E");
    document.sheet.SetText(2 * 5 + 1, kFirst + 1, "S");
    EXPECT_EQ(Lines(document, {}),
              std::vector<std::string>{"4 rest 2027-01-04T22:00 2027-01-05T07:00 540 5-6"});
}

TEST(WorkingTimeRules, TheSheetsEdgesBoundTheWindows)
{
    // A sheet of six days has no window of seven; a night entered as its morning on the first
    // day belongs to a night before the sheet.
    SampleOptions options = RuleTypes();
    options.days = 6;
    ScheduleDocument document = MakeSchedule(options);
    for (int d = 1; d <= 6; ++d)
        document.sheet.SetText(Day(d), kFirst, d == 1 ? "NM" : "NM\rNE");
    WorkingTimeLimits limits;
    limits.maximumNights = 4;
    limits.maximumDays = 5;
    EXPECT_EQ(Lines(document, limits),
              (std::vector<std::string>{
                  "3 nights 2027-01-02T00:00 2027-01-06T06:00 5 3-7",
                  "3 work-days 2027-01-01T00:00 2027-01-07T00:00 6 2-7"}));
}

TEST(WorkingTimeRules, HintsAndTimesInWords)
{
    const auto findings = CheckWorkingTime(
        Plan(Days(4, 4, "L") + Days(5, 5, "E") + Days(11, 20, "L") + Nights(25, 5)),
        {});
    ASSERT_TRUE(findings);
    std::vector<std::string> hints;
    for (const WorkingTimeFinding& finding : *findings)
        hints.push_back(DescribeFinding(finding, {}));
    EXPECT_EQ(hints, (std::vector<std::string>{
        "5 nights in a row between Mon 25 Jan 22:00 and Sat 30 Jan 06:00 (maximum 4)",
        "Rest of 9H00 between Mon 4 Jan 22:00 and Tue 5 Jan 07:00 (minimum 11H00)",
        "56H00 worked in the week between Mon 11 Jan 00:00 and Mon 18 Jan 00:00 "
        "(maximum 48H00)",
        "Weekly rest of 16H00 between Tue 12 Jan 00:00 and Wed 20 Jan 00:00 (minimum 35H00)",
        "10 working days in a row between Mon 11 Jan 00:00 and Thu 21 Jan 00:00 (maximum 6)",
    }));
}

TEST(WorkingTimeRules, LimitTextsAndBrokenInput)
{
    EXPECT_EQ(ParseLimitHours("11"), 660);
    EXPECT_EQ(ParseLimitHours("7.5"), 450);
    EXPECT_EQ(ParseLimitHours("0"), 0);
    EXPECT_EQ(ParseLimitHours("168"), 168 * 60);
    for (const char* bad : {"", "-1", "169", "eleven", "1e2", "nan", "inf", " 11", "11h", "+3"})
        EXPECT_EQ(ParseLimitHours(bad), std::nullopt) << bad;
    EXPECT_EQ(ParseLimitCount("6"), 6);
    for (const char* bad : {"", "-1", "1.5", "1001", "six"})
        EXPECT_EQ(ParseLimitCount(bad), std::nullopt) << bad;
    for (const int minutes : {0, 660, 450, 20, 35 * 60 + 15})
        EXPECT_EQ(ParseLimitHours(LimitHoursText(minutes)), minutes) << minutes;
    EXPECT_EQ(LimitHoursText(450), "7.5");

    // A working type whose time is no hour text is the conversion error the summaries give.
    ScheduleDocument document = Plan({{4, "X"}});
    document.workingTypes.Add(WorkingType::Create("X", "Broken", "ab", "12H00", "", "", 0));
    document.RefreshTypeCodes();
    const auto findings = CheckWorkingTime(document, {});
    ASSERT_FALSE(findings);
    EXPECT_EQ(findings.error().kind, ErrorKind::Conversion);
    // A day column without a date likewise.
    ScheduleDocument undated = Plan({});
    undated.sheet.SetText(Day(9), 2, "x");
    EXPECT_FALSE(CheckWorkingTime(undated, {}));
}

TEST(WorkingTimeWarnings, MarkTheCellsOfEachFindingAndFollowOneRow)
{
    ScheduleDocument document = Plan({{4, "L"}, {5, "E\rX"}, {6, "X"}});
    WorkingTimeWarnings warnings;
    warnings.Recompute(document);
    ASSERT_EQ(warnings.Count(), 1);
    const std::string rest =
        "Rest of 9H00 between Mon 4 Jan 22:00 and Tue 5 Jan 07:00 (minimum 11H00)";
    EXPECT_TRUE(warnings.Marked(Day(4), kFirst));
    EXPECT_TRUE(warnings.Marked(Day(5), kFirst));
    EXPECT_FALSE(warnings.Marked(Day(6), kFirst));
    EXPECT_FALSE(warnings.Marked(Day(4), kFirst + 1));
    EXPECT_EQ(warnings.Hint(Day(5), kFirst), rest);
    EXPECT_EQ(warnings.Hint(Day(6), kFirst), "");
    EXPECT_EQ(warnings.FirstMarkedColumn(warnings.Findings()[0]), Day(4));

    // A cell of the next row edited: that row alone is checked again, and the list is what a
    // check of the whole sheet gives.
    document.sheet.SetText(Day(11), kFirst + 1, "S6");
    warnings.RecomputeRow(document, kFirst + 1);
    EXPECT_EQ(warnings.Count(), 2);
    document.sheet.SetText(Day(5), kFirst, "");
    warnings.RecomputeRow(document, kFirst);
    ASSERT_EQ(warnings.Count(), 1);
    EXPECT_EQ(warnings.Findings(), CheckWorkingTime(document, {}).value());
    EXPECT_FALSE(warnings.Marked(Day(4), kFirst));
    EXPECT_TRUE(warnings.Marked(Day(11), kFirst + 1));
    EXPECT_EQ(warnings.Hint(Day(11), kFirst + 1),
              "Rest of 6H00 between Mon 11 Jan 10:00 and Mon 11 Jan 16:00 (minimum 11H00)");

    // Another shape checks the whole sheet again.
    document.sheet.Resize(document.sheet.colCount(), document.sheet.rowCount() + 1);
    document.sheet.SetText(Day(4), document.sheet.rowCount() - 1, "L");
    document.sheet.SetText(Day(5), document.sheet.rowCount() - 1, "E");
    warnings.RecomputeRow(document, kFirst);
    EXPECT_EQ(warnings.Count(), 2);

    WorkingTimeLimits off;
    off.enabled = false;
    warnings.SetLimits(off);
    warnings.Recompute(document);
    EXPECT_EQ(warnings.Count(), 0);
    EXPECT_FALSE(warnings.Marked(Day(11), kFirst + 1));

    // A working type whose time does not convert: no warnings, and the reason.
    warnings.SetLimits({});
    document.workingTypes.Add(WorkingType::Create("B", "Broken", "ab", "12H00", "", "", 0));
    document.RefreshTypeCodes();
    document.sheet.SetText(Day(20), kFirst, "B");
    warnings.Recompute(document);
    EXPECT_EQ(warnings.Count(), 0);
    EXPECT_FALSE(warnings.error().empty());
    EXPECT_TRUE(warnings.Findings().empty());
}

TEST(WorkingTimeSettings, LimitsLiveInTheUsersRulesKey)
{
    MemorySettingsStore store;
    EXPECT_EQ(ReadWorkingTimeLimits(store), WorkingTimeLimits{});
    WorkingTimeLimits limits;
    limits.enabled = false;
    limits.minimumRest = 10 * 60 + 30;
    limits.longestBreak = 2 * 60;
    limits.weeklyRest = 24 * 60;
    limits.maximumWeekHours = 60 * 60;
    limits.maximumDays = 10;
    limits.maximumNights = 7;
    ASSERT_TRUE(WriteWorkingTimeLimits(store, limits));
    EXPECT_EQ(ReadUserSetting(store, "Software/Shiftex/Rules", "MinimumRest"), "10.5");
    EXPECT_EQ(ReadWorkingTimeLimits(store), limits);

    // Values that do not read fall back to their defaults, one by one.
    for (const char* name : {"MinimumRest", "WeeklyRest", "MaximumDays", "Enabled"})
        WriteUserSetting(store, "Software/Shiftex/Rules", name, "-1");
    WriteUserSetting(store, "Software/Shiftex/Rules", "MaximumWeekHours", "lots");
    WorkingTimeLimits expected = limits;
    expected.enabled = true;
    expected.minimumRest = 11 * 60;
    expected.weeklyRest = 35 * 60;
    expected.maximumDays = 6;
    expected.maximumWeekHours = 48 * 60;
    EXPECT_EQ(ReadWorkingTimeLimits(store), expected);

    store.SetFailing(true);
    EXPECT_FALSE(WriteWorkingTimeLimits(store, limits));
}

TEST(ShiftexCliCheck, PrintsTheFindingsWithTheLimitsGiven)
{
    test::TempProgramFolder folder;
    ScheduleDocument document = Plan(Days(4, 4, "L") + Days(5, 5, "E") + Nights(11, 5));
    document.sheet.SetText(1, kFirst, "Anna \"A\"");
    const auto file = folder.path() / "plan.sxt";
    ASSERT_TRUE(SaveSchedule(document, file));
    const std::string run = "check '" + file.string() + "' --program-folder '" +
                            folder.path().string() + "'";

    const test::CliResult defaults = test::RunCli(run);
    ASSERT_EQ(defaults.status, 0) << defaults.out;
    EXPECT_EQ(nlohmann::json::parse(defaults.out), nlohmann::json::parse(R"({"findings": [
        {"row": 3, "employee": "Anna \"A\"", "rule": "nights", "from": "2027-01-11T22:00",
         "to": "2027-01-16T06:00", "value": 5},
        {"row": 3, "employee": "Anna \"A\"", "rule": "rest", "from": "2027-01-04T22:00",
         "to": "2027-01-05T07:00", "value": 540}]})"));

    const test::CliResult changed = test::RunCli(run + " --min-rest 8.5 --max-nights 5");
    ASSERT_EQ(changed.status, 0);
    EXPECT_EQ(changed.out, "{\"findings\":[]}\n");

    for (const char* bad : {"--min-rest x", "--max-days 1.5", "--max-nights", "--weekly-rest -3",
                            "--colour red"}) {
        const test::CliResult refused = test::RunCli(run + " " + bad, true);
        EXPECT_EQ(refused.status, 2) << bad;
        EXPECT_NE(refused.out.find("usage: shiftex-cli check FILE"), std::string::npos) << bad;
    }
    EXPECT_EQ(test::RunCli("check").status, 2);

    const auto damaged = folder.path() / "damaged.sxt";
    std::ofstream(damaged) << "TPF0 no schedule";
    const test::CliResult failed = test::RunCli(
        "check '" + damaged.string() + "' --program-folder '" + folder.path().string() + "'",
        true);
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("damaged"), std::string::npos) << failed.out;
}

} // namespace
} // namespace shiftex
