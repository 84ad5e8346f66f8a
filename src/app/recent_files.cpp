#include "app/recent_files.h"

namespace shiftex {

std::string RecentFileValueName(int number)
{
    return "RecentFile" + std::to_string(number);
}

void RecordRecentFile(SettingsStore& store, std::string_view activeTitle)
{
    if (activeTitle.empty() || !store.CreateKey(SettingsScope::User, kRecentFilesKey))
        return;
    std::array<std::string, kRecentFileCount> stored;
    for (int i = 0; i < kRecentFileCount; ++i)
        stored[i] = ReadUserSetting(store, kRecentFilesKey, RecentFileValueName(i + 1));
    const std::string& r1 = stored[0];
    const std::string& r2 = stored[1];
    const std::string& r3 = stored[2];
    // Each entry moves down one place while the title has not been met above it.
    if (r1 != activeTitle && r2 != activeTitle && r3 != activeTitle)
        WriteUserSetting(store, kRecentFilesKey, RecentFileValueName(4), r3);
    if (r1 != activeTitle && r2 != activeTitle)
        WriteUserSetting(store, kRecentFilesKey, RecentFileValueName(3), r2);
    if (r1 != activeTitle)
        WriteUserSetting(store, kRecentFilesKey, RecentFileValueName(2), r1);
    WriteUserSetting(store, kRecentFilesKey, RecentFileValueName(1), activeTitle);
}

std::optional<RecentMenu> RecentFiles(const SettingsStore& store)
{
    if (!store.KeyExists(SettingsScope::User, kRecentFilesKey))
        return std::nullopt;
    RecentMenu menu;
    for (int i = 0; i < kRecentFileCount; ++i) {
        std::string value = ReadUserSetting(store, kRecentFilesKey, RecentFileValueName(i + 1));
        if (!value.empty())
            menu[i] = std::move(value);
    }
    return menu;
}

} // namespace shiftex
