// The schedule file loader on arbitrary bytes: the grid cell stream and the key rows below it.
// Whatever loads must save, load again, and save to the same bytes once more.
#include "files/grid_cell_stream.h"
#include "files/schedule_file.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::string Save(const shiftex::ScheduleDocument& document)
{
    return shiftex::WriteGridCellStream(shiftex::BuildScheduleImage(document));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    shiftex::ScheduleDocument document = shiftex::CreateDocument();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!shiftex::LoadScheduleFile(document, bytes))
        return 0;
    if (shiftex::ScheduleImageTooLarge(document))
        return 0;
    const std::string saved = Save(document);
    shiftex::ScheduleDocument again = shiftex::CreateDocument();
    if (!shiftex::LoadScheduleFile(again, saved))
        __builtin_trap();  // a saved file that does not open again
    if (Save(again) != saved)
        __builtin_trap();  // the second save differs: something was lost or changed
    return 0;
}
