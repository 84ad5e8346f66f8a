#pragma once

#include "setup/setup_page.h"

#include <filesystem>
#include <string>

namespace shiftex {

inline constexpr const char* kBackupPageText =
    "Click on the button below to enable/disable the automatic\r\nbackup feature";
inline constexpr const char* kBackupEveryText = "A backup will be made every : ";
inline constexpr const char* kBackupMinutesText = "minute(s).";
inline constexpr const char* kBackupFolderLines[] = {
    "If enabled, the files will be saved with the date and time",
    "stamp in following directory:"};
inline constexpr const char* kNoFolderMessage = "Drive or Directory does not exists.";
inline constexpr const char* kBackupHelpTopic = "backup";
inline constexpr int kMaxBackupInterval = 60;

// Where the options dialog keeps the backup choice: the page writes there on "save".
struct BackupChoice {
    std::string& folder;
    std::string& interval;  // minutes, decimal
    std::string& toggle;    // the toggle button's caption: "Disable" while backups are on
};

// The automatic backup on or off, with its interval and folder. Fields "interval" (1 to 60
// minutes) and "folder" (an existing folder; chosen with the folder chooser), both shown only
// while backups are switched on; buttons "toggle" (its text is its caption), "save", "default"
// and "help". Only "save" changes the dialog's choice.
class BackupPage final : public SetupPage {
public:
    // `defaultFolder` is what "&Default" proposes.
    BackupPage(BackupChoice choice, std::filesystem::path defaultFolder);

    // Whether the panel with the interval and the folder is shown (backups switched on).
    bool panelShown() const { return IsVisible("interval"); }
    bool CanHold(std::string_view field, std::string_view text) const override;

private:
    Result<void> OnFieldSet(const std::string& field) override;
    Result<void> OnFieldLeft(const std::string& field) override;
    Result<void> OnPress(const std::string& button) override;
    // The toggle reads `caption`; the panel is shown unless it reads "Enable".
    void ShowToggle(const std::string& caption);

    BackupChoice choice_;
    std::filesystem::path defaultFolder_;
};

} // namespace shiftex
