// Huge and endless inputs to shiftex-cli under a limit of its address space: each is refused (or
// loaded) with the program's message and status, never ended by a signal, and the memory it
// takes stays within the limit. The big files are sparse or made here, in a folder of the test.
#include "april_2003_text.h"
#include "cli_support.h"
#include "files/text_io.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace shiftex {
namespace {

namespace fs = std::filesystem;

// Well above what the program needs for a schedule of its own, far below the inputs: 1.5 GiB,
// in bytes (prlimit of util-linux 2.38 cannot read a size with a suffix).
constexpr const char* kAddressSpaceLimit = "1610612736";

std::string Quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

test::CliResult DumpLimited(const fs::path& file, const fs::path& programFolder)
{
    return test::RunCommand(std::string("prlimit --as=") + kAddressSpaceLimit + " " +
                            SHIFTEX_CLI + " dump " + Quoted(file) + " --program-folder " +
                            Quoted(programFolder) + " 2>&1 >/dev/null");
}

bool HasPrlimit()
{
    return test::RunCommand("command -v prlimit >/dev/null").status == 0;
}

TEST(HugeInputs, RefusedWithTheirMessageUnderAMemoryLimit)
{
    if (!HasPrlimit())
        GTEST_SKIP() << "prlimit is not installed";
    test::TempProgramFolder folder;
    const fs::path dir = folder.path() / "inputs";
    fs::create_directories(dir);
    const std::string longer = "no schedule file is longer than 2147483647 bytes.";
    const std::string magic = "ShiftexV4.2\r\n";
    const std::string damaged = "This file is either damaged or is not a Shiftex - compatible file.";

    struct Case {
        const char* name;
        std::string shell;  // makes the file named `name` in dir
        std::string message;
    };
    const Case cases[] = {
        {"5g.sxt", "truncate -s 5G 5g.sxt", "5g.sxt is 5368709120 bytes long; " + longer},
        {"3g.sxt", "truncate -s 3G 3g.sxt", "3g.sxt is 3221225472 bytes long; " + longer},
        // Long, but the first bytes are no schedule: nothing more is read.
        {"zeros.sxt", "truncate -s 1900M zeros.sxt", damaged},
        {"zero-device.sxt", "ln -s /dev/zero zero-device.sxt", damaged},
        // A stream's signature and then nothing: it is all read, more than the limit allows.
        {"signature.sxt", "printf TPF0 >signature.sxt && truncate -s 1900M signature.sxt",
         "There is not enough memory to load"},
        {"endless-stream.sxt", "ln -s /dev/urandom endless-stream.sxt", damaged},
        {"line-ends.sxt",
         "printf 'ShiftexV4.2\\r\\n' >line-ends.sxt && head -c 100663296 /dev/zero | "
         "tr '\\0' '\\n' >>line-ends.sxt",
         "Line 2: \"\" is not a valid number."},
        {"rows.sxt", "", "Line 3: 32766 employees are announced, but the text holds 2."},
        {"columns.sxt", "", "Line 2: 255 days do not fit \"April 2003\", which has 30."},
    };
    // Small texts that announce what they do not hold.
    std::vector<std::string> rows = test::April2003Text();
    rows[2] = "32767";
    WriteFile(dir / "rows.sxt", JoinLines(rows));
    std::vector<std::string> columns = test::April2003Text();
    columns[1] = "256";
    columns[2] = "32767";
    WriteFile(dir / "columns.sxt", JoinLines(columns));

    for (const Case& c : cases) {
        if (!c.shell.empty()) {
            ASSERT_EQ(test::RunCommand("cd " + Quoted(dir) + " && " + c.shell).status, 0)
                << c.shell;
        }
        const test::CliResult run = DumpLimited(dir / c.name, folder.path());
        EXPECT_EQ(run.status, 1) << c.name << ": " << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << c.name << ": " << run.out;
        fs::remove(dir / c.name);
    }
}

TEST(HugeInputs, ASchedulePassedOverBlankLinesLoadsUnderAMemoryLimit)
{
    if (!HasPrlimit())
        GTEST_SKIP() << "prlimit is not installed";
    test::TempProgramFolder folder;
    const fs::path file = folder.path() / "trailing.sxt";
    WriteFile(file, JoinLines(test::April2003Text()) + std::string(std::size_t{32} << 20, '\n'));
    const test::CliResult run = DumpLimited(file, folder.path());
    EXPECT_EQ(run.status, 0) << run.out;
}

} // namespace
} // namespace shiftex
