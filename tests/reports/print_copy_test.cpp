#include "reports/print_commands.h"
#include "reports/print_copy.h"
#include "sample_schedule.h"
#include "summaries/summary_set.h"

#include <gtest/gtest.h>

namespace shiftex {
namespace {

using test::MakeSchedule;
using test::SampleOptions;

constexpr int kFirst = 3;  // the first employee row of a normal-view sample

// The texts of one row of a grid, columns first to last.
std::vector<std::string> RowTexts(const ScheduleSheet& grid, int row)
{
    std::vector<std::string> texts;
    for (int c = 0; c < grid.colCount(); ++c)
        texts.push_back(grid.Text(c, row));
    return texts;
}

PrintCopy SheetPrint(const ScheduleDocument& document, std::optional<CellRect> selection,
                     SheetCopyUse use = SheetCopyUse::Print)
{
    Result<PrintCopy> copy = SheetCopy(document, selection, use);
    EXPECT_TRUE(copy) << (copy ? "" : copy.error().message);
    return copy ? std::move(*copy) : PrintCopy{};
}

TEST(PrintCopy, SelectionKeepsItsDaysAndEveryEmployee)
{
    // January 2027: 31 days, so 33 columns; sheet column c shows day c - 1.
    ScheduleDocument document = MakeSchedule();
    for (int c = 2; c < 33; ++c)
        document.sheet.SetText(c, kFirst + 1, std::to_string(c));
    const ScheduleSheet before = document.sheet;

    const PrintCopy copy = SheetPrint(document, CellRect{10, 3, 16, 5});
    const ScheduleSheet& grid = copy.grid;
    ASSERT_EQ(grid.colCount(), 9);
    EXPECT_EQ(grid.rowCount(), document.sheet.rowCount());
    EXPECT_EQ(grid.Text(1, kFirst + 3), "Employee 4");  // a row outside the selection stays
    for (int c = 2; c <= 8; ++c) {
        EXPECT_EQ(grid.Text(c, kFirst + 1), std::to_string(c + 8));
        EXPECT_EQ(grid.Text(c, 2), std::to_string(c + 7));  // days 9 to 15
    }
    // The live sheet is never touched.
    EXPECT_EQ(document.sheet, before);
}

TEST(PrintCopy, OnlyARectangleOfSeveralColumnsAndRowsTrims)
{
    const ScheduleDocument document = MakeSchedule();
    struct Case {
        std::optional<CellRect> selection;
        int columns;
    };
    const Case cases[] = {
        {std::nullopt, 33},
        {CellRect{10, 3, 10, 6}, 33},  // one column
        {CellRect{10, 4, 16, 4}, 33},  // one row
        {CellRect{2, 3, 3, 4}, 4},
        {CellRect{31, 3, 32, 6}, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SheetPrint(document, c.selection).grid.colCount(), c.columns);
}

TEST(PrintCopy, MonthAndWeekRowsAreRebuiltForTheDaysKept)
{
    // 20 January to 10 February 2027, selected from 30 January to 2 February.
    SampleOptions options;
    options.firstDay = 20;
    options.days = 22;
    const ScheduleDocument document = MakeSchedule(options);
    const PrintCopy copy = SheetPrint(document, CellRect{12, 3, 15, 4});
    const ScheduleSheet& grid = copy.grid;
    ASSERT_EQ(grid.colCount(), 6);
    EXPECT_EQ(RowTexts(grid, 2), (std::vector<std::string>{"", "Employee / Days", "30", "31",
                                                           "1", "2"}));
    // Month titles merged per month, week captions per ISO week.
    EXPECT_EQ(grid.MergeRect(2, 0), (CellRect{2, 0, 3, 0}));
    EXPECT_EQ(grid.Text(2, 0), "January 2027");
    EXPECT_EQ(grid.MergeRect(4, 0), (CellRect{4, 0, 5, 0}));
    EXPECT_EQ(grid.Text(4, 0), "February 2027");
    EXPECT_EQ(grid.MergeRect(2, 1), (CellRect{2, 1, 3, 1}));
    EXPECT_EQ(grid.Text(2, 1), "Week 4");
    EXPECT_EQ(grid.MergeRect(4, 1), (CellRect{4, 1, 5, 1}));
    EXPECT_EQ(grid.Text(4, 1), "Week 5");
    // No extension buttons on paper.
    for (int c = 0; c < grid.colCount(); ++c)
        for (int r = 0; r < 2; ++r)
            EXPECT_FALSE(grid.HasButton(c, r));
}

TEST(PrintCopy, PrintingLaysOutTheNameColumnsExportUndoesTheCornerMerge)
{
    const ScheduleDocument document = MakeSchedule();
    const PrintCopy print = SheetPrint(document, std::nullopt, SheetCopyUse::Print);
    EXPECT_EQ(print.grid.MergeRect(0, 0), (CellRect{0, 0, 1, 1}));
    EXPECT_EQ(print.grid.Text(1, 2), kEmployeeDaysCaption);
    const PrintCopy exported = SheetPrint(document, std::nullopt, SheetCopyUse::Export);
    EXPECT_EQ(exported.grid.MergeRect(0, 0), (CellRect{0, 0, 0, 0}));
    EXPECT_EQ(exported.grid.MergeRect(0, 1), (CellRect{0, 1, 0, 1}));
    // The month title is merged again in both.
    EXPECT_EQ(exported.grid.MergeRect(2, 0), (CellRect{2, 0, 32, 0}));
}

TEST(PrintCopy, DepartmentViewMergesTheDayNumbers)
{
    SampleOptions options;
    options.days = 7;
    options.departments = {"Sales", "Stock"};
    options.departmentView = true;
    const ScheduleDocument document = MakeSchedule(options);
    const PrintCopy copy = SheetPrint(document, CellRect{4, 4, 7, 5});
    ASSERT_EQ(copy.grid.colCount(), 6);
    EXPECT_EQ(copy.grid.MergeRect(2, 2), (CellRect{2, 2, 3, 2}));
    EXPECT_EQ(copy.grid.Text(2, 3), "Sales");
    EXPECT_EQ(copy.grid.Text(3, 3), "Stock");
}

TEST(PrintCopy, IconCopyShowsTheIconOfACellThatIsOneCode)
{
    ScheduleDocument document = MakeSchedule();
    ScheduleSheet& sheet = document.sheet;
    sheet.SetText(2, kFirst, "E");      // icon 0
    sheet.SetText(3, kFirst, "N");      // icon 2
    sheet.SetText(4, kFirst, "E\r\nL");  // two lines: no working type has that text
    sheet.SetText(5, kFirst, "X");
    document.workingTypes.SetIconIndex(document.workingTypes.IndexOfCode("L"), -1);
    sheet.SetText(6, kFirst, "L");  // a type without an icon
    Result<PrintCopy> copy = IconCopy(document, std::nullopt);
    ASSERT_TRUE(copy);
    const ScheduleSheet& grid = copy->grid;
    const int icons[] = {0, 2, -1, -1, -1};
    for (int c = 2; c <= 6; ++c) {
        EXPECT_EQ(grid.Text(c, kFirst), "") << c;
        EXPECT_EQ(IconOfCell(grid, c, kFirst), icons[c - 2]) << c;
    }
    const CellGraphic* icon = grid.Graphic(2, kFirst);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->hAlign, GraphicHAlign::Center);
    EXPECT_EQ(icon->vAlign, GraphicVAlign::Center);
    // Header texts stay.
    EXPECT_EQ(grid.Text(1, kFirst), "Employee 1");
    EXPECT_EQ(grid.Text(2, 2), "1");
}

TEST(PrintCopy, DataCellsPrintInTheDocumentFont)
{
    ScheduleDocument document = MakeSchedule();
    document.fontName = "DejaVu Serif";
    document.fontColour = "clBlue";
    const PrintCopy copy = SheetPrint(document, std::nullopt);
    EXPECT_EQ(copy.grid.fontName, "DejaVu Serif");
    EXPECT_EQ(copy.grid.fontColour, StringToColor("clBlue"));
}

TEST(PrintCopy, SummaryCopiesTrimAndPaintTheirHeaders)
{
    SampleOptions options;
    options.days = 10;
    ScheduleDocument document = MakeSchedule(options);
    document.customQueryLines = {"Early", "E", kEndThisAddition, kEndAllAdditions};
    document.customQueryPanel.rows = {{"Early", ""}};
    for (int c = 2; c < 12; ++c)
        document.sheet.SetText(c, kFirst, "E");
    SummarySet summaries(document);
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::TypesPerDay,
                             SummaryKind::EmployeesPerType, SummaryKind::WorkedHours})
        summaries.Show(kind);
    const CellRect selection{5, 3, 7, 4};  // days 4 to 6

