#pragma once

#include "model/schedule_sheet.h"

namespace shiftex {

// Key codes the sheet passes on.
namespace key {
inline constexpr int Enter = 13;
inline constexpr int Ctrl = 17;
inline constexpr int Escape = 27;
inline constexpr int Delete = 46;
inline constexpr int NumPlus = 107;
inline constexpr int NumMinus = 109;
inline constexpr int F1 = 112;
} // namespace key

// Flags one program shares between all its schedule windows.
struct SharedEditFlags {
    bool ctrlHeld = false;
};
SharedEditFlags& ProgramEditFlags();

// The edit state of one schedule window.
struct EditState {
    int currentType = 0;  // index into the WorkingTypeList; 0 the blank entry
    int currentCol = 2;   // the sheet's focus cell
    int currentRow = 3;
    CellRect selection{2, 3, 2, 3};
    bool selectionShown = false;
    // Copy and Cut, enabled by a click on a day cell.
    bool clipboardEnabled = false;
    // While the sheet lacks the keyboard focus, Cut, Copy, Paste, Undo and Redo are disabled.
    bool sheetFocused = true;
    // The cell of the last right click or header double-click.
    int rememberedCol = -1;
    int rememberedRow = -1;
    // The Paste tool button, enabled by Copy and Cut.
    bool pasteEnabled = false;

    // The sheet lost or got back the keyboard focus.
    void SetSheetFocus(bool focused)
    {
        sheetFocused = focused;
        clipboardEnabled = focused;
        pasteEnabled = focused;
    }
};

} // namespace shiftex
