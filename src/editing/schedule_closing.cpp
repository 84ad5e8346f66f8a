#include "editing/schedule_closing.h"

#include "editing/schedule_session.h"

namespace shiftex {

bool ScheduleSession::CloseSchedule(CloseGuard& guard)
{
    if (!guard.readyForClose) {
        guard.statusText = kBackupBusyText;
        messages_.Information(kBackupBusyText);
        return false;
    }
    const char* question = document_.modified ? kCloseUnsavedQuestion : kCloseQuestion;
    if (messages_.Question(question, QuestionButtons::OkCancel) == Answer::Ok)
        return true;
    guard.closeVerdict = kCancelVerdict;
    return false;
}

bool ConfirmExit(CloseGuard& guard, MessageSink& messages, int windows,
                 const std::function<bool()>& closeFirst)
{
    guard.closeVerdict.clear();
    for (int i = 0; i < windows && guard.closeVerdict.empty(); ++i)
        if (!closeFirst())
            return false;
    if (!guard.closeVerdict.empty())
        return false;
    return messages.Question(kExitQuestion, QuestionButtons::OkCancel) == Answer::Ok;
}

} // namespace shiftex
