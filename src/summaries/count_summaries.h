#pragma once

#include "summaries/cell_reading.h"
#include "summaries/summary_grid.h"
#include "summaries/summary_scope.h"
#include "summaries/thresholds.h"

#include <optional>
#include <vector>

namespace shiftex {

// How many times each working type is planned on each day: one row per working type (the blank
// entry left out), one column per sheet day column, summary column a showing sheet column a + 1.
// The whole sheet, no scope. In the department view each sub-column counts for itself.
class TypesPerDaySummary {
public:
    const SummaryGrid& grid() const { return grid_; }
    // The count of type `type` (its WorkingTypeList index) in sheet column `col`.
    int CountAt(int type, int col) const;

    // Header, codes and day numbers from the document; every count "0".
    void Layout(const ScheduleDocument& document, const CellResolver& resolver);
    void Count(const ScheduleDocument& document, const CellResolver& resolver);
    // Every count against its row's day/type threshold. ConversionError for a bad threshold;
    // the rows coloured before it keep their colours.
    void ColourCounts(const ScheduleDocument& document);
    // The lines of sheet cell (col, row) taken out before a change and put in after it; the
    // changed counts are coloured again.
    void TakeOut(const ScheduleDocument& document, const CellResolver& resolver, int col, int row);
    void PutIn(const ScheduleDocument& document, const CellResolver& resolver, int col, int row);
    void AlignToSheet(const ScheduleSheet& sheet);

private:
    void Add(const ScheduleDocument& document, const CellResolver& resolver, int col, int row,
             int sign);
    void ColourCell(const ScheduleDocument& document, int summaryCol, int gridRow);
    const ParsedThreshold* ThresholdOfRow(const ScheduleDocument& document, int gridRow);

    SummaryGrid grid_;
    int types_ = 0;           // data rows: working types without the blank entry
    std::vector<int> counts_; // [type - 1][sheet column - 2]
    std::vector<std::optional<ParsedThreshold>> thresholds_;  // per data row, read when needed
};

// How many times each working type is planned for each employee over the scope: one row per
// employee (sheet row r is grid row r - h + 2), one column per working type.
class EmployeesPerTypeSummary {
public:
    SummaryScope scope{kReleasedGlobalCaption};
    // "\rEmployees / Types" when shown, "Employees / Types" after RecomputeSummaries.
    std::string cornerTitle = "\rEmployees / Types";

    const SummaryGrid& grid() const { return grid_; }
    int LockPicture() const { return scope.locked ? 0 : 1; }
    // The count of type `type` for the employee of sheet row `row`.
    int CountAt(int type, int row) const;

    void Layout(const ScheduleDocument& document, const CellResolver& resolver);
    void Count(const ScheduleDocument& document, const CellResolver& resolver);
    void ColourCounts(const ScheduleDocument& document);
    void TakeOut(const ScheduleDocument& document, const CellResolver& resolver, int col, int row);
    void PutIn(const ScheduleDocument& document, const CellResolver& resolver, int col, int row);
    void AlignToSheet(const ScheduleSheet& sheet);

private:
    void Add(const ScheduleDocument& document, const CellResolver& resolver, int col, int row,
             int sign);
    void ColourCell(const ScheduleDocument& document, int gridCol, int gridRow);
    const ParsedThreshold* ThresholdOfColumn(const ScheduleDocument& document, int gridCol);

    SummaryGrid grid_;
    int types_ = 0;
    int sheetHeader_ = 3;
    std::vector<int> counts_;  // [employee][type - 1]
    std::vector<std::optional<ParsedThreshold>> thresholds_;
    int firstColumn_ = 0;  // the sheet columns counted, inclusive
    int lastColumn_ = -1;
};

} // namespace shiftex
