#pragma once

#include "model/result.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shiftex {

// Bytes as UTF-8 text: valid UTF-8 stays as it is, anything else is read as Windows-1252.
std::string DecodeText(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
// The UTF-8 bytes of one code point.
void AppendUtf8(std::string& out, char32_t codePoint);
// The text of the bytes as DecodeText gives it, without a copy when they are valid UTF-8 already:
// either `bytes` or `storage`, which then holds the decoded text.
std::string_view DecodedText(std::string_view bytes, std::string& storage);
// Carriage return, line feed or both end a line; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);
// The number of lines SplitLines would give, without making them.
std::size_t CountLines(std::string_view text);
// The line starting at `at`, and `at` moved past its line end.
std::string_view TakeLine(std::string_view text, std::size_t& at);
// Lines joined with CR LF after each.
std::string JoinLines(const std::vector<std::string>& lines);

// The longest file this program reads. Its schedule files were always read through stream
// positions of 32 bits, so none is longer; neither is any other file it reads.
inline constexpr std::size_t kMaxFileBytes = 0x7FFFFFFF;

enum class ReadStatus { Ok, Failed, TooLong };
// Appends the rest of the open file `fd` to `bytes`, as long as they stay within kMaxFileBytes.
// `size` is the file's size where it is known, 0 otherwise (a pipe or a device is read in steps
// and never to its end when it has none).
ReadStatus ReadRest(int fd, std::string& bytes, std::size_t size);

// Whole file as decoded lines; nullopt when it cannot be read or is longer than kMaxFileBytes.
std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path);
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// Writes through a temporary file in the same folder, flushed and renamed over the target, so the
// target is either the old file or the new one. A failure names the file and the reason.
Result<void> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);
Result<void> WriteTextLines(const std::filesystem::path& path,
                            const std::vector<std::string>& lines);

// Resolves a relative path below base component by component, matching existing names without
// regard to case; components that do not exist are kept as written.
std::filesystem::path ResolvePath(const std::filesystem::path& base,
                                  const std::filesystem::path& relative);

} // namespace shiftex
