// The schedule text loader on arbitrary bytes, decoded and read line by line as a file is.
// Whatever loads must save as a schedule file that opens again as the same document, as a
// convert does.
#include "program_folder.h"
#include "round_trip.h"
#include "files/schedule_text.h"
#include "files/text_io.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    shiftex::SilentMessageSink messages;
    std::string decoded;
    const shiftex::Result<shiftex::ScheduleDocument> document = shiftex::LoadScheduleText(
        shiftex::DecodedText(bytes, decoded), shiftex::fuzz::ProgramFolder(), messages);
    if (!document)
        return 0;
    shiftex::fuzz::CheckTextSavesAndLoadsBack(*document);
    return 0;
}
