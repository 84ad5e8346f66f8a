#include "editing/undo_history.h"

#include "files/grid_cell_stream.h"

#include <algorithm>

namespace shiftex {

void RebuildHeaderCounts(ScheduleSheet& sheet)
{
    sheet.fixedRows = std::min(3, sheet.rowCount());
    if (sheet.Contains(2, 3) && sheet.Text(1, 3).empty() &&
        sheet.BrushColor(2, 3) == kHeaderColour)
        sheet.fixedRows = 4;
    sheet.fixedCols = std::min(2, sheet.colCount());
}

void UndoHistory::PushSnapshot(const ScheduleSheet& sheet)
{
    // Undone states go: slot i takes slot i + d, the last d slots empty.
    if (depth_ > 0) {
        const int d = depth_;
        for (int i = 0; i + d < kSlots; ++i)
            slots_[static_cast<std::size_t>(i)].swap(slots_[static_cast<std::size_t>(i + d)]);
        for (int i = kSlots - d; i < kSlots; ++i)
            slots_[static_cast<std::size_t>(i)].clear();
        count_ -= d;
        depth_ = 0;
    }
    hasLatest_ = false;
    // The oldest slot's storage takes the new snapshot, sized like the last one at once.
    std::rotate(slots_.begin(), slots_.end() - 1, slots_.end());
    if (const std::size_t last = std::max(slots_[1].size(), latest_.size()))
        slots_[0].reserve(last + last / 8);
    WriteCellTextStream(sheet, slots_[0]);
    count_ = std::min(count_ + 1, kSlots);
}

Result<void> UndoHistory::Load(ScheduleSheet& sheet, const std::string& snapshot)
{
    // The snapshot names only the cells that had a text.
    for (int r = sheet.fixedRows; r < sheet.rowCount(); ++r)
        for (int c = sheet.fixedCols; c < sheet.colCount(); ++c)
            sheet.Cell(c, r).text.clear();
    auto read = ReadCellTextStream(sheet, snapshot);
    RebuildHeaderCounts(sheet);
    return read;
}

Result<void> UndoHistory::Undo(ScheduleSheet& sheet)
{
    SHIFTEX_ASSERT(CanUndo());
    if (depth_ == 0) {
        WriteCellTextStream(sheet, latest_);
        hasLatest_ = true;
    }
    ++depth_;
    return Load(sheet, slots_[static_cast<std::size_t>(depth_ - 1)]);
}

Result<void> UndoHistory::Redo(ScheduleSheet& sheet)
{
    SHIFTEX_ASSERT(CanRedo());
    --depth_;
    const std::string& snapshot =
        depth_ == 0 ? latest_ : slots_[static_cast<std::size_t>(depth_ - 1)];
    return Load(sheet, snapshot);
}

void UndoHistory::ResetUndo()
{
    for (std::string& slot : slots_)
        slot.clear();
    latest_.clear();
    hasLatest_ = false;
    depth_ = 0;
    count_ = 0;
}

} // namespace shiftex
