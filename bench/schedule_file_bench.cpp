// Save and load of a year's schedule file: 500 employees over 365 days, a code in every day
// cell, weekend and holiday columns coloured, one day cell in a hundred with a comment.
//
// The steps of a save and a load are measured apart as well as together:
//   save = BuildScheduleImage + EncodeStream + WriteFileAtomically (write, flush to disk, rename)
//   load = ReadFileBytes + LoadScheduleBytes (DecodeStream and the key rows)
// WriteWithoutFlush writes the same bytes without flushing them, to show what the flush costs;
// ReadFileBytesCold reads the file after its pages were dropped from the page cache.
#include "editing/undo_history.h"
#include "files/grid_cell_stream.h"
#include "files/schedule_file.h"
#include "files/text_io.h"
#include "model/sheet_layout.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace shiftex {
namespace {

constexpr int kEmployees = 500;
constexpr int kYear = 2005;

ScheduleDocument YearSchedule()
{
    ScheduleDocument document = CreateDocument();
    ScheduleSheet& sheet = document.sheet;
    int days = 0;
    for (int month = 1; month <= 12; ++month)
        days += DaysInMonth(month, kYear);
    sheet.Resize(2 + days, 3 + kEmployees);
    sheet.fixedRows = 3;
    sheet.fixedCols = 2;
    int col = 2;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(month, kYear); ++day, ++col) {
            sheet.SetText(col, 0, MonthTitle(month, kYear));
            sheet.SetText(col, 2, std::to_string(day));
        }
    }
    const char* codes[] = {"E", "L", "N", "D", "E2", "X"};
    for (const char* code : codes)
        document.workingTypes.Add(
            WorkingType::Create(code, std::string("shift ") + code, "07H00", "15H00", "  H  ",
                                "  H  ", 0));
    document.RefreshTypeCodes();
    document.monthTitle = MonthTitle(1, kYear);
    document.weekendColour = "clyellow";
    document.holidayColour = "$00A8C8A6";
    document.holidayLines = {"[Custom]",      "[**YEAR**]:2005", "[01]", "01:New Year",
                             "[05]",          "01:Labour Day",   "[07]", "21:National Day",
                             "[12]",          "25:Christmas",    "26:Boxing Day"};
    document.customQueryLines = {"Early", "E", "E2", "end this addition", "end all additions"};
    document.customQueryNames = {"Early"};
    document.queryThresholds = {{"Early", "clred", "20", "clblue", "60"}};
    document.departments = {{"Ward A", "clred"}, {"Ward B", "clgreen"}};
    document.fontName = "Arial";
    document.fontColour = "clblack";
    int cell = 0;
    for (int row = 3; row < sheet.rowCount(); ++row) {
        sheet.SetText(1, row, "Employee " + std::to_string(row - 2));
        for (int c = 2; c < sheet.colCount(); ++c, ++cell) {
            sheet.SetText(c, row, codes[(row + c) % 6]);
            if (cell % 100 == 0)
                sheet.SetComment(c, row, "swapped with a colleague");
        }
    }
    LayoutMonthRow(sheet, document.monthTitle);
    LayoutWeekRow(sheet);
    ColourDayColumns(document);
    PlaceExtendButtons(sheet);
    LayoutNameColumns(sheet, kEmployeeDaysCaption);
    return document;
}

const ScheduleDocument& Year()
{
    static const ScheduleDocument document = YearSchedule();
    return document;
}

const ScheduleSheet& YearImage()
{
    static const ScheduleSheet image = BuildScheduleImage(Year());
    return image;
}

const std::string& YearStream()
{
    static const std::string stream = WriteGridCellStream(YearImage());
    return stream;
}

std::filesystem::path BenchFile()
{
    return std::filesystem::temp_directory_path() / "shiftex-bench-year.sxt";
}

void SaveBenchFile()
{
    if (const auto written = WriteFileAtomically(BenchFile(), YearStream()); !written)
        throw std::runtime_error(written.error().message);
}

// --- save ---

// Save as the window does it: the image, its stream, the atomic write with its flush to disk.
void BM_SaveScheduleFile(benchmark::State& state)
{
    const ScheduleDocument& document = Year();
    for (auto _ : state) {
        if (const auto saved = SaveSchedule(document, BenchFile()); !saved)
            state.SkipWithError(saved.error().message.c_str());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(BenchFile()));
}

void BM_BuildScheduleImage(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildScheduleImage(Year()));
}

