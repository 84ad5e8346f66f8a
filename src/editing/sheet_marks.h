#pragma once

#include "editing/edit_state.h"
#include "model/schedule_document.h"

#include <string>

namespace shiftex {

inline constexpr const char* kWeekEndHint = "WeekEnd";
inline constexpr int kCommentHintTime = 5000;
inline constexpr int kHintTime = 2500;

// What the sheet of a schedule window shows around its cells: the hints over them and the
// separator lines between employee groups and between days.
class SheetMarks {
public:
    SheetMarks(const ScheduleDocument& document, const EditState& edit)
        : document_(document), edit_(edit)
    {
    }

    // The hint over a cell: "WeekEnd" on a weekend cell, the holiday's name on a holiday cell,
    // the department name on a department header cell, otherwise empty.
    std::string CellHint(int col, int row) const;
    // How long a hint stays: longer while the current cell carries a comment.
    int HintDisplayTime() const;
    // The separator lines: above employee rows where the group colour changes, and right of
    // the last sub-column of a day in the department view (the group line wins).
    bool GroupLineAbove(int col, int row) const;
    bool DayLineRight(int col, int row) const;

private:
    const ScheduleDocument& document_;
    const EditState& edit_;
};

} // namespace shiftex