    Result<PrintCopy> queries =
        MakePrintCopy(PrintSource::Queries, document, summaries, selection);
    ASSERT_TRUE(queries);
    const ScheduleSheet& q = queries->grid;
    ASSERT_EQ(q.colCount(), 5);
    EXPECT_EQ(RowTexts(q, 0), (std::vector<std::string>{"", "Custom Query", "4", "5", "6"}));
    EXPECT_EQ(RowTexts(q, 1), (std::vector<std::string>{"", "Early", "1", "1", "1"}));
    EXPECT_EQ(q.Text(1, 2), "Total");
    // Header row, Total row and the first two columns take the header colour; counts keep
    // their threshold colours.
    for (const auto& [c, r] : {std::pair{0, 1}, {1, 1}, {3, 0}, {3, 2}})
        EXPECT_EQ(q.BrushColor(c, r), kHeaderColour) << c << "," << r;
    EXPECT_NE(q.BrushColor(3, 1), kHeaderColour);

    Result<PrintCopy> types = MakePrintCopy(PrintSource::Types, document, summaries, selection);
    ASSERT_TRUE(types);
    const ScheduleSheet& t = types->grid;
    // Column k shows sheet column k + 1: days 4 to 6 stay.
    EXPECT_EQ(RowTexts(t, 0), (std::vector<std::string>{"Types / Days", "4", "5", "6"}));
    EXPECT_EQ(RowTexts(t, 1), (std::vector<std::string>{"E", "1", "1", "1"}));
    EXPECT_EQ(t.BrushColor(0, 2), kHeaderColour);

