#include "setup/custom_query_page.h"
#include "setup/departments_page.h"
#include "setup/employees_page.h"
#include "setup/sheet_colours_page.h"
#include "setup/threshold_page.h"
#include "setup/working_types_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace shiftex {
namespace {

using Lines = std::vector<std::string>;

// The message of a page's answer; empty when it has none.
std::string MessageOf(const Result<void>& result)
{
    return result ? std::string() : result.error().message;
}

// Types and fields the user sets, as the window would.
void Type(SetupPage& page, const std::string& field, const std::string& text)
{
    ASSERT_TRUE(page.CanHold(field, text)) << field << " " << text;
    ASSERT_TRUE(page.SetField(field, text));
}

WorkingType Early()
{
    return WorkingType::Create("E", "Early", "07H00", "15H00", "  H  ", "  H  ", 1);
}

WorkingType Late()
{
    return WorkingType::Create("L", "Late", "14H00", "22H00", "  H  ", "  H  ", 2);
}

// --- working types ---

struct TimeCase {
    const char* field;
    const char* text;
    const char* message;  // empty: accepted
};

class TimeCheck : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeCheck, LeavingATimeField)
{
    const TimeCase& c = GetParam();
    WorkingTypesPage page({});
    Type(page, c.field, c.text);
    const Result<void> result = page.LeaveField(c.field);
    EXPECT_EQ(MessageOf(result), c.message);
    if (!result) {
        EXPECT_EQ(page.focus(), c.field);
        EXPECT_TRUE(page.focusSelectsText());
    }
}

INSTANTIATE_TEST_SUITE_P(
    WorkingTypesPage, TimeCheck,
    ::testing::Values(TimeCase{"start1", "23H59", ""},
                      TimeCase{"start1", "24H00", "A day has only 24 Hours!"},
                      TimeCase{"finish1", "24H00", ""},
                      TimeCase{"finish1", "25H00", "A day has only 24 Hours!"},
                      TimeCase{"start2", "12H60", "59 is the maximum amount of minutes."},
                      // The hours message comes alone.
                      TimeCase{"finish2", "25H60", "A day has only 24 Hours!"},
                      // Half-typed: left to the input pattern.
                      TimeCase{"start1", " 9H75", ""}, TimeCase{"start1", "99H  ", ""},
                      TimeCase{"start1", "", ""}));

TEST(WorkingTypesPage, WorkedHoursAndTheSavedFields)
{
    WorkingTypesPage page({});
    Type(page, "code", "D");
    Type(page, "start1", "08H00");
    EXPECT_TRUE(page.LeaveField("start1"));
    Type(page, "finish1", "16H30");
    EXPECT_TRUE(page.LeaveField("finish1"));
    EXPECT_EQ(page.Text("hours"), "08H30");
    Type(page, "icon", "4");
    EXPECT_TRUE(page.Press("save"));

    ASSERT_EQ(page.types().size(), 1u);
    const WorkingType& saved = page.types()[0];
    EXPECT_EQ(saved, WorkingType::Create("D", "", "08H00", "16H30", "  H  ", "  H  ", 4));
    EXPECT_EQ(page.selected(), 1);
    EXPECT_FALSE(page.IsEnabled("code"));
    EXPECT_TRUE(page.IsEnabled("remove"));

    // A day passing midnight is refused in its span only.
    Type(page, "start2", "17H00");
    Type(page, "finish2", "09H00");
    EXPECT_EQ(MessageOf(page.LeaveField("finish2")), kMidnightMessage);
    EXPECT_EQ(page.focus(), "start2");
    EXPECT_EQ(page.Text("hours"), "08H30");
}

struct SaveCase {
    const char* name;
    Lines fields;  // field, text pairs
    const char* message;
    const char* focus;
};

class SaveChecks : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveChecks, TheFirstFailingCheckSpeaks)
{
    const SaveCase& c = GetParam();
    WorkingTypesPage page({Early()});
    for (std::size_t i = 0; i + 1 < c.fields.size(); i += 2)
        Type(page, c.fields[i], c.fields[i + 1]);
    EXPECT_EQ(MessageOf(page.Press("save")), c.message);
    EXPECT_EQ(page.focus(), c.focus);
    EXPECT_EQ(page.types().size(), 1u);  // nothing saved
}

