#include "april_2003_text.h"
#include "editing/schedule_session.h"
#include "files/holiday_store.h"
#include "files/schedule_text.h"
#include "setup/wizard_answers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace shiftex {
namespace {

using test::LoadedOrFail;
using test::RecordingMessageSink;
using test::TempProgramFolder;

WizardAnswers April2003()
{
    WizardAnswers answers = WizardAnswers::Defaults(2003, 4);
    answers.employeeNames = {"A", "B"};
    answers.workingTypes = {WorkingType::Create("D", "", "08H00", "16H00", "  H  ", "  H  ", 0)};
    return answers;
}

TEST(BuildScheduleText, RequiredPagesOnlyGiveTheExactLines)
{
    const std::vector<std::string> expected = test::April2003Text();
    EXPECT_EQ(BuildScheduleText(April2003()), expected);
}

TEST(BuildScheduleText, LeapFebruaryAndQueries)
{
    WizardAnswers answers = WizardAnswers::Defaults(2004, 2);
    answers.workingTypes = {WorkingType::Create("E", "x", "07H00", "15H00", "  H  ", "  H  ", 1)};
    answers.customQueryLines = {"Q", "E", "end this addition", "end all additions"};
    answers.queryThresholds = {{"Q", "clred", "2", "clblue", "5"}};
    const std::vector<std::string> lines = BuildScheduleText(answers);
    EXPECT_EQ(lines[1], "30");
    // 1 February 2004 is a Sunday; the 29th a Sunday too.
    const std::vector<std::string> weekend(lines.begin() + 4, lines.begin() + 13);
    EXPECT_EQ(weekend, (std::vector<std::string>{"1", "7", "8", "14", "15", "21", "22", "28",
                                                 "29"}));
    const auto at = std::find(lines.begin(), lines.end(), "end max count employee/type");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(std::vector<std::string>(at + 1, at + 9),
              (std::vector<std::string>{"clred", "end min color special summation", "2",
                                        "end min count special summation", "clblue",
                                        "end max color special summation", "5",
                                        "end max count special summation"}));
}

class LoadScheduleTextTest : public ::testing::Test {
protected:
    Result<void> Load(const std::vector<std::string>& lines)
    {
        document = CreateDocument();
        return test::KeepLoaded(document, LoadScheduleText(lines, folder.path(), messages));
    }

