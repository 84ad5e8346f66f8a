#include "editing/schedule_session.h"
#include "sample_schedule.h"
#include "summaries/summary_set.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace shiftex {
namespace {

using test::MakeSchedule;
using test::SampleOptions;

// The first employee row of a normal-view sample is sheet row 3; day d is column d + 1.
constexpr int kFirst = 3;
int Day(int d) { return d + 1; }

WorkingType WithDayThreshold(WorkingType type, const char* minColour, const char* minCount,
                             const char* maxColour, const char* maxCount)
{
    type.fields[field::DayMinColour] = minColour;
    type.fields[field::DayMinCount] = minCount;
    type.fields[field::DayMaxColour] = maxColour;
    type.fields[field::DayMaxCount] = maxCount;
    return type;
}

WorkingType WithEmployeeThreshold(WorkingType type, const char* minColour, const char* minCount,
                                  const char* maxColour, const char* maxCount)
{
    type.fields[field::EmployeeMinColour] = minColour;
    type.fields[field::EmployeeMinCount] = minCount;
    type.fields[field::EmployeeMaxColour] = maxColour;
    type.fields[field::EmployeeMaxCount] = maxCount;
    return type;
}

// --- worked hours ---

TEST(WorkedHours, HoursOfOneCellFollowTheHoursTable)
{
    struct Case {
        const char* cell;
        bool salesDeclared;
        const char* hours;
    };
    // O overlaps itself: one entry adds both intervals, two entries count each minute once.
    const Case cases[] = {
        {"E", false, "08H00"},      {"L", false, "04H00"},        {"N", false, "00H00"},
        {"E\rL", false, "09H00"},   {"E\r\nL", false, "09H00"},   {"E\rE", false, "08H00"},
        {"E\rX", false, "08H00"},   {"X", false, "00H00"},        {"", false, "00H00"},
        {"Sales: E", false, "00H00"}, {"Sales: E", true, "08H00"}, {"Sales: E\rL", true, "09H00"},
        {"O", false, "08H00"},      {"O\r", false, "08H00"},      {"O\r\r", false, "06H00"},
        {"O\rO", false, "06H00"},   {"O\rX", false, "08H00"},     {"\r", false, "00H00"},
    };
    for (const Case& c : cases) {
        SampleOptions options;
        options.types.push_back(
            WorkingType::Create("O", "Overlap", "08H00", "12H00", "10H00", "14H00", 3));
        if (c.salesDeclared)
            options.departments = {"Sales"};
        ScheduleDocument document = MakeSchedule(options);
        document.sheet.SetText(Day(5), kFirst, c.cell);
        EXPECT_EQ(DayHours(document, DayCodes(document, kFirst, Day(5))), c.hours) << c.cell;

        SummarySet summaries(document);
        summaries.Show(SummaryKind::WorkedHours);
        EXPECT_EQ(summaries.workedHours().Total(kFirst), c.hours) << c.cell;
        EXPECT_EQ(summaries.workedHours().Total(kFirst + 1), "00H00");
    }
}

TEST(WorkedHours, MonthTotalsAndTheResolvedLines)
{
    SampleOptions options;
    options.types.push_back(
        WorkingType::Create("D", "Day", "00H00", "23H59", "  H  ", "  H  ", 4));
    ScheduleDocument document = MakeSchedule(options);
    for (int d = 1; d <= 31; ++d) {
        document.sheet.SetText(Day(d), kFirst, "E");
        document.sheet.SetText(Day(d), kFirst + 1, "D");
    }
    SummarySet summaries(document);
    summaries.Show(SummaryKind::WorkedHours);
    const SummaryGrid& grid = summaries.workedHours().grid();
    EXPECT_EQ(grid.rowCount(), document.sheet.rowCount());
    EXPECT_EQ(grid.Text(0, kFirst), "Employee 1");
    EXPECT_EQ(grid.Text(0, 0), "        Global");
    EXPECT_EQ(grid.Text(0, 1), "\rEmployee");
    EXPECT_EQ(grid.Text(1, 1), "\rHours");
    EXPECT_EQ(summaries.workedHours().Total(kFirst), "248H00");
    EXPECT_EQ(summaries.workedHours().Total(kFirst + 1), "743H29");
    EXPECT_EQ(summaries.workedHours().Total(kFirst + 2), "00H00");
    EXPECT_EQ(summaries.workedHours().LockPicture(), 1);
    EXPECT_TRUE(document.modified);

    document.departments = {{"Sales", "clWhite"}};
    EXPECT_EQ(ResolveCellLine(document, "Sales: E"), "E");
    EXPECT_EQ(ResolveCellLine(document, "Sales: "), "");
    EXPECT_EQ(ResolveCellLine(document, "Store: E"), kNoWorkingType);
    EXPECT_EQ(ResolveCellLine(document, "Sales: X"), kNoWorkingType);
    EXPECT_EQ(ResolveCellLine(document, "e"), kNoWorkingType);
    EXPECT_EQ(ResolveCellLine(document, ""), "");
}

TEST(WorkedHours, DepartmentViewReadsTheSubColumnsOfADayAsTheyStand)
{
    SampleOptions options;
    options.departments = {"A", "B"};
    options.departmentView = true;
    options.days = 7;
    ScheduleDocument document = MakeSchedule(options);
    constexpr int first = 4;
    ASSERT_EQ(document.sheet.fixedRows, 4);
    // Day 3 is sub-columns 6 and 7; day column 4 of the normal view.
    EXPECT_EQ(FirstSubColumn(document, 4), 6);
    EXPECT_EQ(LastSubColumn(document, 4), 7);
    EXPECT_EQ(DayColumnOfSheetColumn(document, 7), 4);
    document.sheet.SetText(6, first, "E");
    document.sheet.SetText(7, first, "L");
    document.sheet.SetText(2, first + 1, "E");
    document.sheet.SetText(3, first + 1, "A: E");  // a department line is no code here
    SummarySet summaries(document);
    summaries.Show(SummaryKind::WorkedHours);
    EXPECT_EQ(summaries.workedHours().Total(first), "09H00");
    EXPECT_EQ(summaries.workedHours().Total(first + 1), "08H00");
    EXPECT_EQ(summaries.workedHours().grid().fixedRows(), 4);

    // With one department a day has one entry, and one entry adds its intervals.
    SampleOptions one = options;
    one.departments = {"A"};
    one.types.push_back(
        WorkingType::Create("O", "Overlap", "08H00", "12H00", "10H00", "14H00", 3));
    ScheduleDocument single = MakeSchedule(one);
    single.sheet.SetText(3, first, "O");
    SummarySet singleSummaries(single);
    singleSummaries.Show(SummaryKind::WorkedHours);
    EXPECT_EQ(singleSummaries.workedHours().Total(first), "08H00");
}

class ScopeTest : public ::testing::Test {
protected:
    ScopeTest() : session(Filled(), messages) {}
    static ScheduleDocument Filled()
    {
        ScheduleDocument document = MakeSchedule();
        for (int d = 1; d <= 31; ++d)
            document.sheet.SetText(Day(d), kFirst, "E");
        return document;
    }
    const std::string& Caption(SummaryKind kind) const
    {
        return kind == SummaryKind::WorkedHours
                   ? session.summaries().workedHours().grid().Text(0, 0)
                   : session.summaries().employeesPerType().grid().Text(1, 0);
    }
    int EarlyCount() const { return session.summaries().employeesPerType().CountAt(1, kFirst); }
    const std::string& Hours() const { return session.summaries().workedHours().Total(kFirst); }

