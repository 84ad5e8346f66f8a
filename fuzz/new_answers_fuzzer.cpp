// The answers of `shiftex-cli new` on arbitrary bytes: read as JSON as the command reads them,
// turned into the wizard's schedule text and loaded. Whatever loads must save and load back as
// the same document.
#include "cli/cli_common.h"
#include "cli/json.h"
#include "files/schedule_text.h"
#include "program_folder.h"
#include "round_trip.h"
#include "setup/wizard_answers.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace shiftex;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Result<nlohmann::json> json = cli::ParseJson(bytes);
    if (!json)
        return 0;
    std::vector<std::string> text;
    try {
        text = BuildScheduleText(cli::ReadWizardAnswers(*json));
    } catch (...) {
        return 0;  // answers of the wrong shape, refused with their message by the command
    }
    if (text.empty() || text.front() != kScheduleTextMagic)
        __builtin_trap();
    SilentMessageSink messages;
    const Result<ScheduleDocument> document =
        LoadScheduleText(text, fuzz::ProgramFolder(), messages);
    if (!document)
        return 0;
    fuzz::CheckTextSavesAndLoadsBack(*document);
    return 0;
}
