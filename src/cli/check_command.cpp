#include "cli/cli_common.h"
#include "summaries/working_time_rules.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <optional>

namespace shiftex::cli {

namespace {

int CheckUsage(const std::string& problem)
{
    std::cerr << "shiftex-cli check: " << problem << "\n"
              << "usage: shiftex-cli check FILE [--min-rest H] [--max-break H] "
                 "[--weekly-rest H] [--max-week-hours H] [--max-days N] [--max-nights N]\n";
    return kExitUsage;
}

} // namespace

int RunCheck(const Options& options)
{
    const std::vector<std::string>& args = options.arguments;
    if (args.empty() || args[0].starts_with("--"))
        return CheckUsage("no schedule file given");
    // The defaults, not the user's settings: the same file checks the same everywhere.
    WorkingTimeLimits limits;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const WorkingTimeLimitField* option = nullptr;
        for (const WorkingTimeLimitField& each : kWorkingTimeLimitFields)
            if (args[i] == each.option)
                option = &each;
        if (option == nullptr)
            return CheckUsage("unexpected \"" + args[i] + "\"");
        if (i + 1 >= args.size())
            return CheckUsage(args[i] + " needs a value");
        const std::string& text = args[++i];
        const std::optional<int> value =
            option->hours ? ParseLimitHours(text) : ParseLimitCount(text);
        if (!value)
            return CheckUsage("\"" + text + "\" is no " +
                              (option->hours ? "number of hours" : "number of days") + " for " +
                              option->option);
        limits.*(option->limit) = *value;
    }

    StderrMessageSink messages;
    const auto loaded = LoadOrReport(args[0], options, messages);
    if (!loaded)
        return kExitFileError;
    const auto findings = CheckWorkingTime(*loaded, limits);
    if (!findings) {
        std::cerr << findings.error().message << '\n';
        return kExitFileError;
    }
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const WorkingTimeFinding& finding : *findings) {
        list.push_back({{"row", finding.row},
                        {"employee", finding.employee},
                        {"rule", std::string(RuleName(finding.rule))},
                        {"from", IsoLocalTime(finding.from)},
                        {"to", IsoLocalTime(finding.to)},
                        {"value", finding.value}});
    }
    // Names that are no valid UTF-8 (an old file's bytes) are replaced, never a failure.
    std::cout << nlohmann::ordered_json{{"findings", list}}.dump(
                     -1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << '\n';
    return kExitOk;
}

} // namespace shiftex::cli
