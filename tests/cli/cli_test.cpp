#include "cli/json.h"
#include "april_2003_text.h"
#include "cli_support.h"
#include "files/text_io.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace shiftex {
namespace {

using JsonValue = nlohmann::json;

using test::RunCli;

JsonValue Parse(const std::string& text)
{
    return test::ParseJsonOutput(text);
}

double Number(const JsonValue& object, const char* key)
{
    const auto value = object.find(key);
    return value != object.end() && value->is_number() ? value->get<double>() : -1;
}

TEST(ShiftexCli, NewThenDumpGivesAThreeHeaderSheetWithColouredWeekends)
{
    test::TempProgramFolder folder;
    const auto answers = folder.path() / "answers.json";
    std::ofstream(answers) << R"({"year": "2003", "month": "4", "employeeNames": ["A", "B"],
        "workingTypes": [{"icon": 0, "fields": ["D", "", "", "08H00", "16H00", "  H  ", "  H  ",
        "clwhite", "1", "clwhite", "1", "clwhite", "1", "clwhite", "1", "clwhite", "1",
        "clwhite", "1"]}]})";
    const std::string programFolder = " --program-folder '" + folder.path().string() + "'";
    const test::CliResult made = RunCli("new '" + answers.string() + "'" + programFolder);
    ASSERT_EQ(made.status, 0);
    EXPECT_EQ(made.out.substr(0, 26), "ShiftexV4.2\r\n31\r\n3\r\nApril ");
    const auto text = folder.path() / "april.sxt";
    std::ofstream(text, std::ios::binary) << made.out;

    const test::CliResult dumped = RunCli("dump '" + text.string() + "'" + programFolder);
    ASSERT_EQ(dumped.status, 0);
    const JsonValue json = Parse(dumped.out);
    EXPECT_EQ(Number(json, "fixedRows"), 3);
    EXPECT_EQ(Number(json, "fixedCols"), 2);
    EXPECT_EQ(Number(json, "colCount"), 32);
    EXPECT_EQ(json.at("monthTitle").get<std::string>(), "April 2003");
    // Saturday 5 April is column 6; the employee rows start at row 3.
    int yellowCells = 0;
    for (const JsonValue& cell : json.at("cells")) {
        if (Number(cell, "row") >= 3 && cell.value("brushColor", "") == "clYellow") {
            ++yellowCells;
            const int col = static_cast<int>(Number(cell, "col"));
            EXPECT_TRUE(col == 6 || col == 7 || col == 13 || col == 14 || col == 20 ||
                        col == 21 || col == 27 || col == 28) << col;
        }
    }
    EXPECT_EQ(yellowCells, 8 * 2);
}

TEST(ShiftexCli, DumpOfTheExampleAndErrors)
{
    test::TempProgramFolder folder;
    const std::string programFolder = " --program-folder '" + folder.path().string() + "'";
    const test::CliResult example =
        RunCli(std::string("dump ") + SHIFTEX_SOURCE_DIR + "/examples/ward.sxt" + programFolder);
    ASSERT_EQ(example.status, 0);
    const JsonValue json = Parse(example.out);
    EXPECT_EQ(json.at("workingTypes").size(), 6u);
    EXPECT_EQ(json.at("departments").size(), 2u);
    EXPECT_EQ(json.at("customQueryNames").size(), 2u);
    EXPECT_EQ(Number(json, "rowCount"), 15);

    const auto damaged = folder.path() / "damaged.sxt";
    std::ofstream(damaged) << "garbage\r\n";
    EXPECT_EQ(RunCli("dump '" + damaged.string() + "'" + programFolder).status, 1);
    EXPECT_EQ(RunCli("dump '" + (folder.path() / "missing.sxt").string() + "'").status, 1);
    EXPECT_EQ(RunCli("dump").status, 2);
    EXPECT_EQ(RunCli("frobnicate x").status, 2);
    const auto notJson = folder.path() / "bad.json";
    std::ofstream(notJson) << "{\"year\": [";
    EXPECT_EQ(RunCli("new '" + notJson.string() + "'").status, 2);
}

