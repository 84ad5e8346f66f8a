#include "app/opening.h"

#include "app/recent_files.h"
#include "files/schedule_file.h"
#include "files/schedule_loader.h"

#include <algorithm>

#include <sys/stat.h>

namespace shiftex {

std::optional<ScheduleDocument> OpenScheduleFile(const std::vector<std::string>& openFilePaths,
                                                 const std::string& path,
                                                 const std::filesystem::path& programFolder,
                                                 MessageSink& messages, SettingsStore& settings,
                                                 const LoadProgress& progress,
                                                 const TextMetrics& metrics)
{
    if (std::find(openFilePaths.begin(), openFilePaths.end(), path) != openFilePaths.end()) {
        messages.Information(kAlreadyOpenMessage);
        return std::nullopt;
    }
    Result<ScheduleDocument> loaded =
        LoadScheduleFromFile(path, programFolder, messages, progress, metrics);
    if (!loaded) {
        messages.Error(loaded.error().message);
        return std::nullopt;
    }
    ScheduleDocument document = std::move(*loaded);
    document.title = path;
    document.filePath = path;
    document.modified = false;
    RecordRecentFile(settings, document.title);
    return document;
}

bool HasOwnFile(const ScheduleDocument& document)
{
    return !document.filePath.empty() && document.filePath != kNoFilePath;
}

bool SaveScheduleAs(ScheduleDocument& document, const std::string& path, MessageSink& messages,
                    SettingsStore& settings)
{
    // A save writes a new file in the place of the old one; further hard links of the old file
    // go on naming it.
    struct stat info {};
    const bool linked = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                        info.st_nlink > 1;
    if (const Result<void> saved = SaveSchedule(document, path); !saved) {
        messages.Error(saved.error().message);
        return false;
    }
    if (linked)
        messages.Information("\"" + path + "\" was saved as a new file; its " +
                             std::to_string(info.st_nlink - 1) +
                             " other hard link(s) keep the content it had before.");
    document.filePath = path;
    document.title = path;
    document.modified = false;
    RecordRecentFile(settings, path);
    return true;
}

} // namespace shiftex
