#include "cli/script.h"

#include "cli/edit_commands.h"
#include "files/text_io.h"

#include <iostream>
#include <map>

namespace shiftex::cli {

void ExpectArguments(const std::vector<std::string>& words, std::size_t count)
{
    if (words.size() - 1 != count)
        throw ScriptError{words[0] + " takes " + std::to_string(count) + " argument" +
                          (count == 1 ? "" : "s")};
}

Answer ParseAnswer(const std::string& word)
{
    static const std::map<std::string, Answer> answers{
        {"yes", Answer::Yes}, {"no", Answer::No}, {"ok", Answer::Ok}, {"cancel", Answer::Cancel}};
    const auto it = answers.find(word);
    if (it == answers.end())
        throw ScriptError{"answer is yes, no, ok or cancel"};
    return it->second;
}

bool RunScriptLines(const std::string& command, const std::string& scriptPath,
                    std::string_view script,
                    const std::function<bool(const std::vector<std::string>&)>& run)
{
    const std::vector<std::string> lines = SplitLines(DecodeText(script));
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::string error;
        const auto words = SplitScriptLine(lines[n], error);
        try {
            if (!words)
                throw ScriptError{error};
            if (!words->empty() && run(*words))
                return true;
        } catch (const ScriptError& failure) {
            std::cerr << "shiftex-cli " << command << ": " << scriptPath << ":" << n + 1 << ": "
                      << failure.message << '\n';
            return false;
        }
    }
    return true;
}

} // namespace shiftex::cli
