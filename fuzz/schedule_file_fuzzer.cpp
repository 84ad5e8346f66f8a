// The schedule file loader on arbitrary bytes: the grid cell stream and the key rows below it.
// Whatever loads must save, load again as the same document, and save to the same bytes.
#include "round_trip.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const shiftex::Result<shiftex::ScheduleDocument> document = shiftex::LoadScheduleFile(bytes);
    if (!document)
        return 0;
    shiftex::fuzz::CheckSavesAndLoadsBack(*document);
    return 0;
}
