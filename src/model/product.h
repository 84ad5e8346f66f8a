#pragma once

namespace shiftex {

// The product's name and version text, as captions, print jobs, calendars and the settings
// carry them.
inline constexpr const char* kProductName = "Shiftex";
inline constexpr const char* kVersionText = "4.3";

} // namespace shiftex
