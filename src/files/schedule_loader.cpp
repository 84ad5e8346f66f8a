#include "files/schedule_loader.h"

#include "files/text_io.h"

namespace shiftex {

std::expected<ScheduleDocument, LoadError> LoadScheduleFromFile(
    const std::filesystem::path& path, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress, const TextMetrics& metrics)
{
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes)
        return std::unexpected(LoadError{"Unable to find " + path.string() + "."});
    ScheduleDocument document = CreateDocument();
    std::expected<void, LoadError> loaded =
        LoadScheduleText(document, SplitLines(DecodeText(*bytes)), programFolder, messages,
                         progress, metrics);
    if (!loaded)
        return std::unexpected(loaded.error());
    return document;
}

} // namespace shiftex
