#include "app/opening.h"
#include "app/recent_files.h"
#include "cli_support.h"
#include "files/schedule_file.h"
#include "files/text_io.h"
#include "model/settings_store.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using test::RecordingMessageSink;
using test::TempProgramFolder;

const std::string kExample = std::string(SHIFTEX_SOURCE_DIR) + "/tests/data/ward.sxt";

class OpeningTest : public ::testing::Test {
protected:
    std::optional<ScheduleDocument> Open(const std::string& path,
                                         const std::vector<std::string>& open = {})
    {
        return OpenScheduleFile(open, path, folder.path(), messages, settings);
    }

    std::vector<std::string> Recent() const
    {
        std::vector<std::string> paths;
        if (const std::optional<RecentMenu> menu = RecentFiles(settings))
            for (const std::optional<std::string>& entry : *menu)
                paths.push_back(entry.value_or("-"));
        return paths;
    }

    std::string Path(const std::string& name) const { return (folder.path() / name).string(); }

    void Write(const std::string& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    TempProgramFolder folder;
    RecordingMessageSink messages;
    MemorySettingsStore settings;
};

TEST_F(OpeningTest, OpensEitherFormByItsFirstLine)
{
    const std::optional<ScheduleDocument> text = Open(kExample);
    ASSERT_TRUE(text) << (messages.errors.empty() ? "" : messages.errors.front());
    EXPECT_EQ(text->title, kExample);
    EXPECT_EQ(text->filePath, kExample);
    EXPECT_FALSE(text->modified);
    EXPECT_EQ(text->sheet.fixedRows, 3);

    const std::string saved = Path("ward.sxt");
    ASSERT_TRUE(SaveSchedule(*text, saved));
    const std::optional<ScheduleDocument> file = Open(saved);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->title, saved);
    EXPECT_EQ(file->sheet, text->sheet);
    EXPECT_EQ(file->workingTypes, text->workingTypes);
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(messages.informations.empty());
    EXPECT_EQ(Recent(), (std::vector<std::string>{saved, kExample, "-", "-"}));
}

