#include "ui/help_topic.h"

#include "ui/help_window.h"

#include <QPointer>

namespace shiftex {

namespace {

QPointer<HelpWindow>& Current()
{
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

void ShowHelpTopic(const std::string& topic)
{
    if (HelpWindow* window = Current())
        window->showTopic(topic);
}

void SetProgramHelpWindow(HelpWindow* window) { Current() = window; }

HelpWindow* ProgramHelpWindow() { return Current(); }

} // namespace shiftex
