#pragma once

#include "model/text_helpers.h"

#include <QColor>
#include <QPalette>

namespace shiftex {

// A colour value as drawn: $00BBGGRR as RGB, a system colour through the matching palette role,
// clNone and clDefault as an invalid QColor (the caller's default applies).
QColor ToQColor(Colour colour, const QPalette& palette);
// The $00BBGGRR value of a drawn colour (alpha dropped).
Colour FromQColor(const QColor& colour);

} // namespace shiftex
