#pragma once

#include "cli/json.h"
#include "cli/script.h"
#include "model/message_sink.h"
#include "model/result.h"
#include "model/text_helpers.h"
#include "model/working_types.h"
#include "setup/setup_page.h"

#include <functional>
#include <string>
#include <vector>

namespace shiftex::cli {

// What the commands on a setup page need from whoever hosts the page.
struct PageCommandHost {
    MessageSink& messages;
    // The help button of a page: the topic to show.
    std::function<void(const std::string& topic)> showHelp;
};

// Runs one of the commands on a setup page: set, leave, pick, press, mark, calendar,
// calendar-day, template and choose. False when the words are none of them; ScriptError for a
// command the page does not have or an argument it cannot take. A command on a disabled control
// does nothing.
bool RunPageCommand(SetupPage& page, const std::vector<std::string>& words,
                    const PageCommandHost& host);

// Working types as {icon, fields}, and query thresholds as [name, minimum colour, minimum
// count, maximum colour, maximum count], as the states of the wizard and the options show them.
Json WorkingTypesJson(const std::vector<WorkingType>& types);
Json QueryThresholdsJson(const std::vector<ColorThreshold>& rows);

// The state of a page: list, selected, fields, enabled, focus and what the page has beyond
// them (marks, calendar, preview, noPreview, choice, path, toggle, panel).
Json PageStateJson(const SetupPage& page);

} // namespace shiftex::cli
