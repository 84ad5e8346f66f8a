// Whole files in and out: files larger than one write part and one read step, and files whose
// size the system does not know in advance.
#include "files/text_io.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

namespace shiftex {
namespace {

namespace fs = std::filesystem;

class LargeFileTest : public ::testing::Test {
protected:
    LargeFileTest()
    {
        std::random_device random;
        dir_ = fs::temp_directory_path() /
               ("shiftex-large-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(dir_);
    }
    ~LargeFileTest() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    fs::path dir_;
};

TEST_F(LargeFileTest, WritesAndReadsFilesOfEverySizeWhole)
{
    std::mt19937_64 random(7);
    // Around the parts the writer hands to the system and the large buffers of the reader.
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{65536},
                                   std::size_t{8} << 20, (std::size_t{20} << 20) + 3}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i + 8 <= size; i += 8) {
            const std::uint64_t word = random();
            for (int k = 0; k < 8; ++k)
                bytes[i + k] = static_cast<char>(word >> (8 * k));
        }
        if (size > 0)
            bytes.back() = '\x7F';
        const fs::path path = dir_ / "big.sxt";
        ASSERT_TRUE(WriteFileAtomically(path, bytes)) << size;
        EXPECT_EQ(fs::file_size(path), size);
        const std::optional<std::string> back = ReadFileBytes(path);
        ASSERT_TRUE(back) << size;
        EXPECT_TRUE(*back == bytes) << size;  // not printed when it fails: megabytes
    }
}

TEST_F(LargeFileTest, ReadsFilesThatReportNoSize)
{
    // The system's own files report a size of 0 and still have content.
    const std::optional<std::string> status = ReadFileBytes("/proc/self/status");
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->starts_with("Name:")) << *status;
    EXPECT_NE(status->find("Umask:"), std::string::npos);
}

} // namespace
} // namespace shiftex
