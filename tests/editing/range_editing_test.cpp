#include "editing/schedule_session.h"
#include "sample_schedule.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace shiftex {
namespace {

using test::MakeSchedule;
using test::SampleOptions;

constexpr Colour kRed = 0x000000FF;

struct Session {
    explicit Session(ScheduleDocument document)
        : session(std::move(document), messages, nullptr, DefaultTextMetrics(), flags)
    {
    }
    ScheduleSheet& sheet() { return session.document().sheet; }

    test::RecordingMessageSink messages;
    SharedEditFlags flags;
    ScheduleSession session;
};

// --- selections ---

// April and May 2027: week 17 runs from Monday 26 April to Sunday 2 May.
TEST(Selections, RunsOfEqualHeaderTexts)
{
    SampleOptions options;
    options.month = 4;
    options.days = 40;
    Session s(MakeSchedule(options));
    ScheduleSession& session = s.session;
    const int lastRow = s.sheet().rowCount() - 1;
    auto column = [](int day, int month) { return month == 4 ? day + 1 : day + 31; };

    session.selections().Remember(column(1, 5), 1);
    ASSERT_TRUE(session.selections().SelectWeek());
    EXPECT_EQ(session.editState().selection, (CellRect{column(26, 4), 3, column(2, 5), lastRow}));
    EXPECT_TRUE(session.editState().selectionShown);

    // The same day number in the other month is not part of the run.
    session.selections().Unselect();
    session.selections().Remember(column(5, 5), 2);
    ASSERT_TRUE(session.selections().SelectDay());
    EXPECT_EQ(session.editState().selection, (CellRect{column(5, 5), 3, column(5, 5), lastRow}));
    EXPECT_TRUE(session.editState().selectionShown);

    session.selections().Remember(column(10, 4), 0);
    ASSERT_TRUE(session.selections().SelectMonth());
    EXPECT_EQ(session.editState().selection, (CellRect{2, 3, column(30, 4), lastRow}));

    session.selections().Remember(1, 4);
    ASSERT_TRUE(session.selections().SelectEmployee());
    EXPECT_EQ(session.editState().selection, (CellRect{2, 4, column(10, 5), 4}));

    session.SetSheetFocus(false);
    session.selections().SelectAll();
    EXPECT_EQ(session.editState().selection, (CellRect{2, 3, column(10, 5), lastRow}));
    EXPECT_TRUE(session.sheetEdits().CopyEnabled());

    // Outside the day columns there is no run to take.
    session.selections().Remember(1, 0);
    EXPECT_FALSE(session.selections().SelectMonth());
    session.selections().Remember(-1, -1);
    EXPECT_FALSE(session.selections().SelectWeek());
    EXPECT_FALSE(session.selections().SelectEmployee());
}

TEST(Selections, DepartmentViewColumns)
{
    SampleOptions options;
    options.days = 5;
    options.departments = {"A", "B", "C"};
    options.departmentView = true;
    Session s(MakeSchedule(options));
    ScheduleSession& session = s.session;
    const int lastRow = s.sheet().rowCount() - 1;
    // One department on one day.
    ASSERT_TRUE(session.selections().HeaderDoubleClick(6, 3));
    EXPECT_EQ(session.editState().selection, (CellRect{6, 4, 6, lastRow}));
    EXPECT_EQ(session.editState().rememberedCol, 6);
    // Every department's sub-column of the day.
    ASSERT_TRUE(session.selections().HeaderDoubleClick(6, 2));
    EXPECT_EQ(session.editState().selection, (CellRect{5, 4, 7, lastRow}));
}

TEST(Selections, HeaderDoubleClickGivesTheRangeViews)
{
    Session s(MakeSchedule());
    ScheduleSession& session = s.session;
    for (int c = 2; c < s.sheet().colCount(); ++c)
        s.sheet().SetText(c, 3, "E");
    session.summaryPanels().Show(SummaryKind::WorkedHours);
    session.summaryPanels().Show(SummaryKind::EmployeesPerType);
    // 6 January lies in week 1: 4 to 10 January.
    ASSERT_TRUE(session.selections().HeaderDoubleClick(7, 1));
    EXPECT_EQ(session.editState().selection, (CellRect{5, 3, 11, 6}));
    const SummarySet& summaries = session.summaries();
    EXPECT_EQ(summaries.workedHours().scope.caption, "        4 January 'till 10 January");
    EXPECT_EQ(summaries.workedHours().Total(3), "56H00");
    EXPECT_EQ(summaries.employeesPerType().CountAt(1, 3), 7);

    // Locked, the views keep their range; the selection still follows the click.
    session.summaryPanels().PressLock(SummaryKind::WorkedHours);
    ASSERT_TRUE(session.selections().HeaderDoubleClick(2, 0));
    EXPECT_EQ(session.editState().selection, (CellRect{2, 3, 32, 6}));
    EXPECT_EQ(summaries.workedHours().Total(3), "56H00");
    EXPECT_EQ(summaries.employeesPerType().CountAt(1, 3), 7);

    // Day cells and name columns are no header cells of a day column.
    EXPECT_FALSE(session.selections().HeaderDoubleClick(5, 3));
    EXPECT_FALSE(session.selections().HeaderDoubleClick(1, 1));
}

// --- the quick insert panel ---

TEST(QuickInsertPanelRules, ChoicesEnableTheListsAndTheButton)
{
    SampleOptions options;
    options.days = 3;
    options.departments = {"A", "B"};
    ScheduleDocument document = MakeSchedule(options);
    document.sheet.SetBrushColor(0, 4, kRed);
    document.sheet.SetBrushColor(0, 6, kRed);
    QuickInsertPanel panel;
    EXPECT_FALSE(panel.buttonEnabled);
    ASSERT_TRUE(panel.ChooseScope(1, document));
    EXPECT_EQ(panel.scope.Text(), "All empty cells");
    EXPECT_FALSE(panel.buttonEnabled);  // no employee choice shown yet

    panel.DropDownEmployees(document);
    EXPECT_EQ(panel.employee.entries,
              (std::vector<std::string>{"Everybody", "Employee 1", "Employee 2", "Employee 3",
                                        "Employee 4"}));
    ASSERT_TRUE(panel.ChooseEmployee(0, document));
    EXPECT_TRUE(panel.buttonEnabled);
    EXPECT_TRUE(panel.groupColour.enabled);
    EXPECT_EQ(panel.groupColour.chosen, 0);
    EXPECT_EQ(panel.groupColour.entries,
              (std::vector<std::string>{"", ColorToString(kNeutralGroupColour), "clRed"}));
    // Departments are declared, but the view is off.
    EXPECT_FALSE(panel.department.enabled);

    // Any text of a colour value selects its entry.
    ASSERT_TRUE(panel.ChooseGroupColourValue(StringToColor("$000000FF"), document));
    EXPECT_EQ(panel.GroupColourFilter(), std::optional<Colour>(kRed));
    ASSERT_TRUE(panel.ChooseEmployee(2, document));
    EXPECT_FALSE(panel.groupColour.enabled);
    EXPECT_EQ(panel.GroupColourFilter(), std::nullopt);
    EXPECT_FALSE(panel.ChooseGroupColour(1));

    // A rebuilt list keeps the chosen text where it still is an entry.
    document.sheet.SetText(1, 3, "Zoe");
    panel.DropDownEmployees(document);
    EXPECT_EQ(panel.employee.Text(), "Employee 2");
    ASSERT_TRUE(panel.ChooseEmployee(0, document));
    EXPECT_EQ(panel.groupColour.chosen, 0);

    document.sheet.fixedRows = 4;  // the department view
    ASSERT_TRUE(panel.ChooseScope(0, document));
    EXPECT_TRUE(panel.department.enabled);
    EXPECT_EQ(panel.department.Text(), "All departments");
    EXPECT_EQ(panel.DepartmentFilter(), "");
    ASSERT_TRUE(panel.ChooseDepartment(2));
    EXPECT_EQ(panel.DepartmentFilter(), "B");
    EXPECT_FALSE(panel.ChooseDepartment(3));
}

// Seven days from Friday 1 January 2027: a holiday on column 2, the weekend on columns 3 and 4.
// Rows 5 and 6 have the red group; row 6 is a second "Employee 1".
class QuickInsertTest : public ::testing::Test {
protected:
    QuickInsertTest() : s(Document()) {}
    static ScheduleDocument Document()
    {
        SampleOptions options;
        options.days = 7;
        ScheduleDocument document = MakeSchedule(options);
        ScheduleSheet& sheet = document.sheet;
        sheet.SetBrushColor(0, 5, kRed);
        sheet.SetBrushColor(0, 6, kRed);
        sheet.SetText(1, 6, "Employee 1");
        sheet.SetText(5, 3, "L");
        sheet.SetText(6, 4, "\r");  // a line break only: not empty
        sheet.SetText(7, 5, "N");
        return document;
    }
    void Choose(int scope, const std::string& employee)
    {
        QuickInsertPanel& panel = s.session.sheetEdits().quickInsertPanel();
        const ScheduleDocument& document = s.session.document();
        panel.DropDownEmployees(document);
        ASSERT_TRUE(panel.ChooseScope(scope, document));
        ASSERT_TRUE(panel.ChooseEmployee(panel.employee.Find(employee), document));
    }

