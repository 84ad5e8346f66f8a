#include "model/sheet_layout.h"

#include "model/holiday_lines.h"

#include <algorithm>
#include <cstdio>

namespace shiftex {

int EstimatedTextMetrics::TextWidth(const std::string& line, bool bold) const
{
    // UTF-8 continuation bytes take no room of their own.
    const auto glyphs = std::count_if(line.begin(), line.end(),
                                      [](char ch) { return (ch & 0xC0) != 0x80; });
    return static_cast<int>(glyphs) * (bold ? 8 : 7);
}

const TextMetrics& DefaultTextMetrics()
{
    static const EstimatedTextMetrics metrics;
    return metrics;
}

namespace {

void StyleTitleCell(ScheduleSheet& sheet, int col, int row)
{
    CellProperties& p = sheet.Props(col, row);
    p.brushColor = kNeutralGroupColour;
    p.alignment = HAlignment::Center;
    p.fontStyle |= fontstyle::Bold;
    p.fontColor = clBlack;
}

std::string WeekCaption(int week)
{
    return "Week " + std::to_string(week);
}

} // namespace

void LayoutMonthRow(ScheduleSheet& sheet, const std::string& title)
{
    if (sheet.fixedRows < 3) {
        sheet.InsertRows(0, 2);
        sheet.fixedRows = 3;
        for (int c = sheet.fixedCols; c < sheet.colCount(); ++c)
            sheet.SetText(c, 0, title);
    } else {
        for (int c = std::max(sheet.fixedCols, 1); c < sheet.colCount(); ++c)
            if (sheet.Text(c, 0).empty())
                sheet.SetText(c, 0, sheet.Text(c - 1, 0));
    }
    for (int c = sheet.fixedCols; c < sheet.colCount(); ++c)
        StyleTitleCell(sheet, c, 0);

    for (int c = 1; c < sheet.colCount();) {
        int end = c;
        while (end + 1 < sheet.colCount() && sheet.Text(end + 1, 0) == sheet.Text(c, 0))
            ++end;
        sheet.Merge(c, 0, end - c + 1, 1);
        c = end + 1;
    }

    sheet.SetBold(0, 0, true);
    sheet.SetFontColor(0, 0, clBlack);
    sheet.Merge(0, 0, 1, 2);
    sheet.SetBrushColor(0, 0, kHeaderColour);
    for (int r = 1; r < sheet.fixedRows; ++r)
        for (int c = 0; c < sheet.colCount(); ++c)
            sheet.SetBrushColor(c, r, kHeaderColour);
}

void LayoutWeekRow(ScheduleSheet& sheet)
{
    const int first = sheet.fixedCols;
    if (first >= sheet.colCount())
        return;
    const std::string& firstTitle = sheet.Text(first, 0);
    std::string monthTitle = firstTitle;
    int runStart = first;
    int runWeek = IsoWeekNumber(DateFromTitle(firstTitle, "1"));

    auto closeRun = [&](int endExclusive) {
        if (endExclusive > runStart)
            sheet.Merge(runStart, 1, endExclusive - runStart, 1);
        sheet.SetText(runStart, 1, WeekCaption(runWeek));
        sheet.SetAlignment(runStart, 1, HAlignment::Center);
        sheet.SetBold(runStart, 1, true);
    };

    for (int c = first; c < sheet.colCount(); ++c) {
        if (!sheet.Text(c, 0).empty())
            monthTitle = sheet.Text(c, 0);
        const int week = IsoWeekNumber(DateFromTitle(monthTitle, sheet.Text(c, 2)));
        if (week == runWeek) {
            sheet.SetText(c, 1, WeekCaption(week));
            continue;
        }
        closeRun(c);
        runStart = c;
        runWeek = week;
    }
    closeRun(sheet.colCount());
}

void LayoutNameColumns(ScheduleSheet& sheet, const std::string& caption)
{
    if (sheet.fixedCols != 2)
        sheet.InsertColumns(0, 1);
    sheet.fixedCols = 2;
    sheet.SetColWidth(0, kGroupColumnWidth);
    sheet.Merge(0, 0, 2, 2);
    sheet.SetText(1, 2, caption);
    sheet.SetBold(1, 2, true);
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r) {
        const Colour colour = sheet.BrushColor(0, r);
        if (colour == kHeaderColour || colour == clNone)
            sheet.SetBrushColor(0, r, kNeutralGroupColour);
    }
    for (auto [c, r] : {std::pair{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}})
        if (sheet.Contains(c, r))
            sheet.SetBrushColor(c, r, kHeaderColour);
}

