#include "platform/report_files.h"

#include "files/text_io.h"
#include "reports/print_commands.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace shiftex {

Error CannotCreateFile(const std::filesystem::path& path)
{
    return Error{ErrorKind::FileSystem, std::string(kCannotCreateFile) + path.string()};
}

Result<void> WriteThroughTemporary(const std::filesystem::path& path,
                                   const std::function<bool(const std::filesystem::path&)>& write)
{
    std::string temporary = path.string() + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return std::unexpected(CannotCreateFile(path));
    ::close(fd);
    // mkstemp makes a file for its owner only; the export gets the mode a new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool written = ::chmod(temporary.c_str(), 0666 & ~mask) == 0 && write(temporary);
    written = written && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
        ::unlink(temporary.c_str());
        return std::unexpected(CannotCreateFile(path));
    }
    return {};
}

Result<void> WriteBytes(const std::filesystem::path& path, std::string_view bytes)
{
    if (!WriteFileAtomically(path, bytes))
        return std::unexpected(CannotCreateFile(path));
    return {};
}

} // namespace shiftex
