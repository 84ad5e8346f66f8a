#include "cli/edit_commands.h"
#include "cli/json.h"
#include "cli_support.h"
#include "files/schedule_file.h"
#include "sample_schedule.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace shiftex {
namespace {

using JsonValue = nlohmann::json;
using test::CliResult;
using test::RunCli;

JsonValue Parse(const std::string& text)
{
    return test::ParseJsonOutput(text);
}

const JsonValue& At(const JsonValue& value, std::size_t index)
{
    static const JsonValue none;
    return value.is_array() && index < value.size() ? value[index] : none;
}

const JsonValue& Get(const JsonValue& value, const char* key)
{
    static const JsonValue none;
    const auto found = value.is_object() ? value.find(key) : value.end();
    return found != value.end() ? *found : none;
}

std::string Text(const JsonValue& value)
{
    return value.is_string() ? value.get<std::string>() : "?";
}
double Number(const JsonValue& value)
{
    return value.is_number() ? value.get<double>() : -1;
}

class SummaryCliTest : public ::testing::Test {
protected:
    SummaryCliTest()
    {
        ScheduleDocument document = test::MakeSchedule();
        for (int d = 1; d <= 31; ++d)
            document.sheet.SetText(d + 1, 3, "E");
        document.sheet.SetText(4, 4, "E\rL");
        document.sheet.SetBrushColor(0, 4, 0x00FF0000);
        document.customQueryLines = {"Early", "E", kEndThisAddition, kEndAllAdditions};
        document.customQueryNames = {"Early"};
        document.queryThresholds = {{"Early", "clRed", "2", "clYellow", "3"}};
        file = folder.path() / "january.sxt";
        EXPECT_TRUE(SaveSchedule(document, file));
        programFolder = " --program-folder '" + folder.path().string() + "'";
    }
    CliResult Cli(const std::string& arguments, bool withErrors = false)
    {
        return RunCli(arguments + programFolder, withErrors);
    }
    std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

