#include "files/schedule_file.h"
#include "files/schedule_text.h"
#include "files/template_import.h"
#include "files/text_io.h"
#include "setup/import_page.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::LoadedOrFail;
using test::RecordingMessageSink;
using test::TempProgramFolder;

WorkingType Night()
{
    WorkingType type = WorkingType::Create("N", "Night", "22H00", "23H59", "00H00", "06H00", 7);
    type.fields[field::DayMinColour] = "clRed";
    type.fields[field::DayMinCount] = "2";
    type.fields[field::EmployeeMaxCount] = "9";
    return type;
}

// A June 2004 schedule with two employees, two types, one query and two departments.
ScheduleTextContent TemplateContent()
{
    ScheduleTextContent content;
    content.days = 30;
    content.monthTitle = "June 2004";
    content.weekendDays = {"5", "6"};
    content.weekendColour = "clAqua";
    content.holidayColour = "clLime";
    content.employees = {{"Ann", {"N", "", "D"}}, {"Bob", {}}};
    content.workingTypes = {WorkingType::Create("D", "Day", "08H00", "16H00", "  H  ", "  H  ", 3),
                            Night()};
    content.customQueryLines = {"Q", "D", "N", "end this addition", "end all additions"};
    content.queryThresholds = {{"Q", "clRed", "2", "clBlue", "4"}};
    content.fontName = "DejaVu Sans";
    content.fontColour = "clMaroon";
    content.region = "Belgium";
    content.departmentNames = {"ICU", "Ward"};
    content.departmentColours = {"clGreen", "clRed", "clBlue"};
    return content;
}

class TemplateImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        answers_.weekendColour = "clyellow";
        page_.onNextEnabled = [this](bool enabled) { next_ = enabled; };
    }
    fs::path WriteText(const Lines& lines, const std::string& name = "template.sxt")
    {
        const fs::path path = folder_.path() / name;
        EXPECT_TRUE(WriteTextLines(path, lines));
        return path;
    }
    // The template as a schedule file, with a reserved field that only that form keeps.
    fs::path WriteScheduleFile()
    {
        ScheduleDocument document = LoadedOrFail(
            LoadScheduleText(ComposeScheduleText(TemplateContent()), folder_.path(), messages_));
        document.workingTypes.SetField(2, 17, "clPurple");
        const fs::path path = folder_.path() / "template-file.sxt";
        EXPECT_TRUE(SaveSchedule(document, path));
        return path;
    }

    TempProgramFolder folder_;
    RecordingMessageSink messages_;
    WizardAnswers answers_ = WizardAnswers::Defaults(2010, 1);
    ImportPage page_{answers_};
    bool next_ = true;
};

TEST_F(TemplateImportTest, ATextTemplate)
{
    const fs::path path = WriteText(ComposeScheduleText(TemplateContent()));
    ASSERT_TRUE(page_.ImportTemplate(path.string()));
    EXPECT_TRUE(next_);
    EXPECT_TRUE(page_.noPreviewShown());
    EXPECT_FALSE(page_.previewShown());
    EXPECT_EQ(answers_.employeeNames, (Lines{"Ann", "Bob"}));
    ASSERT_EQ(answers_.workingTypes.size(), 2u);
    // Fields 15 to 18 are not in the text: the loader's defaults.
    WorkingType night = Night();
    EXPECT_EQ(answers_.workingTypes[1], night);
    EXPECT_EQ(answers_.customQueryLines, TemplateContent().customQueryLines);
    EXPECT_EQ(answers_.queryThresholds, TemplateContent().queryThresholds);
    EXPECT_EQ(answers_.weekendColour, "clAqua");
    EXPECT_EQ(answers_.holidayColour, "clLime");
    EXPECT_EQ(answers_.gridFontName, "DejaVu Sans");
    EXPECT_EQ(answers_.workingTypeFontColour, "clMaroon");
    // No departments from a text.
    EXPECT_TRUE(answers_.departmentNames.empty());
    EXPECT_EQ(answers_.departmentColours, Lines{"$00CE8A8A"});

    page_.Leave();
    EXPECT_EQ(answers_.templateKind, "v42");
    EXPECT_EQ(answers_.templateFile, path.string());
}

