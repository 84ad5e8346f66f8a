#include "files/holiday_store.h"

#include "files/text_io.h"
#include "model/text_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class RecordingSink final : public MessageSink {
public:
    void Information(const std::string& text) override { information.push_back(text); }
    void Error(const std::string& text) override { errors.push_back(text); }
    Answer Question(const std::string& text, QuestionButtons) override
    {
        questions.push_back(text);
        return Answer::Yes;
    }
    Lines information;
    Lines errors;
    Lines questions;
};

Lines MonthHeaders()
{
    Lines lines;
    for (int m = 1; m <= 12; ++m)
        lines.push_back("[" + TwoDigits(m) + "]");
    return lines;
}

// A program folder holding a copy of the shipped data.
class HolidayStoreTest : public ::testing::Test {
protected:
    static fs::path UniqueFolder()
    {
        std::random_device random;
        return fs::temp_directory_path() / ("shiftex-holidays-" + std::to_string(::getpid()) +
                                            "-" + std::to_string(random()));
    }
    void SetUp() override
    {
        fs::create_directories(folder_);
        fs::copy(SHIFTEX_DATA_DIR, folder_, fs::copy_options::recursive);
    }
    void TearDown() override
    {
        std::error_code ec;
        for (const auto& entry : fs::recursive_directory_iterator(folder_, ec))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(folder_, ec);
    }
    Lines Read(const fs::path& relative)
    {
        return ReadTextLines(folder_ / relative).value_or(Lines{"<unreadable>"});
    }
    void Write(const fs::path& relative, const Lines& lines)
    {
        ASSERT_TRUE(WriteTextLines(folder_ / relative, lines));
    }

    fs::path folder_ = UniqueFolder();
    RecordingSink sink_;
    HolidayStore store_{folder_, sink_};
};

TEST_F(HolidayStoreTest, ShippedTemplatesAreComplete)
{
    const Lines regions = Read("Holidays/Default/FileList.ini");
    EXPECT_EQ(regions, (Lines{"Belgium", "Netherlands", "Germany", "France", "United Kingdom",
                              "Custom"}));
    for (const auto& region : regions) {
        const Lines lines = Read("Holidays/Default/" + region + ".ini");
        ASSERT_GE(lines.size(), 14u) << region;
        EXPECT_EQ(lines.front(), "[" + region + "]");
        EXPECT_EQ(lines.back(), "[]");
        Lines headers;
        for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
            if (lines[i].front() == '[') {
                headers.push_back(lines[i]);
                continue;
            }
            // DD:Name with a real day of the month
            ASSERT_GE(lines[i].size(), 4u) << region;
            EXPECT_EQ(lines[i][2], ':') << lines[i];
            const int day = ParseInt(lines[i].substr(0, 2));
            const int month = ParseInt(headers.back().substr(1, 2));
            EXPECT_TRUE(day >= 1 && day <= DaysInMonth(month, 2004)) << lines[i];
            EXPECT_LE(lines[i].size() - 3, 40u);
        }
        EXPECT_EQ(headers, MonthHeaders()) << region;
    }
    EXPECT_EQ(Read("Holidays/Default/Custom.ini").size(), 14u);
    EXPECT_EQ(ReadFileBytes(folder_ / "Holidays/Default/Custom.ini")->substr(0, 10),
              "[Custom]\r\n");
}

TEST_F(HolidayStoreTest, YearFolderIsMadeFromTheDefaultsOnce)
{
    EXPECT_TRUE(store_.EnsureYearFolder("2004"));
    EXPECT_TRUE(sink_.errors.empty());
    // Beside "Holidays", not in a second folder spelt "holidays".
    EXPECT_TRUE(fs::is_directory(folder_ / "Holidays" / "2004"));
    const auto folders = std::count_if(fs::directory_iterator(folder_), fs::directory_iterator(),
                                       [](const fs::directory_entry& e) { return e.is_directory(); });
    EXPECT_EQ(folders, 1);
    EXPECT_EQ(store_.YearFolder("2004"), folder_ / "Holidays" / "2004");

    const Lines regions = Read("Holidays/Default/FileList.ini");
    EXPECT_EQ(Read("Holidays/2004/FileList.ini"), regions);
    for (const auto& region : regions)
        EXPECT_EQ(ReadFileBytes(folder_ / "Holidays/2004" / (region + ".ini")),
                  ReadFileBytes(folder_ / "Holidays/Default" / (region + ".ini")));
    EXPECT_EQ(store_.ListRegions("2004"), regions);

    // An existing folder is left as it is: edits stay, defaults are not copied again.
    Write("Holidays/2004/Belgium.ini", {"[Belgium]", "[01]", "02:Edited", "[]"});
    fs::remove(folder_ / "Holidays/2004/Germany.ini");
    EXPECT_TRUE(store_.EnsureYearFolder("2004"));
    EXPECT_EQ(Read("Holidays/2004/Belgium.ini"), (Lines{"[Belgium]", "[01]", "02:Edited", "[]"}));
    EXPECT_FALSE(fs::exists(folder_ / "Holidays/2004/Germany.ini"));
    EXPECT_TRUE(sink_.errors.empty());
}

