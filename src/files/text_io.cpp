#include "files/text_io.h"

#include "files/large_buffer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shiftex {

namespace {

// Windows-1252 code points of the bytes 0x80..0x9F. The five bytes the code page leaves undefined
// keep their Latin-1 value, so nothing of the file is lost.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string ErrnoText(int error)
{
    return std::strerror(error);
}

// The mode a newly created file would get: 0666 less the process's umask. The umask is read from
// /proc so that it is never changed, not even for a moment.
mode_t NewFileMode()
{
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            try {
                mask = static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
            } catch (const std::exception&) {
            }
            break;
        }
    }
    return 0666 & ~mask;
}

constexpr std::size_t kReadStep = 65536;

// Writes in parts and has the system start putting each part on disk at once, while the next is
// being written; the caller's fsync then waits only for the rest.
bool WriteAll(int fd, std::string_view bytes, int& error)
{
    constexpr std::size_t kPart = std::size_t{8} << 20;
    [[maybe_unused]] off_t offset = 0;
    while (!bytes.empty()) {
        const std::size_t part = std::min(bytes.size(), kPart);
        std::string_view rest = bytes.substr(0, part);
        while (!rest.empty()) {
            const ssize_t n = ::write(fd, rest.data(), rest.size());
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                error = errno;
                return false;
            }
            rest.remove_prefix(static_cast<std::size_t>(n));
        }
#if defined(__linux__)
        // Only a hint, so its failure does not matter.
        ::sync_file_range(fd, offset, static_cast<off_t>(part), SYNC_FILE_RANGE_WRITE);
        offset += static_cast<off_t>(part);
#endif
        bytes.remove_prefix(part);
    }
    return true;
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            len = 2;
            cp = b0 & 0x1F;
            min = 0x80;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            len = 3;
            cp = b0 & 0x0F;
            min = 0x800;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            len = 4;
            cp = b0 & 0x07;
            min = 0x10000;
        } else {
            return false;
        }
        if (n - i < len)
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

