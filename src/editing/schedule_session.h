#pragma once

#include "editing/comment_panel.h"
#include "editing/context_menu.h"
#include "editing/edit_state.h"
#include "editing/guarded.h"
#include "editing/schedule_closing.h"
#include "editing/selections.h"
#include "editing/sheet_edits.h"
#include "editing/sheet_marks.h"
#include "editing/structural_edits.h"
#include "editing/summary_panels.h"
#include "editing/undo_history.h"
#include "model/message_sink.h"
#include "model/settings_store.h"
#include "model/sheet_layout.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace shiftex {

// One open schedule with everything a schedule window keeps for it. The session owns the
// document, the edit state and the undo history, takes the snapshots, undoes and redoes them,
// and closes the schedule. The other commands belong to its parts, which work on that state:
//   sheetEdits()       the edits of the sheet's content: working type, cells, bold, group
//                      colours, keys, quick insert with its panel, Cut, Copy and Paste
//   summaryPanels()    the four summaries: shown, hidden, locks, ranges, custom query rows
//   selections()       the focus cell, the selection and the remembered cell
//   commentPanel()     the comment of the current cell
//   sheetMarks()       the hints and separator lines around the cells
//   structuralEdits()  the departments view and the edits that change the sheet's shape
// and the context menu is composed by ComposeContextMenu. The window binds mouse, keys and
// menus to these commands and paints the sheet and the summary grids from what they leave.
//
// Errors: a conversion error met by a command (a working type time that is no hour text, a
// threshold or filter colour that does not convert) stops that command and goes to the message
// sink as an error box; such a command returns false. Commands that are unavailable at that
// moment do nothing and return false as well.
class ScheduleSession {
public:
    ScheduleSession(ScheduleDocument document, MessageSink& messages,
                    SettingsStore* settings = nullptr,
                    const TextMetrics& metrics = DefaultTextMetrics(),
                    SharedEditFlags& flags = ProgramEditFlags());
    ScheduleSession(const ScheduleSession&) = delete;
    ScheduleSession& operator=(const ScheduleSession&) = delete;

    ScheduleDocument& document() { return document_; }
    const ScheduleDocument& document() const { return document_; }
    const SummarySet& summaries() const { return panels_.summaries(); }
    SummarySet& summaries() { return panels_.summaries(); }
    SummaryPanels& summaryPanels() { return panels_; }
    const SummaryPanels& summaryPanels() const { return panels_; }
    const EditState& editState() const { return edit_; }
    Selections& selections() { return selections_; }
    const Selections& selections() const { return selections_; }
    const SheetMarks& sheetMarks() const { return marks_; }
    StructuralEdits& structuralEdits() { return structural_; }
    const StructuralEdits& structuralEdits() const { return structural_; }
    const UndoHistory& undoHistory() const { return undo_; }
    CommentPanel& commentPanel() { return comment_; }
    const CommentPanel& commentPanel() const { return comment_; }
    SheetEdits& sheetEdits() { return sheetEdits_; }
    const SheetEdits& sheetEdits() const { return sheetEdits_; }
    // Told after every change that marks the document modified (the window's Save state).
    void SetModifiedListener(std::function<void()> listener)
    {
        document_.onModified = std::move(listener);
    }
    SharedEditFlags& flags() { return *flags_; }

    // --- undo ---
    // Takes a snapshot of the sheet before a content edit and marks the document modified. In
    // every view: an edit that is not recorded could neither be undone nor warned about.
    void PushSnapshot();
    bool Undo();
    bool Redo();
    void ResetUndo();
    bool CanUndo() const { return undo_.CanUndo(); }
    bool CanRedo() const { return undo_.CanRedo(); }
    // The Undo and Redo menu items and tool buttons: the history of this window, and the sheet
    // holding the focus.
    bool UndoEnabled() const { return edit_.sheetFocused && CanUndo(); }
    bool RedoEnabled() const { return edit_.sheetFocused && CanRedo(); }
    // The sheet lost or got back the keyboard focus.
    void SetSheetFocus(bool focused) { edit_.SetSheetFocus(focused); }

    // --- context menu ---
    // The context menu for a right click on (col, row); nullopt where no menu opens. The clicked
    // cell is remembered, and on a day cell or a department name it becomes the current cell;
    // the selection stays as it was.
    std::optional<std::vector<MenuItem>> ContextMenu(int col, int row);

    // The window is asked to close: false while a backup is written (the status text and the
    // message say so) or when the user cancels (closeVerdict becomes "cancel"); true when the
    // window may close and discard the document.
    bool CloseSchedule(CloseGuard& guard);

private:
    // Runs a command; a conversion error stops it and goes to the message sink.
    template <typename F>
    bool Guarded(F&& command)
    {
        return shiftex::Guarded(messages_, std::forward<F>(command));
    }
    bool AfterSheetReplaced(const Result<void>& result);

    // The state every part works on, then the parts.
    ScheduleDocument document_;
    EditState edit_;
    UndoHistory undo_;
    MessageSink& messages_;
    SharedEditFlags* flags_;
    SummaryPanels panels_;
    Selections selections_;
    SheetMarks marks_;
    CommentPanel comment_;
    SheetEdits sheetEdits_;
    StructuralEdits structural_;
};

} // namespace shiftex