    test::RecordingMessageSink messages;  // before the session that reports to it
    ScheduleSession session;
};

TEST_F(ScopeTest, RangeCaptionAndAClickBackToTheWholeSheet)
{
    ASSERT_TRUE(session.summaryPanels().Show(SummaryKind::WorkedHours));
    ASSERT_TRUE(session.summaryPanels().Show(SummaryKind::EmployeesPerType));
    EXPECT_EQ(Caption(SummaryKind::EmployeesPerType), "          Global");
    EXPECT_EQ(session.summaries().employeesPerType().grid().Text(0, 0), "\rEmployees / Types");
    // The first full week: Monday 4 January to Sunday 10 January, columns 5 to 11.
    session.summaryPanels().SelectRange(SummaryKind::WorkedHours, Day(4), Day(10));
    session.summaryPanels().SelectRange(SummaryKind::EmployeesPerType, Day(4), Day(10));
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), "        4 January 'till 10 January");
    EXPECT_EQ(Caption(SummaryKind::EmployeesPerType), "        4 January 'till 10 January");
    EXPECT_EQ(Hours(), "56H00");
    EXPECT_EQ(EarlyCount(), 7);

    // RecomputeSummaries: the worked hours go back to Global, employees per type keep the range.
    ASSERT_TRUE(session.summaryPanels().Recompute());
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), "        Global");
    EXPECT_EQ(Hours(), "248H00");
    EXPECT_EQ(Caption(SummaryKind::EmployeesPerType), "        4 January 'till 10 January");
    EXPECT_EQ(EarlyCount(), 7);
    EXPECT_EQ(session.summaries().employeesPerType().grid().Text(0, 0), "Employees / Types");

    session.summaryPanels().SelectRange(SummaryKind::WorkedHours, Day(4), Day(10));
    session.sheetEdits().SelectWorkingType(1);
    session.sheetEdits().ClickCell(Day(20), kFirst + 2);
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), "        Global");
    EXPECT_EQ(Caption(SummaryKind::EmployeesPerType), "          Global");
    EXPECT_EQ(Hours(), "248H00");
    EXPECT_EQ(EarlyCount(), 31);
}

