#include "setup/wizard.h"

#include "april_2003_text.h"
#include "setup/custom_query_page.h"
#include "setup/employees_page.h"
#include "setup/holidays_page.h"
#include "setup/import_page.h"
#include "setup/sheet_colours_page.h"
#include "setup/working_types_page.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace shiftex {
namespace {

using Lines = std::vector<std::string>;
using test::RecordingMessageSink;
using test::TempProgramFolder;

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override { wizard_.Show(2010, 7); }

    template <typename Page>
    Page& Editor()
    {
        auto* page = dynamic_cast<Page*>(wizard_.editor());
        EXPECT_NE(page, nullptr) << "on page " << wizard_.page();
        return *page;
    }
    void Next() { ASSERT_TRUE(wizard_.Next()) << "from page " << wizard_.page(); }
    void Set(SetupPage& page, const std::string& field, const std::string& text)
    {
        ASSERT_TRUE(page.CanHold(field, text)) << field;
        ASSERT_TRUE(page.SetField(field, text)) << field;
    }
    // Pages 1 to 4 as a user fills them: the month, no template, the employees, one type each.
    void FillRequiredPages(int year, int month, const Lines& employees, const Lines& codes)
    {
        Next();
        ASSERT_TRUE(Editor<HolidaysPage>().MoveCalendar(year, month));
        Next();
        Next();
        for (const std::string& name : employees) {
            auto& page = Editor<EmployeesPage>();
            ASSERT_TRUE(page.Pick(0));
            Set(page, "name", name);
            ASSERT_TRUE(page.Press("add"));
        }
        Next();
        for (const std::string& code : codes) {
            auto& page = Editor<WorkingTypesPage>();
            ASSERT_TRUE(page.Pick(0));
            Set(page, "code", code);
            Set(page, "start1", "08H00");
            ASSERT_TRUE(page.LeaveField("start1"));
            Set(page, "finish1", "16H00");
            ASSERT_TRUE(page.LeaveField("finish1"));
            Set(page, "icon", "0");
            ASSERT_TRUE(page.Press("save"));
        }
    }

    TempProgramFolder folder_;
    RecordingMessageSink messages_;
    Wizard wizard_{folder_.path(), messages_};
};

TEST_F(WizardTest, TheRequiredPagesGiveTheExactText)
{
    FillRequiredPages(2003, 4, {"A", "B"}, {"D"});
    for (int k = 0; k < 3; ++k)
        Next();
    EXPECT_EQ(wizard_.page(), 7);
    EXPECT_FALSE(wizard_.nextEnabled());
    const Lines expected = test::April2003Text();
    EXPECT_EQ(wizard_.ScheduleText(), expected);

    Result<ScheduleDocument> document = wizard_.Finish();
    ASSERT_TRUE(document) << document.error().message;
    EXPECT_EQ(document->monthTitle, "April 2003");
    EXPECT_EQ(document->Employees(), (Lines{"A", "B"}));
    EXPECT_FALSE(wizard_.shown());
}

TEST_F(WizardTest, LeapFebruary)
{
    FillRequiredPages(2004, 2, {"A"}, {"E"});
    const Lines text = wizard_.ScheduleText();
    EXPECT_EQ(text[1], "30");
    EXPECT_EQ(Lines(text.begin() + 4, text.begin() + 14),
              (Lines{"1", "7", "8", "14", "15", "21", "22", "28", "29", "end weekend"}));
}

TEST_F(WizardTest, StepsMarkerAndNextGuards)
{
    EXPECT_EQ(wizard_.stepCaption(), "General Information");
    EXPECT_FALSE(wizard_.priorEnabled());
    EXPECT_EQ(wizard_.editor(), nullptr);
    EXPECT_EQ(wizard_.helpTopic(), "Wizard Overview");
    Next();
    EXPECT_EQ(wizard_.answers().year, "2010");
    EXPECT_EQ(Editor<HolidaysPage>().calendar().month, 7);
    Next();
    EXPECT_EQ(wizard_.markerRow(), 3);  // past the heading "Setup Workinglist"
    Next();
    EXPECT_EQ(wizard_.markerRow(), 5);
    EXPECT_EQ(wizard_.stepCaption(), "Employees");
    EXPECT_FALSE(wizard_.nextEnabled());
    EXPECT_EQ(Editor<EmployeesPage>().focus(), "name");
    auto& employees = Editor<EmployeesPage>();
    Set(employees, "name", "A");
    ASSERT_TRUE(employees.Press("add"));
    EXPECT_TRUE(wizard_.nextEnabled());
    Next();
    EXPECT_FALSE(wizard_.nextEnabled());
    EXPECT_FALSE(Editor<WorkingTypesPage>().IsVisible("help"));
    ASSERT_TRUE(wizard_.Next());  // disabled: nothing happens
    EXPECT_EQ(wizard_.page(), 4);
    EXPECT_EQ(wizard_.helpTopic(), "Wizard Working Types");
}

