// The schedule text loader on arbitrary bytes, decoded and split into lines as a file is.
// Whatever loads must save as a schedule file that opens again, as a convert does.
#include "files/grid_cell_stream.h"
#include "files/schedule_file.h"
#include "files/schedule_text.h"
#include "files/text_io.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// One program folder for every run, seeded once with the shipped holidays; the loader writes
// year folders into it. It is kept between runs (the fuzzer's own processes end without
// clean-up); run-fuzzers removes it.
const std::filesystem::path& ProgramFolder()
{
    static const std::filesystem::path folder = [] {
        const char* set = std::getenv("SHIFTEX_FUZZ_PROGRAM_FOLDER");
        const std::filesystem::path path =
            set && *set ? std::filesystem::path(set)
                        : std::filesystem::temp_directory_path() /
                              ("shiftex-fuzz-" + std::to_string(::getuid()));
        std::filesystem::create_directories(path);
        using std::filesystem::copy_options;
        std::filesystem::copy(SHIFTEX_DATA_DIR, path,
                              copy_options::recursive | copy_options::skip_existing);
        return path;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    shiftex::ScheduleDocument document = shiftex::CreateDocument();
    shiftex::SilentMessageSink messages;
    if (!shiftex::LoadScheduleText(document, shiftex::SplitLines(shiftex::DecodeText(bytes)),
                                   ProgramFolder(), messages))
        return 0;
    // A text of no day at all loads, but a schedule file has no month title for it.
    const bool noDay = document.sheet.colCount() <= document.sheet.fixedCols;
    if (noDay || shiftex::ScheduleImageTooLarge(document))
        return 0;
    shiftex::ScheduleDocument saved = shiftex::CreateDocument();
    if (!shiftex::LoadScheduleFile(
            saved, shiftex::WriteGridCellStream(shiftex::BuildScheduleImage(document))))
        __builtin_trap();  // a converted text that does not open
    return 0;
}
