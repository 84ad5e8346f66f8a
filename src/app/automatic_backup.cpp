#include "app/automatic_backup.h"

#include "app/opening.h"
#include "files/schedule_file.h"
#include "setup/options_working_copy.h"

#include <set>
#include <system_error>

namespace shiftex {

namespace {

constexpr const char* kBackupExtension = ".SXT";
constexpr const char* kNeverSaved = "NEW";

// A name no file in the folder has yet and no other schedule of this backup took: a second one
// of the same second gets "_2" before its extension, and so on.
std::filesystem::path FreePath(const std::filesystem::path& folder, const std::string& name,
                               std::set<std::string>& taken)
{
    const std::string stem = name.substr(0, name.size() - std::string(kBackupExtension).size());
    std::string candidate = name;
    std::error_code error;
    const auto used = [&] {
        return taken.contains(candidate) || std::filesystem::exists(folder / candidate, error);
    };
    for (int n = 2; used(); ++n)
        candidate = stem + "_" + std::to_string(n) + kBackupExtension;
    taken.insert(candidate);
    return folder / candidate;
}

} // namespace

std::string BackupFileName(const ScheduleDocument& document, const std::tm& time)
{
    const std::string stem = HasOwnFile(document)
                                 ? std::filesystem::path(document.filePath).stem().string()
                                 : std::string(kNeverSaved);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &time);
    return (stem.empty() ? std::string(kNeverSaved) : stem) + "_" + stamp + kBackupExtension;
}

AutomaticBackup::AutomaticBackup(SettingsStore& settings, MessageSink& messages,
                                 BackupTimer& timer, std::filesystem::path programFolder)
    : settings_(settings), messages_(messages), timer_(timer),
      programFolder_(std::move(programFolder))
{
}

void AutomaticBackup::Start(const BackupSettings& settings)
{
    folder_ = settings.folder;
    interval_ = settings.interval;
    if (settings.enabled)
        timer_.Start(settings.IntervalMilliseconds());
    else
        timer_.Stop();
}

void AutomaticBackup::SetProgramFolder(std::filesystem::path programFolder)
{
    programFolder_ = std::move(programFolder);
}

std::filesystem::path AutomaticBackup::Folder() const
{
    return folder_.empty() ? programFolder_ / kBackupFolderName
                           : std::filesystem::path(folder_);
}

bool AutomaticBackup::ApplyBackupChoice(const std::string& toggle, const std::string& folder,
                                        const std::string& interval)
{
    if (!settings_.CreateKey(SettingsScope::User, kBackupKey)) {
        messages_.Error(kRegistryWriteFailed);
        return true;
    }
    auto write = [&](const char* name, const std::string& value) {
        return WriteUserSetting(settings_, kBackupKey, name, value);
    };
    if (toggle != kBackupOn) {
        // The folder and interval stay stored for the next time.
        if (!write("Enabled", "false")) {
            messages_.Error(kBackupSettingsFailed);
            return false;
        }
        timer_.Stop();
        return true;
    }
    if (!write("Enabled", "true") || !write("Path", folder) || !write("Interval", interval)) {
        messages_.Error(kBackupSettingsFailed);
        return false;
    }
    folder_ = folder;
    interval_ = interval;
    timer_.Start(BackupSettings{true, folder_, interval_}.IntervalMilliseconds());
    return true;
}

bool AutomaticBackup::Tick(const std::vector<const ScheduleDocument*>& schedules,
                           CloseGuard& guard, const std::tm& now, const Progress& progress)
{
    if (!timer_.IsRunning())
        return false;
    guard.readyForClose = false;
    const std::filesystem::path folder = Folder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::vector<std::string> failures;
    std::set<std::string> taken;
    const int count = static_cast<int>(schedules.size());
    for (int i = 0; i < count; ++i) {
        const ScheduleDocument& document = *schedules[static_cast<std::size_t>(i)];
        const std::filesystem::path path =
            FreePath(folder, BackupFileName(document, now), taken);
        if (Result<void> saved = SaveSchedule(document, path); !saved)
            failures.push_back(std::move(saved.error().message));
        if (progress)
            progress(i + 1, count);
    }
    guard.readyForClose = true;

    if (failures.empty()) {
        status_ = {kBackupSuccessful, true, {}};
        failing_ = false;
        return true;
    }
    status_ = {kBackupFailed, false, failures.front()};
    // One message per run of failures; the panel keeps saying so until a backup succeeds.
    if (!failing_) {
        std::string message = "The automatic backup could not be written:";
        for (const std::string& failure : failures)
            message += "\n" + failure;
        message += "\nThe next backup is tried at the next interval.";
        messages_.Error(message);
    }
    failing_ = true;
    return false;
}

void AutomaticBackup::StatusTimerElapsed()
{
    if (status_.text == kBackupSuccessful)
        status_ = {};
}

} // namespace shiftex
