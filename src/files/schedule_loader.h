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

// Fills a document made by CreateDocument from the bytes of a file of either form.
std::expected<void, LoadError> LoadScheduleBytes(
    ScheduleDocument& document, std::string_view bytes, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress = {},
    const TextMetrics& metrics = DefaultTextMetrics());

// What the user is told when the file at `path` does not load for `reason`: the file's name,
// then the reason. The damaged-file message stands alone, as it always has.
std::string LoadFailureMessage(const std::string& path, const std::string& reason);

// Loads a schedule file of either form, chosen by its first line, into a new document. A file
// that cannot be read gives "Unable to find " + path + "."; a file that does not load gives
// LoadFailureMessage.
std::expected<ScheduleDocument, LoadError> LoadScheduleFromFile(
    const std::filesystem::path& path, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress = {},
    const TextMetrics& metrics = DefaultTextMetrics());

} // namespace shiftex
