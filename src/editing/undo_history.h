#pragma once

#include "model/result.h"
#include "model/schedule_sheet.h"

#include <array>
#include <string>

namespace shiftex {

// After a snapshot was read into the sheet: three header rows, four when the cell in column 1,
// row 3 is empty and the one in column 2, row 3 has the header colour (the department view);
// two header columns.
void RebuildHeaderCounts(ScheduleSheet& sheet);

// The last states of one document's sheet, for Undo and Redo: seven snapshots (cell text
// streams: size, column widths, texts), S1 the newest. Colours, bold, comments and merges are
// not part of a snapshot.
//
// Besides the seven slots the history keeps the sheet as it was when an Undo run started from
// the newest snapshot, so that Redo can lead back to it: one Undo too many loses nothing.
class UndoHistory {
public:
    static constexpr int kSlots = 7;

    // Records the sheet before the caller changes it. Undone states are dropped first.
    void PushSnapshot(const ScheduleSheet& sheet);
    // One step back: the texts of the employee rows and day columns are emptied, the older
    // snapshot read, the header counts rebuilt. Only when CanUndo().
    Result<void> Undo(ScheduleSheet& sheet);
    // One step forward again. Only when CanRedo().
    Result<void> Redo(ScheduleSheet& sheet);
    void ResetUndo();

    bool CanUndo() const { return depth_ < count_; }
    bool CanRedo() const { return depth_ >= 2 || (depth_ == 1 && hasLatest_); }
    // How many steps the sheet stands behind the newest snapshot (lblUndo), and how many
    // snapshots there are (lblmaxundo).
    int depth() const { return depth_; }
    int count() const { return count_; }
    // Slot 1 (newest) to 7; empty when unused.
    const std::string& Slot(int number) const
    {
        return slots_.at(static_cast<std::size_t>(number - 1));
    }

private:
    Result<void> Load(ScheduleSheet& sheet, const std::string& snapshot);

    std::array<std::string, kSlots> slots_;
    int depth_ = 0;
    int count_ = 0;
    std::string latest_;  // the sheet before the first Undo of a run
    bool hasLatest_ = false;
};

} // namespace shiftex
