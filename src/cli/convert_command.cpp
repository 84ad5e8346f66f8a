#include "cli/cli_common.h"
#include "files/schedule_file.h"
#include "files/schedule_loader.h"

#include <iostream>

namespace shiftex::cli {

int RunConvert(const Options& options)
{
    if (options.arguments.size() != 2) {
        std::cerr << "usage: shiftex-cli convert IN OUT\n";
        return kExitUsage;
    }
    StderrMessageSink messages;
    auto document = LoadScheduleFromFile(options.arguments[0], options.programFolder, messages);
    if (!document) {
        std::cerr << document.error().message << '\n';
        return kExitFileError;
    }
    if (const std::optional<std::string> error = SaveSchedule(*document, options.arguments[1])) {
        std::cerr << *error << '\n';
        return kExitFileError;
    }
    return kExitOk;
}

} // namespace shiftex::cli
