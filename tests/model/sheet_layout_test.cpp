#include "model/sheet_layout.h"

#include <gtest/gtest.h>

namespace shiftex {
namespace {

// A sheet as the text loader has it before the header is built: day numbers in row 0 from
// column 1, names in column 0.
ScheduleDocument FreshDocument(const std::string& title, int days, int employees)
{
    ScheduleDocument document = CreateDocument();
    document.monthTitle = title;
    document.weekendColour = "clyellow";
    document.holidayColour = "$00A8C8A6";
    document.sheet.Resize(days + 1, employees + 1);
    for (int d = 1; d <= days; ++d)
        document.sheet.SetText(d, 0, std::to_string(d));
    for (int e = 1; e <= employees; ++e)
        document.sheet.SetText(0, e, "Employee " + std::to_string(e));
    return document;
}

void BuildHeader(ScheduleDocument& document)
{
    LayoutMonthRow(document.sheet, document.monthTitle);
    LayoutWeekRow(document.sheet);
    ColourDayColumns(document);
    PlaceExtendButtons(document.sheet);
    LayoutNameColumns(document.sheet, kEmployeeDaysCaption);
}

// The week row as (caption, width) runs, left to right.
std::vector<std::pair<std::string, int>> WeekRuns(const ScheduleSheet& sheet)
{
    std::vector<std::pair<std::string, int>> runs;
    for (int c = sheet.fixedCols; c < sheet.colCount();) {
        const CellRect rect = sheet.MergeRect(c, 1);
        runs.emplace_back(sheet.Text(c, 1), rect.right - rect.left + 1);
        c = rect.right + 1;
    }
    return runs;
}

TEST(SheetLayout, OneMonthHeader)
{
    ScheduleDocument document = FreshDocument("June 2003", 30, 2);
    BuildHeader(document);
    const ScheduleSheet& sheet = document.sheet;
    EXPECT_EQ(sheet.fixedRows, 3);
    EXPECT_EQ(sheet.fixedCols, 2);
    EXPECT_EQ(sheet.colCount(), 32);
    EXPECT_EQ(sheet.rowCount(), 5);
    // One title cell over the whole month, on the neutral band, bold and centred.
    EXPECT_EQ(sheet.MergeRect(2, 0), (CellRect{2, 0, 31, 0}));
    EXPECT_EQ(sheet.Text(2, 0), "June 2003");
    EXPECT_EQ(sheet.BrushColor(2, 0), kNeutralGroupColour);
    EXPECT_TRUE(sheet.IsBold(2, 0));
    // 1 June 2003 is a Sunday: a one-column first week, then full weeks.
    EXPECT_EQ(WeekRuns(sheet), (std::vector<std::pair<std::string, int>>{
                                   {"Week 22", 1}, {"Week 23", 7}, {"Week 24", 7},
                                   {"Week 25", 7}, {"Week 26", 7}, {"Week 27", 1}}));
    EXPECT_EQ(sheet.Text(2, 2), "1");
    EXPECT_EQ(sheet.Text(31, 2), "30");
    // The corner, the caption and the names.
    EXPECT_EQ(sheet.MergeRect(0, 0), (CellRect{0, 0, 1, 1}));
    EXPECT_EQ(sheet.Text(1, 2), kEmployeeDaysCaption);
    EXPECT_TRUE(sheet.IsBold(1, 2));
    EXPECT_EQ(document.Employees(), (std::vector<std::string>{"Employee 1", "Employee 2"}));
    EXPECT_EQ(sheet.ColWidth(0), kGroupColumnWidth);
    EXPECT_EQ(sheet.BrushColor(0, 3), kNeutralGroupColour);
    EXPECT_EQ(sheet.BrushColor(0, 0), kHeaderColour);
    // Sunday 1 June and Saturday 7 June are weekend columns, Monday 2 June is not.
    EXPECT_EQ(sheet.BrushColor(2, 3), StringToColor("clyellow"));
    EXPECT_EQ(sheet.BrushColor(8, 4), StringToColor("clyellow"));
    EXPECT_EQ(sheet.BrushColor(3, 3), clNone);
    EXPECT_EQ(sheet.Alignment(3, 3), HAlignment::Center);
    // The two extend buttons sit on the last title cell and the last week cell.
    EXPECT_TRUE(sheet.HasButton(2, 0));
    EXPECT_TRUE(sheet.HasButton(31, 1));
    int buttons = 0;
    for (int c = 0; c < sheet.colCount(); ++c)
        for (int r = 0; r < sheet.rowCount(); ++r)
            buttons += sheet.HasButton(c, r);
    EXPECT_EQ(buttons, 2);
    EXPECT_EQ(document.DayOfColumn(31), (Date{2003, 6, 30}));
}

TEST(SheetLayout, IsoWeeksAtTheTurnOfTheYear)
{
    ScheduleDocument january = FreshDocument("January 2005", 31, 1);
    BuildHeader(january);
    EXPECT_EQ(WeekRuns(january.sheet).front(), (std::pair<std::string, int>{"Week 53", 2}));
    ScheduleDocument december = FreshDocument("December 2008", 31, 1);
    BuildHeader(december);
    EXPECT_EQ(WeekRuns(december.sheet).back(), (std::pair<std::string, int>{"Week 1", 3}));
}

TEST(SheetLayout, TwoMonthsGetATitleCellEach)
{
    ScheduleDocument document = FreshDocument("January 2004", 31, 1);
    BuildHeader(document);
    ScheduleSheet& sheet = document.sheet;
    // Extend by three days of February the way the structural edits do: the new columns carry
    // their title in the first cell only and their day numbers.
    const int first = sheet.colCount();
    sheet.InsertColumns(first, 3);
    sheet.SetText(first, 0, "February 2004");
    for (int d = 1; d <= 3; ++d)
        sheet.SetText(first + d - 1, 2, std::to_string(d));
    const int rowsBefore = sheet.rowCount();
    LayoutMonthRow(sheet, document.monthTitle);
    LayoutWeekRow(sheet);
    LayoutNameColumns(sheet, kEmployeeDaysCaption);
    EXPECT_EQ(sheet.rowCount(), rowsBefore);  // no rows inserted the second time
    EXPECT_EQ(sheet.MergeRect(2, 0), (CellRect{2, 0, 32, 0}));
    EXPECT_EQ(sheet.MergeRect(first, 0), (CellRect{first, 0, first + 2, 0}));
    EXPECT_EQ(sheet.Text(first + 2, 0), "February 2004");
    // 31 January 2004 is a Saturday: the week of 26 January runs on into 1 February.
    EXPECT_EQ(WeekRuns(sheet).back(), (std::pair<std::string, int>{"Week 6", 2}));
    EXPECT_EQ(document.DayOfColumn(first + 2), (Date{2004, 2, 3}));
    EXPECT_EQ(sheet.MergeRect(0, 0), (CellRect{0, 0, 1, 1}));
}

TEST(SheetLayout, HolidayOnASaturdayTakesTheHolidayColour)
{
    ScheduleDocument document = FreshDocument("May 2004", 31, 2);
    document.holidayLines = {"[custom]", "[**YEAR**]:2004", "[04]", "01:Not in May", "[05]",
                             "01:Labour Day", "20:Ascension", "[06]", "[]"};
    BuildHeader(document);
    const ScheduleSheet& sheet = document.sheet;
    const Colour holiday = StringToColor("$00A8C8A6");
    EXPECT_EQ(sheet.BrushColor(2, 3), holiday);       // Saturday 1 May
    EXPECT_EQ(sheet.BrushColor(2 + 19, 4), holiday);  // Thursday 20 May
    EXPECT_EQ(sheet.BrushColor(3, 3), StringToColor("clyellow"));  // Sunday 2 May
    EXPECT_EQ(HolidayNameOfColumn(document, 2), "Labour Day");
    EXPECT_EQ(HolidayNameOfColumn(document, 4), "");
}

TEST(SheetLayout, TheHolidayHintWalksTheLinesUntilADayIsNoNumber)
{
    ScheduleDocument document = FreshDocument("May 2004", 31, 2);
    BuildHeader(document);
    struct Case {
        const char* name;
        std::vector<std::string> entries;  // the lines below [05]
        const char* hint;                  // of 1 May
    };
    const Case cases[] = {
        {"the last of the day", {"01:Labour Day", "01:May Day"}, "May Day"},
        {"ends at a bad day", {"01:Labour Day", "xx:broken", "01:May Day"}, "Labour Day"},
        {"nothing before a bad day", {"xx:broken", "01:Labour Day"}, ""},
        {"a blank line is a bad day", {"", "01:Labour Day"}, ""},
        {"other days do not count", {"02:Not today", "01:Labour Day"}, "Labour Day"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        document.holidayLines = {"[custom]", "[**YEAR**]:2004", "[04]", "01:Not in May", "[05]"};
        document.holidayLines.insert(document.holidayLines.end(), c.entries.begin(),
                                     c.entries.end());
        document.holidayLines.push_back("[]");
        EXPECT_EQ(HolidayNameOfColumn(document, 2), c.hint);
    }
    // Another year's block does not name the day.
    document.holidayLines = {"[custom]", "[**YEAR**]:2003", "[05]", "01:Last year", "[]"};
    EXPECT_EQ(HolidayNameOfColumn(document, 2), "");
}

TEST(SheetLayout, GroupColoursSurviveTheNameColumns)
{
    ScheduleDocument document = FreshDocument("April 2003", 30, 2);
    BuildHeader(document);
    ScheduleSheet& sheet = document.sheet;
    sheet.SetBrushColor(0, 3, 0x000000FF);
    sheet.SetBrushColor(0, 4, kHeaderColour);
    LayoutNameColumns(sheet, kEmployeeDaysCaption);
    EXPECT_EQ(sheet.BrushColor(0, 3), 0x000000FFu);
    EXPECT_EQ(sheet.BrushColor(0, 4), kNeutralGroupColour);
}

TEST(SheetLayout, ImpossibleDayIsAConversionError)
{
    ScheduleDocument document = FreshDocument("April 2003", 31, 1);
    LayoutMonthRow(document.sheet, document.monthTitle);
    EXPECT_THROW(LayoutWeekRow(document.sheet), ConversionError);
}

TEST(SheetLayout, DepartmentDayNumbersMergePerDay)
{
    ScheduleSheet sheet;
    sheet.Resize(7, 5);
    sheet.fixedCols = 2;
    sheet.fixedRows = 4;
    for (auto [c, day] : {std::pair{2, "1"}, {3, "1"}, {4, "1"}, {5, "2"}, {6, "2"}})
        sheet.SetText(c, 2, day);
    MergeDayNumbers(sheet);
    EXPECT_EQ(sheet.MergeRect(3, 2), (CellRect{2, 2, 4, 2}));
    EXPECT_EQ(sheet.MergeRect(6, 2), (CellRect{5, 2, 6, 2}));
}

TEST(PickGroupColour, OffersEachGroupColourOnce)
{
    ScheduleSheet sheet;
    sheet.Resize(3, 7);
    sheet.fixedRows = 3;
    sheet.SetBrushColor(0, 3, 0x00112233);
    sheet.SetBrushColor(0, 4, 0x00445566);
    sheet.SetBrushColor(0, 5, 0x00112233);
    EXPECT_EQ(GroupColourOffers(sheet),
              (std::vector<std::string>{"ColorA=112233", "ColorB=445566", "ColorC=1FFFFFFF"}));
    ScheduleSheet target = sheet;
    std::vector<std::string> offered;
    const bool picked = PickGroupColour(sheet, target, 6, [&](const auto& offers) {
        offered = offers;
        return std::optional<Colour>(0x00ABCDEF);
    });
    EXPECT_TRUE(picked);
    EXPECT_EQ(offered.size(), 3u);
    EXPECT_EQ(target.BrushColor(0, 6), 0x00ABCDEFu);
    EXPECT_FALSE(PickGroupColour(sheet, target, 5, [](const auto&) {
        return std::optional<Colour>();
    }));
    EXPECT_EQ(target.BrushColor(0, 5), 0x00112233u);
}

TEST(ScheduleSheet, StructuralEditsKeepCellsAndMerges)
{
    ScheduleSheet sheet;
    sheet.Resize(6, 4);
    sheet.SetText(2, 1, "E");
    sheet.Merge(1, 0, 3, 1);
    sheet.SetColWidth(4, 99);
    sheet.InsertColumns(0, 1);
    EXPECT_EQ(sheet.Text(3, 1), "E");
    EXPECT_EQ(sheet.ColWidth(5), 99);
    EXPECT_EQ(sheet.MergeRect(3, 0), (CellRect{2, 0, 4, 0}));
    // A deletion through a merge undoes it rather than leaving a broken block.
    sheet.DeleteColumns(3, 1);
    EXPECT_EQ(sheet.MergeRect(2, 0), (CellRect{2, 0, 2, 0}));
    EXPECT_FALSE(sheet.IsCovered(3, 0));
    sheet.SetText(0, 3, "last");
    sheet.SetText(1, 2, "second");
    sheet.SetRowHeight(3, 50);
    sheet.MoveRow(3, 1);
    EXPECT_EQ(sheet.Text(0, 1), "last");
    EXPECT_EQ(sheet.RowHeight(1), 50);
    EXPECT_EQ(sheet.Text(1, 3), "second");
}

TEST(SplitCellLines, AnyLineEnd)
{
    EXPECT_EQ(SplitCellLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitCellLines("E"), std::vector<std::string>{"E"});
    EXPECT_EQ(SplitCellLines("E\r\nL\rN\nD"), (std::vector<std::string>{"E", "L", "N", "D"}));
    EXPECT_EQ(SplitCellLines("\r"), std::vector<std::string>{""});
}

} // namespace
} // namespace shiftex

namespace shiftex {
namespace {

TEST(CentreDayCells, MergedCaptionsFitTheirColumns)
{
    // June 2003 begins and ends with a week of one day.
    ScheduleDocument document = FreshDocument("June 2003", 30, 1);
    BuildHeader(document);
    const ScheduleSheet& sheet = document.sheet;
    const TextMetrics& metrics = DefaultTextMetrics();
    for (int c = sheet.fixedCols; c < sheet.colCount(); ++c) {
        const CellRect rect = sheet.MergeRect(c, 1);
        if (rect.left != c)
            continue;
        int width = 0;
        for (int x = rect.left; x <= rect.right; ++x)
            width += sheet.ColWidth(x);
        EXPECT_GE(width, metrics.TextWidth(sheet.Text(c, 1), true)) << sheet.Text(c, 1);
    }
}

} // namespace
} // namespace shiftex
