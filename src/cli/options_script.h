#pragma once

#include "app/automatic_backup.h"
#include "cli/cli_common.h"
#include "editing/schedule_session.h"
#include "model/settings_store.h"
#include "setup/options_dialog.h"

#include <filesystem>
#include <string>
#include <vector>

namespace shiftex::cli {

// The options dialog in an edit script, on the script's schedule: `options PANEL ITEM ["CODE"]`
// opens it, `item PANEL ITEM` clicks an item of its bar, `state` shows it, the page commands
// work on its page, and `options-close` applies it. The backup settings are read from and
// written to `settings`; the backup timer only keeps its state.
class OptionsScript {
public:
    OptionsScript(ScheduleSession& session, StderrMessageSink& messages, SettingsStore& settings,
                  const std::filesystem::path& programFolder);

    // Runs the line when it is one of the dialog's; false for the other commands. While the
    // dialog is open only `answer` is left to the others: anything else is a ScriptError.
    bool Run(const std::vector<std::string>& words);
    bool open() const { return dialog_.shown(); }
    // The dialog closed (applied); false when writing the backup settings failed and the
    // schedule's window closed after it.
    bool Close();
    // The schedule's window closed: nothing more runs on it.
    bool scheduleClosed() const { return scheduleClosed_; }

private:
    class Timer final : public BackupTimer {
    public:
        void Start(int milliseconds) override { period_ = milliseconds; }
        void Stop() override { period_ = 0; }
        bool IsRunning() const override { return period_ > 0; }

    private:
        int period_ = 0;
    };

    std::string StateJson() const;

    ScheduleSession& session_;
    StderrMessageSink& messages_;
    Timer timer_;
    AutomaticBackup backup_;
    OptionsDialog dialog_;
    CloseGuard guard_;
    bool scheduleClosed_ = false;
};

} // namespace shiftex::cli
