#pragma once

#include "editing/edit_state.h"
#include "editing/quick_insert_panel.h"
#include "editing/selections.h"
#include "editing/undo_history.h"
#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "model/sheet_layout.h"
#include "summaries/summary_set.h"

#include <filesystem>

namespace shiftex {

inline constexpr const char* kDefineDepartmentsQuestion =
    "You haven't declared any departments. Would you like to define them now ?";
inline constexpr const char* kKeepOnlyWeekQuestion =
    "All other weeks will be erased. Are you sure?";

// What ShowDepartments did.
enum class ShowDepartmentsResult {
    Shown,
    // The view is on already: nothing changed.
    AlreadyShown,
    // No department is declared; the user answered Cancel to the question.
    Declined,
    // No department is declared; the user wants to define them: the window opens the options
    // dialog on "Departments" with RememberedCellText() handed over.
    DefineDepartments,
    // A conversion error stopped the summaries (the error has been shown).
    Failed,
};

// The departments view and the edits that change the shape of a schedule: removing employees,
// weeks and months, extending by a month or a week, moving rows. The remembered cell tells which
// employee, week or month. A conversion error met by an edit goes to the message sink and the
// edit returns false, as does an edit that is unavailable at that moment.
class StructuralEdits {
public:
    StructuralEdits(ScheduleDocument& document, SummarySet& summaries, UndoHistory& undo,
                    const EditState& edit, Selections& selections, QuickInsertPanel& quickInsert,
                    MessageSink& messages, const TextMetrics& metrics)
        : document_(document), summaries_(summaries), undo_(undo), edit_(edit),
          selections_(selections), quickInsert_(quickInsert), messages_(messages), metrics_(metrics)
    {
    }

    bool DepartmentViewShown() const;
    // The view on: every day split into one sub-column per department, the header rebuilt,
    // the shown summaries reshaped; the undo history is emptied.
    ShowDepartmentsResult ShowDepartments();
    // The view off again; false (nothing changed) while it is off.
    bool HideDepartments();

    // The remembered employee (column 1 of an employee row) leaves the schedule after the
    // user's Yes. The undo history is emptied and the shown summaries computed again.
    bool RemoveEmployee();
    // The first week (remembered cell in row 1) or month (row 0) of several leaves the sheet;
    // the undo history is emptied. False (nothing changed) where the context menu disables it.
    bool RemoveWeek() { return RemoveRun(1); }
    bool RemoveMonth() { return RemoveRun(0); }
    // Only the remembered week (row 1) stays, after the user's Yes.
    bool KeepOnlyWeek();
    // The "»" buttons of the last month and the last week; the holiday lines are written back
    // to the year templates below `programFolder` and built again for the longer sheet. No
    // snapshot is taken.
    bool ExtendByMonth(const std::filesystem::path& programFolder)
    {
        return Extend(true, programFolder);
    }
    bool ExtendByWeek(const std::filesystem::path& programFolder)
    {
        return Extend(false, programFolder);
    }
    // A click on header cell (col, row): runs the extension when a "»" button sits there.
    bool PressExtendButton(int col, int row, const std::filesystem::path& programFolder);
    // Employee row `from` dragged to row position `to`; the summaries keep each employee's
    // figures beside the employee.
    bool MoveEmployeeRow(int from, int to);

    // The focus cell, the selection, the department view flag and the quick insert panel
    // follow a sheet that may have another shape now (after an undo as well).
    void FollowShape();

private:
    bool Extend(bool byMonth, const std::filesystem::path& programFolder);
    bool RemoveRun(int headerRow);

    ScheduleDocument& document_;
    SummarySet& summaries_;
    UndoHistory& undo_;
    const EditState& edit_;
    Selections& selections_;
    QuickInsertPanel& quickInsert_;
    MessageSink& messages_;
    const TextMetrics& metrics_;
};

} // namespace shiftex
