#include "editing/clipboard.h"
#include "editing/schedule_session.h"
#include "files/grid_cell_stream.h"
#include "sample_schedule.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace shiftex {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(ClipboardText, RowsTabsAndQuotedFields)
{
    ScheduleSheet sheet;
    sheet.Resize(5, 4);
    const char* texts[2][3] = {{"a", "b", "c"}, {"d", "e", "f"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            sheet.SetText(c, r, texts[r][c]);
    // One cell: its text alone; one row: no line end; more rows: each one ends with CR LF.
    EXPECT_EQ(ClipboardText(sheet, {1, 1, 1, 1}), "e");
    EXPECT_EQ(ClipboardText(sheet, {0, 0, 2, 0}), "a\tb\tc");
    EXPECT_EQ(ClipboardText(sheet, {0, 0, 2, 1}), "a\tb\tc\r\nd\te\tf\r\n");
    EXPECT_EQ(ClipboardText(sheet, {3, 3, 3, 3}), "");

    sheet.SetText(3, 0, "A: E\rC: L\r");
    sheet.SetText(4, 0, "say \"hi\"");
    sheet.SetText(3, 1, "\"quoted");
    const std::string text = ClipboardText(sheet, {2, 0, 4, 1});
    EXPECT_EQ(text, "c\t\"A: E\rC: L\r\"\tsay \"hi\"\r\nf\t\"\"\"quoted\"\t\r\n");
    EXPECT_EQ(ParseClipboardText(text),
              (Rows{{"c", "A: E\rC: L\r", "say \"hi\""}, {"f", "\"quoted", ""}}));
}

TEST(ClipboardText, ReadingWhatOtherProgramsWrite)
{
    struct Case {
        const char* text;
        Rows rows;
    };
    const Case cases[] = {
        {"E", {{"E"}}},
        {"E\tL\nN\tE\n", {{"E", "L"}, {"N", "E"}}},
        {"E\r\n\r\nL", {{"E"}, {""}, {"L"}}},
        {"E\t", {{"E", ""}}},
        {"\r\n", {{""}}},
        // A quote that does not close a field is an ordinary character.
        {"\"E\tL", {{"\"E", "L"}}},
        {"\"E\" x\tL", {{"\"E\" x", "L"}}},
        {"\"E\nL\"\tN\r\n", {{"E\nL", "N"}}},
        {"\"\"", {{""}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseClipboardText(c.text), c.rows) << c.text;
    EXPECT_TRUE(ParseClipboardText("").empty());
}

constexpr int kFirst = 3;

class ClipboardTest : public ::testing::Test {
protected:
    ClipboardTest() : session(Document(), messages, nullptr, DefaultTextMetrics(), flags) {}
    static ScheduleDocument Document()
    {
        test::SampleOptions options;
        options.days = 10;
        options.departments = {"Sales", "Stock"};
        ScheduleDocument document = test::MakeSchedule(options);
        for (int c = 2; c < 12; ++c)
            document.sheet.SetText(c, kFirst, "E");
        return document;
    }
    ScheduleSheet& sheet() { return session.document().sheet; }
    const std::string& Text(int col, int row) { return sheet().Text(col, row); }
    bool Paste(const std::string& text)
    {
        clipboard.SetText(text);
        return session.sheetEdits().PasteCells(clipboard);
    }

    test::RecordingMessageSink messages;
    SharedEditFlags flags;
    MemoryClipboard clipboard;
    ScheduleSession session;
};

TEST_F(ClipboardTest, CopyTakesTheSelectionAsItIs)
{
    session.sheetEdits().SelectWorkingType(2);
    session.sheetEdits().ClickCell(4, kFirst + 1);
    flags.ctrlHeld = true;
    session.sheetEdits().CopyCells(clipboard);
    EXPECT_EQ(clipboard.Text(), std::optional<std::string>("L"));
    EXPECT_FALSE(flags.ctrlHeld);
    EXPECT_TRUE(session.sheetEdits().PasteEnabled());

    session.selections().SetSelection({2, kFirst, 4, kFirst + 1}, true);
    session.sheetEdits().CopyCells(clipboard);
    EXPECT_EQ(clipboard.Text(), std::optional<std::string>("E\tE\tE\r\n\t\tL\r\n"));
    EXPECT_FALSE(session.editState().selectionShown);
}

TEST_F(ClipboardTest, PastedCellsAreCheckedLineByLine)
{
    const ScheduleSheet before = sheet();
    struct Case {
        const char* name;
        int col;
        int row;
        const char* text;
        std::vector<std::pair<CellRect, std::string>> cells;  // expected texts afterwards
        const char* rejected;                                 // the message's lines, if any
    };
    const int last = before.colCount() - 1;
    const Case cases[] = {
        // A three-column block at the last column: only its first column lands.
        {"clipped", last, kFirst + 1, "L\tN\tE\r\nN\tL\tE\r\n",
         {{{last, kFirst + 1, last, kFirst + 1}, "L"},
          {{last, kFirst + 2, last, kFirst + 2}, "N"}},
         nullptr},
        {"unknown code", 2, kFirst, "Z\tL",
         {{{2, kFirst, 2, kFirst}, "E"}, {{3, kFirst, 3, kFirst}, "L"}}, "Z"},
        // Department names compare exactly; a department line of a known one is taken.
        {"departments", 2, kFirst + 1, "sales: E\tSales: E\tX: L\tStock: Q",
         {{{2, kFirst + 1, 2, kFirst + 1}, ""}, {{3, kFirst + 1, 3, kFirst + 1}, "Sales: E"},
          {{4, kFirst + 1, 5, kFirst + 1}, ""}},
         "sales: E\n\rX: L\n\rStock: Q"},
        // Every line must be valid, not only the last; the lines are listed once.
        {"several lines", 2, kFirst + 1, "\"Z\rE\"\t\"E\r\rL\"\tZ",
         {{{2, kFirst + 1, 2, kFirst + 1}, ""}, {{3, kFirst + 1, 3, kFirst + 1}, "E\r\rL"},
          {{4, kFirst + 1, 4, kFirst + 1}, ""}},
         "Z"},
        // An empty pasted cell empties its target.
        {"empty cell", 2, kFirst, "\tL\t", {{{2, kFirst, 2, kFirst}, ""}, {{3, kFirst, 3, kFirst},
         "L"}, {{4, kFirst, 4, kFirst}, ""}}, nullptr},
        {"same text", 2, kFirst, "E\tE", {{{2, kFirst, 3, kFirst}, "E"}}, nullptr},
        // Header cells below the current cell are no day cells: the block's rows there drop.
        {"over the names", 1, kFirst, "Bob\tL", {{{1, kFirst, 1, kFirst}, "Employee 1"},
         {{2, kFirst, 2, kFirst}, "L"}}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sheet() = before;
        messages.informations.clear();
        session.ResetUndo();
        session.sheetEdits().SelectWorkingType(3);
        session.selections().SetCurrentCell(c.col, c.row);
        ASSERT_TRUE(Paste(c.text));
        for (const auto& [rect, text] : c.cells)
            for (int col = rect.left; col <= rect.right; ++col)
                for (int row = rect.top; row <= rect.bottom; ++row)
                    EXPECT_EQ(Text(col, row), text) << col << "," << row;
        if (c.rejected) {
            ASSERT_EQ(messages.informations.size(), 1u);
            EXPECT_EQ(messages.informations[0],
                      std::string("Followin workingtyes have not been pasted (unknown): \n\r") +
                          c.rejected);
        } else {
            EXPECT_TRUE(messages.informations.empty()) << messages.informations[0];
        }
        // The cursor cell and the working type are those from before.
        EXPECT_EQ(session.editState().currentCol, c.col);
        EXPECT_EQ(session.editState().currentRow, c.row);
        EXPECT_EQ(session.editState().currentType, 3);
        // Outside the block nothing changed.
        EXPECT_EQ(Text(9, kFirst + 3), before.Text(9, kFirst + 3));
    }
}

TEST_F(ClipboardTest, UndoStepsBackThroughThePastedCells)
{
    const std::string start = WriteCellTextStream(sheet());
    session.selections().SetCurrentCell(2, kFirst + 1);
    ASSERT_TRUE(Paste("L\tN\tL"));
    // One snapshot before the paste and one before each cell.
    EXPECT_EQ(session.undoHistory().count(), 4);
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(Text(4, kFirst + 1), "");
    EXPECT_EQ(Text(3, kFirst + 1), "N");
    session.Undo();
    session.Undo();
    EXPECT_EQ(WriteCellTextStream(sheet()), start);

    // Ten cells: the seven snapshots before the last seven of them remain.
    session.ResetUndo();
    session.selections().SetCurrentCell(2, kFirst + 2);
    ASSERT_TRUE(Paste("N\tN\tN\tN\tN\tN\tN\tN\tN\tN"));
    EXPECT_EQ(session.undoHistory().count(), 7);
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(session.Undo());
    for (int c = 2; c < 12; ++c)
        EXPECT_EQ(Text(c, kFirst + 2), c < 5 ? "N" : "") << c;
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(ClipboardTest, EveryValidPastedLineTakesASnapshot)
{
    const ScheduleSheet before = sheet();
    struct Case {
        const char* name;
        const char* text;  // pasted at column 2 of the first row, which holds E
        int snapshots;     // the paste's own one included
        // The cells of columns 2 to 4 after each Undo, down to the oldest snapshot.
        std::vector<std::vector<std::string>> undone;
    };
    const Case cases[] = {
        {"two lines, then one", "\"L\rN\"\tN", 4,
         {{"L\rN", "E", "E"}, {"E", "E", "E"}, {"E", "E", "E"}, {"E", "E", "E"}}},
        // A refused cell still leaves the snapshot of its valid line.
        {"refused", "\"L\rZ\"\tL", 3, {{"E", "E", "E"}, {"E", "E", "E"}, {"E", "E", "E"}}},
        // An empty pasted cell is one empty line.
        {"empty", "\tL", 3, {{"", "E", "E"}, {"E", "E", "E"}, {"E", "E", "E"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sheet() = before;
        session.ResetUndo();
        session.selections().SetCurrentCell(2, kFirst);
        ASSERT_TRUE(Paste(c.text));
        EXPECT_EQ(session.undoHistory().count(), c.snapshots);
        for (const auto& texts : c.undone) {
            ASSERT_TRUE(session.Undo());
            EXPECT_EQ((std::vector<std::string>{Text(2, kFirst), Text(3, kFirst), Text(4, kFirst)}),
                      texts);
        }
        EXPECT_FALSE(session.CanUndo());
    }

    // Ten cells of two lines each: the last seven snapshots reach back into the seventh cell.
    sheet() = before;
    session.ResetUndo();
    session.selections().SetCurrentCell(2, kFirst + 2);
    std::string block;
    for (int i = 0; i < 10; ++i)
        block += std::string(i ? "\t" : "") + "\"N\r\nL\"";
    ASSERT_TRUE(Paste(block));
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(session.Undo());
    EXPECT_FALSE(session.CanUndo());
    for (int c = 2; c < 12; ++c)
        EXPECT_EQ(Text(c, kFirst + 2), c < 8 ? "N\r\nL" : "") << c;
}

TEST_F(ClipboardTest, AnEmptyClipboardChangesNothingButIsRecorded)
{
    const ScheduleSheet before = sheet();
    MemoryClipboard empty;
    ASSERT_TRUE(session.sheetEdits().PasteCells(empty));
    ASSERT_TRUE(Paste(""));
    EXPECT_TRUE(sheet() == before);
    EXPECT_EQ(session.undoHistory().count(), 2);
    EXPECT_TRUE(messages.informations.empty());
}

TEST_F(ClipboardTest, CutEmptiesTheCellsAndPaintsTheWeekendAgain)
{
    // Saturday 2 January 2027 is column 3.
    const Colour weekend = sheet().BrushColor(3, kFirst);
    ASSERT_EQ(weekend, StringToColor("clYellow"));
    sheet().SetText(3, kFirst + 1, "L");
    sheet().SetBold(3, kFirst, true);
    session.summaryPanels().Show(SummaryKind::TypesPerDay);
    session.selections().SetSelection({3, kFirst, 3, kFirst + 3}, true);
    ASSERT_TRUE(session.sheetEdits().CutCells(clipboard));
    EXPECT_EQ(clipboard.Text(), std::optional<std::string>("E\r\nL\r\n\r\n\r\n"));
    for (int r = kFirst; r < kFirst + 4; ++r) {
        EXPECT_EQ(Text(3, r), "");
        EXPECT_EQ(sheet().BrushColor(3, r), weekend);
    }
    EXPECT_FALSE(sheet().IsBold(3, kFirst));
    EXPECT_EQ(session.summaries().typesPerDay().CountAt(1, 3), 0);
    EXPECT_TRUE(session.sheetEdits().PasteEnabled());

    // Pasted back where it came from.
    session.selections().SetCurrentCell(3, kFirst);
    ASSERT_TRUE(session.sheetEdits().PasteCells(clipboard));
    EXPECT_EQ(Text(3, kFirst), "E");
    EXPECT_EQ(Text(3, kFirst + 1), "L");
    EXPECT_EQ(session.summaries().typesPerDay().CountAt(1, 3), 1);
}

} // namespace
} // namespace shiftex