TEST_F(ScopeTest, LockedRangeIgnoresOtherRangesAndClicks)
{
    session.summaryPanels().Show(SummaryKind::WorkedHours);
    session.summaryPanels().SelectRange(SummaryKind::WorkedHours, Day(5), Day(11));
    session.summaryPanels().PressLock(SummaryKind::WorkedHours);
    EXPECT_EQ(session.summaries().workedHours().LockPicture(), 0);
    const std::string caption = "        5 January 'till 11 January";
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), caption);
    EXPECT_EQ(Hours(), "56H00");

    session.summaryPanels().SelectRange(SummaryKind::WorkedHours, Day(18), Day(24));
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), caption);
    EXPECT_EQ(Hours(), "56H00");
    session.sheetEdits().SelectWorkingType(0);
    session.sheetEdits().ClickCell(Day(20), kFirst);  // outside the range: the total stays
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), caption);
    EXPECT_EQ(Hours(), "56H00");
    session.sheetEdits().ClickCell(Day(6), kFirst);  // inside
    EXPECT_EQ(Hours(), "48H00");
    session.summaryPanels().Recompute();
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), caption);
    EXPECT_EQ(Hours(), "48H00");

    session.summaryPanels().PressLock(SummaryKind::WorkedHours);
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), "          Global");
    EXPECT_EQ(Hours(), "232H00");
}

TEST_F(ScopeTest, TheTwoLocksAreLinkedWhileBothAreShown)
{
    session.summaryPanels().Show(SummaryKind::WorkedHours);
    // Locking a Global scope fixes all days, caption unchanged.
    session.summaryPanels().PressLock(SummaryKind::WorkedHours);
    EXPECT_TRUE(session.summaries().workedHours().scope.locked);
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), "        Global");
    EXPECT_EQ(session.summaries().workedHours().scope.startColumn, 2);
    EXPECT_EQ(session.summaries().workedHours().scope.endColumn, 32);
    // Hidden, employees per type is not switched; shown later it keeps its own state.
    session.summaryPanels().Show(SummaryKind::EmployeesPerType);
    EXPECT_FALSE(session.summaries().employeesPerType().scope.locked);
    session.summaryPanels().SelectRange(SummaryKind::EmployeesPerType, Day(1), Day(3));
    session.summaryPanels().PressLock(SummaryKind::EmployeesPerType);  // now both locked: no switch
    EXPECT_TRUE(session.summaries().workedHours().scope.locked);
    EXPECT_EQ(EarlyCount(), 3);
    session.summaryPanels().PressLock(SummaryKind::EmployeesPerType);  // releases both
    EXPECT_FALSE(session.summaries().employeesPerType().scope.locked);
    EXPECT_FALSE(session.summaries().workedHours().scope.locked);
    EXPECT_EQ(Caption(SummaryKind::WorkedHours), "          Global");
    EXPECT_EQ(Caption(SummaryKind::EmployeesPerType), "          Global");
    session.summaryPanels().PressLock(SummaryKind::WorkedHours);  // locks both
    EXPECT_TRUE(session.summaries().employeesPerType().scope.locked);
    EXPECT_EQ(EarlyCount(), 31);

    // A hidden summary's lock button cannot be pressed.
    session.summaryPanels().Hide(SummaryKind::WorkedHours);
    EXPECT_FALSE(session.summaryPanels().PressLock(SummaryKind::WorkedHours));
}

