#pragma once

#include <span>
#include <string>
#include <string_view>

namespace shiftex {

// The help topics the program's windows open by name (each a keyword of the shipped help):
// the wizard's pages, the setup pages, the backup page, the bar schedule, the sheet's F1 topic
// and the shipped pages that stand in for the web pages.
std::span<const std::string_view> ProgramHelpTopics();

// A topic name as the help's keywords spell it: non-breaking spaces (as UTF-8 or as the single
// byte of Windows-1252) read as plain spaces, so "Wizard Custom Query Settings" is found however
// its blanks were typed.
std::string NormalizeHelpTopic(std::string_view name);

} // namespace shiftex
