#pragma once

#include "model/settings_store.h"
#include "editing/edit_state.h"
#include "model/schedule_document.h"

#include <string>

namespace shiftex {

inline constexpr const char* kCommentPositionKey = "\\Software\\Shiftex\\Position\\Comment";
inline constexpr const char* kCommentPanelCaption = "Add Cell Comment";
inline constexpr const char* kCommentFieldHint =
    "To remove a comment, empty this input field and press the ok-button";
inline constexpr const char* kCommentOkHint = "Apply this comment to the cell";
inline constexpr const char* kCommentCancelHint = "Discard changes to cell comment";

// The floating comment panel of a schedule window: it edits the comment of the sheet's current
// cell and keeps where the user left it in the settings.
class CommentPanel {
public:
    CommentPanel(ScheduleDocument& document, const EditState& edit, SettingsStore* settings)
        : document_(document), edit_(edit), settings_(settings)
    {
    }

    bool shown() const { return shown_; }
    const std::string& text() const { return text_; }
    // Where the panel stands in its window; 0, 0 until it has been placed.
    int top() const { return top_; }
    int left() const { return left_; }

    // The current cell's comment into the panel, at its remembered position.
    void Open();
    // OK: the text becomes the comment of the cell current now; false while the panel is closed.
    bool Apply(const std::string& text);
    void Cancel() { shown_ = false; }
    // The panel lost the focus where it stands: its position is kept in the settings.
    void Leave(int top, int left);

private:
    void ReadPosition();

    ScheduleDocument& document_;
    const EditState& edit_;
    SettingsStore* settings_;
    bool shown_ = false;
    std::string text_;
    int top_ = 0;
    int left_ = 0;
};

} // namespace shiftex