TEST_F(OpeningTest, RefusedOpensReportAndLeaveTheRecentListAlone)
{
    const std::string saved = Path("ward.sxt");
    const std::optional<ScheduleDocument> example = Open(kExample);
    ASSERT_TRUE(example);
    ASSERT_TRUE(SaveSchedule(*example, saved));
    const std::string wrongVersion = Path("older.sxt");
    Write(wrongVersion, "ShiftexV4.1\r\n31\r\n3\r\nApril 2003\r\n");
    const std::string empty = Path("empty.sxt");
    Write(empty, "");
    const std::string noColumns = Path("no columns.sxt");
    Write(noColumns, "ShiftexV4.2\r\n\r\n3\r\nApril 2003\r\n");
    const std::string sameFileOtherCase = Path("WARD.SXT");
    fs::copy_file(saved, sameFileOtherCase);
    settings = MemorySettingsStore();

    struct Case {
        std::string path;
        std::vector<std::string> open;
        const char* information;
        std::string error;
    };
    const std::vector<Case> cases = {
        {saved, {kExample, saved}, kAlreadyOpenMessage, ""},
        {Path("gone.sxt"), {}, nullptr, "Unable to find " + Path("gone.sxt") + "."},
        {folder.path().string(), {}, nullptr,
         "Unable to read " + folder.path().string() + ": Is a directory."},
        {"", {}, nullptr, "Unable to find ."},
        {wrongVersion, {}, nullptr, kDamagedFileMessage},
        {empty, {}, nullptr, kDamagedFileMessage},
        // Other reasons follow the file's name.
        {noColumns, {}, nullptr,
         "Unable to load " + noColumns + ".\nLine 2: \"\" is not a valid number."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        messages = RecordingMessageSink();
        EXPECT_FALSE(Open(c.path, c.open));
        EXPECT_EQ(messages.informations,
                  c.information ? std::vector<std::string>{c.information}
                                : std::vector<std::string>{});
        EXPECT_EQ(messages.errors,
                  c.error.empty() ? std::vector<std::string>{}
                                  : std::vector<std::string>{c.error});
        EXPECT_FALSE(settings.KeyExists(SettingsScope::User, kRecentFilesKey));
    }
    // The comparison with the open files is exact: another spelling opens another window.
    messages = RecordingMessageSink();
    EXPECT_TRUE(Open(sameFileOtherCase, {saved}));
    EXPECT_TRUE(messages.informations.empty());
}

// Found by the schedule text fuzzer: 41 bytes whose sheet size, 32767 by 32767, passes the
// check of each count and made the text loader allocate some 40 GB.
TEST_F(OpeningTest, TextOfAnImpossiblyLargeSheetIsRefused)
{
    EXPECT_FALSE(Open(SHIFTEX_TEST_DATA "/fuzz/schedule_text/huge-text-sheet.sxt"));
    EXPECT_EQ(messages.errors.size(), 1u);
}

// Found by the schedule text fuzzer: a text whose sheet has one column, so no day at all. The
// text loader took it, and the schedule file it saved as did not open again.
TEST_F(OpeningTest, WhatTheTextLoaderTakesSavesAsAFileThatOpens)
{
    const std::optional<ScheduleDocument> text =
        Open(SHIFTEX_TEST_DATA "/fuzz/schedule_text/text-without-days.sxt");
    if (!text)
        return;  // refused as a text: fine as well
    const std::string saved = Path("saved.sxt");
    ASSERT_TRUE(SaveSchedule(*text, saved));
    EXPECT_TRUE(Open(saved));
}

TEST_F(OpeningTest, RecentListMovesTheOpenedFileToTheFront)
{
    const std::optional<ScheduleDocument> example = Open(kExample);
    ASSERT_TRUE(example);
    settings = MemorySettingsStore();
    EXPECT_EQ(RecentFiles(settings), std::nullopt);  // the menu entries stay as they are
    for (const char* name : {"A", "B", "C", "D", "E"}) {
        ASSERT_TRUE(SaveSchedule(*example, Path(name)));
        ASSERT_TRUE(Open(Path(name)));
    }
    EXPECT_EQ(Recent(), (std::vector<std::string>{Path("E"), Path("D"), Path("C"), Path("B")}));
    ASSERT_TRUE(Open(Path("C")));
    EXPECT_EQ(Recent(), (std::vector<std::string>{Path("C"), Path("E"), Path("D"), Path("B")}));
    ASSERT_TRUE(Open(Path("C")));
    EXPECT_EQ(Recent(), (std::vector<std::string>{Path("C"), Path("E"), Path("D"), Path("B")}));
    ASSERT_TRUE(Open(Path("B")));
    EXPECT_EQ(Recent(), (std::vector<std::string>{Path("B"), Path("C"), Path("E"), Path("D")}));
}

TEST(RecentFiles, EmptyValuesHideTheirEntryAndStoreFailuresAreIgnored)
{
    MemorySettingsStore settings;
    RecordRecentFile(settings, "one.sxt");
    const std::optional<RecentMenu> menu = RecentFiles(settings);
    ASSERT_TRUE(menu);
    EXPECT_EQ(*menu, (RecentMenu{"one.sxt", std::nullopt, std::nullopt, std::nullopt}));
    RecordRecentFile(settings, "");  // no active window
    EXPECT_EQ(RecentFiles(settings), menu);

    MemorySettingsStore failing;
    failing.SetFailing(true);
    RecordRecentFile(failing, "one.sxt");
    EXPECT_EQ(RecentFiles(failing), std::nullopt);
}

TEST(SettingsStore, KeysAreTheSameWithEitherSeparatorAndValuesReadEmptyWhenMissing)
{
    MemorySettingsStore settings;
    EXPECT_EQ(NormalizeSettingsKey("\\Software\\Shiftex\\Font"), "Software/Shiftex/Font");
    EXPECT_EQ(NormalizeSettingsKey("Software/Shiftex//Font/"), "Software/Shiftex/Font");
    EXPECT_FALSE(settings.KeyExists(SettingsScope::User, "Software\\Shiftex\\Font"));
    EXPECT_EQ(ReadUserSetting(settings, "\\Software\\Shiftex\\Font", "GridFont"), "");
    EXPECT_TRUE(WriteUserSetting(settings, "Software\\Shiftex\\Font", "GridFont", "Arial"));
    EXPECT_EQ(ReadUserSetting(settings, "\\Software\\Shiftex\\Font", "GridFont"), "Arial");
    EXPECT_TRUE(settings.KeyExists(SettingsScope::User, "/Software/Shiftex/Font"));
    // The scopes are apart.
    EXPECT_FALSE(settings.KeyExists(SettingsScope::Machine, "Software\\Shiftex\\Font"));
    EXPECT_TRUE(settings.CreateKey(SettingsScope::Machine, "\\Software\\Shiftex\\Version"));
    EXPECT_TRUE(settings.KeyExists(SettingsScope::Machine, "Software/Shiftex/Version"));
    EXPECT_EQ(settings.ReadValue(SettingsScope::Machine, "Software/Shiftex/Version", "Path"),
              std::nullopt);

    settings.SetFailing(true);
    EXPECT_FALSE(WriteUserSetting(settings, "Software\\Shiftex\\Font", "GridFont", "Courier"));
    EXPECT_EQ(ReadUserSetting(settings, "Software\\Shiftex\\Font", "GridFont"), "Arial");
}

TEST_F(OpeningTest, SaveAsUpdatesTheDocumentOnlyWhenTheFileWasWritten)
{
    std::optional<ScheduleDocument> document = Open(kExample);
    ASSERT_TRUE(document);
    EXPECT_TRUE(HasOwnFile(*document));
    EXPECT_FALSE(HasOwnFile(CreateDocument()));
    settings = MemorySettingsStore();
    document->MarkModified();

    const std::string target = Path("saved.sxt");
    ASSERT_TRUE(SaveScheduleAs(*document, target, messages, settings));
    EXPECT_EQ(document->filePath, target);
    EXPECT_EQ(document->title, target);
    EXPECT_FALSE(document->modified);
    EXPECT_EQ(Recent(), (std::vector<std::string>{target, "-", "-", "-"}));
    const std::string good = *ReadFileBytes(target);

    // Failures that stop a root user too: a name with no room for the temporary file beside
    // it, a folder in the way, a folder that does not exist.
    const std::string longName = Path(std::string(250, 'n'));
    Write(longName, good);
    fs::create_directory(Path("folder.sxt"));
    const std::vector<std::string> failing = {longName, Path("folder.sxt"),
                                              Path("missing/saved.sxt")};
    document->MarkModified();
    for (const std::string& path : failing) {
        SCOPED_TRACE(path);
        messages = RecordingMessageSink();
        EXPECT_FALSE(SaveScheduleAs(*document, path, messages, settings));
        ASSERT_EQ(messages.errors.size(), 1u);
        EXPECT_NE(messages.errors[0].find(path), std::string::npos) << messages.errors[0];
        EXPECT_EQ(document->filePath, target);
        EXPECT_TRUE(document->modified);
        EXPECT_EQ(Recent(), (std::vector<std::string>{target, "-", "-", "-"}));
    }
    EXPECT_EQ(ReadFileBytes(longName), good);
    EXPECT_TRUE(fs::is_directory(Path("folder.sxt")));
    EXPECT_TRUE(fs::is_empty(Path("folder.sxt")));
    // No temporary file is left behind.
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos)
            << entry.path();
}