    // The employees and hours summaries print whole, merges kept.
    Result<PrintCopy> employees =
        MakePrintCopy(PrintSource::Employees, document, summaries, selection);
    ASSERT_TRUE(employees);
    EXPECT_EQ(employees->grid.colCount(), summaries.employeesPerType().grid().colCount());
    EXPECT_EQ(employees->grid.Text(1, 2), "10");
    EXPECT_EQ(employees->grid.BrushColor(1, 0), kHeaderColour);
    EXPECT_EQ(employees->grid.BrushColor(0, 3), kHeaderColour);
    EXPECT_EQ(employees->layout.title, kEmployeesPrintTitle);
    EXPECT_TRUE(employees->layout.repeatHeaders);

    Result<PrintCopy> hours = MakePrintCopy(PrintSource::Hours, document, summaries, selection);
    ASSERT_TRUE(hours);
    EXPECT_EQ(hours->grid.Text(1, kFirst), "80H00");
    EXPECT_EQ(hours->grid.BrushColor(0, kFirst), kHeaderColour);
    const CellGraphic* lock = hours->grid.Graphic(0, 0);
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(lock->index, kLockPictureOpen);
    EXPECT_EQ(hours->layout.title, kWorkedHoursPrintTitle);
    EXPECT_EQ(hours->layout.titleAt, PageCorner::BottomRight);
    EXPECT_FALSE(hours->layout.shrinkToFit);
}

TEST(PrintCopy, DamagedMonthTitleIsAnErrorNotACrash)
{
    ScheduleDocument document = MakeSchedule();
    for (int c = 2; c < document.sheet.colCount(); ++c)
        document.sheet.SetText(c, 0, "Nonsense");
    const Result<PrintCopy> copy = SheetCopy(document, std::nullopt, SheetCopyUse::Print);
    ASSERT_FALSE(copy);
    EXPECT_EQ(copy.error().kind, ErrorKind::Conversion);
}

TEST(PrintMenu, ItemsFollowDepartmentsAndShownSummaries)
{
    ScheduleDocument document = MakeSchedule();
    SummarySet summaries(document);
    const auto enabled = [&](PrintCommand command) {
        return PrintCommandEnabled(command, document, summaries);
    };
    EXPECT_TRUE(enabled(PrintCommand::CurrentView));
    EXPECT_TRUE(enabled(PrintCommand::WorkSchedule));
    EXPECT_TRUE(enabled(PrintCommand::WorkScheduleIcons));
    const std::pair<PrintCommand, SummaryKind> summaryItems[] = {
        {PrintCommand::SpecialSummation, SummaryKind::CustomQuery},
        {PrintCommand::EmployeesTypes, SummaryKind::EmployeesPerType},
        {PrintCommand::TypesDays, SummaryKind::TypesPerDay},
        {PrintCommand::WorkedHours, SummaryKind::WorkedHours},
    };
    for (const auto& [command, kind] : summaryItems) {
        EXPECT_FALSE(enabled(command));
        summaries.Show(kind);
        EXPECT_TRUE(enabled(command));
    }
    document.departments.push_back({"Sales", "clWhite"});
    EXPECT_FALSE(enabled(PrintCommand::WorkScheduleIcons));
    EXPECT_EQ(CurrentViewJobName(), "4.3 : schedule.");
}

TEST(Export, TheTypesExtensionIsAlwaysAppended)
{
    EXPECT_EQ(ExportFileName("/tmp/roster.htm", ExportType::Html), "/tmp/roster.htm.htm");
    EXPECT_EQ(ExportFileName("roster", ExportType::Xml), "roster.xml");
    EXPECT_EQ(ExportFileName("roster.xlsx", ExportType::Xlsx), "roster.xlsx.xlsx");
    EXPECT_EQ(ExportFileName("roster", ExportType::Odt), "roster.odt");
    EXPECT_EQ(ExportFileName("roster", ExportType::Pdf), "roster.pdf");
    EXPECT_STREQ(kExportTypes[0].label, "html - File");
    EXPECT_STREQ(kExportTypes[3].label, "Word - File");
}

} // namespace
} // namespace shiftex
