#include "model/settings_store.h"
#include "editing/schedule_session.h"
#include "files/grid_cell_stream.h"
#include "sample_schedule.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace shiftex {
namespace {

using test::MakeSchedule;
using test::SampleOptions;

constexpr int kFirst = 3;

class EditingTest : public ::testing::Test {
protected:
    EditingTest() : session(MakeSchedule(), messages, &settings, DefaultTextMetrics(), flags) {}
    const ScheduleSheet& sheet() const { return session.document().sheet; }
    const std::string& Text(int col, int row) const { return sheet().Text(col, row); }
    int Snapshots() const { return session.undoHistory().count(); }

    test::RecordingMessageSink messages;
    MemorySettingsStore settings;
    SharedEditFlags flags;
    ScheduleSession session;
};

TEST_F(EditingTest, AClickTogglesTheCurrentCode)
{
    session.sheetEdits().SelectWorkingType(1);
    EXPECT_EQ(session.document().currentCode, "E");
    ASSERT_TRUE(session.sheetEdits().ClickCell(4, kFirst));
    EXPECT_EQ(Text(4, kFirst), "E");
    EXPECT_TRUE(session.document().modified);
    EXPECT_TRUE(session.editState().clipboardEnabled);
    session.sheetEdits().ClickCell(4, kFirst);
    EXPECT_EQ(Text(4, kFirst), "");
    session.sheetEdits().ClickCell(4, kFirst);
    EXPECT_EQ(Text(4, kFirst), "E");
    EXPECT_EQ(Snapshots(), 3);

    // Department lines are replaced by the single code.
    session.document().sheet.SetText(5, kFirst, "A: E\rB: L");
    session.sheetEdits().ClickCell(5, kFirst);
    EXPECT_EQ(Text(5, kFirst), "E");

    // The blank entry empties any cell; on an empty cell it still records and marks.
    session.sheetEdits().SelectWorkingType(0);
    session.sheetEdits().ClickCell(4, kFirst);
    EXPECT_EQ(Text(4, kFirst), "");
    session.document().modified = false;
    session.sheetEdits().ClickCell(6, kFirst);
    EXPECT_EQ(Text(6, kFirst), "");
    EXPECT_TRUE(session.document().modified);
    EXPECT_EQ(Snapshots(), 6);

    // Names and header cells are no day cells.
    EXPECT_FALSE(session.sheetEdits().ClickCell(1, kFirst));
    EXPECT_FALSE(session.sheetEdits().ClickCell(4, 2));
    EXPECT_EQ(Text(1, kFirst), "Employee 1");
    EXPECT_EQ(Text(4, 2), "3");
}

TEST_F(EditingTest, AClickWithCtrlHeldOnlySelects)
{
    session.sheetEdits().SelectWorkingType(1);
    session.sheetEdits().KeyDown(key::Ctrl);
    EXPECT_TRUE(session.editState().selectionShown);
    EXPECT_FALSE(session.sheetEdits().ClickCell(4, kFirst));
    EXPECT_EQ(Text(4, kFirst), "");
    EXPECT_EQ(Snapshots(), 0);
    // The flag belongs to the program: another window of it sees it too.
    test::RecordingMessageSink otherMessages;
    ScheduleSession other(MakeSchedule(), otherMessages, nullptr, DefaultTextMetrics(), flags);
    other.sheetEdits().SelectWorkingType(1);
    EXPECT_FALSE(other.sheetEdits().ClickCell(4, kFirst));
    session.sheetEdits().KeyUp(key::Ctrl);
    EXPECT_TRUE(other.sheetEdits().ClickCell(4, kFirst));
}

TEST_F(EditingTest, EnterAndDeleteOverASelection)
{
    session.sheetEdits().SelectWorkingType(1);
    // With no summary shown every cell is written, and only the key takes a snapshot.
    session.document().sheet.SetText(3, kFirst, "E");
    session.selections().SetSelection({2, kFirst, 4, kFirst + 2});
    session.sheetEdits().KeyDown(key::Enter);
    for (int c = 2; c <= 4; ++c)
        for (int r = kFirst; r <= kFirst + 2; ++r)
            EXPECT_EQ(Text(c, r), "E");
    EXPECT_EQ(Snapshots(), 1);
    EXPECT_EQ(session.editState().currentType, 1);
    EXPECT_EQ(session.editState().currentCol, 2);
    EXPECT_EQ(session.editState().currentRow, kFirst);
    EXPECT_FALSE(session.editState().selectionShown);

    // With a summary shown: cells holding the code stay, each changed cell records itself.
    session.summaryPanels().Show(SummaryKind::TypesPerDay);
    session.ResetUndo();
    session.selections().SetSelection({2, kFirst, 4, kFirst + 2});
    session.sheetEdits().KeyDown(key::Enter);
    EXPECT_EQ(Snapshots(), 1);
    EXPECT_EQ(Text(2, kFirst), "E");

    // Delete over nine filled cells: ten snapshots, the last seven kept.
    session.selections().SetSelection({2, kFirst, 4, kFirst + 2});
    session.sheetEdits().KeyDown(key::Delete);
    for (int c = 2; c <= 4; ++c)
        for (int r = kFirst; r <= kFirst + 2; ++r)
            EXPECT_EQ(Text(c, r), "");
    EXPECT_EQ(Snapshots(), 7);
    EXPECT_EQ(session.summaries().typesPerDay().grid().Text(1, 1), "0");
    EXPECT_EQ(session.editState().currentType, 1);

    // Enter with the blank entry current is Delete.
    session.document().sheet.SetText(6, kFirst, "L");
    session.sheetEdits().SelectWorkingType(0);
    session.selections().SetSelection({6, kFirst, 6, kFirst});
    session.sheetEdits().KeyDown(key::Enter);
    EXPECT_EQ(Text(6, kFirst), "");
}

TEST_F(EditingTest, KeysStepTheTypesAndRespectTheHeaderEdges)
{
    const int last = session.document().workingTypes.Count() - 1;
    session.sheetEdits().SelectWorkingType(last);
    session.sheetEdits().KeyDown(key::NumPlus);
    EXPECT_EQ(session.editState().currentType, 0);
    session.sheetEdits().KeyDown(key::NumMinus);
    EXPECT_EQ(session.editState().currentType, last);
    EXPECT_EQ(session.document().currentCode, "N");
    EXPECT_EQ(session.sheetEdits().KeyDown(key::F1), std::optional<std::string>("topic14"));

    session.sheetEdits().SelectWorkingType(1);
    session.selections().SetCurrentCell(0, kFirst);  // the colour strip: the keys do nothing
    session.sheetEdits().KeyDown(key::NumPlus);
    EXPECT_EQ(session.editState().currentType, 1);
    session.selections().SetSelection({2, kFirst, 2, kFirst});
    session.sheetEdits().KeyDown(key::Enter);
    EXPECT_EQ(Text(2, kFirst), "");
    EXPECT_EQ(Snapshots(), 0);
    session.selections().SetCurrentCell(3, 0);
    session.sheetEdits().KeyDown(key::Delete);
    EXPECT_EQ(Snapshots(), 0);
    session.selections().SetCurrentCell(3, kFirst);
    session.selections().SetSelection({3, kFirst, 3, kFirst}, true);
    session.sheetEdits().KeyDown(key::Escape);
    EXPECT_FALSE(session.editState().selectionShown);
}

TEST_F(EditingTest, BoldAndComments)
{
    session.selections().SetCurrentCell(4, kFirst);
    session.sheetEdits().ToggleBold();
    EXPECT_TRUE(sheet().IsBold(4, kFirst));
    EXPECT_TRUE(session.document().modified);
    EXPECT_EQ(Snapshots(), 0);
    session.sheetEdits().ToggleBold();
    EXPECT_FALSE(sheet().IsBold(4, kFirst));

    EXPECT_FALSE(session.commentPanel().Apply("not open"));
    session.commentPanel().Open();
    EXPECT_TRUE(session.commentPanel().shown());
    EXPECT_EQ(session.commentPanel().text(), "");
    session.document().modified = false;
    ASSERT_TRUE(session.commentPanel().Apply(""));
    EXPECT_TRUE(session.document().modified);
    EXPECT_EQ(sheet().Comment(4, kFirst), "");
    session.commentPanel().Open();
    session.commentPanel().Apply("Doctor");
    EXPECT_EQ(sheet().Comment(4, kFirst), "Doctor");
    EXPECT_EQ(session.sheetMarks().HintDisplayTime(), 5000);
    session.commentPanel().Open();
    EXPECT_EQ(session.commentPanel().text(), "Doctor");
    session.commentPanel().Cancel();
    EXPECT_FALSE(session.commentPanel().shown());
    EXPECT_EQ(sheet().Comment(4, kFirst), "Doctor");
    session.commentPanel().Open();
    session.selections().SetCurrentCell(5, kFirst);  // OK edits the cell current at that moment
    session.commentPanel().Apply("Late");
    EXPECT_EQ(sheet().Comment(5, kFirst), "Late");
    session.selections().SetCurrentCell(4, kFirst);
    session.commentPanel().Open();
    session.commentPanel().Apply("");
    EXPECT_EQ(sheet().Comment(4, kFirst), "");
    EXPECT_EQ(session.sheetMarks().HintDisplayTime(), 2500);
}

TEST_F(EditingTest, TheCommentPanelKeepsItsPlace)
{
    struct Case {
        const char* top;  // nullptr: no value
        const char* left;
        int expectedTop;
        int expectedLeft;
    };
    // The panel stands at 7, 9; reading stops at the first value missing or no number.
    const Case cases[] = {{"120", "45", 120, 45}, {"x", "45", 7, 9}, {"130", "", 130, 9},
                          {"130", nullptr, 130, 9}, {nullptr, "50", 7, 9}};
    for (const Case& c : cases) {
        MemorySettingsStore store;
        ScheduleSession panel(MakeSchedule(), messages, &store, DefaultTextMetrics(), flags);
        panel.commentPanel().Leave(7, 9);
        store = MemorySettingsStore();
        if (c.top)
            store.WriteValue(SettingsScope::User, kCommentPositionKey, "Top", c.top);
        if (c.left)
            store.WriteValue(SettingsScope::User, kCommentPositionKey, "Left", c.left);
        panel.commentPanel().Open();
        EXPECT_EQ(panel.commentPanel().top(), c.expectedTop) << (c.top ? c.top : "none");
        EXPECT_EQ(panel.commentPanel().left(), c.expectedLeft) << (c.top ? c.top : "none");
    }
    // Leaving the panel writes where it stands.
    session.commentPanel().Leave(33, 44);
    EXPECT_EQ(ReadUserSetting(settings, kCommentPositionKey, "Top"), "33");
    EXPECT_EQ(ReadUserSetting(settings, "Software/Shiftex/Position/Comment", "Left"), "44");
}

TEST_F(EditingTest, GroupColourRecountsTheQueryRows)
{
    session.document().customQueryLines = {"Early", "E", kEndThisAddition, kEndAllAdditions};
    session.document().customQueryPanel.rows = {{"Early", "clRed"}};
    session.document().sheet.SetText(2, kFirst + 1, "E");
    session.summaryPanels().Show(SummaryKind::CustomQuery);
    EXPECT_EQ(session.summaries().customQuery().grid().Text(2, 1), "0");
    session.document().modified = false;
    auto red = [](const std::vector<std::string>&) { return std::optional<Colour>(0x000000FF); };
    EXPECT_TRUE(session.sheetEdits().ChooseGroupColour(kFirst + 1, red));
    EXPECT_EQ(sheet().BrushColor(0, kFirst + 1), 0x000000FFu);
    EXPECT_TRUE(session.document().modified);
    EXPECT_EQ(session.summaries().customQuery().grid().Text(2, 1), "1");
    EXPECT_EQ(Snapshots(), 0);
    EXPECT_FALSE(session.sheetEdits().ChooseGroupColour(1, red));  // a header row
}

TEST_F(EditingTest, HintsAndSeparatorLines)
{
    // 1 January 2027 is a holiday on a Friday; 2 January a Saturday.
    EXPECT_EQ(session.sheetMarks().CellHint(2, kFirst), "New Year");
    EXPECT_EQ(session.sheetMarks().CellHint(3, kFirst), "WeekEnd");
    EXPECT_EQ(session.sheetMarks().CellHint(5, kFirst), "");
    EXPECT_EQ(session.sheetMarks().CellHint(99, 99), "");

    session.document().sheet.SetBrushColor(0, kFirst + 2, 0x000000FF);
    EXPECT_FALSE(session.sheetMarks().GroupLineAbove(3, kFirst));
    EXPECT_FALSE(session.sheetMarks().GroupLineAbove(3, kFirst + 1));
    EXPECT_TRUE(session.sheetMarks().GroupLineAbove(3, kFirst + 2));
    EXPECT_TRUE(session.sheetMarks().GroupLineAbove(3, kFirst + 3));
    EXPECT_FALSE(session.sheetMarks().DayLineRight(3, kFirst));

    SampleOptions options;
    options.departments = {"Sales", "Store"};
    options.departmentView = true;
    options.days = 3;
    ScheduleSession view(MakeSchedule(options), messages);
    EXPECT_EQ(view.sheetMarks().CellHint(3, 3), "Store");
    EXPECT_FALSE(view.sheetMarks().DayLineRight(2, 4));
    EXPECT_TRUE(view.sheetMarks().DayLineRight(3, 4));
    EXPECT_TRUE(view.sheetMarks().DayLineRight(7, 4));
    view.document().sheet.SetBrushColor(0, 5, 0x000000FF);
    EXPECT_FALSE(view.sheetMarks().DayLineRight(3, 5));  // the group line wins
}

TEST_F(EditingTest, ARightClickLeavesTheSelectionAsItWas)
{
    const CellRect block{2, kFirst, 4, kFirst + 2};
    // A right click inside the block and one outside it: the clicked cell takes the comment,
    // Copy and Delete still take all nine cells.
    for (const auto& [col, row] : {std::pair{3, kFirst + 1}, std::pair{8, kFirst + 3}}) {
        SCOPED_TRACE(col);
        for (int c = block.left; c <= block.right; ++c)
            for (int r = block.top; r <= block.bottom; ++r)
                session.document().sheet.SetText(c, r, "E");
        session.selections().SetSelection(block, true);
        ASSERT_TRUE(session.ContextMenu(col, row).has_value());
        EXPECT_EQ(session.editState().currentCol, col);
        EXPECT_EQ(session.editState().currentRow, row);
        EXPECT_EQ(session.editState().selection, block);
        session.commentPanel().Open();
        session.commentPanel().Apply("note");
        EXPECT_EQ(sheet().Comment(col, row), "note");
        MemoryClipboard clipboard;
        session.sheetEdits().CopyCells(clipboard);
        EXPECT_EQ(clipboard.Text(), std::optional<std::string>("E\tE\tE\r\nE\tE\tE\r\nE\tE\tE\r\n"));
        session.sheetEdits().KeyDown(key::Delete);
        for (int c = block.left; c <= block.right; ++c)
            for (int r = block.top; r <= block.bottom; ++r)
                EXPECT_EQ(Text(c, r), "") << c << "," << r;
    }
}

TEST_F(EditingTest, DepartmentNamesTakeBoldFromTheirMenu)
{
    SampleOptions options;
    options.departments = {"Sales", "Store"};
    options.departmentView = true;
    options.days = 3;
    ScheduleSession view(MakeSchedule(options), messages);
    const auto caption = [&](MenuCommand command) {
        const std::optional<std::vector<MenuItem>> items = view.ContextMenu(3, 3);
        for (const MenuItem& item : items.value_or(std::vector<MenuItem>{}))
            if (item.command == command)
                return item.caption + (item.enabled ? "" : "-");
        return std::string("none");
    };
    EXPECT_EQ(caption(MenuCommand::Bold), "Make Bold");
    view.sheetEdits().ToggleBold();
    EXPECT_TRUE(view.document().sheet.IsBold(3, 3));
    EXPECT_EQ(view.document().sheet.Text(3, 3), "Store");
    EXPECT_TRUE(view.document().modified);
    EXPECT_EQ(caption(MenuCommand::Bold), "Undo Bold");
    view.sheetEdits().ToggleBold();
    EXPECT_FALSE(view.document().sheet.IsBold(3, 3));
    // The names' own header rows above take none.
    view.selections().SetCurrentCell(3, 2);
    view.sheetEdits().ToggleBold();
    EXPECT_FALSE(view.document().sheet.IsBold(3, 2));
}

TEST_F(EditingTest, ContextMenuByArea)
{
    auto ids = [&](int col, int row) {
        std::vector<std::string> result;
        if (const auto items = session.ContextMenu(col, row))
            for (std::size_t i = 7; i < items->size(); ++i)
                result.push_back(std::string(MenuCommandName((*items)[i].command)) +
                                 ((*items)[i].enabled ? "" : "-"));
        return result;
    };
    using Ids = std::vector<std::string>;
    EXPECT_FALSE(session.ContextMenu(0, kFirst).has_value());
    EXPECT_FALSE(session.ContextMenu(1, 1).has_value());
    EXPECT_EQ(ids(99, 99), Ids{});
    // One month only: it cannot be removed. Week 53 (1 to 3 January) is the first week.
    EXPECT_EQ(ids(5, 0), (Ids{"selectMonth", "removeMonth-"}));
    EXPECT_EQ(ids(2, 1), (Ids{"removeWeek", "removeAllExceptWeek", "selectWeek"}));
    EXPECT_EQ(ids(9, 1), (Ids{"removeWeek-", "removeAllExceptWeek", "selectWeek"}));
    EXPECT_EQ(ids(5, 2), (Ids{"selectDay", "showDepartments"}));
    EXPECT_EQ(ids(1, kFirst), (Ids{"selectEmployee", "addEmployee", "removeEmployee"}));
    EXPECT_EQ(ids(6, kFirst + 1), (Ids{"editWorkingHours", "comment", "bold"}));
    EXPECT_EQ(session.editState().currentCol, 6);
    EXPECT_EQ(session.editState().rememberedRow, kFirst + 1);

    session.selections().SetCurrentCell(6, kFirst + 1);
    session.sheetEdits().ToggleBold();
    const auto items = session.ContextMenu(6, kFirst + 1);
    EXPECT_EQ((*items)[9].caption, "Undo Bold");
    EXPECT_EQ((*items)[8].caption, "Add Comment");
    EXPECT_FALSE((*items)[0].enabled);  // nothing to undo
    EXPECT_FALSE((*items)[2].enabled);  // Cut, before any click
    session.sheetEdits().SelectWorkingType(1);
    session.sheetEdits().ClickCell(6, kFirst);
    const auto after = session.ContextMenu(6, kFirst);
    EXPECT_TRUE((*after)[0].enabled);
    EXPECT_TRUE((*after)[2].enabled);
    EXPECT_TRUE((*after)[5].enabled);  // Unselect follows Cut
    session.SetSheetFocus(false);
    EXPECT_FALSE(session.UndoEnabled());
    EXPECT_TRUE(session.CanUndo());
    session.SetSheetFocus(true);
    EXPECT_TRUE(session.UndoEnabled());
    EXPECT_TRUE(session.editState().clipboardEnabled);
}

// --- every shown summary against a recount, after any sequence of edits ---

// A fresh computation over a copy of the session's document, with the session's scopes.
void ExpectRecount(const ScheduleSession& session, int step)
{
    ScheduleDocument copy = session.document();
    SummarySet fresh(copy);
    fresh.workedHours().scope = session.summaries().workedHours().scope;
    fresh.employeesPerType().scope = session.summaries().employeesPerType().scope;
    fresh.employeesPerType().cornerTitle = session.summaries().employeesPerType().cornerTitle;
    fresh.FollowSheet();
    const SummarySet& shown = session.summaries();
    const std::pair<SummaryKind, std::pair<const SummaryGrid*, const SummaryGrid*>> grids[] = {
        {SummaryKind::WorkedHours, {&shown.workedHours().grid(), &fresh.workedHours().grid()}},
        {SummaryKind::TypesPerDay, {&shown.typesPerDay().grid(), &fresh.typesPerDay().grid()}},
        {SummaryKind::EmployeesPerType,
         {&shown.employeesPerType().grid(), &fresh.employeesPerType().grid()}},
        {SummaryKind::CustomQuery, {&shown.customQuery().grid(), &fresh.customQuery().grid()}}};
    for (const auto& [kind, pair] : grids) {
        if (shown.IsShown(kind)) {
            ASSERT_EQ(*pair.first, *pair.second)
                << "summary " << static_cast<int>(kind) << ", step " << step;
        }
    }
}

class SummariesFollowEdits : public ::testing::TestWithParam<bool> {};

TEST_P(SummariesFollowEdits, AfterRandomClicksUndosAndRedos)
{
    const bool departmentView = GetParam();
    SampleOptions options;
    options.employees = 5;
    options.days = 10;
    options.departments = {"A", "B"};
    options.departmentView = departmentView;
    options.types[0].fields[field::DayMinCount] = "1";
    options.types[0].fields[field::DayMinColour] = "clRed";
    options.types[0].fields[field::DayMaxCount] = "2";
    options.types[0].fields[field::DayMaxColour] = "clYellow";
    options.types[1].fields[field::EmployeeMinCount] = "2";
    options.types[1].fields[field::EmployeeMinColour] = "clRed";
    options.types[1].fields[field::EmployeeMaxCount] = "4";
    options.types[1].fields[field::EmployeeMaxColour] = "clYellow";
    options.types.push_back(
        WorkingType::Create("O", "Overlap", "08H00", "12H00", "10H00", "14H00", 3));
    ScheduleDocument document = MakeSchedule(options);
    document.customQueryLines = {"Early", "E", "O", "E", kEndThisAddition, "Late", "L",
                                 kEndThisAddition, kEndAllAdditions};
    document.queryThresholds = {{"Early", "clRed", "1", "clYellow", "3"}, ColorThreshold{"Late"}};
    document.customQueryPanel.rows = {{"Early", ""}, {"Late", "clRed"}, {"", ""}};
    ScheduleSheet& sheet = document.sheet;
    const int first = sheet.fixedRows;
    sheet.SetBrushColor(0, first + 1, 0x000000FF);
    sheet.SetBrushColor(0, first + 3, 0x000000FF);
    std::mt19937 random(20270101);
    const char* contents[] = {"E", "L", "N", "O", "E\rL", "O\rO", "A: E\rB: L", "X", "E\rX",
                              "\r", "B: O"};
    for (int r = first; r < sheet.rowCount(); ++r)
        for (int c = 2; c < sheet.colCount(); ++c)
            if (random() % 2)
                sheet.SetText(c, r, contents[random() % std::size(contents)]);

    test::RecordingMessageSink messages;
    SharedEditFlags flags;
    ScheduleSession session(std::move(document), messages, nullptr, DefaultTextMetrics(), flags);
    for (SummaryKind kind : {SummaryKind::WorkedHours, SummaryKind::TypesPerDay,
                             SummaryKind::EmployeesPerType, SummaryKind::CustomQuery})
        ASSERT_TRUE(session.summaryPanels().Show(kind));
    const int cols = session.document().sheet.colCount();
    const int rows = session.document().sheet.rowCount();
    auto anyCol = [&] { return 2 + static_cast<int>(random() % (cols - 2)); };
    auto anyRow = [&] { return first + static_cast<int>(random() % (rows - first)); };
    const SummaryKind scoped[] = {SummaryKind::WorkedHours, SummaryKind::EmployeesPerType};
    int changes = 0;
    for (int step = 0; step < 400; ++step) {
        const std::string before = WriteCellTextStream(session.document().sheet);
        const unsigned action = random() % 100;
        if (action < 55) {
            session.sheetEdits().SelectWorkingType(static_cast<int>(random() % 5));
            session.sheetEdits().ClickCell(anyCol(), anyRow());
        } else if (action < 67) {
            session.Undo();
        } else if (action < 77) {
            session.Redo();
        } else if (action < 83) {
            session.sheetEdits().SelectWorkingType(static_cast<int>(random() % 5));
            session.selections().SetSelection({anyCol(), anyRow(), anyCol(), anyRow()});
            session.sheetEdits().KeyDown(random() % 2 ? key::Enter : key::Delete);
        } else if (action < 91) {
            const int a = anyCol();
            const int b = anyCol();
            session.summaryPanels().SelectRange(scoped[random() % 2], std::min(a, b),
                                                std::max(a, b));
        } else if (action < 96) {
            session.summaryPanels().PressLock(scoped[random() % 2]);
        } else {
            const int kind = static_cast<int>(random() % 4);
            session.summaryPanels().Toggle(static_cast<SummaryKind>(kind));
            session.summaryPanels().Toggle(static_cast<SummaryKind>(kind));
        }
        if (WriteCellTextStream(session.document().sheet) != before)
            ++changes;
        ExpectRecount(session, step);
        if (HasFatalFailure())
            return;
    }
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_GT(changes, 150);
}

INSTANTIATE_TEST_SUITE_P(Views, SummariesFollowEdits, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Departments" : "Normal"; });

TEST(CellFit, ClicksKeepTheSheetAsCentreDayCellsFitsIt)
{
    ScheduleDocument document = MakeSchedule();
    document.workingTypes.Add(
        WorkingType::Create("LONG", "A wide code", "08H00", "09H00", "  H  ", "  H  ", 3));
    test::RecordingMessageSink messages;
    SharedEditFlags flags;
    ScheduleSession session(std::move(document), messages, nullptr, DefaultTextMetrics(), flags);
    std::mt19937 random(7);
    for (int step = 0; step < 150; ++step) {
        session.sheetEdits().SelectWorkingType(static_cast<int>(random() % 5));
        session.sheetEdits().ClickCell(2 + static_cast<int>(random() % 31),
                          kFirst + static_cast<int>(random() % 4));
        if (random() % 5 == 0) {
            session.selections().SetCurrentCell(2 + static_cast<int>(random() % 31), kFirst);
            session.sheetEdits().ToggleBold();
        }
        ScheduleSheet refitted = session.document().sheet;
        CentreDayCells(refitted);
        ASSERT_EQ(session.document().sheet.ColWidths(), refitted.ColWidths()) << step;
        ASSERT_EQ(session.document().sheet.RowHeights(), refitted.RowHeights()) << step;
    }
}

} // namespace
} // namespace shiftex