    test::TempProgramFolder folder;
    std::filesystem::path file;
    std::string programFolder;
};

TEST_F(SummaryCliTest, TheFourSummariesOverTheWholeSheet)
{
    const CliResult run = Cli("summary " + Quoted(file));
    ASSERT_EQ(run.status, 0);
    const JsonValue json = Parse(run.out);
    const JsonValue& hours = Get(json, "workedHours");
    EXPECT_EQ(Number(Get(At(hours, 0), "row")), 3);
    EXPECT_EQ(Text(Get(At(hours, 0), "name")), "Employee 1");
    EXPECT_EQ(Text(Get(At(hours, 0), "total")), "248H00");
    EXPECT_EQ(Text(Get(At(hours, 1), "total")), "09H00");
    const JsonValue& types = Get(json, "typesPerDay");
    EXPECT_EQ(Text(At(Get(types, "codes"), 1)), "L");
    EXPECT_EQ(Number(At(Get(types, "days"), 0)), 2);
    EXPECT_EQ(Number(At(At(Get(types, "counts"), 0), 2)), 2);  // E on 3 January
    EXPECT_EQ(Text(At(At(Get(types, "colours"), 0), 2)), "clWhite");
    const JsonValue& employees = Get(json, "employeesPerType");
    EXPECT_EQ(Text(At(Get(employees, "names"), 1)), "Employee 2");
    EXPECT_EQ(Number(At(At(Get(employees, "counts"), 0), 0)), 31);
    EXPECT_EQ(Number(At(At(Get(employees, "counts"), 1), 1)), 1);
    // No rows recorded: one empty row, no counts.
    const JsonValue& query = Get(json, "customQuery");
    EXPECT_EQ(Text(Get(At(Get(query, "rows"), 0), "name")), "");
    EXPECT_EQ(Get(At(Get(query, "rows"), 0), "counts").size(), 0u);
    EXPECT_EQ(Number(At(Get(query, "total"), 2)), 0);
}

TEST_F(SummaryCliTest, RangesAndQueryRowsFromTheCommandLine)
{
    const CliResult run = Cli("summary " + Quoted(file) +
                        " --hours-range 5 11 --employees-range 2 4 --query Early"
                        " --query Early:clBlue --query Late:");
    ASSERT_EQ(run.status, 0);
    const JsonValue json = Parse(run.out);
    EXPECT_EQ(Text(Get(At(Get(json, "workedHours"), 0), "total")), "56H00");
    EXPECT_EQ(Number(At(At(Get(Get(json, "employeesPerType"), "counts"), 0), 0)), 3);
    const JsonValue& scopes = Get(json, "scopes");
    EXPECT_EQ(Text(Get(Get(scopes, "workedHours"), "caption")),
              "        4 January 'till 10 January");
    EXPECT_TRUE(Get(Get(scopes, "employeesPerType"), "locked").get<bool>());
    const JsonValue& rows = Get(Get(json, "customQuery"), "rows");
    ASSERT_EQ(rows.size(), 3u);
    // 3 January: E for both; the blue row counts only employee 2.
    EXPECT_EQ(Number(At(Get(At(rows, 0), "counts"), 2)), 2);
    EXPECT_EQ(Text(At(Get(At(rows, 0), "colours"), 2)), "clWhite");
    EXPECT_EQ(Text(At(Get(At(rows, 0), "colours"), 3)), "clRed");
    EXPECT_EQ(Text(Get(At(rows, 1), "filterColour")), "clBlue");
    EXPECT_EQ(Number(At(Get(At(rows, 1), "counts"), 2)), 1);
    EXPECT_EQ(Number(At(Get(At(rows, 2), "counts"), 2)), 0);
    EXPECT_EQ(Number(At(Get(Get(json, "customQuery"), "total"), 2)), 3);

    EXPECT_EQ(Cli("summary " + Quoted(file) + " --hours-range 1 5").status, 2);
    EXPECT_EQ(Cli("summary " + Quoted(file) + " --hours-range 5").status, 2);
    EXPECT_EQ(Cli("summary " + Quoted(file) + " --query Early:purplish").status, 2);
    EXPECT_EQ(Cli("summary " + Quoted(folder.path() / "missing.sxt")).status, 1);
}

TEST_F(SummaryCliTest, EditScriptsRunTheWindowsCommands)
{
    const auto script = folder.path() / "script.txt";
    const auto out = folder.path() / "out.sxt";
    std::ofstream(script, std::ios::binary)
        << "type L\r\n"
           "click 2 5\n"
           "\n"
           "  click   3 5\n"
           "comment 6 5 \"needs \\\"rest\\\"\\nsoon\"\n"
           "bold 6 5\n"
           "bold 1 5\n"
           "select 7 5 8 6\n"
           "enter\n"
           "undo\n"
           "redo\n"
           "type \"\"\n"
           "click 3 5\n"
           "undo\n"
           "show hours\n"
           "range hours 2 4\n"
           "lock hours\n"
           "answer no\n";
    const CliResult run = Cli("edit " + Quoted(file) + " " + Quoted(script) + " " + Quoted(out) +
                        " --summary");
    ASSERT_EQ(run.status, 0);
    const JsonValue summary = Parse(run.out);
    const JsonValue& hours = Get(Get(summary, "scopes"), "workedHours");
    EXPECT_TRUE(Get(hours, "locked").get<bool>());
    EXPECT_EQ(Text(Get(hours, "caption")), "        1 January 'till 3 January");
    EXPECT_EQ(Text(Get(At(Get(summary, "workedHours"), 2), "total")), "08H00");

    const CliResult dumped = Cli("dump " + Quoted(out));
    ASSERT_EQ(dumped.status, 0);
    const JsonValue json = Parse(dumped.out);
    std::map<std::pair<int, int>, const JsonValue*> cells;
    for (const JsonValue& cell : Get(json, "cells"))
        cells[{static_cast<int>(Number(Get(cell, "col"))),
               static_cast<int>(Number(Get(cell, "row")))}] = &cell;
    auto text = [&](int col, int row) {
        const auto it = cells.find({col, row});
        return it == cells.end() ? std::string() : Text(Get(*it->second, "text"));
    };
    EXPECT_EQ(text(2, 5), "L");
    EXPECT_EQ(text(3, 5), "L");  // emptied, then the emptying undone
    EXPECT_EQ(text(7, 5), "L");
    EXPECT_EQ(text(8, 6), "L");
    EXPECT_EQ(text(1, 5), "Employee 3");
    ASSERT_TRUE(cells.count({6, 5}));
    EXPECT_EQ(Text(Get(*cells[{6, 5}], "comment")), "needs \"rest\"\nsoon");
    EXPECT_TRUE(Get(*cells[{6, 5}], "bold").is_boolean());
    EXPECT_TRUE(Get(Get(json, "panels"), "workedHours").get<bool>());
}

TEST_F(SummaryCliTest, ScriptErrorsNameTheLine)
{
    const auto out = folder.path() / "out.sxt";
    struct Case {
        const char* script;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"undo\nredo\nlock hours\n", 0, ""},  // unavailable: nothing happens
        {"type E\nfrobnicate\n", 2, "script.txt:2: unknown command \"frobnicate\""},
        {"click 2\n", 2, ":1: click takes 2 arguments"},
        {"click 2 99\n", 2, ":1: \"99\" is no row of the sheet"},
        {"type Z\n", 2, ":1: no working type \"Z\""},
        {"comment 2 3 \"open\n", 2, ":1: text without its closing double quote"},
        {"comment 2 3 \"a\\qb\"\n", 2, ":1: unknown escape"},
        {"answer maybe\n", 2, ":1: answer is"},
        {"range types 2 3\n", 2, ":1: \"types\" is no summary here"},
        {"range hours 1 3\n", 2, ":1: \"1\" is no day column"},
    };
    for (const Case& c : cases) {
        const auto script = folder.path() / "script.txt";
        std::ofstream(script, std::ios::binary) << c.script;
        const CliResult run =
            Cli("edit " + Quoted(file) + " " + Quoted(script) + " " + Quoted(out), true);
        EXPECT_EQ(run.status, c.status) << c.script;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << run.out;
    }
    EXPECT_EQ(Cli("edit " + Quoted(file) + " " + Quoted(folder.path() / "none.txt") + " " +
                  Quoted(out))
                  .status,
              1);
    EXPECT_EQ(Cli("edit " + Quoted(file)).status, 2);
}

