#include "editing/schedule_session.h"

#include <algorithm>

namespace shiftex {

SharedEditFlags& ProgramEditFlags()
{
    static SharedEditFlags flags;
    return flags;
}

ScheduleSession::ScheduleSession(ScheduleDocument document, MessageSink& messages,
                                 SettingsStore* settings, const TextMetrics& metrics,
                                 SharedEditFlags& flags)
    : document_(std::move(document)), messages_(messages), flags_(&flags),
      panels_(document_, edit_, messages), selections_(document_, edit_, panels_),
      marks_(document_, edit_), comment_(document_, edit_, settings),
      sheetEdits_(document_, edit_, undo_, panels_, selections_, messages, metrics, flags),
      structural_(document_, summaries(), undo_, edit_, selections_,
                  sheetEdits_.quickInsertPanel(), messages, metrics)
{
    // The blank entry is the safe start after a load.
    sheetEdits_.SelectWorkingType(0);
    selections_.SetCurrentCell(2, document_.sheet.fixedRows);
    // A schedule saved in the department view opens in it, with "All departments" chosen.
    sheetEdits_.quickInsertPanel().FollowDepartmentView(document_);
}

// --- undo ---

void ScheduleSession::PushSnapshot()
{
    sheetEdits_.PushSnapshot();
}

bool ScheduleSession::AfterSheetReplaced(const Result<void>& result)
{
    if (!Reported(messages_, result))
        return false;
    // The sheet may have another size now.
    structural_.FollowShape();
    // The figures follow the restored sheet; scopes, captions, locks and rows stay.
    return Guarded([&] { summaries().FollowSheet(); });
}

bool ScheduleSession::Undo()
{
    if (!undo_.CanUndo())
        return false;
    document_.MarkModified();
    return AfterSheetReplaced(undo_.Undo(document_.sheet));
}

bool ScheduleSession::Redo()
{
    if (!undo_.CanRedo())
        return false;
    document_.MarkModified();
    return AfterSheetReplaced(undo_.Redo(document_.sheet));
}

void ScheduleSession::ResetUndo() { undo_.ResetUndo(); }

std::optional<std::vector<MenuItem>> ScheduleSession::ContextMenu(int col, int row)
{
    selections_.Remember(col, row);
    std::optional<std::vector<MenuItem>> items = ComposeContextMenu(
        document_, {UndoEnabled(), RedoEnabled(), sheetEdits_.CopyEnabled(),
                    sheetEdits_.PasteEnabled()}, col, row);
    // The clicked cell is what Comment and Bold act on; Cut, Copy and Delete keep acting on the
    // selection as it was.
    if (items && std::ranges::any_of(*items, [](const MenuItem& item) {
            return item.command == MenuCommand::Bold;
        }))
        selections_.MoveFocusCell(col, row);
    return items;
}

} // namespace shiftex
