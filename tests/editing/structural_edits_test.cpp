#include "editing/schedule_session.h"
#include "files/holiday_store.h"
#include "files/text_io.h"
#include "sample_schedule.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace shiftex {
namespace {

using Texts = std::vector<std::string>;

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

ScheduleDocument Schedule(int firstDay, int month, int year, int days,
                          std::vector<std::string> departments = {})
{
    test::SampleOptions options;
    options.firstDay = firstDay;
    options.month = month;
    options.year = year;
    options.days = days;
    options.departmentView = !departments.empty();
    options.departments = std::move(departments);
    ScheduleDocument document = test::MakeSchedule(options);
    document.holidayLines.clear();
    return document;
}

// The day numbers and month titles of the columns from `from` on, one entry per day.
Texts DaysFrom(const ScheduleDocument& document, int from)
{
    const ScheduleSheet& sheet = document.sheet;
    const int n = sheet.fixedRows == 4 ? static_cast<int>(document.departments.size()) : 1;
    Texts days;
    for (int c = from; c < sheet.colCount(); c += n)
        days.push_back(sheet.Text(c, 2) + " " + sheet.Text(c, 0));
    return days;
}

Texts Days(int from, int to, const std::string& title)
{
    Texts days;
    for (int d = from; d <= to; ++d)
        days.push_back(std::to_string(d) + " " + title);
    return days;
}

Texts Joined(Texts a, const Texts& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// --- extensions ---

class ExtendTest : public ::testing::Test {
protected:
    test::TempProgramFolder folder;
};

TEST_F(ExtendTest, ByAMonthOrAWeek)
{
    struct Case {
        const char* name;
        ScheduleDocument document;
        bool byMonth;
        Texts added;
    };
    Case cases[] = {
        {"April 2004 by a month", Schedule(1, 4, 2004, 30), true, Days(1, 31, "May 2004")},
        {"to 10 June by a month", Schedule(12, 5, 2004, 30), true, Days(11, 30, "June 2004")},
        {"to 26 December by a week", Schedule(27, 11, 2004, 30), false,
         Joined(Days(27, 31, "December 2004"), Days(1, 2, "January 2005"))},
        {"to Sunday 30 April, week of 7", Schedule(1, 4, 2006, 30), false,
         Days(1, 7, "May 2006")},
        {"to Sunday 30 April, week of 3", Schedule(28, 4, 2006, 3), false,
         Days(1, 4, "May 2006")},
        {"to 15 March by a week", Schedule(1, 3, 2004, 15), false, Days(16, 22, "March 2004")},
        // In the department view the days of a run count, not its sub-columns.
        {"departments, to 15 March", Schedule(1, 3, 2004, 15, {"A", "B"}), false,
         Days(16, 22, "March 2004")},
        {"departments, to Sunday 30 April", Schedule(1, 4, 2006, 30, {"A", "B"}), false,
         Days(1, 7, "May 2006")},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s(std::move(c.document));
        ScheduleSession& session = s.session;
        session.sheetEdits().SelectWorkingType(1);
        session.sheetEdits().ClickCell(2, s.sheet().fixedRows);
        const int undoCount = session.undoHistory().count();
        const int old = s.sheet().colCount();
        const int row = c.byMonth ? 0 : 1;
        const int button = s.sheet().MergeRect(old - 1, row).left;
        ASSERT_TRUE(s.sheet().HasButton(button, row));
        ASSERT_TRUE(session.structuralEdits().PressExtendButton(button, row, folder.path()));
        EXPECT_EQ(DaysFrom(session.document(), old), c.added);
        EXPECT_TRUE(s.messages.errors.empty()) << s.messages.errors.front();
        EXPECT_EQ(session.undoHistory().count(), undoCount);
        EXPECT_TRUE(session.document().modified);
        const ScheduleSheet& sheet = s.sheet();
        const int last = sheet.colCount() - 1;
        // One button each, on the new last month and week.
        for (int r = 0; r < 2; ++r) {
            int buttons = 0;
            for (int col = 0; col < sheet.colCount(); ++col)
                buttons += sheet.HasButton(col, r);
            EXPECT_EQ(buttons, 1) << "row " << r;
        }
        EXPECT_TRUE(sheet.HasButton(sheet.MergeRect(last, 0).left, 0));
        EXPECT_TRUE(sheet.HasButton(sheet.MergeRect(last, 1).left, 1));
        EXPECT_EQ(sheet.MergeRect(last, 0).right, last);
        // New weekend days are painted.
        for (int col = old; col < sheet.colCount(); ++col) {
            const Date date = session.document().DayOfColumn(col);
            const bool weekend = IsWeekend(date.day, date.month, date.year);
            EXPECT_EQ(sheet.BrushColor(col, sheet.fixedRows) == StringToColor("clYellow"),
                      weekend)
                << col;
        }
    }
}

TEST_F(ExtendTest, TwiceByAMonthWithTheHolidaysOfTheRegion)
{
    ScheduleDocument document = Schedule(1, 4, 2004, 30);
    SilentMessageSink quiet;
    HolidayStore store(folder.path(), quiet);
    auto lines = store.BuildHolidayLines(document.sheet, "Germany");
    ASSERT_TRUE(lines);
    // A holiday of the schedule's own, on 12 April.
    lines->insert(std::find(lines->begin(), lines->end(), "[04]") + 1, "12:Planning day");
    document.holidayLines = *lines;
    Session s(std::move(document));
    ASSERT_TRUE(s.session.structuralEdits().ExtendByMonth(folder.path()));
    ASSERT_TRUE(s.session.structuralEdits().ExtendByMonth(folder.path()));
    EXPECT_EQ(DaysFrom(s.session.document(), 32),
              Joined(Days(1, 31, "May 2004"), Days(1, 30, "June 2004")));
    EXPECT_TRUE(s.messages.errors.empty()) << s.messages.errors.front();
    // Written back to the year's template and read again with it.
    const auto stored = ReadTextLines(store.TemplatePath("2004", "Germany"));
    ASSERT_TRUE(stored);
    EXPECT_NE(std::find(stored->begin(), stored->end(), "12:Planning day"), stored->end());
    const Texts& rebuilt = s.session.document().holidayLines;
    EXPECT_EQ(rebuilt.front(), "[Germany]");
    EXPECT_NE(std::find(rebuilt.begin(), rebuilt.end(), "12:Planning day"), rebuilt.end());
    // Labour Day, Saturday 1 May 2004, shows the holiday colour.
    const ScheduleSheet& sheet = s.sheet();
    EXPECT_EQ(sheet.BrushColor(32, 3), StringToColor("clAqua"));
    EXPECT_EQ(sheet.BrushColor(13, 3), StringToColor("clAqua"));  // 12 April
    EXPECT_EQ(s.session.sheetMarks().CellHint(32, 3), "Labour Day");
}

// --- removals ---

TEST(RemoveWeek, TheFirstWeekLeavesAndLockedRangesFollowTheirDays)
{
    Session s(test::MakeSchedule());
    ScheduleSession& session = s.session;
    for (int c = 2; c < s.sheet().colCount(); ++c)
        s.sheet().SetText(c, 3, "E");
    session.sheetEdits().SelectWorkingType(1);
    session.sheetEdits().ClickCell(2, 4);
    session.summaryPanels().Show(SummaryKind::WorkedHours);
    session.summaryPanels().Show(SummaryKind::EmployeesPerType);
    // Week 1 of 2027 (4 to 10 January) locked in the worked hours summary.
    ASSERT_TRUE(session.selections().HeaderDoubleClick(6, 1));
    ASSERT_TRUE(session.summaryPanels().PressLock(SummaryKind::WorkedHours));

    // Only the first week of several can go.
    session.selections().Remember(6, 1);
    EXPECT_FALSE(CanRemoveWeek(session.document().sheet, 6));
    EXPECT_FALSE(session.structuralEdits().RemoveWeek());
    EXPECT_TRUE(session.CanUndo());

    // 1 to 3 January, week 53 of 2026.
    session.selections().Remember(3, 1);
    ASSERT_TRUE(session.structuralEdits().RemoveWeek());
    EXPECT_FALSE(session.CanUndo());
    const ScheduleSheet& sheet = s.sheet();
    EXPECT_EQ(sheet.colCount(), 2 + 28);
    EXPECT_EQ(DaysFrom(s.session.document(), 2), Days(4, 31, "January 2027"));
    EXPECT_EQ(sheet.MergeRect(2, 0), (CellRect{2, 0, 29, 0}));
    EXPECT_EQ(sheet.MergeRect(2, 1), (CellRect{2, 1, 8, 1}));
    EXPECT_EQ(sheet.Text(2, 1), "Week 1");
    EXPECT_EQ(sheet.Text(4, 3), "E");
    EXPECT_EQ(sheet.Text(2, 4), "");  // the click of 1 January went with its day
    const SummarySet& summaries = session.summaries();
    EXPECT_TRUE(summaries.workedHours().scope.locked);
    EXPECT_EQ(summaries.workedHours().scope.caption, "        4 January 'till 10 January");
    EXPECT_EQ(summaries.workedHours().Total(3), "56H00");
    EXPECT_EQ(summaries.employeesPerType().CountAt(1, 3), 7);

    // Now the locked week is the first one: removing it releases the lock.
    session.selections().Remember(2, 1);
    ASSERT_TRUE(session.structuralEdits().RemoveWeek());
    EXPECT_FALSE(summaries.workedHours().scope.locked);
    EXPECT_EQ(summaries.workedHours().scope.caption, "          Global");
    EXPECT_EQ(summaries.workedHours().Total(3), "168H00");
    EXPECT_FALSE(summaries.employeesPerType().scope.locked);
    EXPECT_EQ(summaries.employeesPerType().CountAt(1, 3), 21);
}

TEST(RemoveWeek, AOneDayWeekStaysButTheHistoryGoes)
{
    // Sunday 3 January 2027 is a week of its own.
    Session s(Schedule(3, 1, 2027, 10));
    s.session.sheetEdits().SelectWorkingType(1);
    s.session.sheetEdits().ClickCell(5, 3);
    s.session.document().modified = false;
    const int cols = s.sheet().colCount();
    s.session.selections().Remember(2, 1);
    ASSERT_TRUE(s.session.structuralEdits().RemoveWeek());
    EXPECT_EQ(s.sheet().colCount(), cols);
    EXPECT_FALSE(s.session.CanUndo());
    EXPECT_TRUE(s.session.document().modified);
}

TEST(RemoveMonth, TheFirstMonthLeaves)
{
    Session s(Schedule(1, 4, 2027, 40));
    s.session.selections().Remember(31, 0);  // 30 April
    EXPECT_TRUE(CanRemoveMonth(s.session.document().sheet, 31));
    EXPECT_FALSE(CanRemoveMonth(s.session.document().sheet, 32));
    ASSERT_TRUE(s.session.structuralEdits().RemoveMonth());
    EXPECT_EQ(DaysFrom(s.session.document(), 2), Days(1, 10, "May 2027"));
    EXPECT_EQ(s.session.document().monthTitle, "May 2027");
    EXPECT_FALSE(CanRemoveMonth(s.session.document().sheet, 2));
    s.session.selections().Remember(2, 0);
    EXPECT_FALSE(s.session.structuralEdits().RemoveMonth());
}

TEST(RemoveMonth, ALockedRangeBehindTheMonthIsReleased)
{
    // April 2027 and 1 to 10 May; 3 to 9 May (week 18) locked in both scoped summaries.
    Session s(Schedule(1, 4, 2027, 40));
    ScheduleSession& session = s.session;
    for (int c = 2; c < s.sheet().colCount(); ++c)
        s.sheet().SetText(c, 3, "E");
    session.summaryPanels().Show(SummaryKind::WorkedHours);
    session.summaryPanels().Show(SummaryKind::EmployeesPerType);
    ASSERT_TRUE(session.selections().HeaderDoubleClick(34, 1));
    ASSERT_TRUE(session.summaryPanels().PressLock(SummaryKind::WorkedHours));
    const SummarySet& summaries = session.summaries();
    ASSERT_TRUE(summaries.employeesPerType().scope.locked);
    ASSERT_EQ(summaries.workedHours().Total(3), "56H00");

    session.selections().Remember(2, 0);
    ASSERT_TRUE(session.structuralEdits().RemoveMonth());
    EXPECT_FALSE(summaries.workedHours().scope.locked);
    EXPECT_EQ(summaries.workedHours().scope.caption, "          Global");
    EXPECT_EQ(summaries.workedHours().Total(3), "80H00");
    EXPECT_FALSE(summaries.employeesPerType().scope.locked);
    EXPECT_EQ(summaries.employeesPerType().CountAt(1, 3), 10);
}

TEST(KeepOnlyWeek, TheSecondWeekOfApril2004)
{
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        Session s(Schedule(1, 4, 2004, 30));
        s.messages.answers = {answer};
        for (int c = 2; c < s.sheet().colCount(); ++c)
            s.sheet().SetText(c, 3, "E");
        s.session.summaryPanels().Show(SummaryKind::WorkedHours);
        s.session.sheetEdits().SelectWorkingType(1);
        s.session.sheetEdits().ClickCell(9, 4);
        const ScheduleSheet before = s.sheet();
        // 5 to 11 April, week 15.
        s.session.selections().Remember(8, 1);
        EXPECT_EQ(s.session.structuralEdits().KeepOnlyWeek(), answer == Answer::Yes);
        EXPECT_EQ(s.messages.questions, Texts{"All other weeks will be erased. Are you sure?"});
        if (answer == Answer::No) {
            EXPECT_TRUE(s.sheet() == before);
            EXPECT_TRUE(s.session.CanUndo());
            continue;
        }
        const ScheduleSheet& sheet = s.sheet();
        EXPECT_EQ(DaysFrom(s.session.document(), 2), Days(5, 11, "April 2004"));
        EXPECT_TRUE(sheet.HasButton(2, 0));
        EXPECT_TRUE(sheet.HasButton(2, 1));
        EXPECT_EQ(sheet.MergeRect(2, 1), (CellRect{2, 1, 8, 1}));
        EXPECT_FALSE(s.session.CanUndo());
        EXPECT_EQ(sheet.Text(5, 4), "E");
        EXPECT_EQ(s.session.summaries().workedHours().Total(3), "56H00");
        EXPECT_EQ(s.session.summaries().workedHours().Total(4), "08H00");
    }
}

TEST(RemoveEmployee, AfterTheQuestionTheRowAndItsFiguresGo)
{
    Session s(test::MakeSchedule());
    s.sheet().SetText(4, 5, "L");
    s.session.summaryPanels().Show(SummaryKind::WorkedHours);
    s.session.summaryPanels().Show(SummaryKind::EmployeesPerType);
    s.session.sheetEdits().SelectWorkingType(1);
    s.session.sheetEdits().ClickCell(3, 4);
    s.messages.answers = {Answer::No};
    s.session.selections().Remember(1, 4);
    EXPECT_FALSE(s.session.structuralEdits().RemoveEmployee());
    EXPECT_EQ(s.messages.questions, Texts{"Remove Employee 2 from the schedule?"});
    EXPECT_EQ(s.sheet().rowCount(), 7);
    ASSERT_TRUE(s.session.structuralEdits().RemoveEmployee());
    EXPECT_EQ(s.sheet().rowCount(), 6);
    EXPECT_EQ(s.session.document().Employees(), (Texts{"Employee 1", "Employee 3",
                                                       "Employee 4"}));
    EXPECT_FALSE(s.session.CanUndo());
    const SummarySet& summaries = s.session.summaries();
    EXPECT_EQ(summaries.workedHours().grid().rowCount(), 6);
    EXPECT_EQ(summaries.workedHours().grid().Text(0, 4), "Employee 3");
    EXPECT_EQ(summaries.workedHours().Total(4), "04H00");
    EXPECT_EQ(summaries.employeesPerType().grid().Text(0, 3), "Employee 3");
    // Only an employee's name cell names an employee.
    s.session.selections().Remember(2, 4);
    EXPECT_FALSE(s.session.structuralEdits().RemoveEmployee());
}

TEST(MoveEmployeeRow, FiguresStayBesideTheirEmployee)
{
    Session s(test::MakeSchedule());
    s.sheet().SetText(2, 5, "E");
    s.sheet().SetText(3, 5, "L");
    s.sheet().SetText(2, 3, "L");
    s.session.summaryPanels().Show(SummaryKind::WorkedHours);
    s.session.summaryPanels().Show(SummaryKind::EmployeesPerType);
    s.session.sheetEdits().SelectWorkingType(1);
    s.session.sheetEdits().ClickCell(4, 6);
    const int undoCount = s.session.undoHistory().count();
    ASSERT_TRUE(s.session.structuralEdits().MoveEmployeeRow(5, 3));
    EXPECT_EQ(s.session.document().Employees(),
              (Texts{"Employee 3", "Employee 1", "Employee 2", "Employee 4"}));
    const SummarySet& summaries = s.session.summaries();
    const SummaryGrid& hours = summaries.workedHours().grid();
    EXPECT_EQ(hours.Text(0, 3), "Employee 3");
    EXPECT_EQ(hours.Text(1, 3), "12H00");
    EXPECT_EQ(hours.Text(0, 4), "Employee 1");
    EXPECT_EQ(hours.Text(1, 4), "04H00");
    EXPECT_EQ(hours.Text(1, 6), "08H00");
    EXPECT_EQ(summaries.employeesPerType().grid().Text(0, 2), "Employee 3");
    EXPECT_EQ(summaries.employeesPerType().CountAt(2, 3), 1);
    EXPECT_EQ(s.session.undoHistory().count(), undoCount);
    EXPECT_FALSE(s.session.structuralEdits().MoveEmployeeRow(2, 3));  // a header row is no employee
}

// --- closing ---

TEST(CloseSchedule, QuestionsAndTheBackupGuard)
{
    Session s(test::MakeSchedule());
    CloseGuard guard;
    guard.readyForClose = false;
    EXPECT_FALSE(s.session.CloseSchedule(guard));
    EXPECT_EQ(guard.statusText, "Please wait until backup creation has finished");
    EXPECT_EQ(s.messages.informations, Texts{"Please wait until backup creation has finished"});
    EXPECT_TRUE(s.messages.questions.empty());

    guard.readyForClose = true;
    EXPECT_TRUE(s.session.CloseSchedule(guard));
    s.session.document().MarkModified();
    s.messages.answers = {Answer::Cancel};
    EXPECT_FALSE(s.session.CloseSchedule(guard));
    EXPECT_EQ(guard.closeVerdict, "cancel");
    EXPECT_EQ(s.messages.questions, (Texts{"Are you sure to close this schedule?",
                                           "Close this workinglist without saving?"}));
}

TEST(CloseSchedule, CancelOnAModifiedScheduleKeepsTheProgramRunning)
{
    std::vector<std::unique_ptr<Session>> windows;
    for (int i = 0; i < 3; ++i)
        windows.push_back(std::make_unique<Session>(test::MakeSchedule()));
    windows[1]->session.document().MarkModified();
    windows[1]->messages.answers = {Answer::Cancel};
    test::RecordingMessageSink mainMessages;
    CloseGuard guard;
    guard.closeVerdict = "cancel";  // left from an earlier exit
    auto closeFirst = [&] {
        if (!windows.front()->session.CloseSchedule(guard))
            return false;
        windows.erase(windows.begin());
        return true;
    };
    EXPECT_FALSE(ConfirmExit(guard, mainMessages, static_cast<int>(windows.size()), closeFirst));
    EXPECT_EQ(windows.size(), 2u);
    EXPECT_TRUE(windows.front()->session.document().modified);
    EXPECT_TRUE(windows[1]->messages.questions.empty());  // never asked
    EXPECT_TRUE(mainMessages.questions.empty());

    // Asked again, everything closes and the user confirms the exit.
    EXPECT_TRUE(ConfirmExit(guard, mainMessages, static_cast<int>(windows.size()), closeFirst));
    EXPECT_TRUE(windows.empty());
    EXPECT_EQ(mainMessages.questions, Texts{"Are You sure to close Shiftex ?"});

    // While a backup is written no window closes, and the program does not end either.
    windows.push_back(std::make_unique<Session>(test::MakeSchedule()));
    guard.readyForClose = false;
    EXPECT_FALSE(ConfirmExit(guard, mainMessages, 1, closeFirst));
    EXPECT_EQ(windows.size(), 1u);
}

} // namespace
} // namespace shiftex
