#include "cli/json.h"
#include "cli_support.h"
#include "files/text_io.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace shiftex {
namespace {

using test::CliResult;

// Runs shiftex-cli with standard error joined to standard output.
CliResult Cli(const std::string& arguments)
{
    return test::RunCli(arguments, true);
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

TEST(ShiftexCliConvert, TextToScheduleFileAndBack)
{
    test::TempProgramFolder folder;
    const std::string options = " --program-folder " + Quoted(folder.path());
    const auto first = folder.path() / "ward.sxt";
    const auto second = folder.path() / "again.sxt";
    const std::string example = std::string(SHIFTEX_SOURCE_DIR) + "/tests/data/ward.sxt";
    ASSERT_EQ(Cli("convert " + Quoted(example) + " " + Quoted(first) + options).status, 0);
    EXPECT_EQ(ReadFileBytes(first)->substr(0, 4), "TPF0");
    // A schedule file converts to the same bytes.
    ASSERT_EQ(Cli("convert " + Quoted(first) + " " + Quoted(second) + options).status, 0);
    EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(second));

    const CliResult dumped = Cli("dump " + Quoted(second) + options);
    ASSERT_EQ(dumped.status, 0);
    const Result<nlohmann::json> json = cli::ParseJson(dumped.out);
    ASSERT_TRUE(json) << json.error().message;
    EXPECT_EQ(json->at("workingTypes").size(), 6u);
    EXPECT_TRUE(json->at("weekendDays").empty());
    EXPECT_EQ(json->at("departments").size(), 2u);
}

TEST(ShiftexCliConvert, FailuresGiveTheProgramsMessages)
{
    test::TempProgramFolder folder;
    const auto older = folder.path() / "older.sxt";
    std::ofstream(older) << "ShiftexV4.1\r\n";
    const auto out = folder.path() / "out.sxt";
    const CliResult damaged = Cli("convert " + Quoted(older) + " " + Quoted(out));
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.out.find(
                  "This file is either damaged or is not a Shiftex - compatible file."),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));

    const std::string example = std::string(SHIFTEX_SOURCE_DIR) + "/tests/data/ward.sxt";
    const CliResult unwritable =
        Cli("convert " + Quoted(example) + " " + Quoted(folder.path()) + " --program-folder " +
            Quoted(folder.path()));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.out.find(folder.path().string()), std::string::npos) << unwritable.out;
    EXPECT_EQ(Cli("convert " + Quoted(example)).status, 2);
}

} // namespace
} // namespace shiftex
