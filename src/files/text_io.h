#pragma once

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
// Carriage return, line feed or both end a line; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);
// Lines joined with CR LF after each.
std::string JoinLines(const std::vector<std::string>& lines);

// Whole file as decoded lines; nullopt when it cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path);
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// Writes through a temporary file in the same folder, flushed and renamed over the target, so the
// target is either the old file or the new one. Returns an error text on failure.
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& path,
                                               std::string_view bytes);
std::optional<std::string> WriteTextLines(const std::filesystem::path& path,
                                          const std::vector<std::string>& lines);

// Resolves a relative path below base component by component, matching existing names without
// regard to case; components that do not exist are kept as written.
std::filesystem::path ResolvePath(const std::filesystem::path& base,
                                  const std::filesystem::path& relative);

} // namespace shiftex
