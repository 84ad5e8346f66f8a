#include "platform/qt_colour.h"

#include <array>

namespace shiftex {

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Indexed as the system colours: clScrollBar ($80000000) to clMenuBar ($8000001E).
constexpr std::array<SystemRole, 31> kSystemRoles{{
    {QPalette::Active, QPalette::Button},           // 0 scroll bar
    {QPalette::Active, QPalette::Dark},             // 1 desktop background
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},      // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Window},           // 10 active border
    {QPalette::Inactive, QPalette::Window},         // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 application work space
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlight text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 info background
    {QPalette::Active, QPalette::Button},           // 25 unused
    {QPalette::Active, QPalette::Link},             // 26 hot light
    {QPalette::Active, QPalette::Highlight},        // 27 gradient active caption
    {QPalette::Inactive, QPalette::Highlight},      // 28 gradient inactive caption
    {QPalette::Active, QPalette::Highlight},        // 29 menu highlight
    {QPalette::Active, QPalette::Window},           // 30 menu bar
}};

constexpr Colour kSystemFlag = 0x80000000;

} // namespace

QColor ToQColor(Colour colour, const QPalette& palette)
{
    if (colour == clNone || colour == clDefault)
        return {};
    if ((colour & 0xFF000000) == kSystemFlag) {
        const Colour index = colour & 0x00FFFFFF;
        if (index >= kSystemRoles.size())
            return {};
        const SystemRole& entry = kSystemRoles[index];
        return palette.color(entry.group, entry.role);
    }
    // Other high bytes (palette-relative values) still carry their RGB in the low three bytes.
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

Colour FromQColor(const QColor& colour)
{
    if (!colour.isValid())
        return clNone;
    return RgbColour(colour.red(), colour.green(), colour.blue());
}

} // namespace shiftex
