#include "reports/print_copy.h"

#include "model/sheet_layout.h"
#include "summaries/cell_reading.h"

#include <algorithm>

namespace shiftex {

PageLayout PageLayoutOf(PrintSource source)
{
    PageLayout layout;
    switch (source) {
    case PrintSource::Sheet:
    case PrintSource::Icons:
    case PrintSource::Queries:
    case PrintSource::Types:
        layout.title = kProductName;
        break;
    case PrintSource::Hours:
        layout.title = kWorkedHoursPrintTitle;
        layout.titleAt = PageCorner::BottomRight;
        layout.shrinkToFit = false;
        layout.repeatHeaders = true;
        break;
    case PrintSource::Employees:
        layout.title = kEmployeesPrintTitle;
        layout.repeatHeaders = true;
        break;
    }
    return layout;
}

std::string PrintFontName(const ScheduleDocument& document)
{
    return document.sheet.fontName.empty() ? document.fontName : document.sheet.fontName;
}

Colour PrintFontColour(const ScheduleDocument& document)
{
    Colour colour = clNone;
    if (TryStringToColor(document.fontColour, colour) && colour != clNone &&
        colour != clDefault)
        return colour;
    return document.sheet.fontColour;
}

namespace {

void UnmergeAll(ScheduleSheet& grid)
{
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c)
            if (CellProperties* p = grid.Cell(c, r).props.get()) {
                p->isBaseCell = true;
                p->spanX = p->spanY = -1;
            }
}

// A summary grid as cells with attributes, merges included.
ScheduleSheet GridOfSummary(const SummaryGrid& source, const ScheduleSheet& fontOf)
{
    ScheduleSheet grid;
    grid.Resize(source.colCount(), source.rowCount());
    grid.fixedCols = source.fixedCols();
    grid.fixedRows = source.fixedRows();
    grid.fontName = fontOf.fontName;
    grid.fontSize = fontOf.fontSize;
    grid.fontColour = fontOf.fontColour;
    for (int c = 0; c < source.colCount(); ++c)
        if (static_cast<std::size_t>(c) < source.colWidths.size())
            grid.SetColWidth(c, source.colWidths[static_cast<std::size_t>(c)]);
    for (int r = 0; r < source.rowCount(); ++r)
        if (static_cast<std::size_t>(r) < source.rowHeights.size())
            grid.SetRowHeight(r, source.rowHeights[static_cast<std::size_t>(r)]);
    for (int r = 0; r < source.rowCount(); ++r)
        for (int c = 0; c < source.colCount(); ++c) {
            const SummaryCell& cell = source.Cell(c, r);
            grid.SetText(c, r, cell.text);
            CellProperties& p = grid.Props(c, r);
            p.brushColor = cell.colour;
            p.alignment = cell.alignment;
            if (cell.bold)
                p.fontStyle |= fontstyle::Bold;
        }
    for (const CellRect& m : source.Merges())
        grid.Merge(m.left, m.top, m.right - m.left + 1, m.bottom - m.top + 1);
    return grid;
}

void PaintHeader(ScheduleSheet& grid, int col, int row)
{
    if (grid.Contains(col, row))
        grid.SetBrushColor(col, row, kHeaderColour);
}

void PaintHeaderRows(ScheduleSheet& grid)
{
    for (int r = 0; r < grid.fixedRows; ++r)
        for (int c = 0; c < grid.colCount(); ++c)
            PaintHeader(grid, c, r);
}

void PaintColumn(ScheduleSheet& grid, int col)
{
    for (int r = 0; r < grid.rowCount(); ++r)
        PaintHeader(grid, col, r);
}

void RemoveButtons(ScheduleSheet& grid)
{
    for (int r = 0; r < std::min(grid.fixedRows, grid.rowCount()); ++r)
        for (int c = 0; c < grid.colCount(); ++c)
            if (grid.HasButton(c, r))
                grid.RemoveGraphic(c, r);
}

void UseDocumentFont(ScheduleSheet& grid, const ScheduleDocument& document)
{
    grid.fontName = PrintFontName(document);
    grid.fontColour = PrintFontColour(document);
}

PrintCopy StartCopy(PrintSource source, ScheduleSheet grid, const ScheduleDocument& document)
{
    PrintCopy copy{source, std::move(grid), PageLayoutOf(source)};
    UseDocumentFont(copy.grid, document);
    return copy;
}

bool ShouldTrim(const std::optional<CellRect>& selection)
{
    return selection && TrimsCopy(*selection);
}

// Steps 1, 2 and 4 of the sheet copy (3, the merged day numbers, is the caller's).
Result<PrintCopy> LaidOutSheetCopy(const ScheduleDocument& document,
                                   const std::optional<CellRect>& selection, SheetCopyUse use,
                                   PrintSource source)
{
    const ScheduleSheet& sheet = document.sheet;
    PrintCopy copy = StartCopy(source, PreparePrintCopy(sheet), document);
    if (ShouldTrim(selection))
        TrimToSelection(copy.grid, *selection, copy.grid.fixedCols, 0);
    // The extension buttons are controls of the window, not part of the schedule.
    RemoveButtons(copy.grid);
    const std::string firstTitle =
        sheet.Contains(sheet.fixedCols, 0) ? sheet.Text(sheet.fixedCols, 0) : std::string();
    try {
        LayoutMonthRow(copy.grid, firstTitle);
        LayoutWeekRow(copy.grid);
    } catch (const ConversionError& error) {
        return Fail(ErrorKind::Conversion, error.what());
    }
    if (use == SheetCopyUse::Print) {
        LayoutNameColumns(copy.grid, kEmployeeDaysCaption);
    } else {
        copy.grid.Unmerge(0, 0);
        copy.grid.Unmerge(0, 1);
    }
    return copy;
}

} // namespace

