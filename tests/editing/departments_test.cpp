#include "editing/departments_view.h"
#include "editing/schedule_session.h"
#include "sample_schedule.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace shiftex {
namespace {

using Texts = std::vector<std::string>;

// Five days from Friday 1 January 2027 (week 53 of 2026 up to the 3rd, then week 1).
ScheduleDocument FiveDays(std::vector<std::string> departments)
{
    test::SampleOptions options;
    options.days = 5;
    options.departments = std::move(departments);
    return test::MakeSchedule(options);
}

class DepartmentsTest : public ::testing::Test {
protected:
    DepartmentsTest() : session(FiveDays({"A", "B", "C"}), messages, nullptr,
                                DefaultTextMetrics(), flags)
    {
    }
    ScheduleSheet& sheet() { return session.document().sheet; }
    Texts Row(int row, int from, int count)
    {
        Texts texts;
        for (int c = from; c < from + count; ++c)
            texts.push_back(sheet().Text(c, row));
        return texts;
    }

    test::RecordingMessageSink messages;
    SharedEditFlags flags;
    ScheduleSession session;
};

TEST_F(DepartmentsTest, ShowSplitsTheDaysAndHideMergesThem)
{
    const Texts days{"A: E\rC: L", "E", "X: E", "\rB: L\r", ""};
    for (int d = 0; d < 5; ++d)
        sheet().SetText(2 + d, 3, days[static_cast<std::size_t>(d)]);
    session.sheetEdits().SelectWorkingType(1);
    session.sheetEdits().ClickCell(2, 4);
    ASSERT_TRUE(session.CanUndo());

    ASSERT_EQ(session.structuralEdits().ShowDepartments(), ShowDepartmentsResult::Shown);
    EXPECT_FALSE(session.CanUndo());
    EXPECT_TRUE(session.structuralEdits().DepartmentViewShown());
    EXPECT_TRUE(session.document().departmentsView);
    ASSERT_EQ(sheet().fixedRows, 4);
    ASSERT_EQ(sheet().colCount(), 2 + 15);
    const int employee = 4;
    EXPECT_EQ(Row(employee, 2, 15), (Texts{"E", "", "L", "E", "", "", "", "", "", "", "L", "",
                                           "", "", ""}));
    EXPECT_EQ(Row(3, 2, 6), (Texts{"A", "B", "C", "A", "B", "C"}));
    EXPECT_EQ(Row(2, 2, 6), (Texts{"1", "1", "1", "2", "2", "2"}));
    EXPECT_EQ(sheet().MergeRect(3, 2), (CellRect{2, 2, 4, 2}));
    EXPECT_EQ(sheet().Text(16, 0), "January 2027");
    // The weeks span the same days as before, now over three sub-columns each.
    EXPECT_EQ(sheet().MergeRect(2, 1), (CellRect{2, 1, 10, 1}));
    EXPECT_EQ(sheet().MergeRect(16, 1), (CellRect{11, 1, 16, 1}));
    EXPECT_EQ(sheet().Text(11, 1), "Week 1");
    EXPECT_EQ(sheet().BrushColor(9, 3), kHeaderColour);
    EXPECT_EQ(session.sheetMarks().CellHint(9, 3), "B");
    // Saturday 2 January: its weekend colour in every sub-column.
    EXPECT_EQ(sheet().BrushColor(7, employee), StringToColor("clYellow"));
    EXPECT_TRUE(sheet().HasButton(11, 1));

    // Undo in the view keeps the view.
    session.sheetEdits().ClickCell(3, employee);
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(sheet().fixedRows, 4);
    EXPECT_EQ(sheet().Text(3, employee), "");

    ASSERT_TRUE(session.structuralEdits().HideDepartments());
    EXPECT_FALSE(session.CanUndo());
    EXPECT_FALSE(session.structuralEdits().DepartmentViewShown());
    EXPECT_FALSE(session.document().departmentsView);
    ASSERT_EQ(sheet().fixedRows, 3);
    ASSERT_EQ(sheet().colCount(), 7);
    EXPECT_EQ(Row(3, 2, 5), (Texts{"A: E\rC: L\r", "A: E\r", "\r", "\rB: L\r", "\r"}));
    EXPECT_EQ(Row(2, 2, 5), (Texts{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(sheet().Text(1, 3), "Employee 1");
    EXPECT_EQ(sheet().MergeRect(2, 1), (CellRect{2, 1, 4, 1}));
    EXPECT_EQ(session.editState().currentCol, 2);
    EXPECT_EQ(session.editState().currentRow, 3);

    // Shown again, the merged texts split the same way.
    ASSERT_EQ(session.structuralEdits().ShowDepartments(), ShowDepartmentsResult::Shown);
    EXPECT_EQ(Row(employee, 2, 15), (Texts{"E", "", "L", "E", "", "", "", "", "", "", "L", "",
                                           "", "", ""}));
}

TEST_F(DepartmentsTest, EachCommandRefusesTheWrongState)
{
    const ScheduleSheet normal = sheet();
    EXPECT_FALSE(session.structuralEdits().HideDepartments());
    EXPECT_TRUE(sheet() == normal);
    EXPECT_FALSE(session.document().modified);

    ASSERT_EQ(session.structuralEdits().ShowDepartments(), ShowDepartmentsResult::Shown);
    const ScheduleSheet split = sheet();
    session.document().modified = false;
    EXPECT_EQ(session.structuralEdits().ShowDepartments(), ShowDepartmentsResult::AlreadyShown);
    EXPECT_TRUE(sheet() == split);
    EXPECT_FALSE(session.document().modified);
}

TEST(Departments, WithoutDepartmentsTheQuestionDecides)
{
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        test::RecordingMessageSink messages;
        messages.answers = {answer};
        SharedEditFlags flags;
        ScheduleSession session(FiveDays({}), messages, nullptr, DefaultTextMetrics(), flags);
        session.selections().Remember(3, 3);
        session.document().sheet.SetText(3, 3, "L");
        const ScheduleSheet before = session.document().sheet;
        EXPECT_EQ(session.structuralEdits().ShowDepartments(),
                  answer == Answer::Yes ? ShowDepartmentsResult::DefineDepartments
                                        : ShowDepartmentsResult::Declined);
        EXPECT_EQ(messages.questions, (Texts{"You haven't declared any departments. Would you "
                                             "like to define them now ?"}));
        EXPECT_TRUE(session.document().sheet == before);
        EXPECT_EQ(session.selections().RememberedCellText(), "L");
    }
}

TEST(Departments, OneDepartmentAddsTheRowButNoColumns)
{
    test::RecordingMessageSink messages;
    SharedEditFlags flags;
    ScheduleSession session(FiveDays({"A"}), messages, nullptr, DefaultTextMetrics(), flags);
    ScheduleSheet& sheet = session.document().sheet;
    sheet.SetText(2, 3, "A: E");
    sheet.SetText(3, 3, "L");
    ASSERT_EQ(session.structuralEdits().ShowDepartments(), ShowDepartmentsResult::Shown);
    EXPECT_EQ(sheet.colCount(), 7);
    EXPECT_EQ(sheet.Text(2, 3), "A");
    EXPECT_EQ(sheet.Text(2, 4), "E");
    EXPECT_EQ(sheet.Text(3, 4), "L");
    ASSERT_TRUE(session.structuralEdits().HideDepartments());
    EXPECT_EQ(sheet.Text(2, 3), "A: E\r");
    EXPECT_EQ(sheet.Text(3, 3), "A: L\r");
    EXPECT_EQ(sheet.Text(4, 3), "\r");
}

TEST_F(DepartmentsTest, TheShownSummariesTakeTheViewsShape)
{
    sheet().SetText(2, 3, "A: E\rC: L");
    sheet().SetText(3, 4, "B: E");
    session.document().customQueryLines = {"Early", "E", kEndThisAddition, kEndAllAdditions};
    session.document().customQueryPanel.rows = {{"Early", ""}};
    session.document().customQueryPanel.height = 107;
    for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                             SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
        session.summaryPanels().Show(kind);
    const SummarySet& summaries = session.summaries();
    EXPECT_EQ(summaries.workedHours().Total(3), "09H00");

    ASSERT_EQ(session.structuralEdits().ShowDepartments(), ShowDepartmentsResult::Shown);
    // Worked hours: a row more at the top, each total still beside its employee.
    EXPECT_EQ(summaries.workedHours().grid().rowCount(), sheet().rowCount());
    EXPECT_EQ(summaries.workedHours().grid().fixedRows(), 4);
    EXPECT_EQ(summaries.workedHours().grid().Text(0, 4), "Employee 1");
    EXPECT_EQ(summaries.workedHours().Total(4), "09H00");
    EXPECT_EQ(summaries.workedHours().Total(5), "08H00");
    // Types per day and custom query: a department header row, a column per sub-column.
    const SummaryGrid& types = summaries.typesPerDay().grid();
    EXPECT_EQ(types.fixedRows(), 2);
    EXPECT_EQ(types.colCount(), sheet().colCount() - 1);
    EXPECT_EQ(types.Text(3, 1), "C");
    EXPECT_EQ(summaries.typesPerDay().CountAt(2, 4), 1);  // L in C's sub-column of day 1
    EXPECT_EQ(summaries.customQuery().grid().fixedRows(), 2);
    EXPECT_EQ(summaries.customQuery().CountAt(0, 2), 1);
    EXPECT_EQ(summaries.customQuery().CountAt(0, 6), 1);  // E in B's sub-column of day 2
    EXPECT_EQ(session.document().customQueryPanel.height, 128);
    EXPECT_EQ(summaries.employeesPerType().CountAt(1, 5), 1);

    ASSERT_TRUE(session.structuralEdits().HideDepartments());
    EXPECT_EQ(summaries.workedHours().grid().fixedRows(), 3);
    EXPECT_EQ(summaries.workedHours().Total(3), "09H00");
    EXPECT_EQ(summaries.typesPerDay().grid().fixedRows(), 1);
    EXPECT_EQ(summaries.customQuery().grid().fixedRows(), 1);
    EXPECT_EQ(summaries.customQuery().CountAt(0, 3), 1);
    EXPECT_EQ(session.document().customQueryPanel.height, 107);
    // The panel does not shrink to 86 pixels or less.
    session.document().customQueryPanel.height = 86;
    ASSERT_EQ(session.structuralEdits().ShowDepartments(), ShowDepartmentsResult::Shown);
    ASSERT_TRUE(session.structuralEdits().HideDepartments());
    EXPECT_EQ(session.document().customQueryPanel.height, 107);
}

// The operations on a bare sheet: the examples of the three departments.
TEST(SplitAndMerge, DepartmentLinesAndSubColumns)
{
    const std::vector<Department> departments{{"A", ""}, {"B", ""}, {"C", ""}};
    struct Case {
        std::string day;
        Texts split;
        std::string merged;
    };
    const Case cases[] = {
        {"A: E\rC: L", {"E", "", "L"}, "A: E\rC: L\r"},
        {"\rB: L\r", {"", "L", ""}, "\rB: L\r"},
        {"", {"", "", ""}, "\r"},
        {"E", {"E", "", ""}, "A: E\r"},
        {"X: E", {"", "", ""}, "\r"},
        {" B : N", {"", "", ""}, "\r"},  // the name compares exactly
        {"A: E\r\nL", {"L", "", ""}, "A: L\r"},  // plain lines land in the first sub-column
    };
    for (const Case& c : cases) {
        ScheduleSheet sheet;
        sheet.Resize(4, 4);
        sheet.fixedCols = 2;
        sheet.fixedRows = 3;
        sheet.SetText(2, 2, "7");
        sheet.SetText(3, 2, "8");
        sheet.SetText(2, 3, c.day);
        SplitDepartments(sheet, departments, 2);
        ASSERT_EQ(sheet.colCount(), 8);
        EXPECT_EQ((Texts{sheet.Text(2, 4), sheet.Text(3, 4), sheet.Text(4, 4)}), c.split)
            << c.day;
        EXPECT_EQ(sheet.Text(7, 2), "8");
        MergeDepartments(sheet, departments);
        ASSERT_EQ(sheet.colCount(), 4);
        EXPECT_EQ(sheet.Text(2, 4), c.merged) << c.day;
        EXPECT_EQ(sheet.Text(3, 4), "\r");
    }
    // Without departments neither operation touches the sheet.
    ScheduleSheet sheet;
    sheet.Resize(4, 4);
    const ScheduleSheet before = sheet;
    SplitDepartments(sheet, {}, 2);
    MergeDepartments(sheet, {});
    EXPECT_TRUE(sheet == before);
}

} // namespace
} // namespace shiftex