void PlaceExtendButtons(ScheduleSheet& sheet)
{
    const int last = sheet.colCount() - 1;
    if (last < sheet.fixedCols)
        return;
    for (int c = sheet.fixedCols; c <= last; ++c)
        for (int r = 0; r < 2; ++r)
            if (sheet.HasButton(c, r))
                sheet.RemoveGraphic(c, r);
    for (int r = 0; r < 2; ++r) {
        const int base = sheet.MergeRect(last, r).left;
        CellGraphic button;
        button.kind = GraphicKind::Button;
        button.hAlign = GraphicHAlign::Right;
        button.vAlign = GraphicVAlign::Center;
        button.index = kExtendButtonSize | (kExtendButtonSize << 16);
        button.created = true;
        button.text = kExtendButtonCaption;
        sheet.SetGraphic(base, r, std::move(button));
    }
}

namespace {

bool HolidayMatchesColumn(const HolidayEntry& holiday, const ScheduleSheet& sheet, int col)
{
    int holidayDay = 0, columnDay = 0;
    if (!TryParseInt(holiday.day, holidayDay) || !TryParseInt(sheet.Text(col, 2), columnDay))
        return false;
    const std::string& title = sheet.Text(col, 0);
    return holidayDay == columnDay && MonthNumberOf(title) == holiday.month &&
           YearTextOf(title) == holiday.year;
}

} // namespace

void ColourDayColumns(ScheduleDocument& document, const TextMetrics& metrics)
{
    ScheduleSheet& sheet = document.sheet;
    for (int r = 1; r < sheet.fixedRows; ++r)
        for (int c = 1; c < sheet.colCount(); ++c)
            sheet.SetBrushColor(c, r, kHeaderColour);
    LayoutNameColumns(sheet, kEmployeeDaysCaption);

    const Colour weekend = StringToColor(document.weekendColour);
    const Colour holiday = StringToColor(document.holidayColour);
    const std::vector<HolidayEntry> holidays = HolidaysOfLines(document.holidayLines);
    for (int c = sheet.fixedCols; c < sheet.colCount(); ++c) {
        const Date date = document.DayOfColumn(c);
        const bool isWeekend = IsWeekend(date.day, date.month, date.year);
        const bool isHoliday = std::any_of(holidays.begin(), holidays.end(), [&](const auto& h) {
            return HolidayMatchesColumn(h, sheet, c);
        });
        if (!isWeekend && !isHoliday)
            continue;
        for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
            sheet.SetBrushColor(c, r, isHoliday ? holiday : weekend);
    }
    CentreDayCells(sheet, metrics);
}

std::string HolidayNameOfColumn(const ScheduleDocument& document, int col)
{
    const ScheduleSheet& sheet = document.sheet;
    int columnDay = 0;
    if (!sheet.Contains(col, 2) || !TryParseInt(sheet.Text(col, 2), columnDay))
        return {};
    const std::string& title = sheet.Text(col, 0);
    const std::string month = MonthNumberOf(title);
    const std::string year = YearTextOf(title);
    const std::size_t markerLength = std::string_view(kYearMarker).size();
    // The lines are walked as they stand: the last holiday of the day names it, and a line
    // whose day is no number ends the walk with the name found so far.
    std::string name;
    std::string lineYear;
    std::string lineMonth;
    const std::vector<std::string>& lines = document.holidayLines;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.starts_with(kYearMarker)) {
            lineYear = line.substr(markerLength, 4);
        } else if (line.starts_with('[')) {
            lineMonth = line.substr(1, 2);
        } else {
            int day = 0;
            if (!TryParseInt(line.substr(0, 2), day))
                break;
            if (day == columnDay && lineMonth == month && lineYear == year)
                name = line.size() > 3 ? line.substr(3) : std::string();
        }
    }
    return name;
}

