#include "app/startup.h"

#include <charconv>
#include <cstdio>

namespace shiftex {

namespace {

constexpr int kMinScreenWidth = 1024;
constexpr int kMinScreenHeight = 768;
constexpr int kMinInterval = 1;
constexpr int kMaxInterval = 60;
constexpr const char* kDefaultInterval = "5";

DateFormat& MutableDateFormat()
{
    static DateFormat format;
    return format;
}

} // namespace

std::string MainCaption(std::string_view version)
{
    return std::string(kProductName) + " version " + std::string(version);
}

std::optional<std::string> ScreenSizeNotice(int width, int height)
{
    // Only a screen small in both directions gets the notice.
    if (height >= kMinScreenHeight || width >= kMinScreenWidth)
        return std::nullopt;
    return "This software works best when having a screen resolution of \n\r768*1024 or "
           "higher. (Your current resolution is " +
           std::to_string(height) + "*" + std::to_string(width) + "." + "\n\r" +
           "Click the Ok-button to continue loading Shiftex.";
}

int BackupSettings::IntervalMilliseconds() const
{
    int minutes = 0;
    const std::string valid = ValidBackupInterval(interval);
    std::from_chars(valid.data(), valid.data() + valid.size(), minutes);
    return minutes * 60000;
}

std::string ValidBackupInterval(std::string_view text)
{
    int minutes = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), minutes);
    if (error != std::errc() || end != text.data() + text.size() || minutes < kMinInterval ||
        minutes > kMaxInterval)
        return kDefaultInterval;
    return std::to_string(minutes);
}

BackupSettings ReadBackupSettings(const SettingsStore& settings)
{
    BackupSettings backup;
    if (!settings.KeyExists(SettingsScope::User, kBackupKey))
        return backup;
    backup.enabled = settings.ReadValue(SettingsScope::User, kBackupKey, "Enabled") ==
                     std::optional<std::string>("true");
    backup.folder = settings.ReadValue(SettingsScope::User, kBackupKey, "Path").value_or("");
    backup.interval = ValidBackupInterval(
        settings.ReadValue(SettingsScope::User, kBackupKey, "Interval").value_or(""));
    return backup;
}

const DateFormat& ProgramDateFormat() { return MutableDateFormat(); }

std::string FormatShortDate(int day, int month, int year)
{
    const char sep = ProgramDateFormat().separator;
    char text[32];
    std::snprintf(text, sizeof text, "%02d%c%02d%c%04d", day, sep, month, sep, year);
    return text;
}

StartupState RunStartup(StartupServices& services, SettingsStore& settings,
                        MessageSink& messages)
{
    StartupState state;
    state.caption = MainCaption();
    state.programFolder = services.ProgramFolder();
    state.helpAvailable = services.LoadHelp(state.programFolder);
    if (!state.helpAvailable)
        messages.Error(kHelpMissingMessage);
    services.RegisterFileType(state.programFolder);
    MutableDateFormat() = DateFormat{};

    state.documentsFolder = services.DocumentsFolder();
    // The version keys are for other programs to find this one; a store that refuses them
    // (no rights for the machine-wide scope) still has the user's backup settings to read.
    settings.WriteValue(SettingsScope::Machine, kVersionKey, "Version", kVersionText);
    settings.WriteValue(SettingsScope::Machine, kVersionKey, "Path", state.programFolder);
    state.backup = ReadBackupSettings(settings);

    if (const std::optional<std::string> notice =
            ScreenSizeNotice(services.ScreenWidth(), services.ScreenHeight()))
        messages.Information(*notice);
    return state;
}

} // namespace shiftex