ScheduleSheet PreparePrintCopy(const ScheduleSheet& source)
{
    ScheduleSheet copy = source;
    UnmergeAll(copy);
    return copy;
}

ScheduleSheet PreparePrintCopy(const SummaryGrid& source, const ScheduleSheet& fontOf)
{
    ScheduleSheet copy = GridOfSummary(source, fontOf);
    UnmergeAll(copy);
    return copy;
}

bool TrimsCopy(const CellRect& selection)
{
    return selection.right > selection.left && selection.bottom > selection.top;
}

void TrimToSelection(ScheduleSheet& copy, const CellRect& selection, int firstDayColumn,
                     int columnOffset)
{
    const int firstRemovedRight = std::max(firstDayColumn, selection.right - columnOffset + 1);
    if (firstRemovedRight < copy.colCount())
        copy.DeleteColumns(firstRemovedRight, copy.colCount() - firstRemovedRight);
    const int leftCount = selection.left - columnOffset - firstDayColumn;
    if (leftCount > 0)
        copy.DeleteColumns(firstDayColumn, std::min(leftCount, copy.colCount() - firstDayColumn));
}

Result<PrintCopy> SheetCopy(const ScheduleDocument& document,
                            const std::optional<CellRect>& selection, SheetCopyUse use)
{
    Result<PrintCopy> copy = LaidOutSheetCopy(document, selection, use, PrintSource::Sheet);
    if (copy && InDepartmentView(document))
        MergeDayNumbers(copy->grid);
    return copy;
}

Result<PrintCopy> IconCopy(const ScheduleDocument& document,
                           const std::optional<CellRect>& selection)
{
    Result<PrintCopy> copy =
        LaidOutSheetCopy(document, selection, SheetCopyUse::Print, PrintSource::Icons);
    if (!copy)
        return copy;
    ScheduleSheet& grid = copy->grid;
    const WorkingTypeList& types = document.workingTypes;
    for (int r = grid.fixedRows; r < grid.rowCount(); ++r)
        for (int c = grid.fixedCols; c < grid.colCount(); ++c) {
            if (grid.Text(c, r).empty())
                continue;
            const int type = types.IndexOfCode(grid.Text(c, r));
            grid.SetText(c, r, {});
            const int icon = type > 0 ? types.IconIndex(type) : -1;
            if (icon < 0)
                continue;
            CellGraphic picture;
            picture.kind = GraphicKind::ImageList;
            picture.index = icon;
            picture.hAlign = GraphicHAlign::Center;
            picture.vAlign = GraphicVAlign::Center;
            picture.created = true;
            grid.SetGraphic(c, r, std::move(picture));
        }
    return copy;
}

