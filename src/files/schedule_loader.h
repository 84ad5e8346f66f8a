#pragma once

#include "files/schedule_text.h"

#include <expected>
#include <filesystem>
#include <string>
#include <string_view>

namespace shiftex {

// True when the bytes are a schedule text: their first line is exactly the magic line. Anything
// else goes to the schedule file loader.
bool IsScheduleText(std::string_view bytes);

// The document the bytes of a file of either form hold.
Result<ScheduleDocument> LoadScheduleBytes(
    std::string_view bytes, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress = {},
    const TextMetrics& metrics = DefaultTextMetrics());

// What the user is told when the file at `path` does not load for `reason`: the file's name,
// then the reason. The damaged-file message stands alone, as it always has.
std::string LoadFailureMessage(const std::string& path, const std::string& reason);

// The bytes of a schedule file of either form. A missing file gives "Unable to find " + path +
// "."; a file that cannot be read (no permission, a folder) says so. What cannot be a schedule is
// refused before it is read: a file longer than kMaxFileBytes, and a file whose first bytes
// begin neither form (the damaged-file message). Running out of memory is reported too.
Result<std::string> ReadScheduleFile(const std::filesystem::path& path);

// Loads a schedule file of either form, chosen by its first line, into a new document; the
// errors of ReadScheduleFile, a file that does not load gives LoadFailureMessage, and running
// out of memory while loading is reported too.
Result<ScheduleDocument> LoadScheduleFromFile(
    const std::filesystem::path& path, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress = {},
    const TextMetrics& metrics = DefaultTextMetrics());

} // namespace shiftex