TEST_F(OpeningTest, SaveWritesTheFileItReplacesAndLeavesNothingElse)
{
    std::optional<ScheduleDocument> document = Open(kExample);
    ASSERT_TRUE(document);
    const std::string old = "the old content";

    // Another user's file saved by root stays that user's, with its mode.
    const std::string owned = Path("owned.sxt");
    Write(owned, old);
    ASSERT_EQ(::chmod(owned.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(owned.c_str(), 65534, 65534), 0);
    }
    // What an interrupted save left beside it goes at the next save; other names stay.
    const std::vector<std::string> stale = {"owned.sxt.tmp-Ab12Cd", "owned.sxt.tmp-XXXXXX"};
    const std::vector<std::string> kept = {"owned.sxt.tmp-", "other.sxt.tmp-Ab12Cd"};
    for (const std::string& name : stale)
        Write(Path(name), old);
    for (const std::string& name : kept)
        Write(Path(name), old);
    ASSERT_TRUE(SaveScheduleAs(*document, owned, messages, settings));
    struct stat info {};
    ASSERT_EQ(::stat(owned.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(info.st_uid, 65534u);
        EXPECT_EQ(info.st_gid, 65534u);
    }
    const std::string saved = *ReadFileBytes(owned);
    for (const std::string& name : stale)
        EXPECT_FALSE(fs::exists(Path(name))) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(Path(name))) << name;

    // A symbolic link is written through: the link stays, the file it names is saved.
    const std::string named = Path("named.sxt");
    Write(named, old);
    fs::create_symlink("named.sxt", Path("link.sxt"));
    ASSERT_TRUE(SaveScheduleAs(*document, Path("link.sxt"), messages, settings));
    EXPECT_TRUE(fs::is_symlink(Path("link.sxt")));
    EXPECT_EQ(ReadFileBytes(named), saved);

    // A file with a second hard link: the save says that the other link keeps the old content.
    const std::string linked = Path("linked.sxt");
    Write(linked, old);
    fs::create_hard_link(linked, Path("other-link.sxt"));
    messages = RecordingMessageSink();
    ASSERT_TRUE(SaveScheduleAs(*document, linked, messages, settings));
    EXPECT_EQ(ReadFileBytes(linked), saved);
    EXPECT_EQ(ReadFileBytes(Path("other-link.sxt")), old);
    ASSERT_EQ(messages.informations.size(), 1u);
    EXPECT_NE(messages.informations[0].find(linked), std::string::npos);
    EXPECT_NE(messages.informations[0].find("1 other hard link(s) keep the content"),
              std::string::npos) << messages.informations[0];
}