TEST_F(HolidayStoreTest, FailedCopiesAreReportedAndTheListIsStillWritten)
{
    // A region without a file, a region listed twice and a blank line.
    const Lines list = {"Belgium", "Atlantis", "", "Belgium", "Custom"};
    Write("Holidays/Default/FileList.ini", list);
    EXPECT_TRUE(store_.EnsureYearFolder("2010"));
    EXPECT_EQ(sink_.errors, (Lines{"Could not create Holiday files for 2010\n\r"
                                   "Make sure you have write permission to Holidays/2010"}));
    EXPECT_EQ(Read("Holidays/2010/FileList.ini"), list);
    EXPECT_EQ(Read("Holidays/2010/Belgium.ini"), Read("Holidays/Default/Belgium.ini"));
    EXPECT_TRUE(fs::exists(folder_ / "Holidays/2010/Custom.ini"));
    EXPECT_EQ(store_.ListRegions("2010"), (Lines{"Belgium", "Atlantis", "Belgium", "Custom"}));
}

TEST_F(HolidayStoreTest, FolderThatCannotBeCreatedIsReported)
{
    // "holidays" is a file here, so no year folder can go below it.
    fs::remove_all(folder_ / "Holidays");
    Write("holidays", {"not a folder"});
    EXPECT_FALSE(store_.EnsureYearFolder("2004"));
    EXPECT_EQ(sink_.errors, (Lines{"Could not create directory for \"holidays/2004\"\n\r"
                                   "Make sure you have write permission."}));
    EXPECT_FALSE(store_.ListRegions("2004"));

    sink_.errors.clear();
    EXPECT_FALSE(store_.EnsureYearFolder("../2004"));
    EXPECT_EQ(sink_.errors.size(), 1u);

    if (::geteuid() != 0) {  // root writes into read-only folders
        fs::remove(folder_ / "holidays");
        fs::copy(SHIFTEX_DATA_DIR, folder_, fs::copy_options::recursive);
        fs::permissions(folder_ / "Holidays", fs::perms::owner_read | fs::perms::owner_exec);
        sink_.errors.clear();
        EXPECT_FALSE(store_.EnsureYearFolder("2004"));
        EXPECT_EQ(sink_.errors, (Lines{"Could not create directory for \"Holidays/2004\"\n\r"
                                       "Make sure you have write permission."}));
    }
}

TEST_F(HolidayStoreTest, NamesAreMatchedWithoutRegardToCase)
{
    ASSERT_TRUE(store_.EnsureYearFolder("2004"));
    EXPECT_EQ(store_.TemplatePath("2004", "united kingdom"),
              folder_ / "Holidays/2004/United Kingdom.ini");
    EXPECT_EQ(store_.CustomTemplatePath(), folder_ / "Holidays/Default/Custom.ini");
    EXPECT_EQ(store_.DefaultFolder(), folder_ / "Holidays/Default");

    const auto loaded = store_.LoadTemplate("2004", "custom");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->front(), "[Custom]");

    const auto missing = store_.LoadTemplate("2004", "Atlantis");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().message,
              "Cannot open file \"" + (folder_ / "Holidays/2004/Atlantis.ini").string() + "\".");
    // Names that would lead out of the holidays folder are no regions.
    for (const std::string region : {"../Default/Custom", "", "..", "a/b"})
        EXPECT_FALSE(store_.LoadTemplate("2004", region)) << region;
    EXPECT_FALSE(store_.LoadTemplate("20/04", "Custom"));
}

