#include "setup/setup_page.h"

#include "model/text_helpers.h"

#include <algorithm>

namespace shiftex {

std::unexpected<Error> Refuse(std::string message)
{
    return Fail(ErrorKind::RefusedInput, std::move(message));
}

std::string ClipToLength(std::string_view text, int maxLength)
{
    if (maxLength <= 0)
        return std::string(text);
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A byte that is no continuation byte starts a character.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == maxLength)
            return std::string(text.substr(0, i));
    }
    return std::string(text);
}

void ShowMessage(const Result<void>& result, MessageSink& messages)
{
    if (result)
        return;
    if (result.error().kind == ErrorKind::RefusedInput)
        messages.Information(result.error().message);
    else
        messages.Error(result.error().message);
}

bool IsOneLine(std::string_view text)
{
    return text.find_first_of("\r\n") == std::string_view::npos;
}

std::string ColourButtonText(std::string_view colourText)
{
    Colour colour = 0;
    if (!TryStringToColor(colourText, colour))
        return std::string(colourText);
    return ColorToString(colour);
}

Result<void> SetupPage::Pick(int index)
{
    SHIFTEX_ASSERT(index >= 0 && index < ListSize());
    return OnPick(index);
}

Result<void> SetupPage::OnPick(int index)
{
    selected_ = index;
    return {};
}

bool SetupPage::HasField(std::string_view name) const
{
    return std::find(fieldNames_.begin(), fieldNames_.end(), name) != fieldNames_.end();
}

bool SetupPage::HasButton(std::string_view name) const
{
    return std::find(buttonNames_.begin(), buttonNames_.end(), name) != buttonNames_.end();
}

const SetupPage::Control& SetupPage::Find(std::string_view name) const
{
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const Control& control) { return control.name == name; });
    SHIFTEX_ASSERT(it != controls_.end());
    return *it;
}

SetupPage::Control& SetupPage::Find(std::string_view name)
{
    return const_cast<Control&>(std::as_const(*this).Find(name));
}

const std::string& SetupPage::Text(std::string_view field) const { return Find(field).text; }

bool SetupPage::IsEnabled(std::string_view name) const
{
    const Control& control = Find(name);
    return control.enabled && control.visible;
}

bool SetupPage::IsVisible(std::string_view name) const { return Find(name).visible; }

bool SetupPage::IsReadOnly(std::string_view field) const { return Find(field).readOnly; }

int SetupPage::MaxLength(std::string_view field) const { return Find(field).maxLength; }

bool SetupPage::CanHold(std::string_view field, std::string_view text) const
{
    return HasField(field) && IsOneLine(text);
}

Result<void> SetupPage::SetField(std::string_view field, std::string_view text)
{
    SHIFTEX_ASSERT(CanHold(field, text));
    Control& control = Find(field);
    if (!control.enabled || !control.visible || control.readOnly)
        return {};
    control.text = ClipToLength(text, control.maxLength);
    return OnFieldSet(control.name);
}

Result<void> SetupPage::LeaveField(std::string_view field)
{
    const Control& control = Find(field);
    if (!control.enabled || !control.visible || control.readOnly)
        return {};
    return OnFieldLeft(control.name);
}

Result<void> SetupPage::Press(std::string_view button)
{
    SHIFTEX_ASSERT(HasButton(button));
    if (!IsEnabled(button) || button == "help")
        return {};
    return OnPress(std::string(button));
}

void SetupPage::AddField(std::string name, int maxLength, bool readOnly)
{
    fieldNames_.push_back(name);
    controls_.push_back({std::move(name), false, {}, true, true, readOnly, maxLength});
}

void SetupPage::AddButton(std::string name)
{
    buttonNames_.push_back(name);
    controls_.push_back({std::move(name), true, {}, true, true, false, 0});
}

// What the page puts into a field is kept whole: only typing is limited, so that a longer value
// read from a file is not cut by showing it.
void SetupPage::SetText(std::string_view field, std::string text)
{
    Find(field).text = std::move(text);
}

void SetupPage::Enable(std::string_view name, bool enabled) { Find(name).enabled = enabled; }

void SetupPage::SetVisible(std::string_view name, bool visible) { Find(name).visible = visible; }

void SetupPage::Focus(std::string name, bool selectText)
{
    focus_ = std::move(name);
    focusSelectsText_ = selectText;
    ++focusRequests_;
}

} // namespace shiftex
