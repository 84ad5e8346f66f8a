#include "files/text_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace shiftex {
namespace {

namespace fs = std::filesystem;

class TextIoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        dir_ = fs::temp_directory_path() /
               ("shiftex-textio-" + std::to_string(::getpid()) + "-" + std::to_string(random()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    void WriteRaw(const fs::path& path, const std::string& bytes)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::vector<std::string> Entries(const fs::path& folder)
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

TEST(TextIoDecode, KeepsUtf8AndReadsEverythingElseAsWindows1252)
{
    struct Case {
        std::string bytes;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"plain", "plain"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},       // valid UTF-8
        {"caf\xE9", "caf\xC3\xA9"},                                     // é
        {"\x80 \x93q\x94 \x9F", "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xB8"},
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined
        // One bad byte makes the whole text Windows-1252, also the bytes that looked like UTF-8.
        {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                               // overlong
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},               // surrogate
        {"ab\xE2\x82", "ab\xC3\xA2\xE2\x80\x9A"},                       // cut short
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},  // above U+10FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeText(c.bytes), c.text) << c.bytes;
        EXPECT_TRUE(IsValidUtf8(DecodeText(c.bytes))) << c.bytes;
    }
}

TEST(TextIoLines, SplitOnEveryKindOfLineEnd)
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd\n", {"a", "b", "c", "d"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR are two line ends
        {"\r", {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;

    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({"[01]", "", "01:New Year"}), "[01]\r\n\r\n01:New Year\r\n");
    const std::vector<std::string> lines = {"x", "", "y:z"};
    EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
}

TEST_F(TextIoTest, ReadsFilesAndRefusesWhatIsNoFile)
{
    WriteRaw(dir_ / "a.ini", "[Region]\r\n[01]\r\n01:Caf\xE9\r\n");
    const auto lines = ReadTextLines(dir_ / "a.ini");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"[Region]", "[01]", "01:Caf\xC3\xA9"}));
    EXPECT_EQ(ReadFileBytes(dir_ / "a.ini"), "[Region]\r\n[01]\r\n01:Caf\xE9\r\n");

    WriteRaw(dir_ / "empty.ini", "");
    EXPECT_EQ(ReadTextLines(dir_ / "empty.ini"), std::vector<std::string>{});

    fs::create_directory(dir_ / "folder");
    for (const auto& path : {dir_ / "missing.ini", dir_ / "folder", dir_ / "a.ini" / "x"}) {
        EXPECT_FALSE(ReadFileBytes(path)) << path;
        EXPECT_FALSE(ReadTextLines(path)) << path;
    }
}

TEST_F(TextIoTest, WritesAtomicallyAndKeepsTheMode)
{
    const fs::path target = dir_ / "t.ini";
    EXPECT_TRUE(WriteTextLines(target, {"one", "two"}));
    EXPECT_EQ(ReadFileBytes(target), "one\r\ntwo\r\n");

    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write |
                                fs::perms::group_read);
    EXPECT_TRUE(WriteFileAtomically(target, "new"));
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"t.ini"});  // no temporary file left
}

TEST_F(TextIoTest, FailedWriteLeavesTargetAndFolderAsTheyWere)
{
    // A folder that does not exist: nothing is created.
    const auto written = WriteFileAtomically(dir_ / "nope" / "t.ini", "x");
    ASSERT_FALSE(written);
    const std::string& missing = written.error().message;
    EXPECT_NE(missing.find("t.ini"), std::string::npos);
    EXPECT_NE(missing.find(std::strerror(ENOENT)), std::string::npos) << missing;
    EXPECT_FALSE(fs::exists(dir_ / "nope"));

    // The rename fails (the target is a folder that is not empty): the target keeps its content
    // and the temporary file is removed.
    WriteRaw(dir_ / "busy" / "inner.ini", "old");
    const auto blocked = WriteFileAtomically(dir_ / "busy", "x");
    ASSERT_FALSE(blocked);
    EXPECT_EQ(ReadFileBytes(dir_ / "busy" / "inner.ini"), "old");
    EXPECT_EQ(Entries(dir_), std::vector<std::string>{"busy"});

    // A folder without write permission, with an old file in it (root ignores permissions).
    if (::geteuid() != 0) {
        WriteRaw(dir_ / "ro" / "t.ini", "old");
        fs::permissions(dir_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
        const auto refused = WriteFileAtomically(dir_ / "ro" / "t.ini", "new");
        fs::permissions(dir_ / "ro", fs::perms::owner_all);
        ASSERT_FALSE(refused);
        EXPECT_EQ(ReadFileBytes(dir_ / "ro" / "t.ini"), "old");
        EXPECT_EQ(Entries(dir_ / "ro"), std::vector<std::string>{"t.ini"});
    }
}

TEST_F(TextIoTest, ResolvesNamesWithoutRegardToCase)
{
    WriteRaw(dir_ / "Holidays" / "Default" / "Custom.ini", "[Custom]\r\n");
    WriteRaw(dir_ / "Both" / "a.ini", "");
    WriteRaw(dir_ / "Both" / "A.ini", "");

    struct Case {
        fs::path relative;
        fs::path resolved;
    };
    const std::vector<Case> cases = {
        {"holidays/default/custom.ini", "Holidays/Default/Custom.ini"},
        {"Holidays/Default/Custom.ini", "Holidays/Default/Custom.ini"},
        {"HOLIDAYS/2004/FileList.ini", "Holidays/2004/FileList.ini"},  // rest kept as written
        {"other/Default", "other/Default"},
        {"holidays/default/", "Holidays/Default"},
        {"both/A.ini", "Both/A.ini"},  // an exact match wins
        {"both/a.ini", "Both/a.ini"},
        {"holidays/default/custom.ini/deeper", "Holidays/Default/Custom.ini/deeper"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolvePath(dir_, c.relative), dir_ / c.resolved) << c.relative;
    EXPECT_EQ(ResolvePath(dir_, ""), dir_);
    EXPECT_EQ(ResolvePath(dir_ / "missing", "holidays"), dir_ / "missing" / "holidays");
}

} // namespace
} // namespace shiftex
