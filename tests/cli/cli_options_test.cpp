#include "cli_support.h"
#include "files/schedule_file.h"
#include "files/text_io.h"
#include "sample_schedule.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class CliOptionsTest : public ::testing::Test {
protected:
    CliOptionsTest()
    {
        ScheduleDocument document = test::MakeSchedule();
        document.sheet.SetText(2, document.sheet.fixedRows, "N");
        EXPECT_TRUE(SaveSchedule(document, Path("in.sxt")));
    }
    std::string Path(const std::string& name) const { return (folder_.path() / name).string(); }
    test::CliResult Edit(const Lines& script, const std::string& settingsFolder)
    {
        EXPECT_TRUE(WriteTextLines(Path("script.txt"), script));
        return test::RunCli("--program-folder '" + folder_.path().string() +
                                "' --settings-folder '" + settingsFolder + "' edit '" +
                                Path("in.sxt") + "' '" + Path("script.txt") + "' '" +
                                Path("out.sxt") + "'",
                            true);
    }
    ScheduleDocument Out()
    {
        const auto bytes = ReadFileBytes(Path("out.sxt"));
        if (!bytes) {
            ADD_FAILURE() << "out.sxt was not written";
            return CreateDocument();
        }
        return test::LoadedOrFail(LoadScheduleFile(*bytes));
    }

    test::TempProgramFolder folder_;
};

TEST_F(CliOptionsTest, TheDialogEditsTheScheduleAndWritesTheBackupKeys)
{
    const std::string settings = Path("settings");
    const test::CliResult run =
        Edit({"options 0 1 \"N\"", "state", "press remove", "item 0 0", "set name \"X\"",
              "press add", "item 2 0", "state", "press toggle", "set interval \"10\"",
              "set folder \"" + folder_.path().string() + "\"", "press save", "options-close"},
             settings);
    ASSERT_EQ(run.status, 0) << run.out;
    const auto states = test::JsonLines(run.out);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0]["caption"], "Working Types");
    EXPECT_EQ(states[0]["copy"]["presetCode"], "N");
    EXPECT_EQ(states[0]["editor"]["fields"]["code"], "N");
    EXPECT_EQ(states[1]["panel"], 2);
    EXPECT_EQ(states[1]["item"], 0);
    EXPECT_EQ(states[1]["editor"]["toggle"], "Enable");
    EXPECT_EQ(states[1]["editor"]["panel"], false);
    EXPECT_EQ(states[1]["copy"]["employeeNames"].back(), "X");

    const ScheduleDocument out = Out();
    EXPECT_EQ(out.Employees().back(), "X");
    EXPECT_EQ(out.typeCodes, (Lines{"E", "L"}));
    EXPECT_EQ(out.sheet.Text(2, out.sheet.fixedRows), "");
    const std::string ini = ReadFileBytes(fs::path(settings) / "Shiftex.ini").value_or("");
    EXPECT_NE(ini.find("Enabled=true"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Interval=10"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Path=" + folder_.path().string()), std::string::npos) << ini;
}

TEST_F(CliOptionsTest, ASettingsFolderThatCannotBeWrittenStillAppliesTheRest)
{
    std::ofstream(Path("a-file")) << "x";
    const test::CliResult run =
        Edit({"options 0 0", "set name \"X\"", "press add", "options-close"},
             Path("a-file") + "/settings");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("error: Authorization to write to the registry failed.\n\rautosave "
                           "feature is disabled"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(Out().Employees().back(), "X");
}

TEST_F(CliOptionsTest, TheDialogIsModalAndAppliedAtTheEnd)
{
    const std::string settings = Path("settings");
    test::CliResult run = Edit({"options 0 0", "click 2 3"}, settings);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("while the options dialog is open"), std::string::npos) << run.out;
    run = Edit({"options 3 0"}, settings);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("no item 0 in panel 3"), std::string::npos) << run.out;

    // A script that leaves the dialog open still applies it.
    run = Edit({"options 0 0", "set name \"Y\"", "press add"}, settings);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(Out().Employees().back(), "Y");
}

} // namespace
} // namespace shiftex