    TempProgramFolder folder;
    RecordingMessageSink messages;
    ScheduleDocument document;
};

TEST_F(LoadScheduleTextTest, WizardTextBuildsTheDocument)
{
    ASSERT_TRUE(Load(BuildScheduleText(April2003())));
    const ScheduleSheet& sheet = document.sheet;
    EXPECT_EQ(sheet.colCount(), 32);
    EXPECT_EQ(sheet.rowCount(), 5);
    EXPECT_EQ(sheet.fixedRows, 3);
    EXPECT_EQ(sheet.fixedCols, 2);
    EXPECT_EQ(document.monthTitle, "April 2003");
    EXPECT_EQ(document.Employees(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(document.typeCodes, (std::vector<std::string>{"D"}));
    ASSERT_EQ(document.workingTypes.Count(), 2);
    const WorkingType& d = document.workingTypes.At(1);
    EXPECT_EQ(d.iconIndex, 0);
    EXPECT_EQ(d.fields[field::Information], "");
    EXPECT_EQ(d.fields[field::From1], "08H00");
    EXPECT_EQ(d.fields[field::Til2], "  H  ");
    EXPECT_EQ(d.fields[18], "1");
    EXPECT_EQ(document.customQueryLines, (std::vector<std::string>{"end all additions"}));
    EXPECT_TRUE(document.queryThresholds.empty());
    EXPECT_EQ(document.fontName, "MS Sans Serif");
    EXPECT_EQ(document.fontColour, "clblue");
    ASSERT_GE(document.holidayLines.size(), 2u);
    EXPECT_EQ(document.holidayLines[1], "[**YEAR**]:2003");
    EXPECT_EQ(document.holidayLines.back(), "[]");
    EXPECT_TRUE(document.departments.empty());
    EXPECT_EQ(document.mainDepartmentColour, "$00CE8A8A");
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(document.title, "NEW");
    EXPECT_TRUE(document.loadBuffer.empty());
    // Loading writes nothing: without a 2003 folder the region's default template is read.
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Holidays" / "2003"));
    // Weekend columns are coloured, others not: 5 April 2003 is a Saturday.
    EXPECT_EQ(sheet.BrushColor(2 + 4, 3), StringToColor("clyellow"));
    EXPECT_EQ(sheet.BrushColor(2 + 3, 3), clNone);
}

TEST_F(LoadScheduleTextTest, TheYearsOwnTemplateComesBeforeTheDefault)
{
    namespace fs = std::filesystem;
    const auto holidayNames = [&] {
        std::vector<std::string> names;
        for (const HolidayEntry& entry : HolidaysOfLines(document.holidayLines))
            names.push_back(entry.month + "/" + entry.day + " " + entry.name);
        return names;
    };
    // 1999 has no folder: the default template, and still no folder afterwards.
    WizardAnswers answers = WizardAnswers::Defaults(1999, 5);
    answers.employeeNames = {"A"};
    answers.regionName = "Custom";
    const std::vector<std::string> text = BuildScheduleText(answers);
    ASSERT_TRUE(Load(text));
    const std::vector<std::string> defaults = holidayNames();
    EXPECT_EQ(document.holidayLines[1], "[**YEAR**]:1999");
    EXPECT_FALSE(fs::exists(folder.path() / "Holidays" / "1999"));

    // Once the holidays page made the folder and a holiday was added there, that file counts.
    HolidayStore store(folder.path(), messages);
    ASSERT_TRUE(store.EnsureYearFolder("1999"));
    std::vector<std::string> lines = *store.LoadTemplate("1999", "Custom");
    ASSERT_TRUE(store.WriteMonthHolidays(lines, {{"12", "-", "Ward party"}}, "5",
                                         store.TemplatePath("1999", "Custom")));
    ASSERT_TRUE(Load(text));
    std::vector<std::string> expected = defaults;
    expected.insert(expected.begin(), "05/12 Ward party");
    std::vector<std::string> names = holidayNames();
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);

    // A region with neither file does not load.
    std::vector<std::string> atlantis = text;
    *std::find(atlantis.begin(), atlantis.end(), "Custom") = "Atlantis";
    EXPECT_FALSE(Load(atlantis));
    EXPECT_FALSE(fs::exists(folder.path() / "Holidays" / "1999" / "Atlantis.ini"));
}

TEST_F(LoadScheduleTextTest, RegionTemplateAndDepartments)
{
    WizardAnswers answers = April2003();
    answers.month = "5";
    answers.regionName = "belgium";  // matched without regard to case
    answers.departmentNames = {"Ward A", "Ward B"};
    answers.departmentColours = {"$00112233", "clred", "$00445566"};
    ASSERT_TRUE(Load(BuildScheduleText(answers)));
    EXPECT_EQ(document.holidayLines.front(), "[Belgium]");
    EXPECT_EQ(document.departments,
              (std::vector<Department>{{"Ward A", "clred"}, {"Ward B", "$00445566"}}));
    EXPECT_EQ(document.mainDepartmentColour, "$00112233");
    // 1 May is Labour Day: its column carries the holiday colour.
    EXPECT_EQ(document.sheet.BrushColor(2, 3), StringToColor("$00A8C8A6"));
}

// The text as a schedule saved without the optional blocks would hold it.
std::vector<std::string> WithoutOptionalBlocks(std::vector<std::string> lines, bool keepFont)
{
    const auto font = std::find(lines.begin(), lines.end(), "Font");
    if (!keepFont)
        lines.erase(font, font + 3);
    lines.erase(std::find(lines.begin(), lines.end(), "Holiday Template file"), lines.end());
    return lines;
}

TEST_F(LoadScheduleTextTest, WithoutTemplateBlockTheOwnHolidaysAreMergedIntoTheDefault)
{
    std::vector<std::string> lines = WithoutOptionalBlocks(BuildScheduleText(April2003()), true);
    // Holiday day 21 and its name.
    lines.insert(std::find(lines.begin(), lines.end(), "end holidays"), "21");
    lines.insert(std::find(lines.begin(), lines.end(), "end holidaynames"), "Easter Monday");
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(document.holidayDays, (std::vector<std::string>{"21"}));
    const auto& h = document.holidayLines;
    ASSERT_GE(h.size(), 2u);
    EXPECT_EQ(h[0], "[Custom]");
    EXPECT_EQ(h[1], "[**YEAR**]:2003");
    const auto april = std::find(h.begin(), h.end(), "[04]");
    ASSERT_NE(april, h.end());
    EXPECT_EQ(*(april + 1), "21:Easter Monday");
    EXPECT_TRUE(document.departments.empty());
    EXPECT_EQ(document.sheet.BrushColor(2 + 20, 3), StringToColor("$00A8C8A6"));
}

TEST_F(LoadScheduleTextTest, WithoutFontTheLineThereIsLost)
{
    std::vector<std::string> lines = WithoutOptionalBlocks(BuildScheduleText(April2003()), false);
    // The information section now starts right after the thresholds; its first line is eaten.
    const auto at = std::find(lines.begin(), lines.end(), "end workingtype information");
    lines.insert(at, {"lost", "Day shift"});
    lines.erase(std::find(lines.begin(), lines.end(), ""));  // the former empty information
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(document.fontName, "");
    EXPECT_EQ(document.workingTypes.At(1).fields[field::Information], "Day shift");
}

TEST_F(LoadScheduleTextTest, LineAfterGlyps)
{
    for (const std::string& extra : {std::string("   "), std::string("clred")}) {
        std::vector<std::string> lines = BuildScheduleText(April2003());
        const auto glyps = std::find(lines.begin(), lines.end(), "end glyps");
        lines.insert(glyps + 1, extra);
        ASSERT_TRUE(Load(lines)) << extra;
        // A blank line is skipped; anything else is the first field-7 value.
        EXPECT_EQ(document.workingTypes.At(1).fields[field::DayMinColour],
                  extra == "clred" ? "clred" : "clwhite");
    }
}

TEST_F(LoadScheduleTextTest, QueriesAndThresholds)
{
    WizardAnswers answers = April2003();
    answers.workingTypes.push_back(
        WorkingType::Create("N", "night", "22H00", "24H00", "  H  ", "  H  ", 2));
    answers.customQueryLines = {"Day", "D", "end this addition", "Night", "N", "D",
                                "end this addition", "end all additions"};
    answers.queryThresholds = {{"Day", "clred", "2", "clblue", "4"},
                               {"Night", "$00010203", "1", "clyellow", "3"}};
    ASSERT_TRUE(Load(BuildScheduleText(answers)));
    EXPECT_EQ(document.customQueryNames, (std::vector<std::string>{"Day", "Night"}));
    EXPECT_EQ(document.queryThresholds, answers.queryThresholds);
    EXPECT_EQ(document.customQueryLines, answers.customQueryLines);
}

TEST_F(LoadScheduleTextTest, SurplusLinesAreIgnored)
{
    std::vector<std::string> lines = BuildScheduleText(April2003());
    lines[2] = "2";  // one employee announced, two blocks follow
    const auto person = std::find(lines.begin(), lines.end(), "end this person");
    std::vector<std::string> cells(40, "D");  // more cells than days
    lines.insert(person, cells.begin(), cells.end());
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(document.sheet.rowCount(), 4);
    EXPECT_EQ(document.Employees(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(document.sheet.Text(31, 3), "D");
}

TEST_F(LoadScheduleTextTest, BadInputIsReportedWithItsLine)
{
    const std::vector<std::string> good = BuildScheduleText(April2003());
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::vector<std::string> lines = good;
        *std::find(lines.begin(), lines.end(), from) = to;
        return lines;
    };
    auto removed = [&](const std::string& marker) {
        std::vector<std::string> lines = good;
        lines.erase(std::find(lines.begin(), lines.end(), marker));
        return lines;
    };
    std::vector<std::string> badColumns = good, tooManyRows = good, noDays = good;
    badColumns[1] = "3l";
    tooManyRows[2] = "40000";
    noDays[1] = "0";
    std::vector<std::string> badIcon = good;
    *(std::find(badIcon.begin(), badIcon.end(), "end glyps") - 1) = "x";
    std::vector<std::string> tooManyDays = good;
    tooManyDays[1] = "32";
    // Counts that are no numbers and surplus icon lines load (the colouring meets the counts).
    std::vector<std::string> badCount = good;
    *(std::find(badCount.begin(), badCount.end(), "end min count day/type") - 1) = "x";
    *(std::find(badCount.begin(), badCount.end(), "end max count employee/type") - 1) = "";
    std::vector<std::string> surplusIcons = good;
    surplusIcons.insert(std::find(surplusIcons.begin(), surplusIcons.end(), "end glyps"),
                        {"3", "x"});
    const struct {
        const char* name;
        std::vector<std::string> lines;
        std::string message;
    } cases[] = {
        {"first line", replaced("ShiftexV4.2", "ShiftexV4.1"), kDamagedFileMessage},
        {"empty text", {}, kDamagedFileMessage},
        {"columns", badColumns, "Line 2: \"3l\" is not a valid number."},
        {"rows", tooManyRows, "Line 3: the number of rows must lie between 1 and 32767."},
        {"no days", noDays, "Line 2: the number of columns must lie between 1 and 32767."},
        {"month title", replaced("April 2003", "Avril 2003"),
         "Line 4: \"Avril 2003\" is not a month and a year."},
        {"weekend marker", removed("end weekend"),
         "The section starting on line 5 is not closed by \"end weekend\"."},
        {"person marker", removed("end all person"),
         "is not closed by \"end this person\"."},
        {"types marker", removed("end workingtypes"),
         "The section starting on line 22 is not closed by \"end workingtypes\"."},
        {"department marker", removed("end LstbDepartement info"),
         "The section starting on line 65 is not closed by \"end LstbDepartement info\"."},
        {"weekend colour", replaced("clyellow", "yellowish"),
         "Line 15: \"yellowish\" is not a valid colour."},
        {"icon", badIcon, "Line 35: \"x\" is not a valid number."},
        {"threshold count", replaced("end min count day/type", "end min count day/typ"),
         ""},  // a lenient section may run to the end: loads
        {"count no number", badCount, ""},
        {"surplus icons", surplusIcons, ""},
        {"region", replaced("custom", "../../etc"),
         "Line 63: \"../../etc\" is not a holiday region."},
        {"missing region", replaced("custom", "Atlantis"), "cannot be read"},
        {"too many days", tooManyDays, "do not fit \"April 2003\""},
    };
    for (const auto& c : cases) {
        const auto result = Load(c.lines);
        if (c.message.empty()) {
            EXPECT_TRUE(result) << c.name;
            continue;
        }
        ASSERT_FALSE(result) << c.name;
        EXPECT_NE(result.error().message.find(c.message), std::string::npos)
            << c.name << ": " << result.error().message;
        // Nothing half-read reaches the document.
        const ScheduleDocument fresh = CreateDocument();
        EXPECT_EQ(document.sheet, fresh.sheet) << c.name;
        EXPECT_EQ(document.monthTitle, fresh.monthTitle) << c.name;
        EXPECT_EQ(document.typeCodes, fresh.typeCodes) << c.name;
        EXPECT_EQ(document.holidayLines, fresh.holidayLines) << c.name;
        EXPECT_EQ(document.customQueryLines, fresh.customQueryLines) << c.name;
    }
}

TEST_F(LoadScheduleTextTest, ACountThatIsNoNumberStopsTheColouringNotTheLoad)
{
    std::vector<std::string> lines = BuildScheduleText(April2003());
    *(std::find(lines.begin(), lines.end(), "end min count day/type") - 1) = "x";
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(document.workingTypes.At(1).fields[field::DayMinCount], "x");
    ScheduleSession session(std::move(document), messages);
    EXPECT_TRUE(session.summaryPanels().Show(SummaryKind::WorkedHours));
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_FALSE(session.summaryPanels().Show(SummaryKind::TypesPerDay));
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_NE(messages.errors[0].find("\"x\""), std::string::npos) << messages.errors[0];
}

TEST_F(LoadScheduleTextTest, EveryTruncationEndsWithoutCrashOrHang)
{
    const std::vector<std::string> good = BuildScheduleText(April2003());
    auto indexOf = [&](const char* marker) {
        return static_cast<std::size_t>(std::find(good.begin(), good.end(), marker) -
                                        good.begin());
    };
    // Up to the holiday names every section must be closed; from the icons on a text may end
    // anywhere, except inside the department blocks that a template line opens.
    const std::size_t lenientFrom = indexOf("end holidaynames") + 1;
    const std::size_t departmentsFrom = indexOf("Holiday Template file") + 1;
    const std::size_t font = indexOf("Font");  // a "Font" line needs its colour line
    for (std::size_t n = 0; n <= good.size(); ++n) {
        const auto result = Load({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)});
        const bool cutFont = n > font && n <= font + 2;
        const bool loads =
            n == good.size() || (n >= lenientFrom && n < departmentsFrom && !cutFont);
        EXPECT_EQ(result.has_value(), loads) << n;
    }
}

TEST_F(LoadScheduleTextTest, WrittenTextLoadsBackToTheSameDocument)
{
    WizardAnswers answers = April2003();
    answers.regionName = "Belgium";
    answers.departmentNames = {"Ward A"};
    answers.departmentColours = {"$00CE8A8A", "clred"};
    ASSERT_TRUE(Load(BuildScheduleText(answers)));
    document.sheet.SetText(4, 3, "D");
    document.sheet.SetText(20, 4, "D");
    const ScheduleDocument first = document;
    ASSERT_TRUE(Load(WriteScheduleText(first)));
    EXPECT_EQ(document.sheet, first.sheet);
    EXPECT_EQ(document.workingTypes, first.workingTypes);
    EXPECT_EQ(document.holidayLines, first.holidayLines);
    EXPECT_EQ(document.departments, first.departments);
}

TEST(WriteScheduleText, RefusesCellsOfSeveralLines)
{
    TempProgramFolder folder;
    RecordingMessageSink messages;
    ScheduleDocument document =
        LoadedOrFail(LoadScheduleText(BuildScheduleText(April2003()), folder.path(), messages));
    document.sheet.SetText(3, 3, "D\rD");
    EXPECT_THROW(WriteScheduleText(document), std::invalid_argument);
}

} // namespace
} // namespace shiftex
