#include "files/schedule_loader.h"

#include "files/grid_cell_stream.h"
#include "files/schedule_file.h"
#include "files/text_io.h"

#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shiftex {

bool IsScheduleText(std::string_view bytes)
{
    // Decoding keeps line ends and ASCII as they are, so the first line can be compared as bytes.
    return bytes.substr(0, bytes.find_first_of("\r\n")) == kScheduleTextMagic;
}

Result<ScheduleDocument> LoadScheduleBytes(
    std::string_view bytes, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress, const TextMetrics& metrics)
{
    if (IsScheduleText(bytes)) {
        std::string decoded;
        return LoadScheduleText(DecodedText(bytes, decoded), programFolder, messages, progress,
                                metrics);
    }
    return LoadScheduleFile(bytes, progress);
}

std::string LoadFailureMessage(const std::string& path, const std::string& reason)
{
    if (reason == kDamagedFileMessage)
        return reason;
    return "Unable to load " + path + ".\n" + reason;
}

namespace {

Error Unreadable(const std::filesystem::path& path, int error)
{
    return {ErrorKind::FileSystem,
            "Unable to read " + path.string() + ": " + std::strerror(error) + "."};
}

Error TooLong(const std::filesystem::path& path, std::uintmax_t size)
{
    std::string message = std::string(kDamagedFileMessage) + "\n" + path.string();
    if (size > 0)
        message += " is " + std::to_string(size) + " bytes long;";
    else
        message += " is longer than that;";
    return {ErrorKind::RefusedInput, message + " no schedule file is longer than " +
                                         std::to_string(kMaxFileBytes) + " bytes."};
}

Error OutOfMemory(const std::filesystem::path& path)
{
    return {ErrorKind::RefusedInput, "There is not enough memory to load " + path.string() + "."};
}

class FileCloser {
public:
    explicit FileCloser(int fd) : fd_(fd) {}
    ~FileCloser() { ::close(fd_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    int fd_;
};

} // namespace

Result<std::string> ReadScheduleFile(const std::filesystem::path& path)
{
    // Not waiting for a writer when the path names a pipe; reads block again below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR || path.empty())
            return Fail(ErrorKind::FileSystem, "Unable to find " + path.string() + ".");
        return std::unexpected(Unreadable(path, errno));
    }
    const FileCloser closer(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return std::unexpected(Unreadable(path, errno));
    if (S_ISDIR(info.st_mode))
        return std::unexpected(Unreadable(path, EISDIR));
    if (const int flags = ::fcntl(fd, F_GETFL); flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const bool regular = S_ISREG(info.st_mode);
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (regular && size > kMaxFileBytes)
        return std::unexpected(TooLong(path, size));
    try {
        // The first bytes tell whether the file can be a schedule at all: a grid cell stream's
        // signature, or the magic line and its end. Nothing more is read of anything else.
        std::string bytes;
        const std::size_t first = std::string_view(kScheduleTextMagic).size() + 1;
        bytes.resize(first);
        std::size_t filled = 0;
        while (filled < first) {
            const ssize_t n = ::read(fd, bytes.data() + filled, first - filled);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return std::unexpected(Unreadable(path, errno));
            if (n == 0)
                break;
            filled += static_cast<std::size_t>(n);
        }
        bytes.resize(filled);
        if (!bytes.starts_with(kGridCellStreamSignature) && !IsScheduleText(bytes))
            return Fail(ErrorKind::DamagedFile, kDamagedFileMessage);
        switch (ReadRest(fd, bytes, regular ? static_cast<std::size_t>(size) : 0)) {
        case ReadStatus::Ok:
            return bytes;
        case ReadStatus::TooLong:
            return std::unexpected(TooLong(path, regular ? size : 0));
        case ReadStatus::Failed:
            break;
        }
        return std::unexpected(Unreadable(path, errno));
    } catch (const std::bad_alloc&) {
        return std::unexpected(OutOfMemory(path));
    }
}

Result<ScheduleDocument> LoadScheduleFromFile(
    const std::filesystem::path& path, const std::filesystem::path& programFolder,
    MessageSink& messages, const LoadProgress& progress, const TextMetrics& metrics)
{
    Result<std::string> bytes = ReadScheduleFile(path);
    if (!bytes)
        return std::unexpected(bytes.error());
    try {
        Result<ScheduleDocument> loaded =
            LoadScheduleBytes(*bytes, programFolder, messages, progress, metrics);
        if (!loaded)
            return Fail(loaded.error().kind,
                        LoadFailureMessage(path.string(), loaded.error().message));
        return loaded;
    } catch (const std::bad_alloc&) {
        return std::unexpected(OutOfMemory(path));
    }
}

} // namespace shiftex
