// The schedule file loader on arbitrary bytes: the grid cell stream and the key rows below it.
#include "files/schedule_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    shiftex::ScheduleDocument document = shiftex::CreateDocument();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto loaded = shiftex::LoadScheduleFile(document, bytes);
    if (loaded) {
        // What was loaded saves again.
        (void)shiftex::BuildScheduleImage(document);
    }
    return 0;
}
