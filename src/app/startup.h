#pragma once

#include "model/message_sink.h"
#include "model/product.h"
#include "model/settings_store.h"

#include <optional>
#include <string>
#include <string_view>

namespace shiftex {

inline constexpr const char* kLastUpdateText = "11 August 2003";

inline constexpr const char* kVersionKey = "\\Software\\Shiftex\\Version";
inline constexpr const char* kBackupKey = "\\Software\\Shiftex\\BackUp";
inline constexpr const char* kHelpMissingMessage = "Cannot load HTML HELP OCX control.";

// The main window's caption: "Shiftex version 4.3".
std::string MainCaption(std::string_view version = kVersionText);

// The notice for a screen smaller than 1024 by 768 in both directions; nullopt when one of the
// two is large enough.
std::optional<std::string> ScreenSizeNotice(int width, int height);

// The automatic backup settings as start-up reads them.
struct BackupSettings {
    bool enabled = false;
    std::string folder;
    std::string interval = "5";  // minutes, 1 to 60

    // The backup timer's period.
    int IntervalMilliseconds() const;
    friend bool operator==(const BackupSettings&, const BackupSettings&) = default;
};

// The interval text in minutes: "1" to "60", anything else (empty, "abc", "900", "0") reads as
// the default "5".
std::string ValidBackupInterval(std::string_view text);

// The per-user backup key, read without creating it. Without the key the backup is off, the
// folder empty and the interval "5"; the timer runs only when "Enabled" is exactly "true".
BackupSettings ReadBackupSettings(const SettingsStore& settings);

// The program-wide date format, set once at start-up before any schedule is read.
struct DateFormat {
    char separator = '/';
    std::string shortFormat = "dd/mm/yyyy";
};
const DateFormat& ProgramDateFormat();
// A date as the program shows it: "07/01/2027".
std::string FormatShortDate(int day, int month, int year);

// What start-up needs from the desktop, called in the order of the steps.
class StartupServices {
public:
    virtual ~StartupServices() = default;
    // The folder the program's data lives in, with a trailing separator.
    virtual std::string ProgramFolder() = 0;
    // Sets up the help for that folder; false when the help cannot be used.
    virtual bool LoadHelp(const std::string& programFolder) = 0;
    // Registers the schedule file type with the desktop.
    virtual void RegisterFileType(const std::string& programFolder) = 0;
    // The user's documents folder, empty when the desktop has none.
    virtual std::string DocumentsFolder() = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
};

// What the main window keeps of start-up.
struct StartupState {
    std::string caption;
    std::string programFolder;
    bool helpAvailable = false;
    // The first folder of the Open and Save As dialogs; empty: their own default.
    std::string documentsFolder;
    BackupSettings backup;
};

// The start-up of the main window, before it is shown: caption, program folder, help (an error
// when it cannot be loaded; start-up goes on), file type, date format, the settings (version
// keys written machine wide, backup settings read) and the notice for a small screen.
StartupState RunStartup(StartupServices& services, SettingsStore& settings,
                        MessageSink& messages);

} // namespace shiftex
