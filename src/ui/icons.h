#pragma once

#include <QIcon>
#include <QPixmap>

namespace shiftex {

// The working-type icons: seven shapes in seven colours, drawn at 16 by 16 pixels. An icon index
// selects one; the blank entry (-1) and unknown indexes have none.
inline constexpr int kWorkingTypeIconCount = 49;
QPixmap WorkingTypeIcon(int index);
// The lock buttons of the summaries.
QIcon LockIcon(bool locked);
// The tool buttons of Undo and Redo.
QIcon UndoIcon();
QIcon RedoIcon();
// The tool buttons of Cut, Copy and Paste.
QIcon CutIcon();
QIcon CopyIcon();
QIcon PasteIcon();
// The tool button of New.
QIcon NewScheduleIcon();
// The main tool bar: open, save, print preview, print, the summaries on and off, help.
QIcon OpenIcon();
QIcon SaveIcon();
QIcon PrintPreviewIcon();
QIcon PrintIcon();
QIcon ToggleWindowsIcon();
QIcon HelpIcon();
// Beside "  Backup successful" in the status bar.
QIcon BackupIcon();
// The program's own icon (the shapes of shiftex.svg) at `size` pixels.
QPixmap ProgramPixmap(int size);
QIcon ProgramIcon();

} // namespace shiftex
