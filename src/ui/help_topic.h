#pragma once

#include <string>

namespace shiftex {

class HelpWindow;

// Opens the help window on the topic with this name (a keyword of the shipped help). Does nothing
// when no help is available.
void ShowHelpTopic(const std::string& topic);

// The help window ShowHelpTopic opens: the main window's, set at start-up; null while the
// program has no help.
void SetProgramHelpWindow(HelpWindow* window);
HelpWindow* ProgramHelpWindow();

} // namespace shiftex