// --- types per day ---

TEST(TypesPerDay, CountsAndThresholdColours)
{
    SampleOptions options;
    options.employees = 5;
    options.types[0] = WithDayThreshold(options.types[0], "clRed", "2", "clYellow", "3");
    options.departments = {"Sales"};
    ScheduleDocument document = MakeSchedule(options);
    ScheduleSheet& sheet = document.sheet;
    // Day d holds d - 1 Early shifts (days 1 to 5), day 6 one cell "E\rE", day 7 lines that
    // name nothing and a department line.
    for (int d = 1; d <= 5; ++d)
        for (int e = 0; e < d - 1; ++e)
            sheet.SetText(Day(d), kFirst + e, "E");
    sheet.SetText(Day(6), kFirst, "E\rE");
    sheet.SetText(Day(7), kFirst, "X");
    sheet.SetText(Day(7), kFirst + 1, "Sales: E");
    sheet.SetText(Day(7), kFirst + 2, "Store: E");
    SummarySet summaries(document);
    summaries.Show(SummaryKind::TypesPerDay);
    const TypesPerDaySummary& types = summaries.typesPerDay();
    const SummaryGrid& grid = types.grid();
    ASSERT_EQ(grid.colCount(), sheet.colCount() - 1);
    EXPECT_EQ(grid.Text(0, 0), "Types / Days");
    EXPECT_EQ(grid.Text(1, 0), "1");
    EXPECT_EQ(grid.Text(grid.colCount() - 1, 0), "31");
    EXPECT_EQ(grid.Text(0, 1), "E");
    EXPECT_EQ(grid.Text(0, 3), "N");
    struct Expect {
        int day;
        const char* count;
        Colour colour;
    };
    const Expect expected[] = {{1, "0", 0x000000FF}, {2, "1", 0x000000FF}, {3, "2", clWhite},
                               {4, "3", clWhite},    {5, "4", 0x0000FFFF}, {6, "2", clWhite},
                               {7, "1", 0x000000FF}};
    for (const Expect& e : expected) {
        // Summary column a shows sheet column a + 1.
        EXPECT_EQ(grid.Text(Day(e.day) - 1, 1), e.count) << e.day;
        EXPECT_EQ(grid.ColourAt(Day(e.day) - 1, 1), e.colour) << e.day;
    }
    // L keeps the editor's default threshold: 0 is below 1.
    EXPECT_EQ(grid.Text(1, 2), "0");
    EXPECT_EQ(grid.ColourAt(1, 2), clWhite);  // "clwhite" as min colour
}

TEST(TypesPerDay, DepartmentViewCountsEachSubColumn)
{
    SampleOptions options;
    options.departments = {"A", "B"};
    options.departmentView = true;
    options.days = 3;
    ScheduleDocument document = MakeSchedule(options);
    document.sheet.SetText(2, 4, "E");
    document.sheet.SetText(3, 4, "E");
    document.sheet.SetText(3, 5, "L");
    SummarySet summaries(document);
    summaries.Show(SummaryKind::TypesPerDay);
    const SummaryGrid& grid = summaries.typesPerDay().grid();
    ASSERT_EQ(grid.fixedRows(), 2);
    ASSERT_EQ(grid.colCount(), 7);
    EXPECT_EQ(grid.Text(1, 1), "A");
    EXPECT_EQ(grid.Text(2, 1), "B");
    EXPECT_EQ((grid.MergeRect(2, 0)), (CellRect{1, 0, 2, 0}));
    EXPECT_EQ(grid.Text(1, 2), "1");  // E, department A
    EXPECT_EQ(grid.Text(2, 2), "1");  // E, department B
    EXPECT_EQ(grid.Text(2, 3), "1");  // L, department B
    EXPECT_EQ(grid.Text(3, 2), "0");
}

