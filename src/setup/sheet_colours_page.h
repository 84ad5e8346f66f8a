#pragma once

#include "setup/setup_page.h"

#include <functional>
#include <string>
#include <vector>

namespace shiftex {

// Where every font chosen on the page is remembered in the settings.
inline constexpr const char* kGridFontKey = "Software\\Shiftex\\Font";
inline constexpr const char* kGridFontValue = "GridFont";
inline constexpr const char* kDefaultGridFont = "MS Sans Serif";

// Where a host keeps the look of its schedule's sheet: the page writes there on "save".
struct SheetLook {
    std::string& weekendColour;
    std::string& holidayColour;
    std::string& codeColour;  // the colour of the working-type codes
    std::string& fontName;    // the font of the sheet's editable part
};

// The weekend and holiday colours, the colour of the codes and the font of the sheet. Fields
// "weekend", "holiday", "codes" (colour text) and "font"; buttons "save", "default" and "help".
// Only "save" changes the host's look.
class SheetColoursPage final : public SetupPage {
public:
    explicit SheetColoursPage(SheetLook look);

    bool CanHold(std::string_view field, std::string_view text) const override;

    // Told every font the user chooses, for the settings to remember (kGridFontKey).
    std::function<void(const std::string&)> onFontChosen;

private:
    Result<void> OnFieldSet(const std::string& field) override;
    Result<void> OnPress(const std::string& button) override;

    SheetLook look_;
};

} // namespace shiftex
