#include "cli/json.h"
#include "cli_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace shiftex {
namespace {

using cli::JsonValue;

using test::RunCli;

JsonValue Parse(const std::string& text)
{
    return test::ParseJsonOutput(text);
}

double Number(const JsonValue& object, const char* key)
{
    const JsonValue* value = object.Find(key);
    return value && value->IsNumber() ? std::get<double>(value->data) : -1;
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
    EXPECT_EQ(*json.Find("monthTitle")->AsString(), "April 2003");
    // Saturday 5 April is column 6; the employee rows start at row 3.
    int yellowCells = 0;
    for (const JsonValue& cell : *json.Find("cells")->AsArray()) {
        const JsonValue* brush = cell.Find("brushColor");
        if (Number(cell, "row") >= 3 && brush && *brush->AsString() == "clYellow") {
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
    EXPECT_EQ(json.Find("workingTypes")->AsArray()->size(), 6u);
    EXPECT_EQ(json.Find("departments")->AsArray()->size(), 2u);
    EXPECT_EQ(json.Find("customQueryNames")->AsArray()->size(), 2u);
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

} // namespace
} // namespace shiftex
