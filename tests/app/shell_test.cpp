#include "app/help_topics.h"
#include "app/main_menu.h"
#include "app/shell_links.h"
#include "app/shell_open.h"
#include "app/startup.h"
#include "model/settings_store.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace shiftex {
namespace {

using test::RecordingMessageSink;

// Start-up's services, recording the order they are asked in.
class FakeStartup final : public StartupServices {
public:
    std::vector<std::string> calls;
    bool helpLoads = true;
    int width = 1280;
    int height = 1024;
    std::string documents = "/home/user/Documents";

    std::string ProgramFolder() override
    {
        calls.push_back("folder");
        return "/opt/shiftex/";
    }
    bool LoadHelp(const std::string& folder) override
    {
        calls.push_back("help " + folder);
        return helpLoads;
    }
    void RegisterFileType(const std::string& folder) override
    {
        calls.push_back("file type " + folder);
    }
    std::string DocumentsFolder() override
    {
        calls.push_back("documents");
        return documents;
    }
    int ScreenWidth() override
    {
        calls.push_back("screen");
        return width;
    }
    int ScreenHeight() override { return height; }
};

// A store whose machine-wide scope refuses every write, as one without the rights would.
class NoMachineRightsStore final : public SettingsStore {
public:
    MemorySettingsStore inner;
    bool KeyExists(SettingsScope scope, std::string_view key) const override
    {
        return inner.KeyExists(scope, key);
    }
    bool CreateKey(SettingsScope scope, std::string_view key) override
    {
        return scope == SettingsScope::User && inner.CreateKey(scope, key);
    }
    std::optional<std::string> ReadValue(SettingsScope scope, std::string_view key,
                                         std::string_view name) const override
    {
        return inner.ReadValue(scope, key, name);
    }
    bool WriteValue(SettingsScope scope, std::string_view key, std::string_view name,
                    std::string_view value) override
    {
        return scope == SettingsScope::User && inner.WriteValue(scope, key, name, value);
    }
};

TEST(StartupTest, StepsRunInOrderAndLeaveTheirState)
{
    FakeStartup services;
    MemorySettingsStore settings;
    RecordingMessageSink messages;
    const StartupState state = RunStartup(services, settings, messages);

    EXPECT_EQ(services.calls, (std::vector<std::string>{"folder", "help /opt/shiftex/",
                                                        "file type /opt/shiftex/", "documents",
                                                        "screen"}));
    EXPECT_EQ(state.caption, "Shiftex version 4.3");
    EXPECT_EQ(state.programFolder, "/opt/shiftex/");
    EXPECT_TRUE(state.helpAvailable);
    EXPECT_EQ(state.documentsFolder, "/home/user/Documents");
    EXPECT_EQ(settings.ReadValue(SettingsScope::Machine, kVersionKey, "Version"), "4.3");
    EXPECT_EQ(settings.ReadValue(SettingsScope::Machine, kVersionKey, "Path"), "/opt/shiftex/");
    EXPECT_EQ(settings.ReadValue(SettingsScope::User, kVersionKey, "Version"), std::nullopt);
    // No backup key: off, no folder, five minutes; the key is not created by reading it.
    EXPECT_EQ(state.backup, BackupSettings{});
    EXPECT_EQ(state.backup.interval, "5");
    EXPECT_FALSE(settings.KeyExists(SettingsScope::User, kBackupKey));
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(messages.informations.empty());
    EXPECT_EQ(FormatShortDate(7, 1, 2027), "07/01/2027");
}

TEST(StartupTest, MissingHelpIsReportedOnceAndStartUpGoesOn)
{
    FakeStartup services;
    services.helpLoads = false;
    MemorySettingsStore settings;
    RecordingMessageSink messages;
    const StartupState state = RunStartup(services, settings, messages);
    EXPECT_FALSE(state.helpAvailable);
    EXPECT_EQ(messages.errors, std::vector<std::string>{"Cannot load HTML HELP OCX control."});
    EXPECT_EQ(services.calls.back(), "screen");
}

TEST(StartupTest, ScreenSizeNoticeOnlyWhenBothLimitsAreShort)
{
    const std::string notice =
        "This software works best when having a screen resolution of \n\r768*1024 or higher. "
        "(Your current resolution is 600*800.\n\rClick the Ok-button to continue loading "
        "Shiftex.";
    EXPECT_EQ(ScreenSizeNotice(800, 600), notice);
    EXPECT_EQ(ScreenSizeNotice(1024, 600), std::nullopt);
    EXPECT_EQ(ScreenSizeNotice(800, 768), std::nullopt);
    EXPECT_EQ(ScreenSizeNotice(1023, 767)->find("767*1023."), notice.find("600*800."));

    FakeStartup services;
    services.width = 800;
    services.height = 600;
    MemorySettingsStore settings;
    RecordingMessageSink messages;
    RunStartup(services, settings, messages);
    EXPECT_EQ(messages.informations, std::vector<std::string>{notice});
}

TEST(StartupTest, BackupSettingsWithFallbacks)
{
    struct Case {
        const char* enabled;
        const char* interval;
        bool expectEnabled;
        const char* expectInterval;
    };
    const Case cases[] = {
        {"true", "10", true, "10"},  {"TRUE", "10", false, "10"}, {"false", "1", false, "1"},
        {"true", "60", true, "60"},  {"true", "abc", true, "5"},  {"true", "900", true, "5"},
        {"true", "0", true, "5"},    {"true", "", true, "5"},     {"true", "-3", true, "5"},
        {"true", "7.5", true, "5"},  {"yes", " 8", false, "5"},
    };
    for (const Case& c : cases) {
        MemorySettingsStore settings;
        settings.WriteValue(SettingsScope::User, kBackupKey, "Enabled", c.enabled);
        settings.WriteValue(SettingsScope::User, kBackupKey, "Path", "/srv/backup");
        settings.WriteValue(SettingsScope::User, kBackupKey, "Interval", c.interval);
        const BackupSettings backup = ReadBackupSettings(settings);
        SCOPED_TRACE(std::string(c.enabled) + " / " + c.interval);
        EXPECT_EQ(backup.enabled, c.expectEnabled);
        EXPECT_EQ(backup.folder, "/srv/backup");
        EXPECT_EQ(backup.interval, c.expectInterval);
    }
    BackupSettings ten;
    ten.interval = "10";
    EXPECT_EQ(ten.IntervalMilliseconds(), 600000);
    // A key with no values of its own still reads with the defaults.
    MemorySettingsStore partial;
    partial.WriteValue(SettingsScope::User, kBackupKey, "Enabled", "true");
    const BackupSettings backup = ReadBackupSettings(partial);
    EXPECT_TRUE(backup.enabled);
    EXPECT_EQ(backup.folder, "");
    EXPECT_EQ(backup.interval, "5");
}

TEST(StartupTest, RefusedVersionKeysLeaveTheBackupSettingsReadable)
{
    NoMachineRightsStore settings;
    settings.inner.WriteValue(SettingsScope::User, kBackupKey, "Enabled", "true");
    settings.inner.WriteValue(SettingsScope::User, kBackupKey, "Interval", "15");
    FakeStartup services;
    RecordingMessageSink messages;
    const StartupState state = RunStartup(services, settings, messages);
    EXPECT_TRUE(state.backup.enabled);
    EXPECT_EQ(state.backup.interval, "15");
    EXPECT_TRUE(messages.errors.empty());
}

// The desktop's "open", answering with a fixed code.
class FakeShell final : public Shell {
public:
    int code = kShellOpened;
    std::vector<std::string> opened;
    int Open(const std::string& target) override
    {
        opened.push_back(target);
        return code;
    }
};

TEST(ShellOpenTest, CodesToMessages)
{
    const std::pair<int, const char*> table[] = {
        {0, "The operating system is out of memory or resources."},
        {3, "An error occured while searching for the path.\nMake sure the path exists."},
        {5, "The operating system denied access to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred."},
        {27, "The filename association is incomplete or invalid."},
        {28, "The DDE transaction could not be completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not be completed because other DDE transactions were "
             "being processed."},
        {31, "There is no application associated with the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    for (const auto& [code, message] : table) {
        FakeShell shell;
        shell.code = code;
        RecordingMessageSink messages;
        EXPECT_EQ(ShellOpen(shell, messages, "/srv/backup"), code);
        EXPECT_EQ(messages.errors, std::vector<std::string>{message}) << code;
    }
    // Not found names what was missing.
    const std::optional<std::string> notFound = ShellOpenMessage(2, "/opt/viewer");
    ASSERT_TRUE(notFound.has_value());
    EXPECT_NE(notFound->find("\"/opt/viewer\""), std::string::npos);
    EXPECT_NE(notFound->find("program folder"), std::string::npos);
    // Handed back without a message: the other small codes and every success.
    for (int code : {1, 4, 6, 7, 9, 10, 12, 20, 25, 33, 42}) {
        FakeShell shell;
        shell.code = code;
        RecordingMessageSink messages;
        EXPECT_EQ(ShellOpen(shell, messages, "https://example.org"), code);
        EXPECT_TRUE(messages.errors.empty()) << code;
    }
}

TEST(ShellOpenTest, MailLink)
{
    EXPECT_EQ(MailLink(""), "mailto:?subject=Shiftex&body=%0d");
    EXPECT_EQ(MailLink("help@example.org"), "mailto:help@example.org?subject=Shiftex&body=%0d");

    FakeShell shell;
    RecordingMessageSink messages;
    EXPECT_TRUE(OpenMailLink(shell, messages, "help@example.org"));
    EXPECT_EQ(shell.opened, std::vector<std::string>{MailLink("help@example.org")});
    EXPECT_TRUE(messages.errors.empty());
    // Whatever the desktop's code, a failure is the mail client's message alone.
    shell.code = kShellNoAssociation;
    EXPECT_FALSE(OpenMailLink(shell, messages, ""));
    EXPECT_EQ(messages.errors, std::vector<std::string>{"Could not find your default mail client."});
}

TEST(ShellLinksTest, WebPagesFallBackToTheHelp)
{
    const ShellLinks none;
    ShellLinks all{"https://a.example/", "https://a.example/faq", "https://a.example/shots",
                   "https://a.example/form", "help@a.example"};
    const std::set<std::string_view> topics(ProgramHelpTopics().begin(),
                                            ProgramHelpTopics().end());
    for (WebPage page : {WebPage::Product, WebPage::Faq, WebPage::Screenshots, WebPage::WebForm}) {
        const WebTarget builtIn = WebPageTarget(page, none);
        EXPECT_TRUE(builtIn.address.empty());
        EXPECT_TRUE(topics.contains(builtIn.helpTopic)) << builtIn.helpTopic;
        EXPECT_FALSE(WebPageTarget(page, all).address.empty());
    }
    EXPECT_EQ(WebPageTarget(WebPage::Faq, all).address, "https://a.example/faq");
    EXPECT_EQ(WebPageTarget(WebPage::Screenshots, all).address, "https://a.example/shots");
}

TEST(HelpTopicsTest, NonBreakingSpacesReadAsBlanks)
{
    EXPECT_EQ(NormalizeHelpTopic("Wizard\xC2\xA0" "Custom\xC2\xA0Query Settings"),
              "Wizard Custom Query Settings");
    EXPECT_EQ(NormalizeHelpTopic("Wizard Custom\xA0Query\xA0Settings"),
              "Wizard Custom Query Settings");
    EXPECT_EQ(NormalizeHelpTopic("Days/Type Color settings"), "Days/Type Color settings");
    // A lone lead byte stays as it is.
    EXPECT_EQ(NormalizeHelpTopic("x\xC2"), "x\xC2");
}

TEST(MainMenuTest, EveryCommandOnceAndSubmenusInPlace)
{
    std::set<MainCommand> seen;
    for (const MenuEntry& entry : MainMenuEntries()) {
        if (entry.kind != MenuEntry::Kind::Command)
            continue;
        EXPECT_TRUE(seen.insert(entry.command).second) << entry.caption;
        EXPECT_FALSE(entry.caption.empty());
    }
    for (const ToolEntry& tool : MainToolEntries()) {
        seen.insert(tool.command);
        EXPECT_FALSE(tool.hint.empty());
    }
    EXPECT_EQ(static_cast<int>(seen.size()), kMainCommandCount);
    // The seven print items sit in the "&Print" submenu, nothing else does but "&Reopen"'s.
    int printing = 0;
    for (const MenuEntry& entry : MainMenuEntries())
        printing += entry.inSubmenu ? 1 : 0;
    EXPECT_EQ(printing, 7);
    EXPECT_TRUE(NeedsSchedule(MainCommand::Export));
    EXPECT_TRUE(NeedsSchedule(MainCommand::ToggleVisibleWindows));
    EXPECT_FALSE(NeedsSchedule(MainCommand::Open));
    EXPECT_FALSE(NeedsSchedule(MainCommand::ShowHelpFile));
}

} // namespace
} // namespace shiftex