// --- employees per type ---

TEST(EmployeesPerType, CountsAtAndBeyondBothLimits)
{
    SampleOptions options;
    options.employees = 10;
    options.types[0] = WithEmployeeThreshold(options.types[0], "clRed", "5", "clYellow", "8");
    ScheduleDocument document = MakeSchedule(options);
    const int days[] = {4, 5, 8, 9};
    for (int e = 0; e < 4; ++e)
        for (int d = 1; d <= days[e]; ++d)
            document.sheet.SetText(Day(d), kFirst + e, "E");
    document.sheet.SetText(Day(1), kFirst + 4, "E\rE");
    SummarySet summaries(document);
    summaries.Show(SummaryKind::EmployeesPerType);
    const SummaryGrid& grid = summaries.employeesPerType().grid();
    // Sheet rows 3 to 12 are summary rows 2 to 11.
    ASSERT_EQ(grid.rowCount(), 12);
    EXPECT_EQ(grid.Text(0, 2), "Employee 1");
    EXPECT_EQ(grid.Text(0, 11), "Employee 10");
    EXPECT_EQ(grid.Text(1, 1), "E");
    EXPECT_EQ((grid.MergeRect(3, 0)), (CellRect{1, 0, 3, 0}));
    const std::pair<const char*, Colour> expected[] = {
        {"4", 0x000000FF}, {"5", clWhite}, {"8", clWhite}, {"9", 0x0000FFFF}, {"2", 0x000000FF}};
    for (int e = 0; e < 5; ++e) {
        EXPECT_EQ(grid.Text(1, e + 2), expected[e].first) << e;
        EXPECT_EQ(grid.ColourAt(1, e + 2), expected[e].second) << e;
    }

    // Types added later appear at the next layout.
    document.workingTypes.Add(WorkingType::Create("V", "Holiday", "  H  ", "  H  ", "  H  ",
                                                  "  H  ", 5));
    summaries.RecomputeSummaries();
    EXPECT_EQ(summaries.employeesPerType().grid().colCount(), 5);
    EXPECT_EQ(summaries.employeesPerType().grid().Text(4, 1), "V");
}

// --- custom query ---

class CustomQueryTest : public ::testing::Test {
protected:
    CustomQueryTest()
    {
        SampleOptions options;
        options.employees = 6;
        options.types.push_back(
            WorkingType::Create("E2", "Early 2", "07H00", "15H00", "  H  ", "  H  ", 3));
        options.types.push_back(
            WorkingType::Create("C", "Course", "09H00", "12H00", "  H  ", "  H  ", 4));
        document = MakeSchedule(options);
        document.customQueryLines = {"Early", "E",  "E2", kEndThisAddition, "Q", "N",
                                     "C",     kEndThisAddition, "N", "E", kEndThisAddition,
                                     kEndAllAdditions};
        document.customQueryNames = QueryNames(document.customQueryLines);
        document.queryThresholds = {{"Early", "clRed", "2", "clYellow", "4"},
                                    ColorThreshold{"Q"}, ColorThreshold{"N"}};
    }
    void Rows(std::vector<CustomQueryRow> rows)
    {
        document.customQueryPanel.rows = rows;
        document.customQueryPanel.visible = false;
    }
    ScheduleDocument document;
};

