#pragma once

#include "model/message_sink.h"
#include "model/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// A refusal of a page: the information message, and nothing changed.
std::unexpected<Error> Refuse(std::string message);
// A page's message in its box: a refusal as information, anything else as an error.
void ShowMessage(const Result<void>& result, MessageSink& messages);

// The longest part of a UTF-8 text that a field of `maxLength` characters holds.
std::string ClipToLength(std::string_view text, int maxLength);
// Whether a one-line field can hold the text: no line breaks.
bool IsOneLine(std::string_view text);
// The colour text a colour button shows for a colour given as colour text; the text itself when it
// is no colour.
std::string ColourButtonText(std::string_view colourText);

// One page of the setup: the editor of one list or group of settings of a schedule, hosted by the
// new-schedule wizard or the options dialog. A page holds its main list with the selected entry,
// its fields and buttons with their enabled states, and the focus; the host hands it the lists to
// edit and takes them back. The window only binds widgets to a page by the names of its fields
// and buttons, and every user action is a method that returns the message to show: a refused
// input is an ErrorKind::RefusedInput error (an information box), other kinds are error boxes.
class SetupPage {
public:
    virtual ~SetupPage() = default;

    // The entries of the main list, fixed first entry included, each as the texts of its
    // columns. Empty for a page without a list.
    virtual std::vector<std::vector<std::string>> ListEntries() const { return {}; }
    // The selected entry of the main list; -1 when none is.
    int selected() const { return selected_; }
    // The user picks an entry of the main list.
    Result<void> Pick(int index);

    // Fields and buttons in page order.
    const std::vector<std::string>& fieldNames() const { return fieldNames_; }
    const std::vector<std::string>& buttonNames() const { return buttonNames_; }
    bool HasField(std::string_view name) const;
    bool HasButton(std::string_view name) const;
    const std::string& Text(std::string_view field) const;
    // Whether the control can be used: enabled and shown.
    bool IsEnabled(std::string_view name) const;
    bool IsVisible(std::string_view name) const;
    // Read-only fields show a value the page computes; nothing can be typed into them.
    bool IsReadOnly(std::string_view field) const;
    // The most characters the field takes; 0 when it has no limit.
    int MaxLength(std::string_view field) const;

    // The control with the keyboard focus (a field, or a list such as "icon" or "checklist");
    // empty when the page leaves the focus alone. With focusSelectsText its text is selected.
    const std::string& focus() const { return focus_; }
    bool focusSelectsText() const { return focusSelectsText_; }
    // Counts the times the page moved the focus, so that a window moves it only when asked.
    int focusRequests() const { return focusRequests_; }

    // Whether the field's widget can hold the text at all: one line in a text field; a time field
    // takes only its pattern, a colour field only colour text, a list only its entries.
    virtual bool CanHold(std::string_view field, std::string_view text) const;
    // The user types into the field or chooses the value in it. Longer texts are clipped to the
    // field's length; a disabled or read-only field does nothing.
    Result<void> SetField(std::string_view field, std::string_view text);
    // The focus leaves the field.
    Result<void> LeaveField(std::string_view field);
    // The user presses the button; a disabled or hidden one does nothing. "help" has no message:
    // the window shows helpTopic().
    Result<void> Press(std::string_view button);

    const std::string& helpTopic() const { return helpTopic_; }
    // Inside the wizard the page's own help button is hidden.
    void HideHelp() { SetVisible("help", false); }
    // The host moves the focus, as the wizard does to the name of a new employee.
    void Focus(std::string name, bool selectText = false);

protected:
    explicit SetupPage(std::string helpTopic = {}) : helpTopic_(std::move(helpTopic)) {}

    virtual Result<void> OnPick(int index);
    virtual Result<void> OnFieldSet(const std::string& field) { return Ignore(field); }
    virtual Result<void> OnFieldLeft(const std::string& field) { return Ignore(field); }
    virtual Result<void> OnPress(const std::string& button) = 0;

    void AddField(std::string name, int maxLength = 0, bool readOnly = false);
    void AddButton(std::string name);
    void SetText(std::string_view field, std::string text);
    void Enable(std::string_view name, bool enabled);
    void SetVisible(std::string_view name, bool visible);
    void SetSelected(int index) { selected_ = index; }
    int ListSize() const { return static_cast<int>(ListEntries().size()); }

private:
    struct Control {
        std::string name;
        bool isButton = false;
        std::string text;
        bool enabled = true;
        bool visible = true;
        bool readOnly = false;
        int maxLength = 0;
    };
    static Result<void> Ignore(const std::string&) { return {}; }
    const Control& Find(std::string_view name) const;
    Control& Find(std::string_view name);

    std::vector<Control> controls_;
    std::vector<std::string> fieldNames_;
    std::vector<std::string> buttonNames_;
    int selected_ = -1;
    std::string focus_;
    bool focusSelectsText_ = false;
    int focusRequests_ = 0;
    std::string helpTopic_;
};

// The page a host holds as the kind of page it is; the host knows which it made.
template <typename Page>
Page& PageAs(SetupPage* page)
{
    auto* typed = dynamic_cast<Page*>(page);
    SHIFTEX_ASSERT(typed != nullptr);
    return *typed;
}

} // namespace shiftex
