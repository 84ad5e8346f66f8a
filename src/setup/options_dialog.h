#pragma once

#include "editing/schedule_session.h"
#include "files/holiday_store.h"
#include "model/message_sink.h"
#include "model/result.h"
#include "model/sheet_layout.h"
#include "setup/options_working_copy.h"
#include "setup/setup_page.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace shiftex {

// One panel of the options dialog's bar with the captions of its items, in order.
struct OptionsPanel {
    const char* caption;
    std::vector<const char*> items;
};
const std::vector<OptionsPanel>& OptionsPanels();

// The pages the items of the bar lead to.
enum class OptionsPage {
    Employees,
    WorkingTypes,
    CustomQuery,
    Departments,
    Holidays,
    SheetColours,
    QueryThresholds,
    EmployeeTypeThresholds,
    DayTypeThresholds,
    Backup,
    WebSite,  // opens the product's web page and shows an empty page
    Mail,
};
// Whether the bar has item `item` in panel `panel`.
bool IsOptionsItem(int panel, int item);
// The page of item `item` of panel `panel`, known by their captions.
OptionsPage PageOfItem(int panel, int item);

// The bar's panels and items as the commands that open the dialog name them.
namespace options {
inline constexpr int kScheduleSetup = 0;
inline constexpr int kColorSetup = 1;
inline constexpr int kOptions = 2;
inline constexpr int kEmployees = 0;
inline constexpr int kWorkingTypes = 1;
inline constexpr int kCustomQuery = 2;
inline constexpr int kDepartments = 3;
inline constexpr int kHolidays = 4;
inline constexpr int kBackup = 0;
} // namespace options

// Where backups go when no folder was chosen: below the program folder.
inline constexpr const char* kBackupFolderName = "backup";
std::string BackupFolderError(const std::string& folder);

// The program's automatic backup as the options dialog shows it and changes it: the main
// window's backup folder, interval and timer.
class ProgramBackup {
public:
    virtual ~ProgramBackup() = default;
    virtual std::string BackupFolder() const = 0;
    virtual std::string BackupInterval() const = 0;
    virtual bool BackupTimerRunning() const = 0;
    // The dialog closes with this choice (`toggle` "Disable" for backups on): the settings are
    // written and the timer started or stopped. False when writing failed in a way that closes
    // the schedule window (the error has been shown).
    virtual bool ApplyBackupChoice(const std::string& toggle, const std::string& folder,
                                   const std::string& interval) = 0;
};

// What closing the options dialog leaves for the schedule's window.
struct OptionsClosed {
    // The backup settings could not be written: the schedule window is asked to close.
    bool closeSchedule = false;
};

// The options dialog: the settings of an open schedule and the program's backup settings, edited
// on a copy through the setup pages and applied to the schedule when the dialog closes (closing
// is applying; there is no Cancel). One dialog serves the whole program.
class OptionsDialog {
public:
    // Holiday templates live below `programFolder`; messages go to `messages`.
    OptionsDialog(std::filesystem::path programFolder, MessageSink& messages,
                  ProgramBackup& backup);
    ~OptionsDialog();

    // Opens on the schedule of `session` with item `item` of panel `panel` chosen. A `code`,
    // when given, is kept as the working type the working types page chooses when the dialog
    // opens on it (for later openings too). The undo history of the schedule is emptied. Fails,
    // leaving the schedule alone, when its first day column names no month.
    Result<void> Open(ScheduleSession& session, int panel, int item,
                      std::optional<std::string> code = std::nullopt);
    bool shown() const { return session_ != nullptr; }

    const OptionsWorkingCopy& copy() const { return copy_; }
    int panel() const { return panel_; }
    int item() const { return item_; }
    OptionsPage currentPage() const { return PageOfItem(panel_, item_); }
    // The dialog's caption: the caption of the chosen item.
    std::string caption() const;
    // The editor of the current page; null for the empty page.
    SetupPage* page() const { return page_.get(); }

    // An item of the bar clicked: the current page is left (what it edits goes into the copy)
    // and the item's page shown, filled from the copy.
    Result<void> ClickItem(int panel, int item);

    // The close box: the copy applied to the schedule, the backup settings written and the
    // schedule brought in line (summaries counted again, days coloured again).
    OptionsClosed Close(const TextMetrics& metrics = DefaultTextMetrics());

    // The web page, the mail link and the web form of the "Options" panel.
    std::function<void()> onProductPage;
    std::function<void()> onMail;
    std::function<void()> onWebForm;

private:
    Result<void> FillCopy(ScheduleSession& session);
    void LeavePage();
    Result<void> EnterPage();
    std::filesystem::path DefaultBackupFolder() const;

    std::filesystem::path programFolder_;
    MessageSink& messages_;
    ProgramBackup& backup_;
    HolidayStore holidays_;
    ScheduleSession* session_ = nullptr;
    OptionsWorkingCopy copy_;
    std::string presetCode_;
    int panel_ = 0;
    int item_ = 0;
    std::unique_ptr<SetupPage> page_;
};

} // namespace shiftex
