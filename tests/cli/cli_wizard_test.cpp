#include "april_2003_text.h"
#include "cli_support.h"
#include "files/text_io.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::RunCli;
using test::TempProgramFolder;

// April 2003 from scratch, employees A and B, working type D from 08H00 to 16H00.
const Lines kRequiredPages = {
    "next", "calendar 2003-04", "next", "next", "set name \"A\"", "press add",
    "pick \"Add Employee\"", "set name \"B\"", "press add", "next", "set code \"D\"",
    "set start1 \"08H00\"", "leave start1", "set finish1 \"16H00\"", "leave finish1",
    "set icon 0", "press save", "next", "next", "next"};

class CliWizardTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (folder_.path() / name).string(); }
    // Runs the script's lines; the output file is out.sxt (or the text with --text).
    test::CliResult Wizard(const Lines& script, const std::string& options = "",
                           bool withErrors = false)
    {
        EXPECT_TRUE(WriteTextLines(Path("script.txt"), script));
        return RunCli("--program-folder '" + folder_.path().string() + "' wizard '" +
                          Path("script.txt") + "' '" + Path("out.sxt") +
                          "' --today 2010-07-15 " + options,
                      withErrors);
    }
    // The JSON objects of the `state` lines of an output.

    TempProgramFolder folder_;
};

TEST_F(CliWizardTest, TheRequiredPagesGiveTheScheduleText)
{
    Lines script = kRequiredPages;
    script.push_back("finish");
    ASSERT_EQ(Wizard(script, "--text").status, 0);
    EXPECT_EQ(ReadTextLines(Path("out.sxt")), test::April2003Text());

    // Without --text the schedule is loaded and saved as a schedule file.
    ASSERT_EQ(Wizard(script).status, 0);
    const test::CliResult dump = RunCli("--program-folder '" + folder_.path().string() +
                                        "' dump '" + Path("out.sxt") + "'");
    ASSERT_EQ(dump.status, 0);
    const nlohmann::json document = nlohmann::json::parse(dump.out);
    EXPECT_EQ(document["monthTitle"], "April 2003");
    EXPECT_EQ(document["typeCodes"], nlohmann::json::array({"D"}));
}

TEST_F(CliWizardTest, StateShowsThePageAndItsEditor)
{
    const test::CliResult run =
        Wizard({"state", "next", "calendar 2003-04", "calendar-day 18", "set name \"Fête\"",
                "press save", "state", "next", "template \"" + Path("none.sxt") + "\"", "state"});
    ASSERT_EQ(run.status, 0);
    const std::vector<nlohmann::json> states = test::JsonLines(run.out);
    ASSERT_EQ(states.size(), 3u);

    EXPECT_EQ(states[0]["page"], 0);
    EXPECT_EQ(states[0]["step"], "General Information");
    EXPECT_EQ(states[0]["prior"], false);
    EXPECT_TRUE(states[0]["editor"].is_null());
    EXPECT_EQ(states[0]["answers"]["year"], "2010");
    EXPECT_EQ(states[0]["answers"]["customQueryLines"], nlohmann::json::array({"end all additions"}));

    const nlohmann::json& holidays = states[1]["editor"];
    EXPECT_EQ(states[1]["step"], "Choose Month and Year");
    EXPECT_EQ(holidays["list"], nlohmann::json::parse(R"([["18","-","Fête"]])"));
    EXPECT_EQ(holidays["calendar"], nlohmann::json::parse(R"({"year":2003,"month":4,"bold":[18]})"));
    EXPECT_EQ(holidays["fields"]["region"], "custom");
    EXPECT_EQ(holidays["fields"]["day"], "01");
    EXPECT_EQ(holidays["enabled"]["remove"], false);

    // A file that cannot be read leaves the lists and offers Next.
    const nlohmann::json& import = states[2]["editor"];
    EXPECT_EQ(states[2]["answers"]["year"], "2003");
    EXPECT_EQ(import["choice"], "template");
    EXPECT_EQ(import["path"], Path("none.sxt"));
    EXPECT_EQ(import["preview"], false);
    EXPECT_EQ(import["noPreview"], true);
    EXPECT_EQ(states[2]["next"], true);
}

TEST_F(CliWizardTest, MessagesAndDisabledControls)
{
    const test::CliResult run =
        Wizard({"next", "next", "next", "press remove", "set name \" \"", "press add", "state"},
               "", true);
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("information: \"Name of the employee\" is a required field.\n"),
              std::string::npos);
    // Remove is disabled while "Add Employee" is chosen: nothing was said about it.
    EXPECT_EQ(run.out.find("At least one employee"), std::string::npos);
    const nlohmann::json state = test::JsonLines(run.out).at(0);
    EXPECT_EQ(state["next"], false);
    EXPECT_EQ(state["editor"]["focus"], "name");
    EXPECT_FALSE(fs::exists(Path("out.sxt")));  // no finish: nothing written
}

TEST_F(CliWizardTest, UsageErrorsNameTheLine)
{
    struct Case {
        Lines script;
        const char* message;
    };
    const Case cases[] = {
        {{"next", "jump"}, "script.txt:2: unknown command \"jump\""},
        {{"next", "next", "next", "set name \"A\\nB\""},
         "script.txt:4: the field \"name\" cannot hold"},
        {{"next", "next", "next", "set code \"D\""}, "script.txt:4: this page has no field"},
        {{"next", "calendar 2003-13"}, "script.txt:2: \"13\" is no month"},
        {{"next", "pick \"nothing\""}, "script.txt:2: no entry \"nothing\" in the list"},
        {{"mark \"D\""}, "script.txt:1: unknown command \"mark\""},
        {{"close", "next"}, "script.txt:2: the wizard is closed"},
    };
    for (const Case& c : cases) {
        const test::CliResult run = Wizard(c.script, "", true);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << run.out;
    }
}

} // namespace
} // namespace shiftex