INSTANTIATE_TEST_SUITE_P(
    WorkingTypesPage, SaveChecks,
    ::testing::Values(
        SaveCase{"NoCode",
                 {"code", " ", "start1", "08H00"},
                 "\"Working Type\" is a required field.",
                 "code"},
        SaveCase{"NoStart", {"code", "D"}, "\"Starting Hour\" is a required field.", "start1"},
        SaveCase{"NoFinish",
                 {"code", "D", "start1", "08H00"},
                 "\"Hour Finished\" is a required field.",
                 "finish1"},
        SaveCase{"SecondStartOnly",
                 {"code", "D", "start1", "08H00", "finish1", "12H00", "start2", "13H00"},
                 "When you fill in a second starting hour, the \"Hour Finished\" must be filled "
                 "in as well.",
                 "finish2"},
        SaveCase{"SecondFinishOnly",
                 {"code", "D", "start1", "08H00", "finish1", "12H00", "finish2", "17H00"},
                 "When you fill in a second \"Hour Finished\", the \"Starting Hour\" must be "
                 "filled in as well.",
                 "start2"},
        SaveCase{"NoIcon",
                 {"code", "D", "start1", "08H00", "finish1", "12H00"},
                 "Select an icon, to be displayed beside the workingtype.",
                 "icon"},
        SaveCase{"HalfTypedTime",
                 {"code", "D", "start1", "08H00", "finish1", "12H3 ", "icon", "0"},
                 "\"12H3 \" is not a valid hour text.",
                 "finish1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WorkingTypesPage, DuplicateCodesAreReportedOnLeavingOnly)
{
    WorkingTypesPage page({Early()});
    Type(page, "code", "E");
    EXPECT_EQ(MessageOf(page.LeaveField("code")), "WorkingType \"E\" allready exists.");
    EXPECT_EQ(page.focus(), "code");
    // Another letter case is another code.
    Type(page, "code", "e");
    EXPECT_TRUE(page.LeaveField("code"));

    // Saving without leaving the field first does not check again.
    Type(page, "code", "E");
    Type(page, "start1", "06H00");
    Type(page, "finish1", "14H00");
    Type(page, "icon", "0");
    EXPECT_TRUE(page.Press("save"));
    ASSERT_EQ(page.types().size(), 2u);
    EXPECT_EQ(page.types()[1].code(), "E");
}

TEST(WorkingTypesPage, ChangingAndRemovingTypes)
{
    WorkingTypesPage page({Early(), Late()});
    EXPECT_EQ(page.ListEntries(), (std::vector<Lines>{{" ", "Create New"},
                                                       {"E", "Early"},
                                                       {"L", "Late"}}));
    ASSERT_TRUE(page.Pick(1));
    EXPECT_EQ(page.Text("hours"), "08H00");
    Type(page, "info", "Early shift");
    Type(page, "finish1", "15H30");
    Type(page, "icon", "9");
    EXPECT_TRUE(page.Press("save"));
    WorkingType changed = Early();
    changed.fields[field::Information] = "Early shift";
    changed.fields[field::Til1] = "15H30";
    changed.iconIndex = 9;
    EXPECT_EQ(page.types()[0], changed);

    // An unsaved edit is lost with the selection.
    Type(page, "info", "lost");
    ASSERT_TRUE(page.Pick(2));
    ASSERT_TRUE(page.Pick(1));
    EXPECT_EQ(page.Text("info"), "Early shift");

    EXPECT_TRUE(page.Press("remove"));
    EXPECT_EQ(page.types(), std::vector<WorkingType>{Late()});
    EXPECT_EQ(page.selected(), 0);
    EXPECT_TRUE(page.IsEnabled("code"));
    EXPECT_EQ(page.Text("code"), "");
    EXPECT_EQ(page.Text("start1"), "  H  ");
    EXPECT_EQ(page.Text("hours"), "00H00");
    EXPECT_FALSE(page.IsEnabled("remove"));

    ASSERT_TRUE(page.Pick(1));
    EXPECT_EQ(MessageOf(page.Press("remove")), kLastTypeMessage);
    EXPECT_EQ(page.types(), std::vector<WorkingType>{Late()});
}

TEST(WorkingTypesPage, ATypeWhoseInformationReadsCreateNewIsStillAType)
{
    WorkingType odd = Early();
    odd.fields[field::Information] = "Create New";
    WorkingTypesPage page({odd, Late()});
    ASSERT_TRUE(page.Pick(1));
    EXPECT_EQ(page.Text("code"), "E");
    EXPECT_FALSE(page.IsEnabled("code"));
    EXPECT_TRUE(page.IsEnabled("remove"));
}

TEST(WorkingTypesPage, FieldLimitsAndPatterns)
{
    WorkingTypesPage page({});
    Type(page, "code", "ABCDEFGHIJKL");
    EXPECT_EQ(page.Text("code"), "ABCDEFGHI");
    Type(page, "start1", "8H15");  // no first hour digit
    EXPECT_EQ(page.Text("start1"), " 8H15");
    EXPECT_FALSE(page.CanHold("start1", "8:15"));
    EXPECT_FALSE(page.CanHold("icon", "49"));
    EXPECT_FALSE(page.CanHold("code", "A\nB"));
}

// --- employees and departments ---

TEST(EmployeesPage, RefusalsKeepTheList)
{
    struct Case {
        const char* name;
        const char* message;
    };
    const Case cases[] = {
        {" ", "\"Name of the employee\" is a required field."},
        {"Add Employee", "You can't name an employee \"Add Employee\""},
        {"Ann", "\"Ann\" is already listed."},
    };
    for (const Case& c : cases) {
        EmployeesPage page({"Ann"});
        ASSERT_TRUE(page.Pick(0));
        Type(page, "name", c.name);
        EXPECT_EQ(MessageOf(page.Press("add")), c.message) << c.name;
        EXPECT_EQ(page.names(), Lines{"Ann"});
        EXPECT_EQ(page.focus(), "name");
        EXPECT_TRUE(page.focusSelectsText());
    }
}

TEST(EmployeesPage, NamesAreStoredAsTyped)
{
    EmployeesPage page({});
    int added = 0;
    page.onAdded = [&] { ++added; };
    for (const char* name : {" Ann", "Ann", "add employee"}) {
        ASSERT_TRUE(page.Pick(0));
        Type(page, "name", name);
        EXPECT_TRUE(page.Press("add")) << name;
    }
    EXPECT_EQ(page.names(), (Lines{" Ann", "Ann", "add employee"}));
    EXPECT_EQ(added, 3);
    EXPECT_EQ(page.selected(), 3);
    EXPECT_FALSE(page.IsEnabled("name"));
    EXPECT_FALSE(page.IsEnabled("add"));
    EXPECT_TRUE(page.IsEnabled("remove"));
    Type(page, "name", std::string(45, 'x'));  // disabled: nothing changes
    EXPECT_EQ(page.Text("name"), "add employee");
}

TEST(EmployeesPage, TheLastEmployeeStays)
{
    EmployeesPage page({"A", "B"});
    ASSERT_TRUE(page.Pick(2));
    EXPECT_TRUE(page.Press("remove"));
    EXPECT_EQ(page.names(), Lines{"A"});
    EXPECT_EQ(page.selected(), 0);
    EXPECT_TRUE(page.IsEnabled("name"));
    EXPECT_EQ(page.focus(), "name");
    ASSERT_TRUE(page.Pick(1));
    EXPECT_EQ(MessageOf(page.Press("remove")), kLastEmployeeMessage);
    EXPECT_EQ(page.names(), Lines{"A"});
}

TEST(DepartmentsPage, AddingAndRemoving)
{
    DepartmentsPage page(std::vector<Department>{{"ICU", "clRed"}});
    ASSERT_TRUE(page.Pick(0));
    EXPECT_EQ(page.Text("colour"), "$00CE8A8A");
    Type(page, "name", "  ");
    EXPECT_EQ(MessageOf(page.Press("add")), "Department must be filled in.");
    Type(page, "name", "ICU");
    EXPECT_EQ(MessageOf(page.Press("add")), "Department \"ICU\" already listed.");
    EXPECT_EQ(page.departments().size(), 1u);

    Type(page, "name", "Emergency ward");  // 14 characters
    EXPECT_TRUE(page.Press("add"));
    Type(page, "name", "Surgery and Care");  // 16: the field takes 15
    Type(page, "colour", "clLime");
    EXPECT_TRUE(page.Press("add"));
    EXPECT_EQ(page.departments(),
              (std::vector<Department>{{"ICU", "clRed"},
                                       {"Emergency ward", "$00CE8A8A"},
                                       {"Surgery and Car", "clLime"}}));
    EXPECT_EQ(page.Text("colour"), "$00CE8A8A");
    EXPECT_EQ(page.Text("name"), "");

    // A listed department's colour cannot be saved.
    ASSERT_TRUE(page.Pick(1));
    EXPECT_EQ(page.Text("colour"), "clRed");
    EXPECT_FALSE(page.IsEnabled("add"));
    for (int k = 0; k < 3; ++k) {
        ASSERT_TRUE(page.Pick(1));
        EXPECT_TRUE(page.Press("remove"));
    }
    EXPECT_TRUE(page.departments().empty());
    EXPECT_EQ(page.ListEntries(), (std::vector<Lines>{{"Add Department", ""}}));
}

// --- custom queries ---

std::vector<WorkingType> DayAndNight()
{
    return {WorkingType::Create("D", "Day", "08H00", "16H00", "  H  ", "  H  ", 0),
            WorkingType::Create("E", "Evening", "16H00", "22H00", "  H  ", "  H  ", 1),
            WorkingType::Create("N", "Night", "22H00", "23H59", "  H  ", "  H  ", 2)};
}

TEST(CustomQueryPage, SavingANewQuery)
{
    CustomQueryPage page({"end all additions"}, DayAndNight());
    EXPECT_EQ(page.focus(), "name");
    Type(page, "name", "Q");
    EXPECT_EQ(MessageOf(page.Press("save")), "A custom query needs at least one working type.");
    EXPECT_EQ(page.focus(), "checklist");
    page.ToggleMark(2);  // N first, D second: the lines follow the checklist
    page.ToggleMark(0);
    EXPECT_TRUE(page.Press("save"));
    EXPECT_EQ(page.customQueryLines(),
              (Lines{"Q", "D", "N", "end this addition", "end all additions"}));
    EXPECT_EQ(page.selected(), 1);
    EXPECT_EQ(page.Text("name"), "Q");
    EXPECT_FALSE(page.IsEnabled("name"));
    EXPECT_TRUE(page.IsEnabled("remove"));
    EXPECT_EQ(page.MarkedCodes(), (Lines{"D", "N"}));

    ASSERT_TRUE(page.Pick(0));
    for (const char* name : {"Create New Custom Query", "Q"}) {
        Type(page, "name", name);
        EXPECT_EQ(MessageOf(page.Press("save")), "\"" + std::string(name) + "\" already exists.");
    }
    Type(page, "name", " ");
    EXPECT_EQ(MessageOf(page.Press("save")), "\"Name of the custom query\" is a required field.");
    EXPECT_EQ(page.customQueryLines().size(), 5u);
}

TEST(CustomQueryPage, ChangingAndRemovingKeepsTheOtherQueries)
{
    // "D" is both a code of the first query and the name of the second.
    CustomQueryPage page({"Q", "D", "end this addition", "D", "E", "end this addition", "R", "N",
                          "end this addition", "end all additions"},
                         DayAndNight());
    EXPECT_EQ(page.ListEntries(),
              (std::vector<Lines>{{"Create New Custom Query"}, {"Q"}, {"D"}, {"R"}}));
    ASSERT_TRUE(page.Pick(2));
    EXPECT_EQ(page.MarkedCodes(), Lines{"E"});
    page.ToggleMark(2);
    page.ToggleMark(0);
    EXPECT_TRUE(page.Press("save"));
    EXPECT_EQ(page.customQueryLines(),
              (Lines{"Q", "D", "end this addition", "D", "D", "E", "N", "end this addition", "R",
                     "N", "end this addition", "end all additions"}));

    ASSERT_TRUE(page.Pick(2));
    EXPECT_TRUE(page.Press("remove"));
    EXPECT_EQ(page.customQueryLines(), (Lines{"Q", "D", "end this addition", "R", "N",
                                              "end this addition", "end all additions"}));
    EXPECT_EQ(page.selected(), 0);
    for (int k = 0; k < 2; ++k) {
        ASSERT_TRUE(page.Pick(1));
        EXPECT_TRUE(page.Press("remove"));
    }
    EXPECT_EQ(page.customQueryLines(), Lines{"end all additions"});
}

TEST(SyncQueryThresholds, RowsFollowTheQueries)
{
    std::vector<ColorThreshold> rows{{"Old", "clred", "2", "clblue", "3"},
                                     {"Kept", "clred", "4", "clblue", "5"}};
    SyncQueryThresholds({"Kept", "D", "end this addition", "New", "N", "end this addition",
                         "end all additions"},
                        rows);
    EXPECT_EQ(rows, (std::vector<ColorThreshold>{{"Kept", "clred", "4", "clblue", "5"},
                                                 {"New", "clwhite", "1", "clwhite", "1"}}));
}

// --- thresholds ---

TEST(ThresholdPage, HigherMustNotBeLower)
{
    ThresholdPage page = ThresholdPage::ForDayTypes(DayAndNight());
    EXPECT_EQ(page.selected(), 0);
    EXPECT_EQ(page.ListEntries()[1],
              (Lines{"E", "", "Evening", "clwhite", "1", "clwhite", "1"}));
    Type(page, "count-below", "5");
    Type(page, "count-above", "5");
    Type(page, "colour-below", "clred");
    EXPECT_TRUE(page.Press("save"));
    Type(page, "count-below", "6");
    EXPECT_EQ(MessageOf(page.Press("save")), kHigherThanLowerMessage);
    EXPECT_EQ(page.rows()[0], (ColorThreshold{"D", "clRed", "5", "clWhite", "5"}));

    std::vector<WorkingType> types = DayAndNight();
    page.ApplyTo(types);
    EXPECT_EQ(types[0].fields[field::DayMinColour], "clRed");
    EXPECT_EQ(types[0].fields[field::DayMaxCount], "5");
    EXPECT_EQ(types[0].fields[field::EmployeeMinColour], "clwhite");
}

TEST(ThresholdPage, LimitsOfTheCountFields)
{
    ThresholdPage page = ThresholdPage::ForEmployeeTypes(DayAndNight());
    Type(page, "count-below", "300");
    Type(page, "count-above", "300");
    EXPECT_EQ(page.Text("count-below"), "200");
    EXPECT_EQ(page.Text("count-above"), "60");
    // A lower count above 60 can never be saved.
    EXPECT_EQ(MessageOf(page.Press("save")), kHigherThanLowerMessage);
    Type(page, "count-below", "0");
    EXPECT_EQ(page.Text("count-below"), "1");
}

TEST(ThresholdPage, DefaultSavesNothingAndNoQueryDisablesThePage)
{
    ThresholdPage page = ThresholdPage::ForQueries({{"Q", "clred", "2", "clblue", "8"}});
    EXPECT_EQ(page.Text("colour-above"), "clBlue");
    EXPECT_TRUE(page.Press("default"));
    EXPECT_EQ(page.Text("colour-below"), "clWhite");
    EXPECT_EQ(page.Text("count-above"), "1");
    EXPECT_EQ(page.rows()[0], (ColorThreshold{"Q", "clred", "2", "clblue", "8"}));

    const ThresholdPage none = ThresholdPage::ForQueries({});
    EXPECT_EQ(none.selected(), -1);
    for (const char* name : {"colour-below", "colour-above", "save", "default"})
        EXPECT_FALSE(none.IsEnabled(name)) << name;
}

// --- sheet colours ---

TEST(SheetColoursPage, OnlySaveChangesTheHost)
{
    std::string weekend = "clyellow", holiday = "$00A8C8A6", codes = "clblue",
                font = "MS Sans Serif";
    SheetColoursPage page({weekend, holiday, codes, font});
    Lines chosen;
    page.onFontChosen = [&](const std::string& name) { chosen.push_back(name); };
    EXPECT_EQ(page.Text("weekend"), "clYellow");
    Type(page, "weekend", "$000000FF");
    Type(page, "font", "DejaVu Sans");
    EXPECT_EQ(page.Text("weekend"), "clRed");
    EXPECT_EQ(weekend, "clyellow");
    EXPECT_EQ(font, "MS Sans Serif");
    EXPECT_EQ(chosen, Lines{"DejaVu Sans"});

    EXPECT_TRUE(page.Press("save"));
    EXPECT_EQ(weekend, "clRed");
    EXPECT_EQ(font, "DejaVu Sans");
    EXPECT_EQ(codes, "clBlue");

    EXPECT_TRUE(page.Press("default"));
    EXPECT_EQ(page.Text("weekend"), "clYellow");
    EXPECT_EQ(page.Text("font"), "MS Sans Serif");
    EXPECT_EQ(weekend, "clRed");
}

} // namespace
} // namespace shiftex
