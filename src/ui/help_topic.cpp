#include "ui/help_topic.h"

namespace shiftex {

// No help window is built into the program yet: the request is dropped.
void ShowHelpTopic(const std::string&) {}

} // namespace shiftex
