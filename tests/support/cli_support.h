#pragma once

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>
#include <sys/wait.h>

namespace shiftex::test {

struct CliResult {
    int status = -1;
    std::string out;  // standard output, followed by standard error when asked for
};

// Runs a shell command; `out` is what it wrote to standard output.
inline CliResult RunCommand(const std::string& command)
{
    CliResult run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    while (const std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Runs shiftex-cli with the given (shell-quoted) arguments.
inline CliResult RunCli(const std::string& arguments, bool withErrors = false)
{
    return RunCommand(std::string(SHIFTEX_CLI) + " " + arguments +
                      (withErrors ? " 2>&1" : " 2>/dev/null"));
}

// The JSON of a command's output; a test failure when it is none.
inline nlohmann::json ParseJsonOutput(const std::string& text)
{
    nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    EXPECT_FALSE(json.is_discarded()) << "not valid JSON:\n" << text;
    return json.is_discarded() ? nlohmann::json{} : json;
}

// The JSON objects among the lines of a command's output (the `state` lines of a script).
inline std::vector<nlohmann::json> JsonLines(const std::string& out)
{
    std::vector<nlohmann::json> objects;
    std::size_t start = 0;
    while (start < out.size()) {
        std::size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        if (end > start && out[start] == '{')
            objects.push_back(nlohmann::json::parse(out.substr(start, end - start)));
        start = end + 1;
    }
    return objects;
}

} // namespace shiftex::test
