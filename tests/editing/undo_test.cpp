#include "editing/schedule_session.h"
#include "files/grid_cell_stream.h"
#include "sample_schedule.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace shiftex {
namespace {

using test::MakeSchedule;
using test::SampleOptions;

constexpr int kFirst = 3;

class UndoTest : public ::testing::Test {
protected:
    UndoTest() : session(MakeSchedule(), messages) { session.sheetEdits().SelectWorkingType(1); }
    std::string Sheet() const { return WriteCellTextStream(session.document().sheet); }
    // Edit number i places E in its own cell.
    void Edit(int i) { ASSERT_TRUE(session.sheetEdits().ClickCell(2 + i % 20, kFirst + i / 20)); }

    test::RecordingMessageSink messages;
    ScheduleSession session;
};

TEST_F(UndoTest, EightEditsThenSevenUndosReachTheStateBeforeTheSecondEdit)
{
    std::vector<std::string> states{Sheet()};
    for (int i = 0; i < 8; ++i) {
        Edit(i);
        states.push_back(Sheet());
    }
    EXPECT_EQ(session.undoHistory().count(), 7);
    for (int i = 0; i < 7; ++i) {
        ASSERT_TRUE(session.CanUndo());
        ASSERT_TRUE(session.Undo());
        EXPECT_EQ(Sheet(), states[static_cast<std::size_t>(7 - i)]);
    }
    EXPECT_EQ(Sheet(), states[1]);
    EXPECT_FALSE(session.CanUndo());
    EXPECT_FALSE(session.Undo());
    // Redo leads all the way back to the newest state.
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(session.Redo());
    EXPECT_EQ(Sheet(), states[8]);
    EXPECT_FALSE(session.CanRedo());
    EXPECT_TRUE(session.CanUndo());
}

TEST_F(UndoTest, OneAccidentalUndoLosesNothing)
{
    const std::string before = Sheet();
    Edit(0);
    const std::string edited = Sheet();
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(Sheet(), before);
    EXPECT_FALSE(session.CanUndo());
    ASSERT_TRUE(session.CanRedo());
    ASSERT_TRUE(session.Redo());
    EXPECT_EQ(Sheet(), edited);
    EXPECT_EQ(session.undoHistory().depth(), 0);
    EXPECT_FALSE(session.CanRedo());
    EXPECT_TRUE(session.CanUndo());
}

TEST_F(UndoTest, AnEditAfterUndosDropsTheUndoneStates)
{
    const std::string a = Sheet();
    Edit(0);
    const std::string b = Sheet();
    Edit(1);
    Edit(2);
    session.Undo();
    session.Undo();
    EXPECT_EQ(Sheet(), b);
    Edit(3);  // e4
    const std::string e = Sheet();
    EXPECT_EQ(session.undoHistory().count(), 2);
    EXPECT_FALSE(session.CanRedo());
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(Sheet(), b);
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(Sheet(), a);
    EXPECT_FALSE(session.CanUndo());
    session.Redo();
    session.Redo();
    EXPECT_EQ(Sheet(), e);
}

TEST_F(UndoTest, ThreeUndosAndTwoRedosLeaveTheDepthAtOne)
{
    for (int i = 0; i < 4; ++i)
        Edit(i);
    const std::string latest = Sheet();
    for (int i = 0; i < 3; ++i)
        session.Undo();
    session.Redo();
    session.Redo();
    EXPECT_EQ(session.undoHistory().depth(), 1);
    ASSERT_TRUE(session.CanRedo());
    session.Redo();
    EXPECT_EQ(Sheet(), latest);
    EXPECT_EQ(session.undoHistory().depth(), 0);

    session.ResetUndo();
    EXPECT_FALSE(session.CanUndo());
    EXPECT_FALSE(session.CanRedo());
    EXPECT_EQ(session.undoHistory().count(), 0);
}

TEST(Undo, EditsAreRecordedAndMarkedWhileDepartmentsExistInTheNormalView)
{
    SampleOptions options;
    options.departments = {"Sales", "Store"};
    ScheduleDocument document = MakeSchedule(options);
    test::RecordingMessageSink messages;
    ScheduleSession session(std::move(document), messages);
    ASSERT_EQ(session.document().sheet.fixedRows, 3);
    session.sheetEdits().SelectWorkingType(1);
    ASSERT_FALSE(session.document().modified);
    session.sheetEdits().ClickCell(3, kFirst);
    EXPECT_TRUE(session.document().modified);
    EXPECT_EQ(session.undoHistory().count(), 1);
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(session.document().sheet.Text(3, kFirst), "");
}

TEST(Undo, HeaderRowsAreRebuiltFromTheSnapshot)
{
    struct Case {
        bool departmentView;
        bool headerColouredRow3;
        int headerRows;
    };
    const Case cases[] = {{true, true, 4}, {false, false, 3}, {false, true, 4}};
    for (const Case& c : cases) {
        SampleOptions options;
        options.departments = {"A", "B"};
        options.departmentView = c.departmentView;
        ScheduleDocument document = MakeSchedule(options);
        if (!c.departmentView && c.headerColouredRow3) {
            // Employee 1 without a name, its first day cell in the header colour.
            document.sheet.SetText(1, 3, "");
            document.sheet.SetBrushColor(2, 3, kHeaderColour);
        }
        test::RecordingMessageSink messages;
        ScheduleSession session(std::move(document), messages);
        session.sheetEdits().SelectWorkingType(1);
        session.sheetEdits().ClickCell(5, 5);
        session.Undo();
        EXPECT_EQ(session.document().sheet.fixedRows, c.headerRows) << c.departmentView;
        EXPECT_EQ(session.document().sheet.fixedCols, 2);
    }
}

TEST(Undo, BoldCommentsAndGroupColoursStayAsTheyAre)
{
    test::RecordingMessageSink messages;
    ScheduleSession session(MakeSchedule(), messages);
    session.sheetEdits().SelectWorkingType(1);
    session.selections().SetCurrentCell(4, kFirst);
    session.sheetEdits().ToggleBold();
    EXPECT_EQ(session.undoHistory().count(), 0);
    session.sheetEdits().ClickCell(6, kFirst + 1);
    session.document().sheet.SetBrushColor(0, kFirst + 1, 0x000000FF);
    session.document().sheet.MoveRow(kFirst + 1, kFirst);  // the names move, no snapshot
    ASSERT_TRUE(session.Undo());
    const ScheduleSheet& sheet = session.document().sheet;
    EXPECT_EQ(sheet.Text(6, kFirst), "");
    EXPECT_EQ(sheet.Text(6, kFirst + 1), "");
    EXPECT_EQ(sheet.Text(1, kFirst), "Employee 1");
    EXPECT_EQ(sheet.Text(1, kFirst + 1), "Employee 2");
    // Texts go back to their rows; colours and bold stay where the move left them.
    EXPECT_EQ(sheet.BrushColor(0, kFirst), 0x000000FFu);
    EXPECT_TRUE(sheet.IsBold(4, kFirst + 1));
}

TEST(Undo, SummariesKeepTheirScopeAndFollowTheRestoredSheet)
{
    ScheduleDocument document = MakeSchedule();
    for (int d = 1; d <= 31; ++d)
        document.sheet.SetText(d + 1, kFirst, "E");
    test::RecordingMessageSink messages;
    ScheduleSession session(std::move(document), messages);
    session.summaryPanels().Show(SummaryKind::WorkedHours);
    session.summaryPanels().Show(SummaryKind::TypesPerDay);
    session.sheetEdits().SelectWorkingType(0);
    session.sheetEdits().ClickCell(3, kFirst);  // takes out day 2: 240H00
    session.summaryPanels().SelectRange(SummaryKind::WorkedHours, 2, 8);
    const SummaryScope scope = session.summaries().workedHours().scope;
    EXPECT_EQ(session.summaries().workedHours().Total(kFirst), "48H00");
    ASSERT_TRUE(session.Undo());
    // Visibility, range, caption and lock as before; the figures are those of the sheet shown.
    EXPECT_TRUE(session.summaries().IsShown(SummaryKind::WorkedHours));
    EXPECT_EQ(session.summaries().workedHours().scope, scope);
    EXPECT_EQ(session.summaries().workedHours().grid().Text(0, 0), scope.caption);
    EXPECT_EQ(session.summaries().workedHours().Total(kFirst), "56H00");
    EXPECT_EQ(session.summaries().typesPerDay().grid().Text(2, 1), "1");
}

TEST(SnapshotStream, ReusedStorageGivesTheSameCellTextStream)
{
    ScheduleDocument document = MakeSchedule();
    ScheduleSheet& sheet = document.sheet;
    sheet.SetText(2, 3, "E\rL");
    sheet.SetText(3, 3, "E\r\nL");
    sheet.SetText(4, 3, "E\nL");
    sheet.SetText(5, 3, "Sales: E\r");
    sheet.SetText(6, 3, "Caf\xc3\xa9");
    sheet.SetText(7, 4, "\r");
    ScheduleSheet tiny;
    tiny.Resize(1, 1);
    ScheduleSheet wide;  // five-digit columns
    wide.Resize(12000, 3);
    wide.SetText(11999, 2, "E");
    wide.SetText(10000, 0, "a longer text than sixteen bytes");
    wide.SetColWidth(9999, 123456);
    std::string out = "left over from before";
    for (const ScheduleSheet* s : {&sheet, &tiny, &wide}) {
        WriteCellTextStream(*s, out);
        EXPECT_EQ(out, WriteCellTextStream(*s));
    }
    ScheduleSheet back;
    WriteCellTextStream(sheet, out);
    ASSERT_TRUE(ReadCellTextStream(back, out));
    for (int c = 0; c < sheet.colCount(); ++c)
        for (int r = 0; r < sheet.rowCount(); ++r)
            if (sheet.Text(c, r).find('\n') == std::string::npos ||
                sheet.Text(c, r).find('\r') != std::string::npos) {
                EXPECT_EQ(back.Text(c, r), sheet.Text(c, r)) << c << "," << r;
            }
}

} // namespace
} // namespace shiftex
