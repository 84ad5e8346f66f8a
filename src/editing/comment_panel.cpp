#include "editing/comment_panel.h"

#include "model/text_helpers.h"

namespace shiftex {

void CommentPanel::ReadPosition()
{
    if (!settings_)
        return;
    int top = 0;
    int left = 0;
    if (!TryParseInt(ReadUserSetting(*settings_, kCommentPositionKey, "Top"), top))
        return;
    top_ = top;
    if (!TryParseInt(ReadUserSetting(*settings_, kCommentPositionKey, "Left"), left))
        return;
    left_ = left;
}

void CommentPanel::Open()
{
    const ScheduleSheet& sheet = document_.sheet;
    if (!sheet.Contains(edit_.currentCol, edit_.currentRow))
        return;
    text_ = sheet.Comment(edit_.currentCol, edit_.currentRow);
    ReadPosition();
    shown_ = true;
}

bool CommentPanel::Apply(const std::string& text)
{
    if (!shown_)
        return false;
    document_.MarkModified();
    ScheduleSheet& sheet = document_.sheet;
    // The cell current when OK is pressed; an empty text removes its comment.
    if (sheet.Contains(edit_.currentCol, edit_.currentRow))
        sheet.SetComment(edit_.currentCol, edit_.currentRow, text);
    text_ = text;
    shown_ = false;
    return true;
}

void CommentPanel::Leave(int top, int left)
{
    top_ = top;
    left_ = left;
    if (!settings_)
        return;
    WriteUserSetting(*settings_, kCommentPositionKey, "Top", std::to_string(top));
    WriteUserSetting(*settings_, kCommentPositionKey, "Left", std::to_string(left));
}

} // namespace shiftex
