#pragma once

#include "model/settings_store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace shiftex {

inline constexpr const char* kRecentFilesKey = "\\Software\\Shiftex\\RecentFiles";
inline constexpr int kRecentFileCount = 4;

// "RecentFile1" (the most recent) to "RecentFile4".
std::string RecentFileValueName(int number);

// Puts the active window's title at the front of the recent list; the entries before its old
// place move down by one and nothing is duplicated. An empty title (no active window) and any
// failure of the store are ignored.
void RecordRecentFile(SettingsStore& store, std::string_view activeTitle);

// The captions of the four "&Reopen" entries, most recent first; an entry without a caption is
// hidden. Nullopt when the recent-files key does not exist: the entries stay as they are.
using RecentMenu = std::array<std::optional<std::string>, kRecentFileCount>;
std::optional<RecentMenu> RecentFiles(const SettingsStore& store);

} // namespace shiftex
