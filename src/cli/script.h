#pragma once

#include "model/message_sink.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex::cli {

// A script line that names no command, or gives a command the wrong arguments.
struct ScriptError {
    std::string message;
};

// Throws ScriptError unless the command has `count` arguments.
void ExpectArguments(const std::vector<std::string>& words, std::size_t count);

// "yes", "no", "ok" or "cancel" as an answer to the questions; ScriptError otherwise.
Answer ParseAnswer(const std::string& word);

// Runs the script's lines as words (SplitScriptLine), empty lines skipped, until `run` asks to
// stop by giving true. A line that cannot be run ends the script with
// "shiftex-cli COMMAND: SCRIPT:LINE: reason" on standard error; false then.
bool RunScriptLines(const std::string& command, const std::string& scriptPath,
                    std::string_view script,
                    const std::function<bool(const std::vector<std::string>&)>& run);

} // namespace shiftex::cli
