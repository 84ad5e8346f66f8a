#pragma once

#include "editing/cell_fit.h"
#include "editing/clipboard.h"
#include "editing/edit_state.h"
#include "editing/guarded.h"
#include "editing/quick_insert_panel.h"
#include "editing/selections.h"
#include "editing/summary_panels.h"
#include "editing/undo_history.h"
#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "model/sheet_layout.h"

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

// The edits of a sheet's content: the current working type, cells, bold, group colours, the
// keys of the sheet, quick insert with its panel, and Cut, Copy and Paste. Each edit takes its
// snapshots in the undo history and keeps the shown summaries up to date. A conversion error
// met by an edit goes to the message sink and the edit returns false, as does an edit that is
// unavailable at that moment.
class SheetEdits {
public:
    SheetEdits(ScheduleDocument& document, EditState& edit, UndoHistory& undo,
               SummaryPanels& panels, Selections& selections, MessageSink& messages,
               const TextMetrics& metrics, SharedEditFlags& flags)
        : document_(document), edit_(edit), undo_(undo), panels_(panels), selections_(selections),
          messages_(messages), metrics_(metrics), flags_(flags)
    {
    }
    SheetEdits(const SheetEdits&) = delete;
    SheetEdits& operator=(const SheetEdits&) = delete;

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

    // A snapshot of the sheet before a content edit; the document is marked modified.
    void PushSnapshot();

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
    SummarySet& summaries() { return panels_.summaries(); }
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
    void CentreCell(int col, int row, const CellFit& before);

    ScheduleDocument& document_;
    EditState& edit_;
    UndoHistory& undo_;
    SummaryPanels& panels_;
    Selections& selections_;
    MessageSink& messages_;
    const TextMetrics& metrics_;
    SharedEditFlags& flags_;
    QuickInsertPanel panel_;
    std::vector<std::string> rejected_;
};

} // namespace shiftex
