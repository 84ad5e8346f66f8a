#pragma once

#include "files/schedule_text.h"
#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "model/settings_store.h"
#include "model/sheet_layout.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace shiftex {

inline constexpr const char* kAlreadyOpenMessage = "This file is allready open.";
// The file path of a document that has never been saved.
inline constexpr const char* kNoFilePath = "filename";

// Opens the file at `path` as a new document, whose title and file path become `path`. A file
// already open (exact comparison with `openFilePaths`), a missing file and a file that does not
// load are reported through `messages` and give nullopt. After a successful open the path goes
// to the front of the recent files.
std::optional<ScheduleDocument> OpenScheduleFile(const std::vector<std::string>& openFilePaths,
                                                 const std::string& path,
                                                 const std::filesystem::path& programFolder,
                                                 MessageSink& messages, SettingsStore& settings,
                                                 const LoadProgress& progress = {},
                                                 const TextMetrics& metrics =
                                                     DefaultTextMetrics());

// Whether Save can write to the document's own file; when not, Save behaves as Save As.
bool HasOwnFile(const ScheduleDocument& document);

// Save and Save As once the path is confirmed: writes the schedule file; on success the
// document's file path and title become `path`, it is no longer modified and the path goes to
// the front of the recent files. On failure the error (naming the file and the reason) is
// reported, and the document and the file at `path` stay as they were.
bool SaveScheduleAs(ScheduleDocument& document, const std::string& path, MessageSink& messages,
                    SettingsStore& settings);

} // namespace shiftex
