#include "reports/bar_graph.h"
#include "sample_schedule.h"

#include <gtest/gtest.h>

namespace shiftex {
namespace {

using test::MakeSchedule;
using test::SampleOptions;

constexpr int kFirst = 3;

// The grid rows a bar colours, as the command line lists them.
std::vector<int> Rows(const BarColumn& column)
{
    std::vector<int> rows;
    for (int s = 0; s < kSlotCount; ++s)
        if (column.worked.test(static_cast<std::size_t>(s)))
            rows.push_back(kFirstSlotRow + s);
    return rows;
}

std::vector<int> Range(int first, int last)
{
    std::vector<int> rows;
    for (int r = first; r <= last; ++r)
        rows.push_back(r);
    return rows;
}

BarGraph Draw(const ScheduleDocument& document, int row, int first, int last)
{
    Result<BarGraph> graph = DrawBarGraph(document, row, first, last);
    EXPECT_TRUE(graph) << (graph ? "" : graph.error().message);
    return graph ? std::move(*graph) : BarGraph{};
}

TEST(BarGraph, SlotsOfAWorkingTypesSpans)
{
    struct Case {
        const char* from1;
        const char* til1;
        const char* from2;
        const char* til2;
        std::vector<int> rows;
    };
    const Case cases[] = {
        // 8:00 to 11:50: rows 50 to 73; a slot counts as soon as one minute of it is worked.
        {"08H00", "12H00", "  H  ", "  H  ", Range(50, 73)},
        {"08H05", "12H00", "  H  ", "  H  ", Range(50, 73)},
        {"08H00", "12H01", "  H  ", "  H  ", Range(50, 74)},
        // A span whose end lies before its start colours nothing.
        {"22H00", "06H00", "  H  ", "  H  ", {}},
        {"08H00", "08H00", "  H  ", "  H  ", {}},
        // Two spans; the day ends at 24H00 (row 145), later times are cut there.
        {"00H00", "01H00", "23H00", "24H00", [] {
             std::vector<int> rows = Range(2, 7);
             for (int r : Range(140, 145))
                 rows.push_back(r);
             return rows;
         }()},
        {"23H50", "99H00", "  H  ", "  H  ", {145}},
    };
    for (const Case& c : cases) {
        const WorkingType type =
            WorkingType::Create("W", "Work", c.from1, c.til1, c.from2, c.til2, 0);
        BarColumn column;
        column.worked = WorkingTypeSlots(type);
        EXPECT_EQ(Rows(column), c.rows) << c.from1 << "-" << c.til1;
    }
}

TEST(BarGraph, OneBarPerLineColouredByItsDepartment)
{
    SampleOptions options;
    options.types = {WorkingType::Create("E", "Early", "08H00", "12H00", "  H  ", "  H  ", 0),
                     WorkingType::Create("L", "Late", "14H00", "22H00", "  H  ", "  H  ", 1)};
    options.departments = {"Sales", "Stock"};
    ScheduleDocument document = MakeSchedule(options);
    document.mainDepartmentColour = "clSilver";
    document.departments[0].colour = "clLime";
    ScheduleSheet& sheet = document.sheet;
    sheet.SetText(6, kFirst, "E\r\nSales: L");  // 5 January
    sheet.SetText(7, kFirst, "Nowhere: L\r\nX");  // undeclared department, unknown code
    // 7 January stays empty.

    const BarGraph graph = Draw(document, kFirst, 6, 8);
    ASSERT_EQ(graph.columns.size(), 8u);
    const BarColumn& early = graph.columns[0];
    EXPECT_EQ(early.kind, BarColumnKind::Bar);
    EXPECT_EQ(early.day, "5");
    EXPECT_EQ(early.colour, StringToColor("clSilver"));
    EXPECT_EQ(Rows(early), Range(50, 73));
    const BarColumn& late = graph.columns[1];
    EXPECT_EQ(late.day, "5");
    EXPECT_EQ(late.colour, StringToColor("clLime"));
    EXPECT_EQ(Rows(late), Range(86, 133));
    EXPECT_EQ(graph.columns[2].kind, BarColumnKind::Spacer);
    // Lines that name no working type: bars without colour, still labelled.
    for (int i : {3, 4}) {
        EXPECT_EQ(graph.columns[static_cast<std::size_t>(i)].day, "6");
        EXPECT_EQ(graph.columns[static_cast<std::size_t>(i)].colour, clNone);
        EXPECT_TRUE(graph.columns[static_cast<std::size_t>(i)].worked.none());
    }
    EXPECT_EQ(graph.columns[5].kind, BarColumnKind::Spacer);
    // An empty cell: one empty, unlabelled bar and a spacer.
    EXPECT_EQ(graph.columns[6].kind, BarColumnKind::Bar);
    EXPECT_EQ(graph.columns[6].day, "");
    EXPECT_TRUE(graph.columns[6].worked.none());
    EXPECT_EQ(graph.columns[7].kind, BarColumnKind::Spacer);
    EXPECT_EQ(graph.title, "Schedule for Employee 1 - 5 January 'till 7 January");
}

TEST(BarGraph, EmptyCellAddsAnEmptyBarAndASpacer)
{
    const ScheduleDocument document = MakeSchedule();
    const BarGraph graph = Draw(document, kFirst + 1, 10, 10);
    ASSERT_EQ(graph.columns.size(), 2u);
    EXPECT_EQ(graph.columns[0], (BarColumn{BarColumnKind::Bar, "", clNone, {}}));
    EXPECT_EQ(graph.columns[1].kind, BarColumnKind::Spacer);
}

TEST(BarGraph, OneDayTitleAndTheLowerOfTwoNames)
{
    ScheduleDocument document = MakeSchedule();
    ScheduleSheet& sheet = document.sheet;
    sheet.SetText(1, kFirst, "Ann");
    sheet.SetText(1, kFirst + 2, "Ann");
    sheet.SetText(6, kFirst, "E");
    sheet.SetText(6, kFirst + 2, "L");
    EXPECT_EQ(BarGraphRowOfName(document, "Ann"), kFirst + 2);
    EXPECT_EQ(BarGraphRowOfName(document, "Bob"), -1);
    const BarGraph graph = Draw(document, BarGraphRowOfName(document, "Ann"), 6, 6);
    EXPECT_EQ(graph.title, "Schedule for Ann - 5 January 'till 5 January");
    ASSERT_EQ(graph.columns.size(), 2u);
    EXPECT_EQ(Rows(graph.columns[0]), Range(62, 85));  // L, 10:00 to 14:00
}

TEST(BarGraph, DepartmentViewDrawsEachFilledSubColumn)
{
    SampleOptions options;
    options.days = 3;
    options.departments = {"Sales", "Stock"};
    options.departmentView = true;
    ScheduleDocument document = MakeSchedule(options);
    document.departments[1].colour = "clAqua";
    ScheduleSheet& sheet = document.sheet;
    const int row = 4;           // the first employee below the department row
    sheet.SetText(5, row, "L");  // day 2, Stock
    // Selecting Stock of day 1 to Sales of day 3 covers the three whole days.
    const BarGraph graph = Draw(document, row, 3, 6);
    ASSERT_EQ(graph.columns.size(), 6u);
    EXPECT_EQ(graph.columns[0].day, "1");  // a day without codes: an empty, labelled bar
    EXPECT_TRUE(graph.columns[0].worked.none());
    EXPECT_EQ(graph.columns[2].day, "2");
    EXPECT_EQ(graph.columns[2].colour, StringToColor("clAqua"));
    EXPECT_EQ(Rows(graph.columns[2]), Range(62, 85));
    EXPECT_EQ(graph.columns[4].day, "3");
    EXPECT_EQ(graph.title, "Schedule for Employee 1 - 1 January 'till 3 January");
}

TEST(BarGraph, LegendShowsTheMainDepartmentAndAtMostEightDepartments)
{
    SampleOptions options;
    for (int i = 1; i <= 10; ++i)
        options.departments.push_back("Dept " + std::to_string(i));
    const ScheduleDocument document = MakeSchedule(options);
    const Result<std::vector<LegendButton>> legend = BarGraphLegend(document);
    ASSERT_TRUE(legend);
    ASSERT_EQ(legend->size(), 9u);
    EXPECT_EQ((*legend)[0], (LegendButton{kMainDepartmentLabel, StringToColor("$00CE8A8A")}));
    EXPECT_EQ((*legend)[8].label, "Dept 8");

    const Result<std::vector<LegendButton>> alone = BarGraphLegend(MakeSchedule());
    ASSERT_TRUE(alone);
    EXPECT_EQ(alone->size(), 1u);
}

TEST(BarGraph, LegendColourChangeStaysInTheDocumentWithoutMarkingIt)
{
    SampleOptions options;
    options.departments = {"Sales"};
    ScheduleDocument document = MakeSchedule(options);
    document.modified = false;
    SetDepartmentColour(document, 0, StringToColor("clRed"));
    SetDepartmentColour(document, 1, RgbColour(1, 2, 3));
    EXPECT_EQ(DepartmentColourList(document),
              (std::vector<std::string>{"clRed", ColorToString(RgbColour(1, 2, 3))}));
    EXPECT_FALSE(document.modified);
}

TEST(BarGraph, ConversionErrorsStopTheGraph)
{
    ScheduleDocument document = MakeSchedule();
    document.sheet.SetText(2, kFirst, "E");
    document.workingTypes.SetField(document.workingTypes.IndexOfCode("E"), field::Til1, "1xH00");
    const Result<BarGraph> graph = DrawBarGraph(document, kFirst, 2, 4);
    ASSERT_FALSE(graph);
    EXPECT_EQ(graph.error().kind, ErrorKind::Conversion);
    EXPECT_NE(graph.error().message.find("1x"), std::string::npos);

    ScheduleDocument colours = MakeSchedule();
    colours.mainDepartmentColour = "not a colour";
    EXPECT_FALSE(BarGraphLegend(colours));
    EXPECT_FALSE(DrawBarGraph(colours, kFirst, 2, 4));
    EXPECT_FALSE(DrawBarGraph(MakeSchedule(), 1, 2, 4));  // a header row is no employee
}

} // namespace
} // namespace shiftex