TEST(HolidayTemplate, MonthKeyAndReadingSections)
{
    EXPECT_EQ(MonthKey("4"), "[04]");
    EXPECT_EQ(MonthKey("04"), "[04]");
    EXPECT_EQ(MonthKey("12"), "[12]");
    EXPECT_THROW(MonthKey("April"), ConversionError);
    EXPECT_THROW(MonthKey(""), ConversionError);

    const Lines lines = {"[R]", "[04]", "[05]", "01:Labour:Day", "", "7", "21:", "[06]",
                         "06:June", "[]"};
    EXPECT_TRUE(ReadMonthHolidays(lines, "4").empty());  // [04] directly followed by [05]
    // Every line up to the next bracket is a row, a blank one too.
    EXPECT_EQ(ReadMonthHolidays(lines, "05"),
              (std::vector<HolidayRow>{{"01", "-", "Labour:Day"}, {"", "-", ""}, {"7", "-", ""},
                                       {"21", "-", ""}}));
    // Written back, the blank row is the blank line it was.
    Lines rewritten = lines;
    ReplaceMonthSection(rewritten, {{"", "-", ""}, {"01", "-", "Labour:Day"}}, "5");
    EXPECT_EQ(rewritten, (Lines{"[R]", "[04]", "[05]", "01:Labour:Day", "", "[06]", "06:June",
                                "[]"}));
    EXPECT_TRUE(ReadMonthHolidays(lines, "7").empty());  // no header at all
    EXPECT_TRUE(ReadMonthHolidays({}, "1").empty());
    EXPECT_EQ(ReadMonthHolidays({"[06]", "06:Last"}, "6"),
              (std::vector<HolidayRow>{{"06", "-", "Last"}}));
}

TEST_F(HolidayStoreTest, SavedRowsGoBelowTheHeaderInReverseOrder)
{
    const fs::path file = folder_ / "t.ini";
    Lines lines = {"[R]", "[04]", "[05]", "[]"};
    ASSERT_TRUE(store_.WriteMonthHolidays(lines, {{"05", "-", "N"}}, "4", file));
    EXPECT_EQ(lines, (Lines{"[R]", "[04]", "05:N", "[05]", "[]"}));
    EXPECT_EQ(ReadTextLines(file), lines);

    // A second save replaces the section: day 21 lands above day 05.
    const std::vector<HolidayRow> rows = {{"05", "-", "N"}, {"21", "-", "M"}};
    ASSERT_TRUE(store_.WriteMonthHolidays(lines, rows, "04", file));
    EXPECT_EQ(lines, (Lines{"[R]", "[04]", "21:M", "05:N", "[05]", "[]"}));
    EXPECT_EQ(ReadTextLines(file), lines);
    EXPECT_EQ(ReadMonthHolidays(lines, "4"),
              (std::vector<HolidayRow>{{"21", "-", "M"}, {"05", "-", "N"}}));

    // The last section of a file without the closing line.
    Lines open = {"[R]", "[12]", "24:Old", "25:Older"};
    ReplaceMonthSection(open, {{"26", "-", "New"}}, "12");
    EXPECT_EQ(open, (Lines{"[R]", "[12]", "26:New"}));
}

TEST_F(HolidayStoreTest, MissingHeaderLeavesTemplateAndFileAlone)
{
    const fs::path file = folder_ / "t.ini";
    Lines lines = {"[R]", "[01]", "01:A", "[]"};
    const Lines before = lines;
    const auto written = store_.WriteMonthHolidays(lines, {{"05", "-", "N"}}, "4", file);
    EXPECT_FALSE(written);
    EXPECT_EQ(lines, before);
    EXPECT_FALSE(fs::exists(file));

    ReplaceMonthSection(lines, {{"05", "-", "N"}}, "4");
    MergeScheduleHolidays(lines, {"5"}, {"N"}, "4");
    EXPECT_EQ(lines, before);

    // A file that cannot be written is reported.
    EXPECT_FALSE(store_.WriteMonthHolidays(lines, {}, "1", folder_ / "missing" / "t.ini"));
}

TEST(HolidayTemplate, MergeScheduleHolidays)
{
    Lines base = {"[Custom]"};
    for (const auto& header : MonthHeaders())
        base.push_back(header);
    base.push_back("[]");
    base.insert(base.begin() + 5, "09:Old");  // below [04]

    for (const std::string month : {"4", "04"}) {
        Lines lines = base;
        MergeScheduleHolidays(lines, {"5", "21", " 7"}, {"Five", "Twenty-one", "Seven"}, month);
        Lines expected = base;
        expected.erase(expected.begin() + 5);
        expected.insert(expected.begin() + 5, {"07:Seven", "21:Twenty-one", "05:Five"});
        EXPECT_EQ(lines, expected) << month;
    }

    // A day that is no number stops the merge before anything changed.
    Lines lines = base;
    EXPECT_THROW(MergeScheduleHolidays(lines, {"5", "x"}, {"A", "B"}, "4"), ConversionError);
    EXPECT_EQ(lines, base);
    EXPECT_THROW(MergeScheduleHolidays(lines, {"5"}, {"A"}, "April"), ConversionError);

    // Days and names of different lengths: only the pairs are merged.
    MergeScheduleHolidays(lines, {"5"}, {"A", "B"}, "4");
    MergeScheduleHolidays(lines, {"6", "7"}, {"C"}, "5");
    EXPECT_EQ(ReadMonthHolidays(lines, "4"), (std::vector<HolidayRow>{{"05", "-", "A"}}));
    EXPECT_EQ(ReadMonthHolidays(lines, "5"), (std::vector<HolidayRow>{{"06", "-", "C"}}));
}