// Permissions as a user meets them: the command line run as an ordinary user.
TEST_F(OpeningTest, FilesTheUserMayNotWriteOrReadAreRefusedWithTheirReason)
{
    const std::string folderName = Path("folder.sxt");
    fs::create_directory(folderName);
    EXPECT_FALSE(Open(folderName));
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0], "Unable to read " + folderName + ": Is a directory.");

    if (::geteuid() != 0 || test::RunCommand("command -v setpriv >/dev/null").status != 0)
        GTEST_SKIP() << "needs root and setpriv to act as another user";
    const fs::path shared = folder.path() / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all);
    const std::string readOnly = (shared / "read-only.sxt").string();
    const std::string unreadable = (shared / "unreadable.sxt").string();
    // The input is a schedule file: loading it writes nothing into the program folder.
    const std::optional<ScheduleDocument> example = Open(kExample);
    ASSERT_TRUE(example);
    const std::string input = (shared / "input.sxt").string();
    ASSERT_TRUE(SaveSchedule(*example, input));
    Write(readOnly, "the old content");
    Write(unreadable, *ReadFileBytes(input));
    ASSERT_EQ(::chown(readOnly.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(unreadable.c_str(), 0600), 0);
    const std::string asNobody = "setpriv --reuid=nobody --regid=nogroup --clear-groups " +
                                 std::string(SHIFTEX_CLI) + " --settings-folder '" +
                                 shared.string() + "' --program-folder '" +
                                 folder.path().string() + "' ";

    const test::CliResult save =
        test::RunCommand(asNobody + "convert '" + input + "' '" + readOnly + "' 2>&1");
    EXPECT_EQ(save.status, 1) << save.out;
    EXPECT_NE(save.out.find("Cannot write \"" + readOnly + "\": Permission denied"),
              std::string::npos) << save.out;
    EXPECT_EQ(ReadFileBytes(readOnly), "the old content");

    const test::CliResult read = test::RunCommand(asNobody + "dump '" + unreadable + "' 2>&1");
    EXPECT_EQ(read.status, 1) << read.out;
    EXPECT_NE(read.out.find("Unable to read " + unreadable + ": Permission denied."),
              std::string::npos) << read.out;
}

} // namespace
} // namespace shiftex
