#include "summaries/worked_hours_summary.h"

#include <algorithm>

namespace shiftex {

namespace {

std::string FormatTotal(long long minutes)
{
    return FormatHourText(static_cast<int>(minutes / 60), static_cast<int>(minutes % 60));
}

} // namespace

void WorkedHoursSummary::Layout(ScheduleDocument& document, const CellResolver& /*resolver*/)
{
    const ScheduleSheet& sheet = document.sheet;
    const int header = std::min(sheet.fixedRows, sheet.rowCount());
    grid_.Reset(2, sheet.rowCount(), 1, header);
    minutes_.assign(static_cast<std::size_t>(sheet.rowCount()), 0);
    if (grid_.rowCount() == 0)
        return;
    SummaryCell& caption = grid_.Cell(0, 0);
    caption.text = scope.caption;
    caption.colour = kCaptionColour;
    caption.bold = true;
    grid_.Merge(0, 0, 2, 1);
    if (header >= 2) {
        for (int c = 0; c < 2; ++c) {
            SummaryCell& title = grid_.Cell(c, 1);
            title.text = c == 0 ? "\rEmployee" : "\rHours";
            title.colour = kHeaderColour;
            title.bold = true;
            title.alignment = HAlignment::Center;
            grid_.Merge(c, 1, 1, header - 1);
        }
    }
    for (int r = header; r < sheet.rowCount(); ++r) {
        SummaryCell& name = grid_.Cell(0, r);
        name.text = sheet.colCount() > 1 ? sheet.Text(1, r) : std::string();
        name.colour = kHeaderColour;
        grid_.Cell(1, r).alignment = HAlignment::Center;
        WriteTotal(r);
    }
    AlignToSheet(sheet);
}

void WorkedHoursSummary::AlignToSheet(const ScheduleSheet& sheet)
{
    if (grid_.rowCount() != sheet.rowCount())
        return;
    grid_.colWidths[0] =
        sheet.colCount() > 1 ? std::max(sheet.ColWidth(1), kDefaultColWidth) : kDefaultColWidth;
    grid_.rowHeights = sheet.RowHeights();
    if (grid_.rowCount() > 1)
        grid_.rowHeights[1] = std::max(1, grid_.rowHeights[1] - 1);
}

void WorkedHoursSummary::Recount(const ScheduleDocument& document, const CellResolver& resolver)
{
    const ScheduleSheet& sheet = document.sheet;
    const int header = grid_.fixedRows();
    for (int r = header; r < grid_.rowCount(); ++r) {
        minutes_[static_cast<std::size_t>(r)] = 0;
        WriteTotal(r);
    }
    const auto [first, last] = scope.Columns(2, DayColumnCount(document) + 1);
    firstDay_ = first;
    lastDay_ = last;
    if (grid_.rowCount() > 0)
        grid_.SetText(0, 0, scope.caption);
    if (first > last)
        return;
    const int n = resolver.columnsPerDay();
    const int firstColumn = FirstSubColumn(document, first);
    const int lastColumn = FirstSubColumn(document, last);
    for (int r = header; r < grid_.rowCount() && r < sheet.rowCount(); ++r) {
        long long total = 0;
        for (int c = firstColumn; c <= lastColumn; c += n)
            total += resolver.DayMinutes(sheet, r, c);
        minutes_[static_cast<std::size_t>(r)] = total;
        WriteTotal(r);
    }
}

void WorkedHoursSummary::Add(const ScheduleDocument& document, const CellResolver& resolver,
                             int col, int row, int sign)
{
    if (row < grid_.fixedRows() || row >= grid_.rowCount() || col < 2)
        return;
    const int day = DayColumnOfSheetColumn(document, col);
    if (day < firstDay_ || day > lastDay_)
        return;
    const int minutes = resolver.DayMinutes(document.sheet, row, FirstSubColumn(document, day));
    minutes_[static_cast<std::size_t>(row)] += sign * minutes;
    WriteTotal(row);
}

void WorkedHoursSummary::TakeOut(const ScheduleDocument& document, const CellResolver& resolver,
                                 int col, int row)
{
    Add(document, resolver, col, row, -1);
}

void WorkedHoursSummary::PutIn(const ScheduleDocument& document, const CellResolver& resolver,
                               int col, int row)
{
    Add(document, resolver, col, row, +1);
}

void WorkedHoursSummary::WriteTotal(int row)
{
    grid_.SetText(1, row, FormatTotal(minutes_[static_cast<std::size_t>(row)]));
}

} // namespace shiftex
