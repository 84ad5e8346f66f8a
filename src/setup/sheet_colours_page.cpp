#include "setup/sheet_colours_page.h"

#include "model/text_helpers.h"

namespace shiftex {

namespace {

bool IsColourField(std::string_view field)
{
    return field == "weekend" || field == "holiday" || field == "codes";
}

} // namespace

SheetColoursPage::SheetColoursPage(SheetLook look)
    : SetupPage("Schedule Grid Color"), look_(look)
{
    AddField("weekend");
    AddField("holiday");
    AddField("codes");
    AddField("font");
    AddButton("save");
    AddButton("default");
    AddButton("help");
    SetText("weekend", ColourButtonText(look_.weekendColour));
    SetText("holiday", ColourButtonText(look_.holidayColour));
    SetText("codes", ColourButtonText(look_.codeColour));
    SetText("font", look_.fontName);
}

bool SheetColoursPage::CanHold(std::string_view field, std::string_view text) const
{
    Colour colour = 0;
    if (IsColourField(field))
        return TryStringToColor(text, colour);
    return SetupPage::CanHold(field, text);
}

Result<void> SheetColoursPage::OnFieldSet(const std::string& field)
{
    if (IsColourField(field)) {
        SetText(field, ColourButtonText(Text(field)));
    } else if (field == "font" && onFontChosen) {
        onFontChosen(Text("font"));
    }
    return {};
}

Result<void> SheetColoursPage::OnPress(const std::string& button)
{
    if (button == "default") {
        SetText("weekend", ColorToString(RgbColour(255, 255, 0)));
        SetText("holiday", "$00A8C8A6");
        SetText("codes", ColorToString(RgbColour(0, 0, 255)));
        SetText("font", kDefaultGridFont);
        return {};
    }
    SHIFTEX_ASSERT(button == "save");
    look_.weekendColour = Text("weekend");
    look_.holidayColour = Text("holiday");
    look_.codeColour = Text("codes");
    look_.fontName = Text("font");
    return {};
}

} // namespace shiftex
