#pragma once

#include "files/schedule_text.h"

#include <expected>
#include <filesystem>

namespace shiftex {

// Loads a schedule file of either form, chosen by its first line, into a new document.
std::expected<ScheduleDocument, LoadError> LoadScheduleFromFile(
    const std::filesystem::path& path, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress = {},
    const TextMetrics& metrics = DefaultTextMetrics());

} // namespace shiftex