TEST(HolidayLines, ReaderSkipsWhatItCannotRead)
{
    const Lines lines = {"[Custom]", "[**YEAR**]:2003", "[01]", "01:New Year", "x", "",
                         "[12]", "25:Xmas:Eve", "[]", "[**YEAR**]", "02:lost", "[**YEAR**]:2004",
                         "[0", "03:lost", "[]", "04:lost", "[01]", "0", "05", "06:"};
    const auto entries = HolidaysOfLines(lines);
    struct Expected {
        std::string year, month, day, name;
    };
    const std::vector<Expected> expected = {{"2003", "01", "01", "New Year"},
                                            {"2003", "12", "25", "Xmas:Eve"},
                                            {"2004", "01", "05", ""},
                                            {"2004", "01", "06", ""}};
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(entries[i].year, expected[i].year) << i;
        EXPECT_EQ(entries[i].month, expected[i].month) << i;
        EXPECT_EQ(entries[i].day, expected[i].day) << i;
        EXPECT_EQ(entries[i].name, expected[i].name) << i;
    }
    EXPECT_TRUE(HolidaysOfLines({}).empty());
    EXPECT_TRUE(HolidaysOfLines({"01:Region line only"}).empty());

    EXPECT_EQ(RegionOfLines(lines), "Custom");
    EXPECT_EQ(RegionOfLines({"[United Kingdom]", "[**YEAR**]:2004"}), "United Kingdom");
    EXPECT_EQ(RegionOfLines({}), "");
    EXPECT_EQ(RegionOfLines({"[]"}), "");
    EXPECT_EQ(RegionOfLines({"["}), "");
}

// Day columns from December 2003 into January 2004; only the first column of a month carries
// its title.
ScheduleSheet SheetAcrossNewYear()
{
    ScheduleSheet sheet;
    sheet.Resize(1 + 31 + 31, 3);
    sheet.fixedCols = 1;
    sheet.SetText(0, 0, "Name 1999");
    sheet.SetText(1, 0, "December 2003");
    sheet.SetText(32, 0, "January 2004");
    return sheet;
}

TEST_F(HolidayStoreTest, HolidayLinesAcrossTwoYearsWriteBackUnchanged)
{
    ASSERT_TRUE(store_.EnsureYearFolder("2003"));
    ASSERT_TRUE(store_.EnsureYearFolder("2004"));
    const Lines custom2003 = {"[Custom]", "[01]", "[02]", "[03]", "[04]", "[05]", "[06]",
                              "[07]", "[08]", "[09]", "[10]", "[11]", "[12]", "24:Eve",
                              "25:Day", "[]"};
    Write("Holidays/2003/Custom.ini", custom2003);
    Lines custom2004 = Read("Holidays/2004/Custom.ini");
    custom2004.insert(custom2004.begin() + 2, "01:New Year");
    Write("Holidays/2004/Custom.ini", custom2004);
    const auto bytes2003 = ReadFileBytes(folder_ / "Holidays/2003/Custom.ini");
    const auto bytes2004 = ReadFileBytes(folder_ / "Holidays/2004/Custom.ini");

    const auto built = store_.BuildHolidayLines(SheetAcrossNewYear(), "Custom");
    ASSERT_TRUE(built) << built.error().message;
    Lines expected = {"[Custom]", "[**YEAR**]:2003"};
    expected.insert(expected.end(), custom2003.begin() + 1, custom2003.end());
    expected.push_back("[**YEAR**]:2004");
    expected.insert(expected.end(), custom2004.begin() + 1, custom2004.end());
    EXPECT_EQ(*built, expected);
    EXPECT_EQ(RegionOfLines(*built), "Custom");
    EXPECT_EQ(HolidaysOfLines(*built).size(), 3u);

    ASSERT_TRUE(store_.WriteBackHolidayLines(2003, 2004, "Custom", *built));
    EXPECT_EQ(ReadFileBytes(folder_ / "Holidays/2003/Custom.ini"), bytes2003);
    EXPECT_EQ(ReadFileBytes(folder_ / "Holidays/2004/Custom.ini"), bytes2004);
    EXPECT_EQ(store_.BuildHolidayLines(SheetAcrossNewYear(), "Custom"), built);
    EXPECT_TRUE(sink_.errors.empty());

    // An edit of the 2004 block reaches only the 2004 file: the 2003 block lies outside the
    // range and is skipped.
    Lines edited = *built;
    edited.insert(edited.end() - 1, "31:Year end");
    ASSERT_TRUE(store_.WriteBackHolidayLines(2004, 2005, "Custom", edited));
    EXPECT_EQ(ReadFileBytes(folder_ / "Holidays/2003/Custom.ini"), bytes2003);
    EXPECT_EQ(ReadMonthHolidays(Read("Holidays/2004/Custom.ini"), "12"),
              (std::vector<HolidayRow>{{"31", "-", "Year end"}}));
    EXPECT_EQ(Read("Holidays/2004/Custom.ini").back(), "[]");
    EXPECT_TRUE(store_.WriteBackHolidayLines(2004, 2003, "custom", {"garbage"}));
}