void CentreDayCells(ScheduleSheet& sheet, const TextMetrics& metrics)
{
    constexpr int margin = 2;
    const int lineHeight = metrics.LineHeight();
    std::vector<int> lines(sheet.rowCount(), 1);
    for (int c = sheet.fixedCols; c < sheet.colCount(); ++c) {
        int width = 0;
        for (int r = 0; r < sheet.rowCount(); ++r) {
            sheet.SetAlignment(c, r, HAlignment::Center);
            const std::string& text = sheet.Text(c, r);
            if (text.empty())
                continue;
            const std::vector<std::string> cellLines = SplitCellLines(text);
            lines[r] = std::max(lines[r], static_cast<int>(cellLines.size()));
            // A merged title spreads over its columns; it does not widen the first one.
            const CellRect rect = sheet.MergeRect(c, r);
            if (rect.left != rect.right)
                continue;
            const bool bold = sheet.IsBold(c, r);
            for (const std::string& line : cellLines)
                width = std::max(width, metrics.TextWidth(line, bold));
        }
        sheet.SetColWidth(c, std::max(width + 2 * margin, lineHeight + 2 * margin));
    }
    // A merged title wider than its columns (a week of one or two days) widens them evenly.
    for (int r = 0; r < sheet.fixedRows; ++r)
        for (int c = sheet.fixedCols; c < sheet.colCount(); ++c) {
            const CellRect rect = sheet.MergeRect(c, r);
            if (rect.left != c || rect.right == c || sheet.Text(c, r).empty())
                continue;
            int width = 0;
            for (const std::string& line : SplitCellLines(sheet.Text(c, r)))
                width = std::max(width, metrics.TextWidth(line, sheet.IsBold(c, r)));
            int available = 0;
            for (int x = rect.left; x <= rect.right; ++x)
                available += sheet.ColWidth(x);
            const int missing = width + 2 * margin - available;
            const int columns = rect.right - rect.left + 1;
            for (int x = rect.left; missing > 0 && x <= rect.right; ++x)
                sheet.SetColWidth(x, sheet.ColWidth(x) + (missing + columns - 1) / columns);
        }
    // The names are no day cells, but a name column that cuts names off helps nobody.
    if (sheet.fixedCols >= 2) {
        int width = 0;
        for (int r = 2; r < sheet.rowCount(); ++r)
            width = std::max(width, metrics.TextWidth(sheet.Text(1, r), sheet.IsBold(1, r)));
        sheet.SetColWidth(1, width + 4 * margin);
    }
    for (int r = 0; r < sheet.rowCount(); ++r)
        sheet.SetRowHeight(r, lines[r] * lineHeight + 2 * margin);
}

void MergeDayNumbers(ScheduleSheet& sheet)
{
    if (sheet.fixedRows < 4)
        return;
    for (int c = sheet.fixedCols; c < sheet.colCount();) {
        int end = c;
        while (end + 1 < sheet.colCount() && sheet.Text(end + 1, 2) == sheet.Text(c, 2))
            ++end;
        sheet.Merge(c, 2, end - c + 1, 1);
        c = end + 1;
    }
}

std::vector<std::string> GroupColourOffers(const ScheduleSheet& sheet)
{
    std::vector<Colour> seen;
    std::vector<std::string> offers;
    for (int r = sheet.fixedRows; r < sheet.rowCount() && offers.size() < 17; ++r) {
        const Colour colour = sheet.BrushColor(0, r);
        if (std::find(seen.begin(), seen.end(), colour) != seen.end())
            continue;
        seen.push_back(colour);
        char line[32];
        std::snprintf(line, sizeof line, "Color%c=%06X", static_cast<char>('A' + offers.size()),
                      static_cast<unsigned>(colour));
        offers.emplace_back(line);
    }
    return offers;
}

bool PickGroupColour(const ScheduleSheet& sheet, ScheduleSheet& target, int row,
                     const ColourPicker& picker)
{
    const std::optional<Colour> chosen = picker(GroupColourOffers(sheet));
    if (!chosen || !target.Contains(0, row))
        return false;
    target.SetBrushColor(0, row, *chosen);
    return true;
}

} // namespace shiftex