TEST_F(SummaryCliTest, EditScriptsOnRangesAndTheSheetsShape)
{
    const auto script = folder.path() / "script.txt";
    const auto out = folder.path() / "out.sxt";
    std::ofstream(script, std::ios::binary)
        << "headerclick 6 1\n"  // week 1: 4 to 10 January
           "type L\n"
           "enter\n"
           "select-employee 1 5\n"
           "type N\n"
           "enter\n"
           "quick \"All week-ends\" Everybody clBlue \"not in the view\"\n"
           "cell 2 6\n"
           "paste \"E\\t\\\"E\\rL\\\"\\tZ\"\n"
           "copy\n"
           "cell 10 6\n"
           "paste\n"
           "remove-employee 3\n"
           "move-row 4 3\n"
           "extend-week\n"
           "answer cancel\n"
           "show-departments\n";
    const CliResult run =
        Cli("edit " + Quoted(file) + " " + Quoted(script) + " " + Quoted(out), true);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("information: Followin workingtyes have not been pasted (unknown): "
                           "\n\rZ"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("question: You haven't declared any departments."), std::string::npos);

    const CliResult dumped = Cli("dump " + Quoted(out));
    ASSERT_EQ(dumped.status, 0);
    const JsonValue json = Parse(dumped.out);
    std::map<std::pair<int, int>, std::string> texts;
    for (const JsonValue& cell : Get(json, "cells"))
        texts[{static_cast<int>(Number(Get(cell, "col"))),
               static_cast<int>(Number(Get(cell, "row")))}] = Text(Get(cell, "text"));
    auto text = [&](int col, int row) { return texts[{col, row}]; };
    EXPECT_EQ(Number(Get(json, "colCount")), 40);  // 1 to 7 February added
    EXPECT_EQ(text(33, 0), "February 2027");
    EXPECT_EQ(text(39, 2), "7");
    // Employee 1 removed, employee 3 moved to the top.
    EXPECT_EQ(text(1, 3), "Employee 3");
    EXPECT_EQ(text(1, 4), "Employee 2");
    EXPECT_EQ(text(1, 5), "Employee 4");
    EXPECT_EQ(text(5, 3), "N");
    EXPECT_EQ(text(32, 3), "N");
    // Employee 2 has the blue group: its weekends quick-inserted over the week's L.
    EXPECT_EQ(text(6, 4), "L");
    EXPECT_EQ(text(10, 4), "N");
    EXPECT_EQ(text(4, 4), "N");
    EXPECT_EQ(text(2, 4), "");
    // Pasted from the script and then from the copied cell; Z rejected.
    EXPECT_EQ(text(2, 5), "E");
    EXPECT_EQ(text(3, 5), "E\rL");
    EXPECT_EQ(text(4, 5), "");
    EXPECT_EQ(text(10, 5), "E");
    EXPECT_EQ(text(6, 5), "L");
}

