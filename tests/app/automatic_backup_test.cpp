#include "app/automatic_backup.h"
#include "backup_fakes.h"
#include "files/schedule_file.h"
#include "files/text_io.h"
#include "sample_schedule.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

std::tm At(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

std::set<std::string> FilesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class BackupTickTest : public ::testing::Test {
protected:
    BackupTickTest()
    {
        BackupSettings on;
        on.enabled = true;
        on.folder = (folder_.path() / "backups").string();
        backup_.Start(on);
    }
    ScheduleDocument Schedule(const std::string& path)
    {
        ScheduleDocument document = test::MakeSchedule();
        document.filePath = path;
        document.sheet.SetText(2, document.sheet.fixedRows, "E");
        return document;
    }
    bool Tick(const std::vector<const ScheduleDocument*>& schedules,
              const AutomaticBackup::Progress& progress = {})
    {
        return backup_.Tick(schedules, guard_, At(2026, 12, 10, 14, 5, 0), progress);
    }
    fs::path Backups() const { return folder_.path() / "backups"; }

    test::TempProgramFolder folder_;
    test::RecordingMessageSink messages_;
    MemorySettingsStore settings_;
    test::FakeTimer timer_;
    AutomaticBackup backup_{settings_, messages_, timer_, folder_.path()};
    CloseGuard guard_;
};

TEST_F(BackupTickTest, EveryOpenScheduleGetsAFileOfItsNameAndTheTime)
{
    const ScheduleDocument ward = Schedule("/somewhere/ward.sxt");
    const ScheduleDocument unsaved = Schedule("filename");
    const ScheduleDocument otherWard = Schedule("/elsewhere/ward.SXT");
    fs::create_directories(Backups());
    std::ofstream(Backups() / "ward_2026-12-10_14-05-00.SXT") << "an older backup";

    ASSERT_TRUE(Tick({&ward, &unsaved, &otherWard}));
    EXPECT_EQ(FilesIn(Backups()),
              (std::set<std::string>{"ward_2026-12-10_14-05-00.SXT",
                                     "ward_2026-12-10_14-05-00_2.SXT",
                                     "NEW_2026-12-10_14-05-00.SXT",
                                     "ward_2026-12-10_14-05-00_3.SXT"}));
    // Nothing in the folder is overwritten.
    EXPECT_EQ(ReadFileBytes(Backups() / "ward_2026-12-10_14-05-00.SXT"), "an older backup");
    const std::optional<std::string> bytes =
        ReadFileBytes(Backups() / "NEW_2026-12-10_14-05-00.SXT");
    ASSERT_TRUE(bytes);
    const Result<ScheduleDocument> back = LoadScheduleFile(*bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->sheet.Text(2, back->sheet.fixedRows), "E");
    EXPECT_EQ(backup_.status().text, "  Backup successful");
    EXPECT_TRUE(backup_.status().icon);
    EXPECT_TRUE(messages_.errors.empty());

    backup_.StatusTimerElapsed();
    EXPECT_EQ(backup_.status().text, "");
    EXPECT_FALSE(backup_.status().icon);
}

TEST_F(BackupTickTest, ASchedulesWindowRefusesToCloseWhileTheBackupIsWritten)
{
    const ScheduleDocument ward = Schedule("/somewhere/ward.sxt");
    test::RecordingMessageSink windowMessages;
    ScheduleSession window(test::MakeSchedule(), windowMessages);
    std::vector<bool> closed;
    const auto progress = [&](int done, int count) {
        EXPECT_EQ(count, 1);
        EXPECT_EQ(done, 1);
        closed.push_back(window.CloseSchedule(guard_));
    };
    ASSERT_TRUE(Tick({&ward}, progress));
    EXPECT_EQ(closed, std::vector<bool>{false});
    EXPECT_EQ(windowMessages.informations,
              Texts{"Please wait until backup creation has finished"});
    EXPECT_TRUE(guard_.readyForClose);
    EXPECT_TRUE(window.CloseSchedule(guard_));
}

TEST_F(BackupTickTest, FailuresAreToldOncePerRunAndTheNextTickTriesAgain)
{
    // The folder's place is taken by a file: nothing can be written there.
    fs::create_directories(folder_.path());
    std::ofstream(Backups()) << "not a folder";
    const ScheduleDocument ward = Schedule("/somewhere/ward.sxt");

    EXPECT_FALSE(Tick({&ward}));
    EXPECT_FALSE(Tick({&ward}));
    EXPECT_EQ(messages_.errors.size(), 1u);
    EXPECT_EQ(backup_.status().text, "  Backup failed");
    EXPECT_FALSE(backup_.status().hint.empty());
    backup_.StatusTimerElapsed();
    EXPECT_EQ(backup_.status().text, "  Backup failed");  // stays until a backup succeeds
    EXPECT_TRUE(guard_.readyForClose);

    fs::remove(Backups());
    EXPECT_TRUE(Tick({&ward}));
    EXPECT_EQ(backup_.status().text, "  Backup successful");
    fs::remove_all(Backups());
    std::ofstream(Backups()) << "not a folder";
    EXPECT_FALSE(Tick({&ward}));
    EXPECT_EQ(messages_.errors.size(), 2u);
}

TEST_F(BackupTickTest, NothingIsWrittenWhileBackupsAreOff)
{
    backup_.Start(BackupSettings{});
    const ScheduleDocument ward = Schedule("/somewhere/ward.sxt");
    EXPECT_FALSE(Tick({&ward}));
    EXPECT_FALSE(fs::exists(Backups()));
    EXPECT_EQ(backup_.status().text, "");
}

TEST(BackupFolder, AnEmptyFolderMeansTheProgramFoldersBackup)
{
    test::RecordingMessageSink messages;
    MemorySettingsStore settings;
    test::FakeTimer timer;
    AutomaticBackup backup(settings, messages, timer, "/program");
    EXPECT_EQ(backup.Folder(), fs::path("/program/backup"));
    backup.Start(BackupSettings{true, "/chosen", "7"});
    EXPECT_EQ(backup.Folder(), fs::path("/chosen"));
    EXPECT_EQ(timer.period, 7 * 60000);
}

} // namespace
} // namespace shiftex
