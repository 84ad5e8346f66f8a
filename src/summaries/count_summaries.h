#pragma once

#include "summaries/summary.h"
#include "summaries/summary_scope.h"
#include "summaries/thresholds.h"

#include <optional>
#include <vector>

namespace shiftex {

// How many times each working type is planned on each day: one row per working type (the blank
// entry left out), one column per sheet day column, summary column a showing sheet column a + 1.
// The whole sheet, no scope. In the department view each sub-column counts for itself.
class TypesPerDaySummary final : public Summary {
public:
    const SummaryGrid& grid() const override { return grid_; }
    // The count of type `type` (its WorkingTypeList index) in sheet column `col`.
    int CountAt(int type, int col) const;

    // Header, codes and day numbers from the document; every count "0".
    void Layout(ScheduleDocument& document, const CellResolver& resolver) override;
    void Recount(const ScheduleDocument& document, const CellResolver& resolver) override;
    // Every count against its row's day/type threshold. ConversionError for a bad threshold;
    // the rows coloured before it keep their colours.
    void ColourCounts(const ScheduleDocument& document) override;
    // The lines of sheet cell (col, row) taken out before a change and put in after it; the
    // changed counts are coloured again.
    void TakeOut(const ScheduleDocument& document, const CellResolver& resolver, int col,
                 int row) override;
    void PutIn(const ScheduleDocument& document, const CellResolver& resolver, int col,
               int row) override;
    void AlignToSheet(const ScheduleSheet& sheet) override;

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
class EmployeesPerTypeSummary final : public Summary {
public:
    SummaryScope scope{kReleasedGlobalCaption};
    // "\rEmployees / Types" when shown, "Employees / Types" after RecomputeSummaries.
    std::string cornerTitle = "\rEmployees / Types";

    const SummaryGrid& grid() const override { return grid_; }
    int LockPicture() const { return scope.locked ? 0 : 1; }
    // The count of type `type` for the employee of sheet row `row`.
    int CountAt(int type, int row) const;

    void Layout(ScheduleDocument& document, const CellResolver& resolver) override;
    void Recount(const ScheduleDocument& document, const CellResolver& resolver) override;
    void ColourCounts(const ScheduleDocument& document) override;
    void TakeOut(const ScheduleDocument& document, const CellResolver& resolver, int col,
                 int row) override;
    void PutIn(const ScheduleDocument& document, const CellResolver& resolver, int col,
               int row) override;
    void AlignToSheet(const ScheduleSheet& sheet) override;

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