// Answers files that are not strict JSON stop `new` with a usage error naming where they break.
TEST(ShiftexCli, NewRefusesAnswersThatAreNotStrictJson)
{
    test::TempProgramFolder folder;
    const struct {
        const char* text;
        const char* position;
    } cases[] = {
        {"{\"year\": 0x10}", "line 1, column 11"},
        {"{\"year\": +1}", "line 1, column 10"},
        {"{\"year\": .5}", "line 1, column 10"},
        {"{\"year\": 01}", "line 1, column 11"},
        {"{\"regionName\": \"a\tb\"}", "line 1, column 18"},
        {"{\"year\": \"2003\",\n \"year\": \"2004\"}", "line 2, column 8"},
        {"{\"year\": 1e999}", "line 1, column 1"},
    };
    const auto answers = folder.path() / "answers.json";
    for (const auto& c : cases) {
        std::ofstream(answers, std::ios::trunc) << c.text;
        const test::CliResult run = RunCli("new '" + answers.string() + "'", true);
        EXPECT_EQ(run.status, 2) << c.text;
        EXPECT_NE(run.out.find("not valid JSON"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(c.position), std::string::npos) << c.text << "\n" << run.out;
    }
    const Result<nlohmann::json> duplicate = cli::ParseJson("{\"a\": {\"b\": 1, \"b\": 2}}");
    ASSERT_FALSE(duplicate);
    EXPECT_EQ(duplicate.error().message, "duplicate key \"b\" at line 1, column 19");
    // The same key in two objects is no duplicate.
    EXPECT_TRUE(cli::ParseJson("[{\"a\": 1}, {\"a\": 2}]"));
}

// A threshold count that is no number opens from a text, and the schedule file saved from it
// opens again with the same count.
TEST(ShiftexCli, ACountThatIsNoNumberSurvivesTheScheduleFile)
{
    test::TempProgramFolder folder;
    const std::string programFolder = " --program-folder '" + folder.path().string() + "'";
    std::ifstream in(std::string(SHIFTEX_SOURCE_DIR) + "/tests/data/ward.sxt", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t end = text.find("end min count day/type");
    ASSERT_NE(end, std::string::npos);
    const std::size_t last = text.rfind("0\r\n", end);
    ASSERT_NE(last, std::string::npos);
    text.replace(last, 1, "x");
    const auto source = folder.path() / "count.txt";
    const auto saved = folder.path() / "count.sxt";
    std::ofstream(source, std::ios::binary) << text;
    const test::CliResult fromText = RunCli("dump '" + source.string() + "'" + programFolder);
    ASSERT_EQ(fromText.status, 0);
    ASSERT_EQ(RunCli("convert '" + source.string() + "' '" + saved.string() + "'" + programFolder)
                  .status,
              0);
    const test::CliResult fromFile = RunCli("dump '" + saved.string() + "'" + programFolder);
    ASSERT_EQ(fromFile.status, 0) << fromFile.out;
    const JsonValue before = Parse(fromText.out);
    const JsonValue after = Parse(fromFile.out);
    EXPECT_EQ(before.at("workingTypes"), after.at("workingTypes"));
    EXPECT_NE(after.at("workingTypes").dump().find("\"x\""), std::string::npos);
}

// Loading and dumping never write: not even a year folder for a year no template has.
TEST(ShiftexCli, DumpWritesNothing)
{
    test::TempProgramFolder folder;
    auto listing = [&] {
        std::set<std::string> entries;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path()))
            entries.insert(entry.path().string());
        return entries;
    };
    const std::set<std::string> before = listing();
    // A year that has no folder of holiday templates; a year the calendar does not know.
    for (const char* title : {"April 2003", "January 0000"}) {
        std::vector<std::string> lines = test::April2003Text();
        lines[3] = title;
        const auto text = folder.path() / "text.sxt";
        std::ofstream(text, std::ios::binary) << JoinLines(lines);
        const test::CliResult dumped = RunCli("dump '" + text.string() +
                                              "' --program-folder '" + folder.path().string() +
                                              "'");
        EXPECT_NE(dumped.status, -1) << title;
        std::filesystem::remove(text);
        EXPECT_EQ(listing(), before) << title;
    }
}

} // namespace
} // namespace shiftex
