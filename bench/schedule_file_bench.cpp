// Save and load of a year's schedule file: 500 employees over 365 days, a code in every day
// cell, weekend and holiday columns coloured, one day cell in a hundred with a comment.
#include "files/grid_cell_stream.h"
#include "files/schedule_file.h"
#include "files/text_io.h"
#include "model/sheet_layout.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>

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

std::filesystem::path BenchFile()
{
    return std::filesystem::temp_directory_path() / "shiftex-bench-year.sxt";
}

// Save as the window does it: the image, its stream, the atomic write with its flush to disk.
void BM_SaveScheduleFile(benchmark::State& state)
{
    const ScheduleDocument& document = Year();
    for (auto _ : state) {
        if (const auto error = SaveSchedule(document, BenchFile()))
            state.SkipWithError(error->c_str());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(BenchFile()));
}

// The parts of a save without the disk.
void BM_BuildScheduleImage(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildScheduleImage(Year()));
}

void BM_WriteImageStream(benchmark::State& state)
{
    const ScheduleSheet image = BuildScheduleImage(Year());
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string stream = WriteGridCellStream(image);
        bytes = stream.size();
        benchmark::DoNotOptimize(stream.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

// Open as the window does it: read the file, read the stream, take the key rows.
void BM_LoadScheduleFile(benchmark::State& state)
{
    if (const auto error = SaveSchedule(Year(), BenchFile()))
        throw std::runtime_error(*error);
    for (auto _ : state) {
        const std::optional<std::string> bytes = ReadFileBytes(BenchFile());
        ScheduleDocument document = CreateDocument();
        if (!bytes || !LoadScheduleFile(document, *bytes))
            state.SkipWithError("the schedule file does not load");
        benchmark::DoNotOptimize(document.sheet.rowCount());
    }
}

// The loader on bytes in memory: the stream reader and the key rows.
void BM_LoadScheduleBytes(benchmark::State& state)
{
    const std::string stream = WriteGridCellStream(BuildScheduleImage(Year()));
    for (auto _ : state) {
        ScheduleDocument document = CreateDocument();
        if (!LoadScheduleFile(document, stream))
            state.SkipWithError("the schedule file does not load");
        benchmark::DoNotOptimize(document.sheet.rowCount());
    }
}

// The stream reader alone, on bytes in memory.
void BM_ReadImageStream(benchmark::State& state)
{
    const std::string stream = WriteGridCellStream(BuildScheduleImage(Year()));
    for (auto _ : state) {
        ScheduleSheet image;
        if (!ReadGridCellStream(image, stream))
            state.SkipWithError("the stream does not read");
        benchmark::DoNotOptimize(image.rowCount());
    }
}

BENCHMARK(BM_SaveScheduleFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildScheduleImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteImageStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadScheduleFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadScheduleBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadImageStream)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace shiftex
