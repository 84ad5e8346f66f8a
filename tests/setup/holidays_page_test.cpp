#include "setup/holidays_page.h"

#include "files/text_io.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::RecordingMessageSink;
using test::TempProgramFolder;

Lines MonthHeaders(const std::string& region)
{
    Lines lines{"[" + region + "]"};
    for (int m = 1; m <= 12; ++m)
        lines.push_back("[" + TwoDigits(m) + "]");
    lines.push_back("[]");
    return lines;
}

class HolidaysPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A region of the 2003 folder without holidays in April.
        ASSERT_TRUE(page_.Enter("2003", "04", "custom"));
    }
    fs::path TemplateFile(const std::string& year, const std::string& region = "Custom") const
    {
        return store_.TemplatePath(year, region);
    }
    Lines Read(const fs::path& path) const
    {
        return ReadTextLines(path).value_or(Lines{"<unreadable>"});
    }
    void Save(int day, const std::string& name)
    {
        page_.ClickCalendarDay(day);
        ASSERT_TRUE(page_.SetField("name", name));
        ASSERT_TRUE(page_.Press("save"));
    }

    TempProgramFolder folder_;
    RecordingMessageSink messages_;
    HolidayStore store_{folder_.path(), messages_};
    HolidaysPage page_{store_};
};

TEST_F(HolidaysPageTest, EnteringShowsTheRegionAsWrittenAndTheMonth)
{
    EXPECT_EQ(page_.Text("region"), "custom");
    EXPECT_EQ(page_.regions()[static_cast<std::size_t>(page_.regionIndex())], "Custom");
    EXPECT_TRUE(fs::is_directory(store_.YearFolder("2003")));
    EXPECT_EQ(page_.month(), "4");
    EXPECT_EQ(page_.calendar().month, 4);
    EXPECT_TRUE(page_.ListEntries().empty());
    EXPECT_EQ(page_.Text("day"), "01");
}

TEST_F(HolidaysPageTest, NewHolidaysAreWrittenInReverseBelowTheHeader)
{
    Save(5, "Fifth");
    Save(21, "Twenty-first");
    EXPECT_EQ(page_.ListEntries(),
              (std::vector<Lines>{{"05", "-", "Fifth"}, {"21", "-", "Twenty-first"}}));
    EXPECT_EQ(page_.calendar().bold, (std::vector<int>{5, 21}));
    EXPECT_EQ(page_.Text("name"), "");
    EXPECT_EQ(page_.Text("day"), "01");
    EXPECT_FALSE(page_.IsEnabled("remove"));

    const Lines file = Read(TemplateFile("2003"));
    const auto april = std::find(file.begin(), file.end(), "[04]");
    ASSERT_NE(april, file.end());
    EXPECT_EQ(*(april + 1), "21:Twenty-first");
    EXPECT_EQ(*(april + 2), "05:Fifth");
    EXPECT_EQ(*(april + 3), "[05]");

    // Read back, the file order is the list order.
    HolidaysPage again(store_);
    ASSERT_TRUE(again.Enter("2003", "4", "Custom"));
    EXPECT_EQ(again.rows().front().day, "21");
}

TEST_F(HolidaysPageTest, SavingOnAListedDayRenamesItsHoliday)
{
    Save(5, "Fifth");
    Save(5, " Renamed");
    EXPECT_EQ(page_.ListEntries(), (std::vector<Lines>{{"05", "-", " Renamed"}}));
    const Lines file = Read(TemplateFile("2003"));
    EXPECT_EQ(std::count(file.begin(), file.end(), "05: Renamed"), 1);

    ASSERT_TRUE(page_.Pick(0));
    EXPECT_EQ(page_.Text("name"), " Renamed");
    EXPECT_TRUE(page_.IsEnabled("remove"));
    EXPECT_TRUE(page_.Press("remove"));
    EXPECT_TRUE(page_.ListEntries().empty());
    EXPECT_TRUE(page_.calendar().bold.empty());
    EXPECT_EQ(Read(TemplateFile("2003")), MonthHeaders("Custom"));

    EXPECT_TRUE(page_.SetField("name", "  "));
    EXPECT_EQ(page_.Press("save").error().message, "\"Holiday name\" is a required field.");
    EXPECT_EQ(page_.focus(), "name");
}

TEST_F(HolidaysPageTest, TheDayFieldKeepsWithinTheMonth)
{
    for (const char* day : {"0", "31"}) {
        ASSERT_TRUE(page_.SetField("day", day));
        EXPECT_EQ(page_.Text("day"), std::string(day).size() == 1 ? "00" : "31");
        ASSERT_TRUE(page_.LeaveField("day"));
        EXPECT_EQ(page_.Text("day"), "01") << day;
    }
    Save(5, "Fifth");
    ASSERT_TRUE(page_.Pick(0));
    page_.ClickCalendarDay(9);
    EXPECT_EQ(page_.Text("day"), "09");
    EXPECT_FALSE(page_.IsEnabled("remove"));
}

TEST_F(HolidaysPageTest, MovingTheCalendarReadsTheMonthAndCreatesNewYears)
{
    ASSERT_TRUE(page_.SetField("region", "Netherlands"));
    ASSERT_EQ(page_.ListEntries(), (std::vector<Lines>{{"27", "-", "King's Day"}}));
    ASSERT_TRUE(page_.MoveCalendar(2003, 5));
    EXPECT_EQ(page_.month(), "5");
    EXPECT_NE(page_.ListEntries(), (std::vector<Lines>{{"27", "-", "King's Day"}}));

    ASSERT_FALSE(fs::exists(store_.YearFolder("2004")));
    ASSERT_TRUE(page_.MoveCalendar(2004, 1));
    EXPECT_TRUE(fs::exists(TemplateFile("2004", "Netherlands")));
    EXPECT_EQ(page_.ListEntries(), (std::vector<Lines>{{"01", "-", "New Year's Day"}}));
    EXPECT_EQ(page_.year(), "2004");
    EXPECT_TRUE(messages_.errors.empty());
}

TEST_F(HolidaysPageTest, AMissingHeaderOrAFailedWriteChangesNothing)
{
    // A template that lost its April header cannot take April's holidays.
    Lines broken = MonthHeaders("Custom");
    std::erase(broken, "[04]");
    ASSERT_TRUE(WriteTextLines(TemplateFile("2003"), broken));
    ASSERT_TRUE(page_.SetField("region", "Custom"));
    page_.ClickCalendarDay(5);
    ASSERT_TRUE(page_.SetField("name", "Fifth"));
    const Result<void> refused = page_.Press("save");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, ErrorKind::FileSystem);
    EXPECT_NE(refused.error().message.find("Custom.ini"), std::string::npos);
    EXPECT_TRUE(page_.ListEntries().empty());
    EXPECT_EQ(page_.Text("name"), "Fifth");
    EXPECT_EQ(Read(TemplateFile("2003")), broken);
}

TEST_F(HolidaysPageTest, AnUnknownRegionListsNothing)
{
    HolidaysPage page(store_);
    ASSERT_TRUE(page.Enter("2003", "4", "Atlantis"));
    EXPECT_EQ(page.regionIndex(), -1);
    EXPECT_EQ(page.Text("region"), "Atlantis");
    EXPECT_TRUE(page.ListEntries().empty());
    // Choosing an empty region box takes the first region.
    ASSERT_TRUE(page.SetField("region", ""));
    EXPECT_EQ(page.Text("region"), "Belgium");
    EXPECT_EQ(page.regionIndex(), 0);
}

} // namespace
} // namespace shiftex
