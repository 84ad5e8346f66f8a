#pragma once

#include "model/product.h"
#include "model/result.h"
#include "model/schedule_document.h"
#include "summaries/summary_set.h"

#include <optional>
#include <string>

namespace shiftex {

// What a print, preview or export starts from.
enum class PrintSource {
    Sheet,      // the work schedule, codes as they stand
    Icons,      // the work schedule with the codes replaced by their icons
    Queries,    // the custom query summary ("special summation")
    Types,      // types per day
    Employees,  // employees per type
    Hours,      // worked hours
};

// Where a line of the page's margin text goes.
enum class PageCorner { TopLeft, TopRight, BottomLeft, BottomRight };

// How a printable grid goes onto paper. Lengths are millimetres.
struct PageLayout {
    std::string title;
    PageCorner titleAt = PageCorner::BottomLeft;
    PageCorner dateAt = PageCorner::BottomLeft;
    PageCorner pageNumberAt = PageCorner::TopRight;
    // Shrunk (never enlarged) so that the grid fits the page; otherwise printed at its size
    // over as many pages as it needs.
    bool shrinkToFit = true;
    // Header rows and columns again on every page.
    bool repeatHeaders = false;
    double margin = 10;
    double headerHeight = 10;
    double footerHeight = 10;
    bool centred = true;
    bool printIcons = true;
    friend bool operator==(const PageLayout&, const PageLayout&) = default;
};

inline constexpr const char* kWorkedHoursPrintTitle = "Shiftex Schedule: Worked Hours";
inline constexpr const char* kEmployeesPrintTitle = "Shiftex Schedule";
// The date on every printed page.
inline constexpr const char* kPrintDateFormat = "dd/mm/yyyy";

PageLayout PageLayoutOf(PrintSource source);

// Picture indexes a cell of a print copy may show besides the working type icons (an image-list
// graphic's index is the working type icon index).
inline constexpr int kLockPictureLocked = 0;
inline constexpr int kLockPictureOpen = 1;

// A grid ready to be printed, previewed or written to a file: cells with their texts and
// attributes (colours, bold, alignment, merges, pictures), header counts, sizes and the font the
// data cells print in. Built from scratch by every command; the live sheet is never touched.
struct PrintCopy {
    PrintSource source = PrintSource::Sheet;
    ScheduleSheet grid;
    PageLayout layout;
};

// --- the steps of the print copy ---
// The source grid copied whole (cells, attributes, sizes, header counts, font), every merge
// undone.
ScheduleSheet PreparePrintCopy(const ScheduleSheet& source);
// The same for a summary grid: its cells become cells with those texts and attributes.
ScheduleSheet PreparePrintCopy(const SummaryGrid& source, const ScheduleSheet& fontOf);

// A selection trims the copy only when it spans more than one column and more than one row.
bool TrimsCopy(const CellRect& selection);
// Removes the columns that show sheet columns right of the selection, then the day columns
// left of it. `firstDayColumn` is the copy's first day column; copy column c shows sheet column
// c + `columnOffset`. Rows are never removed.
void TrimToSelection(ScheduleSheet& copy, const CellRect& selection, int firstDayColumn,
                     int columnOffset);

// How the sheet copy is finished: printing lays out the name columns, the export keeps them as
// they are and undoes the merge of the top-left header cells instead.
enum class SheetCopyUse { Print, Export };

// The work schedule: the sheet trimmed to the selection, its month and week rows rebuilt for
// the days kept. A ConversionError in the month titles comes back as an error.
Result<PrintCopy> SheetCopy(const ScheduleDocument& document,
                            const std::optional<CellRect>& selection, SheetCopyUse use);
// The work schedule with every data cell that holds a working type code showing that type's
// icon instead of the text.
Result<PrintCopy> IconCopy(const ScheduleDocument& document,
                           const std::optional<CellRect>& selection);
PrintCopy QueriesCopy(const ScheduleDocument& document, const CustomQuerySummary& summary,
                      const std::optional<CellRect>& selection);
PrintCopy TypesCopy(const ScheduleDocument& document, const TypesPerDaySummary& summary,
                    const std::optional<CellRect>& selection);
PrintCopy EmployeesCopy(const ScheduleDocument& document,
                        const EmployeesPerTypeSummary& summary);
PrintCopy HoursCopy(const ScheduleDocument& document, const WorkedHoursSummary& summary);

// Any of the above. A summary must be shown (computed) in `summaries`.
Result<PrintCopy> MakePrintCopy(PrintSource source, const ScheduleDocument& document,
                                const SummarySet& summaries,
                                const std::optional<CellRect>& selection);

// The working type icon a cell of an icon copy shows, -1 for none.
int IconOfCell(const ScheduleSheet& copy, int col, int row);

// The font the data cells of a document print in: its name and colour text resolved.
std::string PrintFontName(const ScheduleDocument& document);
Colour PrintFontColour(const ScheduleDocument& document);

} // namespace shiftex
