#pragma once

#include "app/startup.h"
#include "editing/schedule_closing.h"
#include "model/message_sink.h"
#include "model/schedule_document.h"
#include "model/settings_store.h"
#include "setup/options_dialog.h"

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace shiftex {

inline constexpr const char* kBackupSuccessful = "  Backup successful";
inline constexpr const char* kBackupFailed = "  Backup failed";
inline constexpr const char* kRegistryWriteFailed =
    "Authorization to write to the registry failed.\n\rautosave feature is disabled";
inline constexpr const char* kBackupSettingsFailed =
    "An error occured. Please check wether your adjustments have been saved.";
inline constexpr int kBackupStatusMilliseconds = 3000;
// The pop-up menu of the backup status panel.
inline constexpr const char* kViewBackupFolderCaption = "View backup folder ...";
inline constexpr const char* kViewBackupFolderHint =
    "View all created backups of your Shiftex schedules";
inline constexpr const char* kGoToBackupSettingsCaption = "Go to backup settings ...";
inline constexpr const char* kGoToBackupSettingsHint = "Set backup properties";

// The timer that starts every backup.
class BackupTimer {
public:
    virtual ~BackupTimer() = default;
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;
    virtual bool IsRunning() const = 0;
};

// The file a schedule's backup of `time` is written to: the name of the schedule's file and
// the time, "ward_2026-12-10_14-05-00.SXT"; "NEW_..." for a schedule never saved.
std::string BackupFileName(const ScheduleDocument& document, const std::tm& time);

// What the backup status panel shows.
struct BackupStatus {
    std::string text;
    bool icon = false;  // the backup icon beside the text
    std::string hint;   // why the last backup failed
};

// The automatic backup of the main window: the backup folder and interval, the timer that runs
// exactly while backups are on, and the backup each time it fires. The settings live under the
// user's key "\Software\Shiftex\BackUp".
class AutomaticBackup final : public ProgramBackup {
public:
    AutomaticBackup(SettingsStore& settings, MessageSink& messages, BackupTimer& timer,
                    std::filesystem::path programFolder);

    // What start-up read: folder and interval taken over, the timer started when enabled.
    void Start(const BackupSettings& settings);
    void SetProgramFolder(std::filesystem::path programFolder);

    std::string BackupFolder() const override { return folder_; }
    std::string BackupInterval() const override { return interval_; }
    bool BackupTimerRunning() const override { return timer_.IsRunning(); }
    // A settings store that cannot be written shows kRegistryWriteFailed and changes nothing
    // else; a write that fails half way shows kBackupSettingsFailed and gives false.
    bool ApplyBackupChoice(const std::string& toggle, const std::string& folder,
                           const std::string& interval) override;

    // The folder the backups go to: the chosen one, else the program folder's "backup".
    std::filesystem::path Folder() const;

    // The timer fired: every open schedule, modified or not, is written into the backup folder
    // as a new file (nothing there is overwritten or deleted; the schedules' own files are never
    // touched). Schedule windows refuse to close meanwhile. After each schedule `progress` is
    // told how many are done. A failure shows the backup status "  Backup failed" and, once per
    // run of failures, an error message; the next tick tries again. False on failure.
    using Progress = std::function<void(int done, int count)>;
    bool Tick(const std::vector<const ScheduleDocument*>& schedules, CloseGuard& guard,
              const std::tm& now, const Progress& progress = {});

    const BackupStatus& status() const { return status_; }
    // The status timer ran out: "  Backup successful" and its icon go; other texts stay.
    void StatusTimerElapsed();

private:
    SettingsStore& settings_;
    MessageSink& messages_;
    BackupTimer& timer_;
    std::filesystem::path programFolder_;
    std::string folder_;
    std::string interval_ = "5";
    BackupStatus status_;
    bool failing_ = false;
};

} // namespace shiftex
