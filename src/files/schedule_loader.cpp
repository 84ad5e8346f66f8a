#include "files/schedule_loader.h"

#include "files/schedule_file.h"
#include "files/text_io.h"

namespace shiftex {

bool IsScheduleText(std::string_view bytes)
{
    // Decoding keeps line ends and ASCII as they are, so the first line can be compared as bytes.
    return bytes.substr(0, bytes.find_first_of("\r\n")) == kScheduleTextMagic;
}

std::expected<void, LoadError> LoadScheduleBytes(
    ScheduleDocument& document, std::string_view bytes, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress, const TextMetrics& metrics)
{
    if (IsScheduleText(bytes))
        return LoadScheduleText(document, SplitLines(DecodeText(bytes)), programFolder, messages,
                                progress, metrics);
    return LoadScheduleFile(document, bytes, progress);
}

std::string LoadFailureMessage(const std::string& path, const std::string& reason)
{
    if (reason == kDamagedFileMessage)
        return reason;
    return "Unable to load " + path + ".\n" + reason;
}

std::expected<ScheduleDocument, LoadError> LoadScheduleFromFile(
    const std::filesystem::path& path, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress, const TextMetrics& metrics)
{
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes)
        return std::unexpected(LoadError{"Unable to find " + path.string() + "."});
    ScheduleDocument document = CreateDocument();
    std::expected<void, LoadError> loaded =
        LoadScheduleBytes(document, *bytes, programFolder, messages, progress, metrics);
    if (!loaded)
        return std::unexpected(LoadError{LoadFailureMessage(path.string(), loaded.error().message)});
    return document;
}

} // namespace shiftex