TEST_F(CustomQueryTest, CountsColoursAndTotals)
{
    EXPECT_EQ(QueryNames(document.customQueryLines),
              (std::vector<std::string>{"Early", "Q", "N"}));
    Rows({{"Early", ""}, {"N", ""}, {"", ""}, {"Early", ""}, {"Late", ""}});
    ScheduleSheet& sheet = document.sheet;
    // Day 1: E, E, E2. Day 2: one E. Day 3: five of them. Day 4: one cell "E\rE2".
    sheet.SetText(Day(1), kFirst, "E");
    sheet.SetText(Day(1), kFirst + 1, "E");
    sheet.SetText(Day(1), kFirst + 2, "E2");
    sheet.SetText(Day(2), kFirst, "E");
    for (int e = 0; e < 5; ++e)
        sheet.SetText(Day(3), kFirst + e, e % 2 ? "E2" : "E");
    sheet.SetText(Day(4), kFirst, "E\rE2");
    sheet.SetText(Day(5), kFirst, "N");
    sheet.SetText(Day(5), kFirst + 1, "C");

    SummarySet summaries(document);
    summaries.Show(SummaryKind::CustomQuery);
    const CustomQuerySummary& query = summaries.customQuery();
    const SummaryGrid& grid = query.grid();
    ASSERT_EQ(grid.rowCount(), 1 + 5 + 1);
    EXPECT_EQ(grid.Text(1, 0), "Custom Query");
    EXPECT_EQ(grid.Text(2, 0), "1");
    EXPECT_EQ(grid.Text(1, 6), "Total");
    struct Expect {
        int day;
        const char* count;
        Colour colour;
    };
    const Expect early[] = {{1, "3", clWhite}, {2, "1", 0x000000FF}, {3, "5", 0x0000FFFF},
                            {4, "2", clWhite}, {5, "0", 0x000000FF}};
    for (const Expect& e : early) {
        EXPECT_EQ(grid.Text(Day(e.day), 1), e.count) << e.day;
        EXPECT_EQ(grid.ColourAt(Day(e.day), 1), e.colour) << e.day;
        EXPECT_EQ(grid.Text(Day(e.day), 4), e.count) << e.day;  // the second Early row
    }
    // N counts only E, not the N and C that Q lists; a row without threshold entry is white.
    EXPECT_EQ(grid.Text(Day(5), 2), "0");
    EXPECT_EQ(grid.Text(Day(1), 2), "2");
    // An empty name shows empty cells and adds nothing.
    EXPECT_EQ(grid.Text(Day(1), 3), "");
    EXPECT_FALSE(query.CountAt(2, Day(1)).has_value());
    // No query named Late: zero everywhere, white.
    EXPECT_EQ(grid.Text(Day(1), 5), "0");
    EXPECT_EQ(grid.ColourAt(Day(1), 5), clWhite);
    // Each Early row counts the matching lines once: twice in the Total, plus N's E.
    EXPECT_EQ(grid.Text(Day(1), 6), "8");
    EXPECT_EQ(grid.ColourAt(Day(1), 6), clWhite);
    EXPECT_EQ(grid.Text(Day(3), 6), std::to_string(5 + 5 + 3));
}

TEST_F(CustomQueryTest, FilterColourKeepsOneGroupAndDuplicateMembersCountTwice)
{
    ScheduleSheet& sheet = document.sheet;
    sheet.SetBrushColor(0, kFirst, 0x000000FF);
    sheet.SetBrushColor(0, kFirst + 1, 0x000000FF);
    for (int e = 0; e < 4; ++e)
        sheet.SetText(Day(1), kFirst + e, "E");
    struct Case {
        const char* filter;
        const char* count;
    };
    const Case cases[] = {{"clRed", "2"}, {"", "4"}, {"clNone", "4"}, {"$00C8E0E6", "4"},
                          {"clBlue", "0"}};
    for (const Case& c : cases) {
        Rows({{"Early", c.filter}});
        SummarySet summaries(document);
        summaries.Show(SummaryKind::CustomQuery);
        EXPECT_EQ(summaries.customQuery().grid().Text(Day(1), 1), c.count) << c.filter;
    }

    // Two definitions of one name add their members; a code listed twice counts twice.
    document.customQueryLines = {"Early", "E", kEndThisAddition, "Early", "E", "E2",
                                 kEndThisAddition, kEndAllAdditions};
    EXPECT_EQ(QueryMembers(document.customQueryLines, "Early"),
              (std::vector<std::string>{"E", "E", "E2"}));
    Rows({{"Early", ""}});
    SummarySet summaries(document);
    summaries.Show(SummaryKind::CustomQuery);
    EXPECT_EQ(summaries.customQuery().grid().Text(Day(1), 1), "8");
}