TEST_F(WizardTest, ColoursNeedSaveChanges)
{
    FillRequiredPages(2003, 4, {"A"}, {"D"});
    Next();
    Next();
    auto& colours = Editor<SheetColoursPage>();
    Set(colours, "weekend", "clred");
    Set(colours, "font", "DejaVu Sans");
    Next();
    EXPECT_EQ(wizard_.answers().weekendColour, "clyellow");
    EXPECT_EQ(wizard_.answers().gridFontName, "MS Sans Serif");

    ASSERT_TRUE(wizard_.Prior());
    auto& again = Editor<SheetColoursPage>();
    EXPECT_EQ(again.Text("weekend"), "clYellow");
    Set(again, "holiday", "clAqua");
    ASSERT_TRUE(again.Press("save"));
    Next();
    EXPECT_EQ(wizard_.answers().holidayColour, "clAqua");
    EXPECT_EQ(wizard_.ScheduleText()[15], "clAqua");
}

TEST_F(WizardTest, QueriesAddedAndRemovedBringTheirColourRows)
{
    FillRequiredPages(2003, 4, {"A"}, {"D", "N"});
    Next();
    auto& queries = Editor<CustomQueryPage>();
    for (const char* name : {"Days", "Nights"}) {
        ASSERT_TRUE(queries.Pick(0));
        Set(queries, "name", name);
        queries.ToggleMark(std::string(name) == "Days" ? 0 : 1);
        ASSERT_TRUE(queries.Press("save"));
    }
    Next();
    EXPECT_EQ(wizard_.answers().queryThresholds,
              (std::vector<ColorThreshold>{{"Days"}, {"Nights"}}));

    ASSERT_TRUE(wizard_.Prior());
    auto& again = Editor<CustomQueryPage>();
    ASSERT_TRUE(again.Pick(1));
    ASSERT_TRUE(again.Press("remove"));
    Next();
    EXPECT_EQ(wizard_.answers().queryThresholds, std::vector<ColorThreshold>{{"Nights"}});
    const Lines text = wizard_.ScheduleText();
    const auto at = std::find(text.begin(), text.end(), "end max count employee/type");
    ASSERT_NE(at, text.end());
    EXPECT_EQ(Lines(at + 1, at + 9),
              (Lines{"clwhite", "end min color special summation", "1",
                     "end min count special summation", "clwhite",
                     "end max color special summation", "1", "end max count special summation"}));
}

TEST_F(WizardTest, PriorKeepsTheSavedWorkingTypesOnly)
{
    FillRequiredPages(2003, 4, {"A"}, {"D"});
    auto& types = Editor<WorkingTypesPage>();
    ASSERT_TRUE(types.Pick(1));
    Set(types, "info", "unsaved");
    ASSERT_TRUE(wizard_.Prior());
    EXPECT_EQ(Editor<EmployeesPage>().names(), Lines{"A"});
    EXPECT_TRUE(wizard_.nextEnabled());
    Next();
    auto& back = Editor<WorkingTypesPage>();
    EXPECT_TRUE(wizard_.nextEnabled());
    ASSERT_EQ(back.types().size(), 1u);
    EXPECT_EQ(back.types()[0].fields[field::Information], "");
    EXPECT_EQ(back.selected(), 0);
}

TEST_F(WizardTest, ShowingAgainForgetsEverything)
{
    FillRequiredPages(2003, 4, {"A"}, {"D"});
    wizard_.Close();
    EXPECT_EQ(wizard_.editor(), nullptr);
    wizard_.Show(2011, 3);
    EXPECT_EQ(wizard_.page(), 0);
    EXPECT_EQ(wizard_.answers().year, "2011");
    EXPECT_EQ(wizard_.answers().month, "3");
    EXPECT_TRUE(wizard_.answers().employeeNames.empty());
    EXPECT_TRUE(wizard_.answers().workingTypes.empty());
}

} // namespace
} // namespace shiftex
