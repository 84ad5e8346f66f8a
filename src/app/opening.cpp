#include "app/opening.h"

#include "app/recent_files.h"
#include "files/schedule_file.h"
#include "files/schedule_loader.h"
#include "files/text_io.h"

#include <algorithm>

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
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
        messages.Error("Unable to find " + path + ".");
        return std::nullopt;
    }
    // A file that cannot be read is read as one empty line, which is no schedule text.
    const std::string bytes = ReadFileBytes(path).value_or(std::string());
    ScheduleDocument document = CreateDocument();
    document.title = path;
    document.filePath = path;
    if (std::expected<void, LoadError> loaded =
            LoadScheduleBytes(document, bytes, programFolder, messages, progress, metrics);
        !loaded) {
        messages.Error(LoadFailureMessage(path, loaded.error().message));
        return std::nullopt;
    }
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
    if (const std::optional<std::string> error = SaveSchedule(document, path)) {
        messages.Error(*error);
        return false;
    }
    document.filePath = path;
    document.title = path;
    document.modified = false;
    RecordRecentFile(settings, path);
    return true;
}

} // namespace shiftex
