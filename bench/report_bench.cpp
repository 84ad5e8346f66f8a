// Printing and exporting a year's schedule: 500 employees over 365 days, a code in every day
// cell. The sheet's print copy, each export written to a file, and the calendars of every
// employee built and written.
#include "year_schedule.h"

#include "platform/print_renderer.h"
#include "platform/report_export.h"
#include "platform/report_files.h"
#include "reports/calendar_events.h"
#include "reports/print_copy.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <malloc.h>
#include <filesystem>
#include <random>

namespace shiftex {
namespace {

namespace fs = std::filesystem;
using namespace bench;

const ScheduleDocument& Year()
{
    static const ScheduleDocument document = YearSchedule();
    return document;
}

// A folder of its own below the temporary folder, removed at exit.
const fs::path& OutputFolder()
{
    static const fs::path folder = [] {
        std::random_device random;
        fs::path path = fs::temp_directory_path() / ("shiftex-bench-" + std::to_string(random()));
        fs::create_directories(path);
        return path;
    }();
    static const struct Remover {
        ~Remover()
        {
            std::error_code ec;
            fs::remove_all(folder, ec);
        }
    } remover;
    return folder;
}

void SheetPrintCopy(benchmark::State& state)
{
    for (auto _ : state) {
        Result<PrintCopy> copy = SheetCopy(Year(), std::nullopt, SheetCopyUse::Print);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(SheetPrintCopy)->Unit(benchmark::kMillisecond);

void Export(benchmark::State& state)
{
    const ExportType type = kExportTypes[static_cast<std::size_t>(state.range(0))].type;
    state.SetLabel(ExportTypeOf(type).cliName);
    const fs::path out = OutputFolder() / (std::string("year.") + ExportTypeOf(type).extension);
    for (auto _ : state) {
        const Result<void> written = ExportSchedule(Year(), std::nullopt, type, out, {});
        if (!written)
            state.SkipWithError(written.error().message.c_str());
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(out));
}
BENCHMARK(Export)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(3);

// The events alone, and the events serialised as iCalendar text without writing files.
void CalendarEvents(benchmark::State& state)
{
    for (auto _ : state) {
        Result<std::vector<EmployeeCalendar>> calendars = ScheduleCalendars(Year());
        benchmark::DoNotOptimize(calendars);
    }
}
BENCHMARK(CalendarEvents)->Unit(benchmark::kMillisecond)->Iterations(3);

void CalendarTexts(benchmark::State& state)
{
    const Result<std::vector<EmployeeCalendar>> calendars = ScheduleCalendars(Year());
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const EmployeeCalendar& calendar : *calendars)
            bytes += CalendarText(calendar, {"Europe/Brussels"}).size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(CalendarTexts)->Unit(benchmark::kMillisecond)->Iterations(3);

void Calendars(benchmark::State& state)
{
    const fs::path folder = OutputFolder() / "calendars";
    fs::create_directories(folder);
    std::size_t events = 0;
    for (auto _ : state) {
        const Result<std::vector<EmployeeCalendar>> calendars = ScheduleCalendars(Year());
        if (!calendars || !WriteCalendars(*calendars, folder, {"Europe/Brussels"})) {
            state.SkipWithError("calendars");
            break;
        }
        events = 0;
        for (const EmployeeCalendar& calendar : *calendars)
            events += calendar.events.size();
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(Calendars)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace shiftex

int main(int argc, char** argv)
{
    // As the program does: freed heap memory stays in the process for the next copy.
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    // The PDF and the word processor writer need fonts: a GUI application, drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
