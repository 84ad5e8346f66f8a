#pragma once

#include "model/message_sink.h"
#include "model/schedule_document.h"

#include <expected>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace shiftex {

inline constexpr const char* kScheduleTextMagic = "ShiftexV4.2";
inline constexpr const char* kDamagedFileMessage =
    "This file is either damaged or is not a Shiftex - compatible file.";

struct LoadError {
    std::string message;
};

// Told the line being read while a text loads.
using LoadProgress = std::function<void(int line, int lineCount)>;

// Fills a document made by CreateDocument from the lines of a schedule text. On failure the
// document is to be discarded and the error reported.
std::expected<void, LoadError> LoadScheduleText(ScheduleDocument& document,
                                                std::vector<std::string> lines,
                                                const std::filesystem::path& programFolder,
                                                MessageSink& messages,
                                                const LoadProgress& progress = {});

// The lines of a schedule text for a one-month document, in the layout the loader reads.
std::vector<std::string> WriteScheduleText(const ScheduleDocument& document);

} // namespace shiftex
