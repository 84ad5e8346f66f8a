#pragma once

#include "summaries/working_time_rules.h"

#include <memory>
#include <string>
#include <vector>

namespace shiftex {

// The working-time findings an open schedule shows: the list, the marked cells and their hints.
// Kept per row, so that an edit of one cell checks its row again and leaves the others be.
class WorkingTimeWarnings {
public:
    WorkingTimeWarnings();
    ~WorkingTimeWarnings();

    const WorkingTimeLimits& limits() const { return limits_; }
    // New limits take effect at the next Recompute.
    void SetLimits(const WorkingTimeLimits& limits) { limits_ = limits; }

    // Every row checked again.
    void Recompute(const ScheduleDocument& document);
    // Only employee row `row` checked again, after an edit of its cells alone; the whole sheet
    // when its shape changed since the last Recompute.
    void RecomputeRow(const ScheduleDocument& document, int row);

    // Every finding, sorted by row, rule and start.
    const std::vector<WorkingTimeFinding>& Findings() const;
    int Count() const { return count_; }
    // The conversion error that stopped the last check, empty when none did.
    const std::string& error() const { return error_; }

    // Whether sheet cell (col, row) is a cell of a finding: it holds worked time on one of the
    // finding's days.
    bool Marked(int col, int row) const;
    // The findings that mark the cell, in words, one a line.
    std::string Hint(int col, int row) const;
    // The first marked cell of a finding: its sheet column, -1 when it marks none.
    int FirstMarkedColumn(const WorkingTimeFinding& finding) const;

private:
    void CheckRow(int row);
    void Clear(int rows);

    WorkingTimeLimits limits_;
    std::unique_ptr<WorkingTimeCheck> check_;  // for the sheet as last recomputed
    int checkedColumns_ = -1;
    std::vector<std::vector<WorkingTimeFinding>> rows_;  // per sheet row
    std::vector<std::vector<int>> marks_;               // per sheet row: marked columns, sorted
    int count_ = 0;
    std::string error_;
    mutable std::vector<WorkingTimeFinding> all_;
    mutable bool allCurrent_ = false;
};

} // namespace shiftex
