#include "setup/backup_page.h"

#include "setup/options_working_copy.h"

#include <algorithm>
#include <system_error>

namespace shiftex {

namespace {

constexpr const char* kDefaultInterval = "5";

bool AllDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

bool IsExistingFolder(const std::string& folder)
{
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error);
}

} // namespace

BackupPage::BackupPage(BackupChoice choice, std::filesystem::path defaultFolder)
    : SetupPage(kBackupHelpTopic), choice_(choice), defaultFolder_(std::move(defaultFolder))
{
    AddField("interval");
    AddField("folder");
    AddButton("toggle");
    AddButton("save");
    AddButton("default");
    AddButton("help");
    SetText("interval", choice_.interval);
    SetText("folder", choice_.folder);
    ShowToggle(choice_.toggle == kBackupOff ? kBackupOff : kBackupOn);
}

bool BackupPage::CanHold(std::string_view field, std::string_view text) const
{
    // The interval is a spin field of whole minutes up to 60.
    if (field == "interval")
        return text.size() <= 2 && AllDigits(text) &&
               (text.empty() || std::stoi(std::string(text)) <= kMaxBackupInterval);
    return SetupPage::CanHold(field, text);
}

void BackupPage::ShowToggle(const std::string& caption)
{
    SetText("toggle", caption);
    const bool on = caption != kBackupOff;
    SetVisible("interval", on);
    SetVisible("folder", on);
}

Result<void> BackupPage::OnFieldSet(const std::string& field)
{
    if (field == "interval") {
        // The field never holds less than one minute.
        const std::string& text = Text("interval");
        const int minutes = text.empty() ? 0 : std::stoi(text);
        SetText("interval", std::to_string(std::max(minutes, 1)));
    }
    return {};
}

Result<void> BackupPage::OnFieldLeft(const std::string& field) { return OnFieldSet(field); }

Result<void> BackupPage::OnPress(const std::string& button)
{
    if (button == "toggle") {
        ShowToggle(Text("toggle") == kBackupOff ? kBackupOn : kBackupOff);
    } else if (button == "default") {
        ShowToggle(kBackupOn);
        SetText("folder", defaultFolder_.string());
        SetText("interval", kDefaultInterval);
    } else {
        SHIFTEX_ASSERT(button == "save");
        // Also with backups switched off: the folder is kept for the next time.
        if (!IsExistingFolder(Text("folder"))) {
            Focus("folder");
            return Refuse(kNoFolderMessage);
        }
        choice_.toggle = Text("toggle");
        choice_.folder = Text("folder");
        choice_.interval = Text("interval");
    }
    return {};
}

} // namespace shiftex