TEST_F(CustomQueryTest, RowEditing)
{
    ScheduleSheet& sheet = document.sheet;
    sheet.SetText(Day(1), kFirst, "E");
    sheet.SetBrushColor(0, kFirst + 1, 0x00FF0000);
    sheet.SetText(Day(1), kFirst + 1, "E");
    document.customQueryPanel.height = 107;
    test::RecordingMessageSink messages;
    ScheduleSession session(document, messages);
    ASSERT_TRUE(session.summaryPanels().Show(SummaryKind::CustomQuery));
    const CustomQuerySummary& query = session.summaries().customQuery();
    const ScheduleDocument& d = session.document();
    // No recorded rows: one empty data row and the Total row.
    ASSERT_EQ(d.customQueryPanel.rows.size(), 1u);
    EXPECT_EQ(query.grid().rowCount(), 3);
    EXPECT_FALSE(session.summaryPanels().CanDeleteQueryRow(1));  // the only data row
    EXPECT_FALSE(session.summaryPanels().CanDeleteQueryRow(2));  // Total
    EXPECT_FALSE(session.summaryPanels().CanDeleteQueryRow(0));  // header

    EXPECT_TRUE(session.summaryPanels().ChooseQuery(1, "Early"));
    EXPECT_EQ(query.grid().Text(Day(1), 1), "2");
    EXPECT_EQ(query.grid().Text(Day(1), 2), "2");
    // The row shows the chosen query at once and is coloured against its threshold.
    EXPECT_EQ(query.grid().Text(1, 1), "Early");
    EXPECT_EQ(query.grid().ColourAt(Day(1), 1), clWhite);
    EXPECT_EQ(query.grid().ColourAt(Day(2), 1), StringToColor("clRed"));
    session.summaryPanels().InsertQueryRow(1);  // above the Early row
    EXPECT_EQ(d.customQueryPanel.height, 128);
    ASSERT_EQ(d.customQueryPanel.rows.size(), 2u);
    EXPECT_EQ(d.customQueryPanel.rows[1].queryName, "Early");
    EXPECT_EQ(query.grid().Text(1, 2), "Early");
    EXPECT_TRUE(session.summaryPanels().CanDeleteQueryRow(1));
    EXPECT_TRUE(session.summaryPanels().CanDeleteQueryRow(2));
    EXPECT_FALSE(session.summaryPanels().CanDeleteQueryRow(3));

    // The filter colour through the group colour picker, offered the group colours in use.
    std::vector<std::string> offered;
    session.summaryPanels().PickFilterColour(2, [&](const std::vector<std::string>& offers) {
        offered = offers;
        return std::optional<Colour>(0x00FF0000);
    });
    EXPECT_EQ(offered, (std::vector<std::string>{"ColorA=C8E0E6", "ColorB=FF0000"}));
    EXPECT_EQ(d.customQueryPanel.rows[1].groupColour, "clBlue");
    EXPECT_EQ(query.grid().ColourAt(0, 2), 0x00FF0000u);
    EXPECT_EQ(query.grid().Text(Day(1), 2), "1");
    EXPECT_EQ(query.grid().Text(Day(1), 3), "1");

    session.summaryPanels().DeleteQueryRow(2);
    EXPECT_EQ(d.customQueryPanel.rows.size(), 1u);
    EXPECT_EQ(d.customQueryPanel.height, 107);
    session.summaryPanels().InsertQueryRow(2);
    EXPECT_EQ(d.customQueryPanel.height, 128);
    // The area shrinks only while it stays higher than 86 pixels.
    session.document().customQueryPanel.height = 100;
    session.summaryPanels().DeleteQueryRow(1);
    EXPECT_EQ(d.customQueryPanel.rows.size(), 1u);
    EXPECT_EQ(d.customQueryPanel.height, 100);
    EXPECT_EQ(session.summaries().QueryNameChoices(),
              (std::vector<std::string>{"Early", "Q", "N"}));

    // Definitions edited: rows of queries that are gone go, the rest is counted again.
    ScheduleDocument other = document;
    other.customQueryPanel.rows = {{"Q", ""}, {"Early", ""}, {"", ""}};
    other.customQueryLines = {"Early", "E", kEndThisAddition, kEndAllAdditions};
    SummarySet edited(other);
    edited.Show(SummaryKind::CustomQuery);
    edited.QueryDefinitionsChanged();
    ASSERT_EQ(other.customQueryPanel.rows.size(), 2u);
    EXPECT_EQ(other.customQueryPanel.rows[0].queryName, "Early");
    EXPECT_EQ(edited.customQuery().grid().Text(Day(1), 1), "2");
    other.customQueryLines = {kEndAllAdditions};
    other.customQueryPanel.rows = {{"Early", ""}};
    edited.QueryDefinitionsChanged();
    ASSERT_EQ(other.customQueryPanel.rows.size(), 1u);
    EXPECT_EQ(other.customQueryPanel.rows[0].queryName, "");
}