TEST_F(TemplateImportTest, AScheduleFileTemplate)
{
    const fs::path path = WriteScheduleFile();
    ASSERT_TRUE(page_.ImportTemplate(path.string()));
    EXPECT_TRUE(page_.previewShown());
    EXPECT_FALSE(page_.noPreviewShown());
    const ScheduleSheet& preview = page_.preview();
    EXPECT_EQ(preview.fixedRows, 3);
    EXPECT_EQ(preview.fixedCols, 2);
    EXPECT_EQ(preview.colCount(), 32);
    EXPECT_EQ(preview.Text(1, 3), "Ann");
    EXPECT_EQ(preview.Text(2, 3), "N");
    EXPECT_EQ(preview.fontName, "DejaVu Sans");

    EXPECT_EQ(answers_.employeeNames, (Lines{"Ann", "Bob"}));
    ASSERT_EQ(answers_.workingTypes.size(), 2u);
    EXPECT_EQ(answers_.workingTypes[1].fields[17], "clPurple");
    EXPECT_EQ(answers_.workingTypes[1].fields[field::DayMinColour], "clRed");
    EXPECT_EQ(answers_.workingTypes[1].iconIndex, 7);
    EXPECT_EQ(answers_.queryThresholds, TemplateContent().queryThresholds);
    EXPECT_EQ(answers_.departmentNames, (Lines{"ICU", "Ward"}));
    EXPECT_EQ(answers_.departmentColours, (Lines{"clGreen", "clRed", "clBlue"}));
    // The font stays the wizard's.
    EXPECT_EQ(answers_.gridFontName, "MS Sans Serif");

    page_.Leave();
    EXPECT_EQ(answers_.templateKind, "v43");
}

TEST_F(TemplateImportTest, FromScratchAfterAnImportKeepsColoursFontAndDepartments)
{
    ASSERT_TRUE(page_.ImportTemplate(WriteScheduleFile().string()));
    page_.Choose(ImportPage::Choice::Scratch);
    EXPECT_TRUE(next_);
    EXPECT_FALSE(page_.previewShown());
    EXPECT_FALSE(page_.noPreviewShown());
    EXPECT_TRUE(answers_.employeeNames.empty());
    EXPECT_TRUE(answers_.workingTypes.empty());
    EXPECT_TRUE(answers_.queryThresholds.empty());
    EXPECT_EQ(answers_.customQueryLines, Lines{"end all additions"});
    EXPECT_EQ(answers_.weekendColour, "clAqua");
    EXPECT_EQ(answers_.departmentNames, (Lines{"ICU", "Ward"}));

    // The template is forgotten, so coming back does not read it again.
    page_.Leave();
    EXPECT_EQ(answers_.templateFile, "");
    EXPECT_EQ(answers_.templateKind, "");

    page_.Choose(ImportPage::Choice::Template);
    EXPECT_TRUE(next_);
    EXPECT_TRUE(page_.previewShown());
}

TEST_F(TemplateImportTest, NoQueriesNoThresholds)
{
    ScheduleTextContent content = TemplateContent();
    content.customQueryLines = {"end all additions"};
    content.queryThresholds.clear();
    ASSERT_TRUE(page_.ImportTemplate(WriteText(ComposeScheduleText(content)).string()));
    EXPECT_EQ(answers_.customQueryLines, Lines{"end all additions"});
    EXPECT_TRUE(answers_.queryThresholds.empty());
}

TEST_F(TemplateImportTest, DamagedTemplatesLeaveTheListsAsTheyWere)
{
    answers_.employeeNames = {"Kept"};
    const Lines text = ComposeScheduleText(TemplateContent());
    Lines badColour = text;
    badColour[std::find(badColour.begin(), badColour.end(), "end min color day/type") -
              badColour.begin() - 1] = "no colour";
    Lines cut(text.begin(), text.begin() + 20);
    const std::vector<fs::path> files = {
        WriteText(badColour, "colour.sxt"), WriteText(cut, "cut.sxt"),
        WriteText({"not a schedule"}, "other.txt"), folder_.path() / "missing.sxt"};
    for (const fs::path& file : files) {
        next_ = false;
        const Result<void> result = page_.ImportTemplate(file.string());
        ASSERT_FALSE(result) << file;
        EXPECT_EQ(result.error().message, kDamagedFileMessage);
        EXPECT_EQ(answers_.employeeNames, Lines{"Kept"}) << file;
        EXPECT_TRUE(next_);
    }
}

TEST(TemplateImage, ExtraThresholdRowsAreDamage)
{
    // The file writer never stores more colour rows than queries; a file that does is damaged.
    ScheduleSheet image;
    image.Resize(30, 12);
    const Lines keys[] = {{"colcount", "3", "4"}, {"fixedcolsrows", "3", "2"},
                          {"kleur weekend", "clyellow"}, {"kleur holiday", "clred"},
                          {"Additions", "end all additions"},
                          {"Additions Color", "clred", "1", "clred", "1"},
                          {"MainDepaColor", "", "clred"}, {"PnlStringgrid2Visible", "false"}};
    int row = 4;
    for (const Lines& key : keys) {
        for (std::size_t col = 0; col < key.size(); ++col)
            image.SetText(static_cast<int>(col), row, key[col]);
        ++row;
    }
    const Result<ScheduleSheet> preview = PreviewTemplateImage(image);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->rowCount(), 4);
    EXPECT_FALSE(ImportTemplateImage(image, *preview));
}

} // namespace
} // namespace shiftex