TEST_F(SummaryCliTest, RangeScriptErrorsNameTheLine)
{
    const auto out = folder.path() / "out.sxt";
    const std::pair<const char*, const char*> cases[] = {
        {"quick \"Some cells\" Everybody \"\" \"\"\n", ":1: no scope \"Some cells\""},
        {"quick \"All cells\" Nobody \"\" \"\"\n", ":1: no employee \"Nobody\""},
        {"quick \"All cells\" Everybody clLime \"\"\n", ":1: no group colour \"clLime\""},
        {"quick \"All cells\" Everybody\n", ":1: quick takes 4 arguments"},
        {"paste a b\n", ":1: paste takes 0 or 1 arguments"},
        {"remove-week 1\n", ":1: \"1\" is no day column"},
        {"move-row 3\n", ":1: move-row takes 2 arguments"},
        {"select-week 2\n", ":1: select-week takes 2 arguments"},
    };
    for (const auto& [script, message] : cases) {
        const auto path = folder.path() / "script.txt";
        std::ofstream(path, std::ios::binary) << script;
        const CliResult run =
            Cli("edit " + Quoted(file) + " " + Quoted(path) + " " + Quoted(out), true);
        EXPECT_EQ(run.status, 2) << script;
        EXPECT_NE(run.out.find(message), std::string::npos) << run.out;
    }
}

TEST(ScriptLine, WordsAndQuotedTexts)
{
    std::string error;
    using Words = std::vector<std::string>;
    EXPECT_EQ(cli::SplitScriptLine("  click\t2  3 ", error), (Words{"click", "2", "3"}));
    EXPECT_EQ(cli::SplitScriptLine(R"(comment 2 3 "a \"b\" \\ \t\r\n")", error),
              (Words{"comment", "2", "3", "a \"b\" \\ \t\r\n"}));
    EXPECT_EQ(cli::SplitScriptLine(R"(type "")", error), (Words{"type", ""}));
    EXPECT_EQ(cli::SplitScriptLine("", error), Words{});
    EXPECT_FALSE(cli::SplitScriptLine(R"(comment "a"b)", error));
    EXPECT_FALSE(cli::SplitScriptLine(R"(comment "a\)", error));
}

} // namespace
} // namespace shiftex