void BM_EncodeStream(benchmark::State& state)
{
    const ScheduleSheet& image = YearImage();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string stream = WriteGridCellStream(image);
        bytes = stream.size();
        benchmark::DoNotOptimize(stream.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// The bytes to disk: a temporary file, written, flushed, renamed over the target.
void BM_WriteFileAtomically(benchmark::State& state)
{
    const std::string& stream = YearStream();
    for (auto _ : state) {
        if (const auto written = WriteFileAtomically(BenchFile(), stream); !written)
            state.SkipWithError(written.error().message.c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}

// The same bytes into a new file that is not flushed: the page cache only.
void BM_WriteWithoutFlush(benchmark::State& state)
{
    const std::string& stream = YearStream();
    const std::string path = BenchFile().string() + ".noflush";
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) {
            state.SkipWithError("cannot create the file");
            break;
        }
        std::string_view rest = stream;
        while (!rest.empty()) {
            const ssize_t n = ::write(fd, rest.data(), rest.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                state.SkipWithError("cannot write the file");
                break;
            }
            rest.remove_prefix(static_cast<std::size_t>(n));
        }
        ::close(fd);
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}

// --- load ---

// Open as the window does it: read the file, read the stream, take the key rows.
void BM_LoadScheduleFile(benchmark::State& state)
{
    SaveBenchFile();
    for (auto _ : state) {
        const std::optional<std::string> bytes = ReadFileBytes(BenchFile());
        const Result<ScheduleDocument> document =
            bytes ? LoadScheduleFile(*bytes) : Fail(ErrorKind::FileSystem, "unreadable");
        if (!document)
            state.SkipWithError("the schedule file does not load");
        else
            benchmark::DoNotOptimize(document->sheet.rowCount());
    }
}

// A file that was just written: its pages are in the page cache.
void BM_ReadFileBytes(benchmark::State& state)
{
    SaveBenchFile();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::optional<std::string> read = ReadFileBytes(BenchFile());
        if (!read)
            state.SkipWithError("the file does not read");
        bytes = read ? read->size() : 0;
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// A file whose pages are not cached (dropped before each read; it was flushed when written).
void BM_ReadFileBytesCold(benchmark::State& state)
{
    SaveBenchFile();
    std::size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int fd = ::open(BenchFile().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
        state.ResumeTiming();
        const std::optional<std::string> read = ReadFileBytes(BenchFile());
        if (!read)
            state.SkipWithError("the file does not read");
        bytes = read ? read->size() : 0;
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

// The loader on bytes in memory: the stream reader and the key rows.
void BM_LoadScheduleBytes(benchmark::State& state)
{
    const std::string& stream = YearStream();
    for (auto _ : state) {
        const Result<ScheduleDocument> document = LoadScheduleFile(stream);
        if (!document)
            state.SkipWithError("the schedule file does not load");
        else
            benchmark::DoNotOptimize(document->sheet.rowCount());
    }
}

// The stream reader alone, on bytes in memory.
void BM_DecodeStream(benchmark::State& state)
{
    const std::string& stream = YearStream();
    for (auto _ : state) {
        ScheduleSheet image;
        if (!ReadGridCellStream(image, stream))
            state.SkipWithError("the stream does not read");
        benchmark::DoNotOptimize(image.rowCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}

// --- sheet copies and the light form ---

void BM_CopySheet(benchmark::State& state)
{
    const ScheduleSheet& image = YearImage();
    for (auto _ : state) {
        ScheduleSheet copy;
        CopySheet(image, copy);
        benchmark::DoNotOptimize(copy.rowCount());
    }
}

void BM_WriteCellTextStream(benchmark::State& state)
{
    const ScheduleSheet& sheet = Year().sheet;
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteCellTextStream(sheet));
}

// Into a string whose storage is reused, as the undo snapshots are taken.
void BM_WriteCellTextStreamReused(benchmark::State& state)
{
    const ScheduleSheet& sheet = Year().sheet;
    std::string out;
    for (auto _ : state) {
        WriteCellTextStream(sheet, out);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_ReadCellTextStream(benchmark::State& state)
{
    const std::string stream = WriteCellTextStream(Year().sheet);
    for (auto _ : state) {
        ScheduleSheet sheet;
        if (!ReadCellTextStream(sheet, stream))
            state.SkipWithError("the stream does not read");
        benchmark::DoNotOptimize(sheet.rowCount());
    }
}

BENCHMARK(BM_SaveScheduleFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildScheduleImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFileAtomically)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteWithoutFlush)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadScheduleFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFileBytesCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadScheduleBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopySheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCellTextStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCellTextStreamReused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCellTextStream)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace shiftex