TEST_F(HolidayStoreTest, TheRegionLineLeadsTheListAndEveryWrittenFile)
{
    // A first line that is not exactly "[" + region + "]" stays in its year's block, and the
    // region's own line goes on top: in the list and again in the file written back.
    ASSERT_TRUE(store_.EnsureYearFolder("2003"));
    ASSERT_TRUE(store_.EnsureYearFolder("2004"));
    Write("Holidays/2003/Custom.ini", {"[custom]", "[12]", "25:Day", "[]"});
    Write("Holidays/2004/Custom.ini", {"[01]", "01:New Year", "[]"});
    const auto built = store_.BuildHolidayLines(SheetAcrossNewYear(), "Custom");
    ASSERT_TRUE(built) << built.error().message;
    EXPECT_EQ(*built, (Lines{"[Custom]", "[**YEAR**]:2003", "[custom]", "[12]", "25:Day", "[]",
                             "[**YEAR**]:2004", "[01]", "01:New Year", "[]"}));
    EXPECT_EQ(HolidaysOfLines(*built).size(), 2u);

    ASSERT_TRUE(store_.WriteBackHolidayLines(2003, 2004, "Custom", *built));
    EXPECT_EQ(Read("Holidays/2003/Custom.ini"),
              (Lines{"[Custom]", "[custom]", "[12]", "25:Day", "[]"}));
    EXPECT_EQ(Read("Holidays/2004/Custom.ini"), (Lines{"[Custom]", "[01]", "01:New Year", "[]"}));
    // From then on the files lead with the region's line and go round unchanged.
    const auto again = store_.BuildHolidayLines(SheetAcrossNewYear(), "Custom");
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, *built);
}

TEST_F(HolidayStoreTest, HolidayLinesForAYearWithoutFolderAndBadInput)
{
    // Years without a folder read the region's default template; nothing is created.
    const auto built = store_.BuildHolidayLines(SheetAcrossNewYear(), "Belgium");
    ASSERT_TRUE(built) << built.error().message;
    EXPECT_FALSE(fs::exists(folder_ / "Holidays/2003"));
    EXPECT_FALSE(fs::exists(folder_ / "Holidays/2004"));
    EXPECT_EQ(built->front(), "[Belgium]");
    EXPECT_EQ(std::count(built->begin(), built->end(), "[Belgium]"), 1);
    EXPECT_EQ(HolidaysOfLines(*built).size(), 14u);

    EXPECT_FALSE(store_.BuildHolidayLines(SheetAcrossNewYear(), "Atlantis"));
    EXPECT_FALSE(store_.BuildHolidayLines(ScheduleSheet(), "Belgium"));
    ScheduleSheet untitled;
    untitled.Resize(5, 0);
    EXPECT_FALSE(store_.BuildHolidayLines(untitled, "Belgium"));

    // A region from a schedule file never leads the write out of the holidays folder, and
    // broken lists are written as far as they can be read.
    EXPECT_FALSE(store_.WriteBackHolidayLines(2003, 2003, "../../escape", *built));
    EXPECT_FALSE(fs::exists(folder_ / "escape.ini"));
    const Lines broken = {"[Belgium]", "[**YEAR**]:20x3", "01:Lost", "[**YEAR**]:", "[01]",
                          "[**YEAR**]:2005"};
    EXPECT_TRUE(store_.WriteBackHolidayLines(2003, 2005, "Belgium", broken));
    EXPECT_EQ(Read("Holidays/2005/Belgium.ini"), (Lines{"[Belgium]", "[]"}));
    EXPECT_TRUE(store_.WriteBackHolidayLines(0, 2147483647, "Belgium", {}));
}

} // namespace
} // namespace shiftex