int IconOfCell(const ScheduleSheet& copy, int col, int row)
{
    const CellGraphic* graphic = copy.Graphic(col, row);
    return graphic && graphic->kind == GraphicKind::ImageList ? graphic->index : -1;
}

PrintCopy QueriesCopy(const ScheduleDocument& document, const CustomQuerySummary& summary,
                      const std::optional<CellRect>& selection)
{
    PrintCopy copy =
        StartCopy(PrintSource::Queries, PreparePrintCopy(summary.grid(), document.sheet), document);
    if (ShouldTrim(selection))
        TrimToSelection(copy.grid, *selection, 2, 0);
    ScheduleSheet& grid = copy.grid;
    PaintHeaderRows(grid);
    for (int c = 0; c < grid.colCount(); ++c)
        PaintHeader(grid, c, grid.rowCount() - 1);
    PaintColumn(grid, 0);
    PaintColumn(grid, 1);
    return copy;
}

PrintCopy TypesCopy(const ScheduleDocument& document, const TypesPerDaySummary& summary,
                    const std::optional<CellRect>& selection)
{
    PrintCopy copy =
        StartCopy(PrintSource::Types, PreparePrintCopy(summary.grid(), document.sheet), document);
    if (ShouldTrim(selection))
        TrimToSelection(copy.grid, *selection, 1, 1);
    PaintHeaderRows(copy.grid);
    PaintColumn(copy.grid, 0);
    return copy;
}

PrintCopy EmployeesCopy(const ScheduleDocument& document, const EmployeesPerTypeSummary& summary)
{
    PrintCopy copy = StartCopy(PrintSource::Employees,
                               GridOfSummary(summary.grid(), document.sheet), document);
    PaintHeaderRows(copy.grid);
    PaintColumn(copy.grid, 0);
    return copy;
}

PrintCopy HoursCopy(const ScheduleDocument& document, const WorkedHoursSummary& summary)
{
    PrintCopy copy =
        StartCopy(PrintSource::Hours, GridOfSummary(summary.grid(), document.sheet), document);
    ScheduleSheet& grid = copy.grid;
    for (int c = 0; c < grid.colCount(); ++c)
        PaintHeader(grid, c, 0);
    PaintColumn(grid, 0);
    if (grid.Contains(0, 0)) {
        CellGraphic lock;
        lock.kind = GraphicKind::Picture;
        lock.index = summary.LockPicture();
        lock.hAlign = GraphicHAlign::BeforeText;
        lock.vAlign = GraphicVAlign::Center;
        lock.created = true;
        grid.SetGraphic(0, 0, std::move(lock));
    }
    return copy;
}

Result<PrintCopy> MakePrintCopy(PrintSource source, const ScheduleDocument& document,
                                const SummarySet& summaries,
                                const std::optional<CellRect>& selection)
{
    switch (source) {
    case PrintSource::Sheet:
        return SheetCopy(document, selection, SheetCopyUse::Print);
    case PrintSource::Icons:
        return IconCopy(document, selection);
    case PrintSource::Queries:
        SHIFTEX_ASSERT(summaries.IsShown(SummaryKind::CustomQuery));
        return QueriesCopy(document, summaries.customQuery(), selection);
    case PrintSource::Types:
        SHIFTEX_ASSERT(summaries.IsShown(SummaryKind::TypesPerDay));
        return TypesCopy(document, summaries.typesPerDay(), selection);
    case PrintSource::Employees:
        SHIFTEX_ASSERT(summaries.IsShown(SummaryKind::EmployeesPerType));
        return EmployeesCopy(document, summaries.employeesPerType());
    case PrintSource::Hours:
        SHIFTEX_ASSERT(summaries.IsShown(SummaryKind::WorkedHours));
        return HoursCopy(document, summaries.workedHours());
    }
    SHIFTEX_ASSERT(false);
    return Fail(ErrorKind::RefusedInput, "Unknown print source");
}

} // namespace shiftex
