// The working type, single cells, bold, group colours and the keys of the sheet. Enter and
// Delete over a selection and quick insert are in range_editing.cpp, the clipboard commands in
// clipboard_commands.cpp.
#include "editing/sheet_edits.h"

#include "summaries/cell_reading.h"
#include "model/conversion_guard.h"

namespace shiftex {

// --- working type and cells ---

void SheetEdits::SelectWorkingType(int index)
{
    if (index < 0 || index >= document_.workingTypes.Count())
        return;
    edit_.currentType = index;
    document_.currentCode = document_.workingTypes.At(index).code();
}

void SheetEdits::NextWorkingType()
{
    const int count = document_.workingTypes.Count();
    SelectWorkingType((edit_.currentType + 1) % count);
}

void SheetEdits::PreviousWorkingType()
{
    const int count = document_.workingTypes.Count();
    SelectWorkingType((edit_.currentType + count - 1) % count);
}

void SheetEdits::CentreCell(int col, int row, const CellFit& before)
{
    if (CentreChangedCell(document_.sheet, col, row, before, metrics_))
        summaries().AlignToSheet();
}

bool SheetEdits::ToggleCell()
{
    const int c = edit_.currentCol;
    const int r = edit_.currentRow;
    // Only day cells hold codes: names and header cells are never overwritten.
    if (!IsDayCell(document_.sheet, c, r))
        return false;
    ScheduleSheet& sheet = document_.sheet;
    const CellFit before = FitOfCell(sheet, c, r, metrics_);
    PushSnapshot();
    ConversionGuard guard;
    guard.Attempt([&] { summaries().TakeOutCell(c, r); });
    std::string& text = sheet.Cell(c, r).text;
    if (text == document_.currentCode)
        text.clear();
    else
        text = document_.currentCode;
    guard.Attempt([&] { summaries().PutInCell(c, r); });
    CentreCell(c, r, before);
    return Reported(messages_, guard.result());
}

bool SheetEdits::ClickCell(int col, int row)
{
    if (!IsDayCell(document_.sheet, col, row))
        return false;
    edit_.clipboardEnabled = true;
    if (flags_.ctrlHeld)
        return false;
    edit_.selectionShown = false;
    selections_.SetCurrentCell(col, row);
    const bool toggled = ToggleCell();
    const bool reset = Guarded([&] { summaries().ResetRangesAfterClick(); });
    return toggled && reset;
}

bool SheetEdits::ApplyToSelection(int index)
{
    const int remembered = edit_.currentType;
    SelectWorkingType(index);
    selections_.SetSelection(edit_.selection, edit_.selectionShown);
    const CellRect rect = edit_.selection;
    ScheduleSheet& sheet = document_.sheet;
    bool ok = true;
    if (summaries().AnyShown()) {
        // As ToggleCell on every cell in turn, each change with its own snapshot and summary
        // updates; a conversion error stops the command at the cell that met it.
        ok = ApplyWithSummaries(rect);
    } else {
        // Nothing to keep up to date: the key's own snapshot covers the whole selection.
        for (int c = rect.left; c <= rect.right; ++c)
            for (int r = rect.top; r <= rect.bottom; ++r)
                sheet.SetText(c, r, document_.currentCode);
        if (rect.left <= rect.right && rect.top <= rect.bottom)
            CentreDayCells(sheet, metrics_);
    }
    SelectWorkingType(remembered);
    selections_.SetCurrentCell(rect.left, rect.top);
    edit_.selectionShown = false;
    return ok;
}

void SheetEdits::ToggleBold()
{
    const int c = edit_.currentCol;
    const int r = edit_.currentRow;
    // The context menu offers "Make Bold" on day cells and on the department names above them.
    if (!IsDayCell(document_.sheet, c, r) && !IsDepartmentHeaderCell(document_, c, r))
        return;
    ScheduleSheet& sheet = document_.sheet;
    const CellFit before = FitOfCell(sheet, c, r, metrics_);
    sheet.SetBold(c, r, !sheet.IsBold(c, r));
    document_.MarkModified();
    CentreCell(c, r, before);
}

bool SheetEdits::ChooseGroupColour(int row, const ColourPicker& picker)
{
    ScheduleSheet& sheet = document_.sheet;
    if (row < sheet.fixedRows || row >= sheet.rowCount())
        return false;
    if (PickGroupColour(sheet, sheet, row, picker))
        document_.MarkModified();
    return Guarded([&] { summaries().RecountQueries(); });
}

std::optional<std::string> SheetEdits::KeyDown(int keyCode)
{
    if (keyCode == key::Ctrl) {
        flags_.ctrlHeld = true;
        edit_.selectionShown = true;
        return std::nullopt;
    }
    flags_.ctrlHeld = false;
    if (keyCode == key::F1)
        return std::string(kCellHelpTopic);
    if (edit_.currentCol == 0 || edit_.currentRow == 0)
        return std::nullopt;
    switch (keyCode) {
    case key::Enter:
        PushSnapshot();
        ApplyToSelection(edit_.currentType);
        break;
    case key::Delete:
        PushSnapshot();
        ApplyToSelection(0);
        break;
    case key::Escape: edit_.selectionShown = false; break;
    case key::NumPlus: NextWorkingType(); break;
    case key::NumMinus: PreviousWorkingType(); break;
    default: break;
    }
    return std::nullopt;
}

void SheetEdits::KeyUp(int keyCode)
{
    if (keyCode == key::Ctrl)
        flags_.ctrlHeld = false;
}

// --- snapshots ---

void SheetEdits::PushSnapshot()
{
    document_.MarkModified();
    undo_.PushSnapshot(document_.sheet);
}

} // namespace shiftex
