#include "editing/structural_edits.h"

#include "editing/context_menu.h"
#include "editing/departments_view.h"
#include "editing/guarded.h"
#include "files/holiday_store.h"
#include "summaries/cell_reading.h"

#include <algorithm>

namespace shiftex {

namespace {

int YearOfColumn(const ScheduleSheet& sheet, int col)
{
    return ParseInt(YearTextOf(sheet.Text(col, 0)));
}

} // namespace

void StructuralEdits::FollowShape()
{
    selections_.ClampToSheet();
    document_.departmentsView = document_.sheet.fixedRows >= 4;
    quickInsert_.FollowDepartmentView(document_);
}

// --- departments view ---

bool StructuralEdits::DepartmentViewShown() const { return InDepartmentView(document_); }

ShowDepartmentsResult StructuralEdits::ShowDepartments()
{
    ScheduleSheet& sheet = document_.sheet;
    // Splitting a split sheet would split every sub-column again.
    if (sheet.fixedRows >= 4)
        return ShowDepartmentsResult::AlreadyShown;
    if (document_.departments.empty())
        return messages_.Question(kDefineDepartmentsQuestion, QuestionButtons::YesCancel) ==
                       Answer::Yes
                   ? ShowDepartmentsResult::DefineDepartments
                   : ShowDepartmentsResult::Declined;
    document_.MarkModified();
    undo_.ResetUndo();
    const bool ok = Guarded(messages_, [&] {
        SplitDepartments(sheet, document_.departments, 2);
        LayoutScheduleHeader(document_);
        CentreDayCells(sheet, metrics_);
        FollowShape();
        if (summaries_.IsShown(SummaryKind::CustomQuery))
            document_.customQueryPanel.height += kQueryRowHeight;
        summaries_.FollowSheet();
    });
    return ok ? ShowDepartmentsResult::Shown : ShowDepartmentsResult::Failed;
}

bool StructuralEdits::HideDepartments()
{
    // Folding an unsplit sheet would fold neighbouring days into one.
    if (!DepartmentViewShown())
        return false;
    ScheduleSheet& sheet = document_.sheet;
    document_.MarkModified();
    undo_.ResetUndo();
    return Guarded(messages_, [&] {
        MergeDepartments(sheet, document_.departments);
        sheet.fixedRows = 3;
        sheet.DeleteRows(3, 1);
        LayoutScheduleHeader(document_);
        CentreDayCells(sheet, metrics_);
        selections_.SetCurrentCell(2, sheet.fixedRows);
        FollowShape();
        if (summaries_.IsShown(SummaryKind::CustomQuery) &&
            document_.customQueryPanel.height - kQueryRowHeight > kMinQueryPanelHeight)
            document_.customQueryPanel.height -= kQueryRowHeight;
        summaries_.FollowSheet();
    });
}

// --- removals ---

bool StructuralEdits::RemoveEmployee()
{
    ScheduleSheet& sheet = document_.sheet;
    const int row = edit_.rememberedRow;
    if (edit_.rememberedCol != 1 || row < sheet.fixedRows || row >= sheet.rowCount())
        return false;
    const std::string question = "Remove " + sheet.Text(1, row) + " from the schedule?";
    if (messages_.Question(question, QuestionButtons::YesCancel) != Answer::Yes)
        return false;
    sheet.DeleteRows(row, 1);
    undo_.ResetUndo();
    document_.MarkModified();
    FollowShape();
    return Guarded(messages_, [&] { summaries_.FollowSheet(); });
}

bool StructuralEdits::RemoveRun(int headerRow)
{
    ScheduleSheet& sheet = document_.sheet;
    const int col = edit_.rememberedCol;
    if (!(headerRow == 0 ? CanRemoveMonth(sheet, col) : CanRemoveWeek(sheet, col)))
        return false;
    undo_.ResetUndo();
    document_.MarkModified();
    const CellRect run = sheet.MergeRect(col, headerRow);
    // A week or month of a single day is not removed.
    if (run.left == run.right)
        return true;
    const int firstDay = DayColumnOfSheetColumn(document_, run.left);
    const int lastDay = DayColumnOfSheetColumn(document_, run.right);
    UnmergeAll(sheet);
    sheet.DeleteColumns(run.left, run.right - run.left + 1);
    // The schedule begins with another month now.
    document_.monthTitle = sheet.Text(2, 0);
    const bool ok = Guarded(messages_, [&] {
        LayoutScheduleHeader(document_);
        CentreDayCells(sheet, metrics_);
    });
    FollowShape();
    // A locked range survives a removed week when it lies behind it; a removed month releases
    // it unless the range reaches past the month on both sides.
    summaries_.DaysRemoved(firstDay, lastDay, headerRow == 0);
    return Guarded(messages_, [&] { summaries_.FollowSheet(); }) && ok;
}

bool StructuralEdits::KeepOnlyWeek()
{
    ScheduleSheet& sheet = document_.sheet;
    const int col = edit_.rememberedCol;
    if (col < 2 || !sheet.Contains(col, 1) || !CanKeepOnlyWeek(sheet))
        return false;
    if (messages_.Question(kKeepOnlyWeekQuestion, QuestionButtons::YesCancel) != Answer::Yes)
        return false;
    undo_.ResetUndo();
    document_.MarkModified();
    const CellRect week = sheet.MergeRect(col, 1);
    const int firstDay = DayColumnOfSheetColumn(document_, week.left);
    const int lastDay = DayColumnOfSheetColumn(document_, week.right);
    const int days = DayColumnCount(document_) + 1;
    UnmergeAll(sheet);
    sheet.DeleteColumns(week.right + 1, sheet.colCount() - 1 - week.right);
    sheet.DeleteColumns(2, week.left - 2);
    document_.monthTitle = sheet.Text(2, 0);
    const bool ok = Guarded(messages_, [&] {
        LayoutScheduleHeader(document_);
        CentreDayCells(sheet, metrics_);
    });
    FollowShape();
    // The summaries would still describe the removed days: they follow the sheet again.
    summaries_.DaysRemoved(lastDay + 1, days);
    summaries_.DaysRemoved(2, firstDay - 1);
    return Guarded(messages_, [&] { summaries_.FollowSheet(); }) && ok;
}

// --- extensions ---

bool StructuralEdits::PressExtendButton(int col, int row,
                                        const std::filesystem::path& programFolder)
{
    const ScheduleSheet& sheet = document_.sheet;
    if ((row != 0 && row != 1) || !sheet.Contains(col, row) || !sheet.HasButton(col, row))
        return false;
    return Extend(row == 0, programFolder);
}

bool StructuralEdits::Extend(bool byMonth, const std::filesystem::path& programFolder)
{
    ScheduleSheet& sheet = document_.sheet;
    const int old = sheet.colCount();
    if (old <= 2 || sheet.rowCount() < 3)
        return false;
    HolidayStore holidays(programFolder, messages_);
    return Guarded(messages_, [&] {
        // Everything that can fail to read is read before the sheet changes.
        const int last = old - 1;
        const int firstYear = YearOfColumn(sheet, 2);
        const int lastYear = YearOfColumn(sheet, last);
        const int runRow = byMonth ? 0 : 1;
        const CellRect run = sheet.MergeRect(last, runRow);
        const std::string title = sheet.Text(byMonth ? run.left : run.right, 0);
        const int month = ParseInt(MonthNumberOf(title));
        const int year = ParseInt(YearTextOf(title));
        const int lastDay = ParseInt(sheet.Text(last, 2));
        const int daysInMonth = DaysInMonth(month, year);
        const int nextMonth = month == 12 ? 1 : month + 1;
        const int nextYear = month == 12 ? year + 1 : year;

        struct NewDay {
            int day, month, year;
        };
        std::vector<NewDay> added;
        auto append = [&](int from, int to, int m, int y) {
            for (int d = from; d <= to; ++d)
                added.push_back({d, m, y});
        };
        if (byMonth) {
            if (lastDay >= daysInMonth)
                append(1, DaysInMonth(nextMonth, nextYear), nextMonth, nextYear);
            else
                append(lastDay + 1, daysInMonth, month, year);
        } else {
            const int left = daysInMonth - lastDay;
            if (left >= 7) {
                append(lastDay + 1, lastDay + 7, month, year);
            } else if (left > 0) {
                append(lastDay + 1, daysInMonth, month, year);
                append(1, 7 - left, nextMonth, nextYear);
            } else {
                // The week ends on the month's last day: the new days complete a week of the
                // run's days (counted per day, so the same in the department view).
                int days = (run.right - run.left + 1) / ColumnsPerDay(document_);
                if (days == 7)
                    days = 0;
                append(1, 7 - days, nextMonth, nextYear);
            }
        }

        document_.MarkModified();
        if (!document_.holidayLines.empty()) {
            const std::string& line = document_.holidayLines.front();
            const std::string region = line.size() >= 2 ? line.substr(1, line.size() - 2) : "";
            if (auto written = holidays.WriteBackHolidayLines(firstYear, lastYear, region,
                                                              document_.holidayLines);
                !written)
                messages_.Error(written.error().message);
        }
        const std::string region = document_.holidayLines.empty()
                                       ? std::string("Custom")
                                       : RegionOfLines(document_.holidayLines);

        sheet.SetColCount(old + static_cast<int>(added.size()));
        for (std::size_t i = 0; i < added.size(); ++i) {
            const int c = old + static_cast<int>(i);
            sheet.SetText(c, 0, MonthTitle(added[i].month, added[i].year));
            sheet.SetText(c, 2, std::to_string(added[i].day));
        }
        if (DepartmentViewShown())
            SplitDepartments(sheet, document_.departments, old);
        LayoutScheduleHeader(document_);

        if (auto lines = holidays.BuildHolidayLines(sheet, region))
            document_.holidayLines = std::move(*lines);
        else
            messages_.Error(lines.error().message);
        ColourDayColumns(document_, metrics_);
        FollowShape();
        summaries_.FollowSheet();
    });
}

// --- rows ---

bool StructuralEdits::MoveEmployeeRow(int from, int to)
{
    ScheduleSheet& sheet = document_.sheet;
    auto employee = [&](int row) { return row >= sheet.fixedRows && row < sheet.rowCount(); };
    if (!employee(from) || !employee(to) || from == to)
        return false;
    document_.MarkModified();
    sheet.MoveRow(from, to);
    // The figures of the employee move with the row.
    return Guarded(messages_, [&] { summaries_.FollowSheet(); });
}

} // namespace shiftex
