#pragma once

#include <string>

namespace shiftex {

// Opens the help window on the topic with this name (a keyword of the shipped help). Does nothing
// when no help is available.
void ShowHelpTopic(const std::string& topic);

} // namespace shiftex
