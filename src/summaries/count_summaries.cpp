#include "summaries/count_summaries.h"

#include <algorithm>

namespace shiftex {

namespace {

// Merges the cells of `row` over runs of equal sheet day numbers, the way the department view
// shows one day number over its sub-columns. Grid column g shows sheet column g + shift.
void MergeDayRuns(SummaryGrid& grid, const ScheduleSheet& sheet, int row, int shift)
{
    for (int g = grid.fixedCols(); g < grid.colCount();) {
        int end = g;
        while (end + 1 < grid.colCount() &&
               sheet.Text(end + 1 + shift, 2) == sheet.Text(g + shift, 2))
            ++end;
        grid.Merge(g, row, end - g + 1, 1);
        g = end + 1;
    }
}

int CombinedNameWidth(const ScheduleSheet& sheet)
{
    if (sheet.colCount() < 2)
        return kDefaultColWidth;
    return std::max(1, sheet.ColWidth(0) + sheet.ColWidth(1) - 1);
}

} // namespace

// --- types per day ---

int TypesPerDaySummary::CountAt(int type, int col) const
{
    const int days = grid_.colCount() - 1;
    if (type < 1 || type > types_ || col < 2 || col - 2 >= days)
        return 0;
    return counts_[static_cast<std::size_t>((type - 1) * days + col - 2)];
}

void TypesPerDaySummary::Layout(ScheduleDocument& document, const CellResolver& resolver)
{
    const ScheduleSheet& sheet = document.sheet;
    const bool departments = resolver.departmentView();
    const int header = departments ? 2 : 1;
    types_ = document.workingTypes.Count() - 1;
    const int cols = std::max(1, sheet.colCount() - 1);
    grid_.Reset(cols, header + types_, 1, header);
    counts_.assign(static_cast<std::size_t>(types_) * static_cast<std::size_t>(cols - 1), 0);
    thresholds_.assign(static_cast<std::size_t>(types_), std::nullopt);

    SummaryCell& corner = grid_.Cell(0, 0);
    corner.text = "Types / Days";
    corner.bold = true;
    for (int g = 0; g < cols; ++g)
        for (int r = 0; r < header; ++r)
            grid_.SetColour(g, r, kHeaderColour);
    for (int g = 1; g < cols; ++g) {
        SummaryCell& day = grid_.Cell(g, 0);
        day.text = sheet.Contains(g + 1, 2) ? sheet.Text(g + 1, 2) : std::string();
        day.bold = true;
        day.alignment = HAlignment::Center;
        if (departments && sheet.Contains(g + 1, 3)) {
            grid_.SetText(g, 1, sheet.Text(g + 1, 3));
            grid_.Cell(g, 1).alignment = HAlignment::Center;
        }
    }
    if (departments)
        MergeDayRuns(grid_, sheet, 0, 1);
    for (int t = 1; t <= types_; ++t) {
        const int r = header + t - 1;
        grid_.SetText(0, r, document.workingTypes.At(t).code());
        grid_.SetColour(0, r, kHeaderColour);
        for (int g = 1; g < cols; ++g) {
            SummaryCell& cell = grid_.Cell(g, r);
            cell.text = "0";
            cell.alignment = HAlignment::Center;
        }
    }
    AlignToSheet(sheet);
}

void TypesPerDaySummary::AlignToSheet(const ScheduleSheet& sheet)
{
    if (grid_.colCount() != std::max(1, sheet.colCount() - 1))
        return;
    grid_.colWidths[0] = CombinedNameWidth(sheet);
    for (int g = 1; g < grid_.colCount(); ++g)
        grid_.colWidths[static_cast<std::size_t>(g)] = sheet.ColWidth(g + 1);
}

void TypesPerDaySummary::Recount(const ScheduleDocument& document, const CellResolver& resolver)
{
    std::fill(counts_.begin(), counts_.end(), 0);
    const ScheduleSheet& sheet = document.sheet;
    const int days = grid_.colCount() - 1;
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
        for (int c = 2; c < sheet.colCount() && c - 2 < days; ++c)
            ForEachCellLine(sheet.Text(c, r), [&](std::string_view line) {
                const int type = resolver.ResolveLine(line);
                if (type >= 1 && type <= types_)
                    ++counts_[static_cast<std::size_t>((type - 1) * days + c - 2)];
            });
    const int header = grid_.fixedRows();
    for (int t = 1; t <= types_; ++t)
        for (int g = 1; g <= days; ++g)
            grid_.SetText(g, header + t - 1, std::to_string(CountAt(t, g + 1)));
}

const ParsedThreshold* TypesPerDaySummary::ThresholdOfRow(const ScheduleDocument& document,
                                                          int gridRow)
{
    const int index = gridRow - grid_.fixedRows();
    if (index < 0 || index >= types_)
        return nullptr;
    std::optional<ParsedThreshold>& cached = thresholds_[static_cast<std::size_t>(index)];
    if (!cached) {
        const int type = document.workingTypes.IndexOfCode(grid_.Text(0, gridRow));
        if (type <= 0)
            return nullptr;
        cached = ParsedThreshold::Of(DayThreshold(document.workingTypes.At(type)));
    }
    return &*cached;
}

void TypesPerDaySummary::ColourCounts(const ScheduleDocument& document)
{
    for (int r = grid_.fixedRows(); r < grid_.rowCount(); ++r) {
        const ParsedThreshold* threshold = ThresholdOfRow(document, r);
        if (!threshold)
            continue;
        for (int g = 1; g < grid_.colCount(); ++g)
            grid_.SetColour(g, r, threshold->ColourOf(ParseInt(grid_.Text(g, r))));
    }
}

void TypesPerDaySummary::ColourCell(const ScheduleDocument& document, int summaryCol, int gridRow)
{
    if (const ParsedThreshold* threshold = ThresholdOfRow(document, gridRow))
        grid_.SetColour(summaryCol, gridRow,
                        threshold->ColourOf(ParseInt(grid_.Text(summaryCol, gridRow))));
}

void TypesPerDaySummary::Add(const ScheduleDocument& document, const CellResolver& resolver,
                             int col, int row, int sign)
{
    const ScheduleSheet& sheet = document.sheet;
    const int days = grid_.colCount() - 1;
    if (!sheet.Contains(col, row) || row < sheet.fixedRows || col < 2 || col - 2 >= days)
        return;
    std::vector<int> changed;
    ForEachCellLine(sheet.Text(col, row), [&](std::string_view line) {
        const int type = resolver.ResolveLine(line);
        if (type < 1 || type > types_)
            return;
        int& count = counts_[static_cast<std::size_t>((type - 1) * days + col - 2)];
        count += sign;
        changed.push_back(type);
    });
    // Counts first, colours after: a bad threshold leaves the figures right.
    for (const int type : changed)
        grid_.SetText(col - 1, grid_.fixedRows() + type - 1, std::to_string(CountAt(type, col)));
    for (const int type : changed)
        ColourCell(document, col - 1, grid_.fixedRows() + type - 1);
}

void TypesPerDaySummary::TakeOut(const ScheduleDocument& document, const CellResolver& resolver,
                                 int col, int row)
{
    Add(document, resolver, col, row, -1);
}

void TypesPerDaySummary::PutIn(const ScheduleDocument& document, const CellResolver& resolver,
                               int col, int row)
{
    Add(document, resolver, col, row, +1);
}

// --- employees per type ---

int EmployeesPerTypeSummary::CountAt(int type, int row) const
{
    const int employee = row - sheetHeader_;
    if (type < 1 || type > types_ || employee < 0 || employee >= grid_.rowCount() - 2)
        return 0;
    return counts_[static_cast<std::size_t>(employee * types_ + type - 1)];
}

void EmployeesPerTypeSummary::Layout(ScheduleDocument& document,
                                     const CellResolver& /*resolver*/)
{
    const ScheduleSheet& sheet = document.sheet;
    sheetHeader_ = sheet.fixedRows;
    types_ = document.workingTypes.Count() - 1;
    const int employees = std::max(0, sheet.rowCount() - sheetHeader_);
    grid_.Reset(types_ + 1, employees + 2, 1, 2);
    counts_.assign(static_cast<std::size_t>(employees) * static_cast<std::size_t>(types_), 0);
    thresholds_.assign(static_cast<std::size_t>(types_), std::nullopt);

    SummaryCell& corner = grid_.Cell(0, 0);
    corner.text = cornerTitle;
    corner.bold = true;
    corner.colour = kHeaderColour;
    grid_.Merge(0, 0, 1, 2);
    if (types_ > 0) {
        SummaryCell& caption = grid_.Cell(1, 0);
        caption.text = scope.caption;
        caption.colour = kCaptionColour;
        caption.bold = true;
        caption.alignment = HAlignment::Center;
        grid_.Merge(1, 0, types_, 1);
    }
    for (int t = 1; t <= types_; ++t) {
        SummaryCell& code = grid_.Cell(t, 1);
        code.text = document.workingTypes.At(t).code();
        code.colour = kHeaderColour;
        code.bold = true;
        code.alignment = HAlignment::Center;
    }
    for (int e = 0; e < employees; ++e) {
        SummaryCell& name = grid_.Cell(0, e + 2);
        name.text = sheet.colCount() > 1 ? sheet.Text(1, e + sheetHeader_) : std::string();
        name.colour = kHeaderColour;
        for (int t = 1; t <= types_; ++t) {
            SummaryCell& cell = grid_.Cell(t, e + 2);
            cell.text = "0";
            cell.alignment = HAlignment::Center;
        }
    }
    AlignToSheet(sheet);
}

void EmployeesPerTypeSummary::AlignToSheet(const ScheduleSheet& sheet)
{
    if (grid_.colCount() > 0)
        grid_.colWidths[0] = CombinedNameWidth(sheet);
}

void EmployeesPerTypeSummary::Recount(const ScheduleDocument& document,
                                      const CellResolver& resolver)
{
    std::fill(counts_.begin(), counts_.end(), 0);
    if (types_ > 0)
        grid_.SetText(1, 0, scope.caption);
    const ScheduleSheet& sheet = document.sheet;
    const auto [first, last] = scope.Columns(2, DayColumnCount(document) + 1);
    firstColumn_ = first <= last ? FirstSubColumn(document, first) : 0;
    lastColumn_ = first <= last ? LastSubColumn(document, last) : -1;
    const int employees = grid_.rowCount() - 2;
    for (int e = 0; e < employees && e + sheetHeader_ < sheet.rowCount(); ++e) {
        int* row = counts_.data() + static_cast<std::size_t>(e * types_);
        for (int c = firstColumn_; c <= lastColumn_; ++c)
            ForEachCellLine(sheet.Text(c, e + sheetHeader_), [&](std::string_view line) {
                const int type = resolver.ResolveLine(line);
                if (type >= 1 && type <= types_)
                    ++row[type - 1];
            });
        for (int t = 1; t <= types_; ++t)
            grid_.SetText(t, e + 2, std::to_string(row[t - 1]));
    }
}

const ParsedThreshold* EmployeesPerTypeSummary::ThresholdOfColumn(
    const ScheduleDocument& document, int gridCol)
{
    if (gridCol < 1 || gridCol > types_)
        return nullptr;
    std::optional<ParsedThreshold>& cached = thresholds_[static_cast<std::size_t>(gridCol - 1)];
    if (!cached) {
        const int type = document.workingTypes.IndexOfCode(grid_.Text(gridCol, 1));
        if (type <= 0)
            return nullptr;
        cached = ParsedThreshold::Of(EmployeeThreshold(document.workingTypes.At(type)));
    }
    return &*cached;
}

void EmployeesPerTypeSummary::ColourCounts(const ScheduleDocument& document)
{
    for (int g = 1; g < grid_.colCount(); ++g) {
        const ParsedThreshold* threshold = ThresholdOfColumn(document, g);
        if (!threshold)
            continue;
        for (int r = 2; r < grid_.rowCount(); ++r)
            grid_.SetColour(g, r, threshold->ColourOf(ParseInt(grid_.Text(g, r))));
    }
}

void EmployeesPerTypeSummary::ColourCell(const ScheduleDocument& document, int gridCol,
                                         int gridRow)
{
    if (const ParsedThreshold* threshold = ThresholdOfColumn(document, gridCol))
        grid_.SetColour(gridCol, gridRow,
                        threshold->ColourOf(ParseInt(grid_.Text(gridCol, gridRow))));
}

void EmployeesPerTypeSummary::Add(const ScheduleDocument& document, const CellResolver& resolver,
                                  int col, int row, int sign)
{
    const ScheduleSheet& sheet = document.sheet;
    const int employee = row - sheetHeader_;
    if (!sheet.Contains(col, row) || employee < 0 || employee >= grid_.rowCount() - 2 ||
        col < firstColumn_ || col > lastColumn_)
        return;
    std::vector<int> changed;
    ForEachCellLine(sheet.Text(col, row), [&](std::string_view line) {
        const int type = resolver.ResolveLine(line);
        if (type < 1 || type > types_)
            return;
        counts_[static_cast<std::size_t>(employee * types_ + type - 1)] += sign;
        changed.push_back(type);
    });
    for (const int type : changed)
        grid_.SetText(type, employee + 2, std::to_string(CountAt(type, row)));
    for (const int type : changed)
        ColourCell(document, type, employee + 2);
}

void EmployeesPerTypeSummary::TakeOut(const ScheduleDocument& document,
                                      const CellResolver& resolver, int col, int row)
{
    Add(document, resolver, col, row, -1);
}

void EmployeesPerTypeSummary::PutIn(const ScheduleDocument& document,
                                    const CellResolver& resolver, int col, int row)
{
    Add(document, resolver, col, row, +1);
}

} // namespace shiftex
