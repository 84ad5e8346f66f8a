// The program folder of the targets that load schedule texts.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace shiftex::fuzz {

// One program folder for every run, seeded once with the shipped holidays; the loader writes
// year folders into it. It is kept between runs (the fuzzer's own processes end without
// clean-up); run-fuzzers removes it.
inline const std::filesystem::path& ProgramFolder()
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

} // namespace shiftex::fuzz
