#pragma once

#include "model/message_sink.h"

#include <functional>
#include <string>

namespace shiftex {

inline constexpr const char* kBackupBusyText = "Please wait until backup creation has finished";
inline constexpr const char* kCloseUnsavedQuestion = "Close this workinglist without saving?";
inline constexpr const char* kCloseQuestion = "Are you sure to close this schedule?";
inline constexpr const char* kExitQuestion = "Are You sure to close Shiftex ?";
inline constexpr const char* kCancelVerdict = "cancel";

// What the main window keeps for the closing of schedule windows: readyForClose is false while
// an automatic backup is written; closeVerdict becomes "cancel" when the user kept a schedule
// open, which stops an exit in progress; statusText is what the first status bar panel shows.
struct CloseGuard {
    bool readyForClose = true;
    std::string closeVerdict;
    std::string statusText;
};

// The program is asked to exit with `windows` schedule windows open. `closeFirst` asks the
// first open schedule window to close (it runs CloseSchedule and closes when that agrees) and
// returns whether it closed. Every window is asked once, in order, until one stays open; then,
// with every window closed, the user confirms the exit. True when the program may end.
// A window that stays open because a backup is being written stops the exit as well: leaving
// then would drop its document without the question about unsaved changes.
bool ConfirmExit(CloseGuard& guard, MessageSink& messages, int windows,
                 const std::function<bool()>& closeFirst);

} // namespace shiftex