    Session s;
};

TEST_F(QuickInsertTest, ScopesAndFilters)
{
    const ScheduleSheet before = s.sheet();
    using Expect = std::function<bool(int col, int row, const std::string& old)>;
    struct Case {
        const char* name;
        int scope;
        const char* employee;
        std::optional<Colour> group;  // chosen before the employee
        int type;                     // the current working type
        std::optional<CellRect> selection;
        Expect written;
    };
    const Case cases[] = {
        {"all", 0, "Everybody", {}, 1, {}, [](int, int, auto&) { return true; }},
        {"empty", 1, "Everybody", {}, 1, {}, [](int, int, auto& old) { return old.empty(); }},
        {"non-empty, blank", 2, "Everybody", {}, 0, {},
         [](int, int, auto& old) { return !old.empty(); }},
        {"week-ends", 3, "Everybody", {}, 1, {},
         [](int c, int, auto&) { return c == 3 || c == 4; }},
        {"holidays", 4, "Everybody", {}, 1, {}, [](int c, int, auto&) { return c == 2; }},
        {"group", 0, "Everybody", kRed, 1, {}, [](int, int r, auto&) { return r >= 5; }},
        // The chosen employee disables the group colour list; both of that name are written.
        {"employee", 0, "Employee 1", kRed, 1, {},
         [](int, int r, auto&) { return r == 3 || r == 6; }},
        {"selection", 0, "Everybody", {}, 1, CellRect{3, 3, 4, 4},
         [](int c, int r, auto&) { return c <= 4 && c >= 3 && r <= 4; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s.sheet() = before;
        s.session.ResetUndo();
        s.session.selections().Unselect();
        if (c.selection)
            s.session.selections().SetSelection(*c.selection, true);
        QuickInsertPanel& panel = s.session.sheetEdits().quickInsertPanel();
        Choose(c.scope, "Everybody");
        if (c.group) {
            ASSERT_TRUE(panel.ChooseGroupColourValue(*c.group, s.session.document()));
        }
        if (std::string(c.employee) != "Everybody") {
            ASSERT_TRUE(panel.ChooseEmployee(panel.employee.Find(c.employee),
                                             s.session.document()));
        }
        s.session.sheetEdits().SelectWorkingType(c.type);
        const std::string code = s.session.document().currentCode;
        ASSERT_TRUE(s.session.sheetEdits().QuickInsert());
        for (int col = 2; col < before.colCount(); ++col)
            for (int row = 3; row < before.rowCount(); ++row) {
                const std::string& old = before.Text(col, row);
                EXPECT_EQ(s.sheet().Text(col, row), c.written(col, row, old) ? code : old)
                    << col << "," << row;
            }
        // One snapshot for the whole operation; names and headers untouched.
        EXPECT_EQ(s.session.undoHistory().count(), 1);
        EXPECT_EQ(s.sheet().Text(1, 6), "Employee 1");
        EXPECT_EQ(s.sheet().Text(2, 2), "1");
    }
}

TEST_F(QuickInsertTest, WholeSheetAfterUnselectAndSummariesRecomputed)
{
    s.session.summaryPanels().Show(SummaryKind::TypesPerDay);
    s.session.selections().SetSelection({3, 3, 3, 3}, true);
    s.session.selections().Unselect();
    Choose(0, "Everybody");
    s.session.sheetEdits().SelectWorkingType(1);
    ASSERT_TRUE(s.session.sheetEdits().QuickInsert());
    for (int col = 2; col < s.sheet().colCount(); ++col)
        EXPECT_EQ(s.sheet().Text(col, 6), "E");
    EXPECT_EQ(s.session.summaries().typesPerDay().CountAt(1, 5), 4);
    EXPECT_EQ(s.session.summaries().typesPerDay().CountAt(2, 5), 0);
    EXPECT_TRUE(s.session.document().modified);

    // Without a scope or an employee choice the button does nothing.
    QuickInsertPanel fresh;
    s.session.sheetEdits().quickInsertPanel() = fresh;
    EXPECT_FALSE(s.session.sheetEdits().QuickInsert());
}

TEST(QuickInsertDepartments, OnlyTheChosenDepartmentsSubColumns)
{
    SampleOptions options;
    options.days = 3;
    options.departments = {"A", "B"};
    options.departmentView = true;
    Session s(MakeSchedule(options));
    QuickInsertPanel& panel = s.session.sheetEdits().quickInsertPanel();
    const ScheduleDocument& document = s.session.document();
    panel.DropDownEmployees(document);
    panel.ChooseScope(0, document);
    panel.ChooseEmployee(0, document);
    ASSERT_TRUE(panel.department.enabled);
    panel.DropDownDepartments(document);
    ASSERT_TRUE(panel.ChooseDepartment(panel.department.Find("B")));
    s.session.sheetEdits().SelectWorkingType(2);
    ASSERT_TRUE(s.session.sheetEdits().QuickInsert());
    for (int col = 2; col < s.sheet().colCount(); ++col)
        EXPECT_EQ(s.sheet().Text(col, 4), col % 2 ? "L" : "") << col;
}

// --- Enter over a range with summaries shown ---

// Runs ToggleCell on every cell of the selection that does not hold the code, column by
// column: what Enter did before it learned to skip the snapshots that do not survive.
void EnterCellByCell(ScheduleSession& session, int type)
{
    session.PushSnapshot();
    const int remembered = session.editState().currentType;
    const CellRect rect = session.editState().selection;
    session.sheetEdits().SelectWorkingType(type);
    [&] {
        for (int c = rect.left; c <= rect.right; ++c)
            for (int r = rect.top; r <= rect.bottom; ++r) {
                if (session.document().sheet.Text(c, r) == session.document().currentCode)
                    continue;
                session.selections().SetCurrentCell(c, r);
                if (!session.sheetEdits().ToggleCell())
                    return;  // a conversion error ends the command
            }
    }();
    session.sheetEdits().SelectWorkingType(remembered);
    session.selections().SetCurrentCell(rect.left, rect.top);
}

TEST(EnterOverARange, HistorySheetAndSummariesAsCellByCell)
{
    struct Case {
        const char* name;
        CellRect selection;
        int type;
        std::function<void(ScheduleDocument&)> prepare;
        int editsBefore = 0;  // clicks, then two of them undone
    };
    const Case cases[] = {
        {"nine cells", {2, 3, 4, 5}, 1, [](ScheduleDocument& d) { d.sheet.SetText(3, 4, "E"); }},
        {"three cells after undos", {5, 3, 5, 5}, 2, [](ScheduleDocument&) {}, 4},
        // The long code widens every column it reaches: the sheet is laid out again early.
        {"wider columns", {2, 3, 5, 6}, 4, [](ScheduleDocument&) {}},
        // Not fitted at the start, and the only change of fit comes last.
        {"late fit", {2, 3, 3, 6}, 1,
         [](ScheduleDocument& d) {
             d.sheet.SetColWidth(2, 300);
             d.sheet.SetText(3, 6, "E\rL");
         }},
        // Not fitted, and the fit changes first: the sheet is fitted from then on.
        {"early fit", {2, 3, 3, 6}, 1,
         [](ScheduleDocument& d) {
             d.sheet.SetColWidth(3, 300);
             d.sheet.SetText(2, 3, "E\rL");
         }},
        // A type whose time does not read stops the command at the cell that meets it.
        {"conversion error", {2, 3, 6, 4}, 1,
         [](ScheduleDocument& d) { d.sheet.SetText(4, 4, "X"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SampleOptions options;
        options.days = 10;
        options.types.push_back(WorkingType::Create("LONGCODE", "Long", "08H00", "09H00", "  H  ",
                                                    "  H  ", 0));
        options.types.push_back(
            WorkingType::Create("X", "Broken", "aaHbb", "09H00", "  H  ", "  H  ", 0));
        ScheduleDocument document = MakeSchedule(options);
        document.sheet.SetText(6, 3, "L");
        document.sheet.SetText(2, 5, "N");
        document.customQueryLines = {"Early", "E", kEndThisAddition, kEndAllAdditions};
        document.customQueryNames = {"Early"};
        document.queryThresholds = {{"Early", "clRed", "1", "clYellow", "2"}};
        document.customQueryPanel.rows = {{"Early", ""}};
        c.prepare(document);
        Session fast(document);
        Session slow(document);
        for (Session* s : {&fast, &slow}) {
            for (SummaryKind kind : {SummaryKind::CustomQuery, SummaryKind::EmployeesPerType,
                                     SummaryKind::TypesPerDay, SummaryKind::WorkedHours})
                s->session.summaryPanels().Show(kind);
            s->session.sheetEdits().SelectWorkingType(3);
            for (int i = 0; i < c.editsBefore; ++i)
                s->session.sheetEdits().ClickCell(8, 3 + i);
            if (c.editsBefore) {
                s->session.Undo();
                s->session.Undo();
            }
            s->session.selections().SetSelection(c.selection, true);
        }
        // Enter with type 3 current applies type 3 ...
        fast.session.sheetEdits().KeyDown(key::Enter);
        EnterCellByCell(slow.session, 3);
        // ... and the same once more with the case's own type.
        fast.session.sheetEdits().SelectWorkingType(c.type);
        slow.session.sheetEdits().SelectWorkingType(c.type);
        fast.session.selections().SetSelection(c.selection, true);
        slow.session.selections().SetSelection(c.selection, true);
        fast.session.sheetEdits().KeyDown(key::Enter);
        EnterCellByCell(slow.session, c.type);

        EXPECT_TRUE(fast.sheet() == slow.sheet());
        const UndoHistory& a = fast.session.undoHistory();
        const UndoHistory& b = slow.session.undoHistory();
        EXPECT_EQ(a.count(), b.count());
        EXPECT_EQ(a.depth(), b.depth());
        for (int slot = 1; slot <= UndoHistory::kSlots; ++slot)
            EXPECT_EQ(a.Slot(slot), b.Slot(slot)) << "slot " << slot;
        const SummarySet& x = fast.session.summaries();
        const SummarySet& y = slow.session.summaries();
        EXPECT_EQ(x.workedHours().grid(), y.workedHours().grid());
        EXPECT_EQ(x.typesPerDay().grid(), y.typesPerDay().grid());
        EXPECT_EQ(x.employeesPerType().grid(), y.employeesPerType().grid());
        EXPECT_EQ(x.customQuery().grid(), y.customQuery().grid());
        EXPECT_EQ(fast.messages.errors, slow.messages.errors);
        EXPECT_EQ(fast.session.editState().currentCol, slow.session.editState().currentCol);
        EXPECT_EQ(fast.session.editState().currentRow, slow.session.editState().currentRow);
        EXPECT_EQ(fast.session.editState().currentType, slow.session.editState().currentType);
    }
}

} // namespace
} // namespace shiftex

namespace shiftex {
namespace {

TEST(QuickInsertPanelRules, DepartmentListFollowsTheView)
{
    SampleOptions options;
    options.days = 3;
    options.departments = {"A", "B"};
    test::RecordingMessageSink messages;
    ScheduleSession session(MakeSchedule(options), messages);
    EXPECT_FALSE(session.sheetEdits().quickInsertPanel().department.enabled);
    ASSERT_EQ(session.structuralEdits().ShowDepartments(), ShowDepartmentsResult::Shown);
    const ChoiceList& department = session.sheetEdits().quickInsertPanel().department;
    EXPECT_TRUE(department.enabled);
    EXPECT_EQ(department.Text(), "All departments");
    // A schedule that is in the view when its window opens offers the list at once.
    ScheduleSession reopened(session.document(), messages);
    EXPECT_EQ(reopened.sheetEdits().quickInsertPanel().department.Text(), "All departments");
}

} // namespace
} // namespace shiftex
