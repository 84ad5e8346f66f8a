#include "editing/departments_view.h"

#include "model/sheet_layout.h"

#include <algorithm>

namespace shiftex {

void UnmergeAll(ScheduleSheet& sheet)
{
    for (int r = 0; r < sheet.rowCount(); ++r)
        for (int c = 0; c < sheet.colCount(); ++c)
            if (SheetCell& cell = sheet.Cell(c, r); cell.props && cell.props->merged()) {
                cell.props->isBaseCell = true;
                cell.props->spanX = cell.props->spanY = -1;
            }
}

void RearrangeColumns(ScheduleSheet& sheet, const std::vector<int>& sources)
{
    ScheduleSheet result;
    result.Resize(static_cast<int>(sources.size()), sheet.rowCount());
    result.fixedCols = sheet.fixedCols;
    result.fixedRows = sheet.fixedRows;
    result.fontName = sheet.fontName;
    result.fontSize = sheet.fontSize;
    result.fontColour = sheet.fontColour;
    for (int r = 0; r < sheet.rowCount(); ++r)
        result.SetRowHeight(r, sheet.RowHeight(r));
    for (int c = 0; c < result.colCount(); ++c) {
        const int from = sources[static_cast<std::size_t>(c)];
        if (from < 0 || from >= sheet.colCount())
            continue;
        result.SetColWidth(c, sheet.ColWidth(from));
        for (int r = 0; r < sheet.rowCount(); ++r) {
            SheetCell& to = result.Cell(c, r);
            to = std::move(sheet.Cell(from, r));
            if (to.props) {
                to.props->ownerCol = c;
                to.props->ownerRow = r;
            }
        }
    }
    sheet = std::move(result);
}

void SplitDepartments(ScheduleSheet& sheet, const std::vector<Department>& departments,
                      int first)
{
    const int n = static_cast<int>(departments.size());
    // Without the three header rows there is no day number to split by.
    if (n == 0 || sheet.rowCount() < 3)
        return;
    UnmergeAll(sheet);
    if (sheet.fixedRows < 4) {
        sheet.InsertRows(3, 1);
        sheet.fixedRows = 4;
    }
    first = std::max(first, 2);
    const int oldCols = sheet.colCount();
    if (first >= oldCols)
        return;

    std::vector<int> sources;
    sources.reserve(static_cast<std::size_t>(first + (oldCols - first) * n));
    for (int c = 0; c < first; ++c)
        sources.push_back(c);
    for (int c = first; c < oldCols; ++c) {
        sources.push_back(c);
        sources.insert(sources.end(), static_cast<std::size_t>(n - 1), -1);
    }
    if (n > 1)
        RearrangeColumns(sheet, sources);

    for (int k = first; k < sheet.colCount(); k += n) {
        const std::string day = sheet.Text(k, 2);
        for (int i = 0; i < n && k + i < sheet.colCount(); ++i) {
            const int sub = k + i;
            sheet.SetText(sub, 3, departments[static_cast<std::size_t>(i)].name);
            if (i == 0)
                continue;
            sheet.SetText(sub, 2, day);
            for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
                if (const Colour colour = sheet.BrushColor(k, r); colour != clNone)
                    sheet.SetBrushColor(sub, r, colour);
        }
        sheet.Merge(k, 2, n, 1);
    }
    for (int k = 2; k < first; k += n)
        sheet.Merge(k, 2, n, 1);

    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
        for (int c = first; c < sheet.colCount(); c += n) {
            const std::vector<std::string> lines = SplitCellLines(sheet.Text(c, r));
            sheet.Cell(c, r).text.clear();
            const int end = std::min(c + n, sheet.colCount());
            for (const std::string& line : lines) {
                const std::size_t separator = line.find(": ");
                if (separator == std::string::npos) {
                    sheet.SetText(c, r, line);
                    continue;
                }
                const std::string name = line.substr(0, separator);
                const std::string code = line.substr(separator + 2);
                for (int sub = c; sub < end; ++sub)
                    if (Trim(sheet.Text(sub, 3)) == name)
                        sheet.SetText(sub, r, code);
            }
        }
}

void MergeDepartments(ScheduleSheet& sheet, const std::vector<Department>& departments)
{
    const int n = static_cast<int>(departments.size());
    if (n == 0)
        return;
    UnmergeAll(sheet);
    const int cols = sheet.colCount();
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
        for (int c = 2; c < cols; c += n) {
            std::string text;
            for (int i = 0; i < n && c + i < cols; ++i) {
                const std::string& code = sheet.Text(c + i, r);
                if (code.empty())
                    continue;
                if (i > 0)
                    text += '\r';
                text += departments[static_cast<std::size_t>(i)].name;
                text += ": ";
                text += code;
            }
            text += '\r';
            sheet.SetText(c, r, std::move(text));
        }
    if (n == 1)
        return;
    std::vector<int> sources{0, 1};
    for (int c = 2; c < cols; c += n)
        sources.push_back(c);
    if (cols < 2)
        sources.resize(static_cast<std::size_t>(std::max(cols, 0)));
    RearrangeColumns(sheet, sources);
}

namespace {

// The sheet's columns with each day's sub-columns as `keep` gives them: for every day its
// `perDay` old sub-columns in, -1 where a new empty column goes. Columns after the last whole
// day stay as they are.
template <typename Keep>
void RearrangeDays(ScheduleSheet& sheet, int perDay, Keep&& keep)
{
    UnmergeAll(sheet);
    const int days = (sheet.colCount() - 2) / perDay;
    std::vector<int> sources{0, 1};
    for (int d = 0; d < days; ++d)
        keep(sources, 2 + d * perDay);
    for (int c = 2 + days * perDay; c < sheet.colCount(); ++c)
        sources.push_back(c);
    RearrangeColumns(sheet, sources);
}

} // namespace

void AppendDepartmentColumns(ScheduleSheet& sheet, int perDay, const std::string& name)
{
    if (perDay < 1 || sheet.fixedRows < 4)
        return;
    RearrangeDays(sheet, perDay, [&](std::vector<int>& sources, int first) {
        for (int i = 0; i < perDay; ++i)
            sources.push_back(first + i);
        sources.push_back(-1);
    });
    const int days = (sheet.colCount() - 2) / (perDay + 1);
    for (int d = 0; d < days; ++d) {
        const int c = 2 + d * (perDay + 1) + perDay;
        for (int r = 0; r < sheet.rowCount(); ++r) {
            if (r < 3)
                sheet.SetText(c, r, sheet.Text(c - 1, r));
            sheet.SetBrushColor(c, r, sheet.BrushColor(c - 1, r));
        }
        sheet.SetText(c, 3, name);
        sheet.SetColWidth(c, sheet.ColWidth(c - 1));
    }
}

void RemoveDepartmentColumns(ScheduleSheet& sheet, int perDay, int index)
{
    if (perDay < 2 || index < 0 || index >= perDay || sheet.fixedRows < 4)
        return;
    RearrangeDays(sheet, perDay, [&](std::vector<int>& sources, int first) {
        for (int i = 0; i < perDay; ++i)
            if (i != index)
                sources.push_back(first + i);
    });
}

void LayoutScheduleHeader(ScheduleDocument& document)
{
    ScheduleSheet& sheet = document.sheet;
    LayoutMonthRow(sheet, document.monthTitle);
    LayoutWeekRow(sheet);
    if (sheet.fixedRows >= 4) {
        MergeDayNumbers(sheet);
        for (int c = 0; c < sheet.colCount(); ++c)
            sheet.SetBrushColor(c, 3, kHeaderColour);
    }
    LayoutNameColumns(sheet, kEmployeeDaysCaption);
    PlaceExtendButtons(sheet);
}

} // namespace shiftex
