#pragma once

#include "editing/cell_fit.h"
#include "editing/clipboard.h"
#include "editing/comment_panel.h"
#include "editing/context_menu.h"
#include "editing/edit_state.h"
#include "editing/guarded.h"
#include "editing/quick_insert_panel.h"
#include "editing/schedule_closing.h"
#include "editing/selections.h"
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

inline constexpr const char* kCellHelpTopic = "topic14";

// The texts of the controls that drive the commands here.
inline constexpr const char* kTypeChooserHint = "Select WorkingType and click on the grid";
inline constexpr const char* kTypeChooserMenuItem = "Edit WorkingHours ...";
inline constexpr const char* kTypeChooserMenuHint = "Go to setup menu";
inline constexpr const char* kClipboardHint =
    "Use CRTL + Left mouse button to select the copy fields.";
inline constexpr const char* kRejectedPasteMessage =
    "Followin workingtyes have not been pasted (unknown): ";

// One open schedule with everything a schedule window keeps for it. The session owns the
// document, the edit state and the undo history, and makes the edits of the sheet's content
// (cells, bold, group colours, keys, quick insert, the clipboard), each with its snapshots. The
// other commands belong to its parts, which work on that state:
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
    // Told after every change that marks the document modified (the window's Save state).
    void SetModifiedListener(std::function<void()> listener)
    {
        document_.onModified = std::move(listener);
    }
    SharedEditFlags& flags() { return *flags_; }

    // --- working type and cells ---
    void SelectWorkingType(int index);
    void NextWorkingType();
    void PreviousWorkingType();

    // Places the current code in the current cell, or takes it out when it is there already.
    bool ToggleCell();
    // A left click on a day cell.
    bool ClickCell(int col, int row);
    // Every selected cell gets the code of working type `index` (Enter, Delete).
    bool ApplyToSelection(int index);
    void ToggleBold();
    // The group colour of employee `row` through the picker; the custom query rows are
    // recounted whether or not the user confirmed.
    bool ChooseGroupColour(int row, const ColourPicker& picker);
    // A key pressed and let go on the sheet; KeyDown gives the help topic to open, if any.
    std::optional<std::string> KeyDown(int keyCode);
    void KeyUp(int keyCode);

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

    // --- quick insert ---
    QuickInsertPanel& quickInsertPanel() { return panel_; }
    const QuickInsertPanel& quickInsertPanel() const { return panel_; }
    // The panel's button: the current code into every cell of the range (the shown selection,
    // otherwise every day cell) that passes the panel's filters and scope, with one snapshot;
    // then every shown summary is computed again. False when the button is disabled.
    bool QuickInsert();

    // --- clipboard ---
    // The tool buttons' states (the Edit menu enables its items whenever it opens).
    bool CopyEnabled() const { return edit_.clipboardEnabled && edit_.sheetFocused; }
    bool CutEnabled() const { return CopyEnabled(); }
    bool PasteEnabled() const { return edit_.pasteEnabled && edit_.sheetFocused; }
    // The selection rectangle (shown or not) goes to the clipboard as tab-separated text.
    void CopyCells(Clipboard& clipboard);
    // Copy, then the selected day cells lose their texts and formats; weekend and holiday
    // colours are painted again and the shown summaries computed again.
    bool CutCells(Clipboard& clipboard);
    // The clipboard's block with its top-left cell at the current cell, clipped to the sheet.
    // A pasted cell is taken only when every line of it is empty, a working type code or a
    // department line of the document (names and codes compared exactly); the lines of the
    // cells that are not taken are listed in one message. One snapshot is taken first, then
    // before each changed cell one per valid line of its pasted text (an empty text counts as
    // one empty line), whether or not the cell is taken.
    bool PasteCells(const Clipboard& clipboard);
    // The lines the last Paste rejected, each once, in their order.
    const std::vector<std::string>& rejectedLines() const { return rejected_; }

    // The window is asked to close: false while a backup is written (the status text and the
    // message say so) or when the user cancels (closeVerdict becomes "cancel"); true when the
    // window may close and discard the document.
    bool CloseSchedule(CloseGuard& guard);

private:
    struct CellChange {
        int col = 0;
        int row = 0;
        std::string before;
        std::string after;
        // The snapshots taken before the change, and whether the cell takes `after` then (a
        // pasted cell that is refused still leaves the snapshots of its valid lines).
        std::size_t snapshots = 1;
        bool accepted = true;
    };
    bool ApplyWithSummaries(const CellRect& rect);
    // Replays the end of `changes` (the first `applied` of them, the accepted ones already in
    // the sheet) with each change's snapshots before it, so that the history is that of every
    // snapshot taken in turn; only the changes whose snapshots survive are replayed.
    void RecordLastChanges(const std::vector<CellChange>& changes, std::size_t applied,
                           bool centre, bool relaidBeforeLastSeven);
    // Runs a command; a conversion error stops it and goes to the message sink.
    template <typename F>
    bool Guarded(F&& command)
    {
        return shiftex::Guarded(messages_, std::forward<F>(command));
    }
    bool AfterSheetReplaced(const Result<void>& result);
    void CentreCell(int col, int row, const CellFit& before);

    // The state every part works on, then the parts.
    ScheduleDocument document_;
    EditState edit_;
    UndoHistory undo_;
    MessageSink& messages_;
    const TextMetrics* metrics_;
    SharedEditFlags* flags_;
    SummaryPanels panels_;
    Selections selections_;
    SheetMarks marks_;
    CommentPanel comment_;
    QuickInsertPanel panel_;
    StructuralEdits structural_;
    std::vector<std::string> rejected_;
};

} // namespace shiftex
