#include "summaries/working_time_warnings.h"

#include <algorithm>

namespace shiftex {

WorkingTimeWarnings::WorkingTimeWarnings() = default;
WorkingTimeWarnings::~WorkingTimeWarnings() = default;

void WorkingTimeWarnings::Clear(int rows)
{
    rows_.assign(static_cast<std::size_t>(std::max(0, rows)), {});
    marks_.assign(rows_.size(), {});
    count_ = 0;
    error_.clear();
    allCurrent_ = false;
}

void WorkingTimeWarnings::Recompute(const ScheduleDocument& document)
{
    Clear(document.sheet.rowCount());
    check_.reset();
    checkedColumns_ = document.sheet.colCount();
    if (!limits_.enabled)
        return;
    try {
        check_ = std::make_unique<WorkingTimeCheck>(document, limits_);
        for (int r = document.sheet.fixedRows; r < document.sheet.rowCount(); ++r)
            CheckRow(r);
    } catch (const ConversionError& error) {
        // The sheet shows no warnings until the cause is mended; the list says why.
        Clear(document.sheet.rowCount());
        check_.reset();
        error_ = error.what();
    }
}

void WorkingTimeWarnings::RecomputeRow(const ScheduleDocument& document, int row)
{
    const bool sameShape = check_ != nullptr &&
                           static_cast<int>(rows_.size()) == document.sheet.rowCount() &&
                           checkedColumns_ == document.sheet.colCount();
    if (!sameShape || !error_.empty()) {
        Recompute(document);
        return;
    }
    if (row < document.sheet.fixedRows || row >= document.sheet.rowCount())
        return;
    try {
        CheckRow(row);
    } catch (const ConversionError&) {
        Recompute(document);
    }
}

void WorkingTimeWarnings::CheckRow(int row)
{
    const auto index = static_cast<std::size_t>(row);
    std::vector<WorkingTimeFinding> findings = check_->Row(row);
    std::vector<int> marks;
    for (const WorkingTimeFinding& finding : findings) {
        for (int c = finding.firstColumn; c <= finding.lastColumn; ++c)
            if (check_->CellWorks(c, row))
                marks.push_back(c);
    }
    std::sort(marks.begin(), marks.end());
    marks.erase(std::unique(marks.begin(), marks.end()), marks.end());
    count_ += static_cast<int>(findings.size()) - static_cast<int>(rows_[index].size());
    rows_[index] = std::move(findings);
    marks_[index] = std::move(marks);
    allCurrent_ = false;
}

const std::vector<WorkingTimeFinding>& WorkingTimeWarnings::Findings() const
{
    if (!allCurrent_) {
        all_.clear();
        for (const auto& row : rows_)
            all_.insert(all_.end(), row.begin(), row.end());
        allCurrent_ = true;
    }
    return all_;
}

bool WorkingTimeWarnings::Marked(int col, int row) const
{
    if (row < 0 || row >= static_cast<int>(marks_.size()))
        return false;
    const std::vector<int>& marks = marks_[static_cast<std::size_t>(row)];
    return std::binary_search(marks.begin(), marks.end(), col);
}

std::string WorkingTimeWarnings::Hint(int col, int row) const
{
    std::string hint;
    if (!Marked(col, row))
        return hint;
    for (const WorkingTimeFinding& finding : rows_[static_cast<std::size_t>(row)]) {
        // The finding's days, as sheet columns of the view it was computed in.
        if (col < finding.firstColumn || col > finding.lastColumn)
            continue;
        if (!hint.empty())
            hint += '\n';
        hint += DescribeFinding(finding, limits_);
    }
    return hint;
}

int WorkingTimeWarnings::FirstMarkedColumn(const WorkingTimeFinding& finding) const
{
    if (finding.row < 0 || finding.row >= static_cast<int>(marks_.size()))
        return -1;
    const std::vector<int>& marks = marks_[static_cast<std::size_t>(finding.row)];
    const auto it = std::lower_bound(marks.begin(), marks.end(), finding.firstColumn);
    return it != marks.end() && *it <= finding.lastColumn ? *it : -1;
}

} // namespace shiftex