std::string DecodeText(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F)
            AppendUtf8(out, kCp1252High[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::string_view DecodedText(std::string_view bytes, std::string& storage)
{
    if (IsValidUtf8(bytes))
        return bytes;
    storage = DecodeText(bytes);
    return storage;
}

std::string_view TakeLine(std::string_view text, std::size_t& at)
{
    const std::size_t start = at;
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    at = end;
    if (at < text.size()) {
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
        ++at;
    }
    return text.substr(start, end - start);
}

std::size_t CountLines(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count)
        TakeLine(text, at);
    return count;
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

ReadStatus ReadRest(int fd, std::string& bytes, std::size_t size)
{
    // A file of known size goes straight into a buffer of its size and one byte more, so that
    // its end is seen without growing the buffer. Other files, and a file that grows meanwhile,
    // are read in steps that double, up to one byte beyond the limit.
    std::size_t step = size > bytes.size() ? size - bytes.size() + 1 : kReadStep;
    bool end = false;
    bool failed = false;
    while (!end && !failed) {
        const std::size_t used = bytes.size();
        step = std::min(step, kMaxFileBytes + 1 - used);
        if (step == 0)
            return ReadStatus::TooLong;
        ReserveLargeBuffer(bytes, used + step);
        bytes.resize_and_overwrite(used + step, [&](char* data, std::size_t length) {
            std::size_t filled = used;
            while (filled < length) {
                const ssize_t n = ::read(fd, data + filled, length - filled);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    failed = true;
                if (n <= 0) {
                    end = n == 0;
                    break;
                }
                filled += static_cast<std::size_t>(n);
            }
            return filled;
        });
        step = std::max(bytes.size(), kReadStep);
    }
    if (failed)
        return ReadStatus::Failed;
    return bytes.size() > kMaxFileBytes ? ReadStatus::TooLong : ReadStatus::Ok;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    const bool sized = S_ISREG(info.st_mode) && info.st_size > 0;
    const ReadStatus status =
        sized && static_cast<std::uintmax_t>(info.st_size) > kMaxFileBytes
            ? ReadStatus::TooLong
            : ReadRest(fd, bytes, sized ? static_cast<std::size_t>(info.st_size) : 0);
    ::close(fd);
    if (status != ReadStatus::Ok)
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path)
{
    const auto bytes = ReadFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return SplitLines(DecodeText(*bytes));
}

namespace {

constexpr std::string_view kTemporaryTag = ".tmp-";
constexpr std::size_t kTemporarySuffix = 6;  // as mkstemp's XXXXXX

bool IsTemporaryOf(const std::string& name, const std::string& target)
{
    if (name.size() != target.size() + kTemporaryTag.size() + kTemporarySuffix ||
        !name.starts_with(target) || name.compare(target.size(), kTemporaryTag.size(),
                                                  kTemporaryTag) != 0)
        return false;
    return std::all_of(name.end() - kTemporarySuffix, name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// A save that was ended half-way (the program killed) may have left its temporary file beside
// the target; the next save of that target removes it.
void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& target)
{
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (IsTemporaryOf(it->path().filename().string(), target) &&
            it->is_regular_file(ec))
            std::filesystem::remove(it->path(), ec);
    }
}

// Gives the unnamed file `fd` the name `name`: a fresh temporary name beside the target.
bool NameUnnamedFile(int fd, std::string& name, const std::string& prefix)
{
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix;
        for (std::size_t k = 0; k < kTemporarySuffix; ++k)
            name += kLetters[random() % (sizeof(kLetters) - 1)];
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

} // namespace

Result<void> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes)
{
    // Writing through a link would replace the link by a file; write where it points instead.
    std::filesystem::path target = path;
    std::error_code ec;
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    const std::string where = "\"" + path.string() + "\"";
    auto failure = [&](int error) -> Result<void> {
        return Fail(ErrorKind::FileSystem, "Cannot write " + where + ": " + ErrnoText(error));
    };

    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    // The rename would replace a file that may not be written, since only its folder is asked;
    // refuse it as writing it in place would be refused.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return failure(errno);

    const auto folder = target.parent_path().empty() ? std::filesystem::path(".")
                                                     : target.parent_path();
    RemoveStaleTemporaries(folder, target.filename().string());

    // The new content goes into a file without a name, so that nothing is left behind when the
    // program is ended while writing; it gets a name only once complete. Where the file system
    // has no unnamed files, a named temporary file is written instead.
    const std::string prefix = target.string() + std::string(kTemporaryTag);
    std::string tempName;
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const bool unnamed = fd >= 0;
    if (!unnamed) {
        tempName = prefix + std::string(kTemporarySuffix, 'X');
        fd = ::mkstemp(tempName.data());
        if (fd < 0)
            return failure(errno);
    }
    bool open = true;
    auto fail = [&](int error) -> Result<void> {
        if (open)
            ::close(fd);
        if (!tempName.empty())
            ::unlink(tempName.c_str());
        return failure(error);
    };

    // The new file is the old one's: its owner and group where this process may give them
    // (root saving another user's file), and its mode; a new file gets the mode of a new file.
    if (exists && ::fchown(fd, info.st_uid, info.st_gid) != 0) {
        // Not permitted: the file becomes this user's, as any new file would.
    }
    const mode_t mode = exists ? (info.st_mode & 07777) : NewFileMode();
    if (::fchmod(fd, mode) != 0)
        return fail(errno);
    int error = 0;
    if (!WriteAll(fd, bytes, error))
        return fail(error);
    if (::fsync(fd) != 0)
        return fail(errno);
    if (unnamed && !NameUnnamedFile(fd, tempName, prefix)) {
        const int linkError = errno;
        tempName.clear();
        return fail(linkError);
    }
    open = false;
    if (::close(fd) != 0)
        return fail(errno);
    if (std::rename(tempName.c_str(), target.c_str()) != 0)
        return fail(errno);

    // Make the rename itself durable; a failure here does not undo the write.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

Result<void> WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines)
{
    return WriteFileAtomically(path, JoinLines(lines));
}

std::filesystem::path ResolvePath(const std::filesystem::path& base,
                                  const std::filesystem::path& relative)
{
    namespace fs = std::filesystem;
    fs::path current = base;
    fs::path rest = relative;
    if (relative.has_root_path()) {
        current = relative.root_path();
        rest = relative.relative_path();
    }
    bool matching = true;
    for (const auto& component : rest) {
        const std::string name = component.string();
        if (name.empty())
            continue;
        if (!matching || name == "." || name == "..") {
            current /= component;
            continue;
        }
        std::error_code ec;
        if (fs::exists(fs::symlink_status(current / component, ec))) {
            current /= component;
            continue;
        }
        // Several entries may differ only in case; take the smallest name so the choice does not
        // depend on the order in which the folder lists them.
        std::optional<std::string> found;
        fs::directory_iterator it(current, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            const std::string candidate = it->path().filename().string();
            if (EqualsIgnoringAsciiCase(candidate, name) && (!found || candidate < *found))
                found = candidate;
        }
        if (found) {
            current /= *found;
        } else {
            current /= component;
            matching = false;
        }
    }
    return current;
}

} // namespace shiftex
