#include "cli/cli_common.h"
#include "files/schedule_file.h"

#include <iostream>

namespace shiftex::cli {

int RunConvert(const Options& options)
{
    if (options.arguments.size() != 2) {
        std::cerr << "usage: shiftex-cli convert IN OUT\n";
        return kExitUsage;
    }
    StderrMessageSink messages;
    auto document = LoadOrReport(options.arguments[0], options, messages);
    if (!document)
        return kExitFileError;
    if (const Result<void> saved = SaveSchedule(*document, options.arguments[1]); !saved) {
        std::cerr << saved.error().message << '\n';
        return kExitFileError;
    }
    return kExitOk;
}

} // namespace shiftex::cli