// --- conversion errors ---

TEST(SummaryErrors, ABadTimeOrThresholdStopsTheCommandAndIsReported)
{
    SampleOptions options;
    options.types[1].fields[field::From1] = "1OH00";
    ScheduleDocument document = MakeSchedule(options);
    document.sheet.SetText(Day(1), kFirst, "E");
    document.sheet.SetText(Day(2), kFirst, "L");
    {
        test::RecordingMessageSink messages;
        ScheduleSession session(document, messages);
        EXPECT_FALSE(session.summaryPanels().Show(SummaryKind::WorkedHours));
        ASSERT_EQ(messages.errors.size(), 1u);
        EXPECT_NE(messages.errors[0].find("1O"), std::string::npos);
    }
    document.sheet.SetText(Day(2), kFirst, "");
    {
        // A type with a bad time counts only where it is used.
        test::RecordingMessageSink messages;
        ScheduleSession session(document, messages);
        EXPECT_TRUE(session.summaryPanels().Show(SummaryKind::WorkedHours));
        EXPECT_EQ(session.summaries().workedHours().Total(kFirst), "08H00");
        session.sheetEdits().SelectWorkingType(2);
        EXPECT_FALSE(session.sheetEdits().ClickCell(Day(3), kFirst));
        EXPECT_EQ(messages.errors.size(), 1u);
        EXPECT_EQ(session.document().sheet.Text(Day(3), kFirst), "L");
    }
    document.workingTypes.At(1).fields[field::DayMaxCount] = "many";
    {
        test::RecordingMessageSink messages;
        ScheduleSession session(document, messages);
        EXPECT_FALSE(session.summaryPanels().Show(SummaryKind::TypesPerDay));
        EXPECT_EQ(messages.errors.size(), 1u);
        // The counts are there; the colouring stopped.
        EXPECT_EQ(session.summaries().typesPerDay().grid().Text(1, 1), "1");
    }
}

TEST(SummaryVisibility, MenuCaptionsAndTheDocumentFlags)
{
    ScheduleDocument document = MakeSchedule();
    SummarySet summaries(document);
    const std::pair<SummaryKind, const char*> kinds[] = {
        {SummaryKind::CustomQuery, "&Custom Query"},
        {SummaryKind::EmployeesPerType, "&Employees / Types summary"},
        {SummaryKind::TypesPerDay, "&Types / Days summary"},
        {SummaryKind::WorkedHours, "&Worked Hours"}};
    for (const auto& [kind, name] : kinds) {
        EXPECT_EQ(summaries.MenuCaption(kind), std::string("View ") + name);
        summaries.Toggle(kind);
        EXPECT_TRUE(summaries.IsShown(kind));
        EXPECT_EQ(summaries.MenuCaption(kind), std::string("Hide ") + name);
    }
    EXPECT_TRUE(document.customQueryPanel.visible && document.employeeTypesPanelVisible &&
                document.typesDaysPanelVisible && document.workedHoursPanelVisible);
    document.modified = false;
    summaries.Hide(SummaryKind::TypesPerDay);
    EXPECT_TRUE(document.modified);
    EXPECT_FALSE(document.typesDaysPanelVisible);
    EXPECT_EQ(summaries.typesPerDay().grid().rowCount(), 0);

    // After a load the recorded ones are computed without a modified mark.
    document.modified = false;
    SummarySet loaded(document);
    loaded.ShowRecorded();
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(loaded.workedHours().grid().rowCount(), document.sheet.rowCount());
}

} // namespace
} // namespace shiftex
