#pragma once

#include "summaries/summary.h"
#include "summaries/summary_scope.h"

#include <vector>

namespace shiftex {


// The hours each employee works over the scope: a grid row beside every sheet row, the name in
// column 0 and the hour total in column 1; row 0 holds the caption with the lock button.
class WorkedHoursSummary final : public Summary {
public:
    SummaryScope scope{kGlobalCaption};

    const SummaryGrid& grid() const override { return grid_; }
    // The lock picture the caption cell shows: 1 while unlocked, 0 while locked.
    int LockPicture() const { return scope.locked ? 0 : 1; }
    // The total of sheet row `row` as shown, empty for a header row.
    const std::string& Total(int row) const { return grid_.Text(1, row); }

    // Rows and header as the sheet's, names copied, caption from the scope; totals "00H00".
    void Layout(ScheduleDocument& document, const CellResolver& resolver) override;
    // Every total over the scope. ConversionError for a working type time that is no hour text;
    // the totals written before it stay.
    void Recount(const ScheduleDocument& document, const CellResolver& resolver) override;
    // The single-cell update: the day of sheet cell (col, row) taken out before a change and
    // put in after it. A day outside the scope changes nothing.
    void TakeOut(const ScheduleDocument& document, const CellResolver& resolver, int col,
                 int row) override;
    void PutIn(const ScheduleDocument& document, const CellResolver& resolver, int col,
               int row) override;
    // Keeps the grid's row heights with the sheet's.
    void AlignToSheet(const ScheduleSheet& sheet) override;

private:
    void Add(const ScheduleDocument& document, const CellResolver& resolver, int col, int row,
             int sign);
    void WriteTotal(int row);

    SummaryGrid grid_;
    std::vector<long long> minutes_;  // per sheet row
    int firstDay_ = 0;                // the day columns computed, inclusive
    int lastDay_ = -1;
};

} // namespace shiftex
