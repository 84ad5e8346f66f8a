// The options dialog and the automatic backup on a year's schedule: 500 employees over 365 days,
// a code in every day cell, all four summaries shown.
//   OptionsRemoveTypeAddEmployee: Open, working type "D" removed on its page, an employee
//     added, Close (every cell searched, the holiday lines built again, every summary counted
//     again, the days coloured again).
//   BackupTick: the schedule written into the backup folder, as the backup timer does.
#include "app/automatic_backup.h"
#include "setup/employees_page.h"
#include "setup/options_dialog.h"
#include "setup/working_types_page.h"
#include "year_schedule.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>

namespace shiftex {
namespace {

using namespace bench;
namespace fs = std::filesystem;

// A program folder with the shipped holidays, removed afterwards.
class ProgramFolder {
public:
    ProgramFolder()
    {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("shiftex-bench-" + std::to_string(random()));
        fs::create_directories(path_);
        fs::copy(SHIFTEX_DATA_DIR, path_, fs::copy_options::recursive);
    }
    ~ProgramFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

class RunningTimer final : public BackupTimer {
public:
    void Start(int) override { running_ = true; }
    void Stop() override { running_ = false; }
    bool IsRunning() const override { return running_; }

private:
    bool running_ = false;
};

// What the main window holds for both: a program folder, messages, settings and the backup.
struct Program {
    ProgramFolder folder;
    QuietSink sink;
    MemorySettingsStore settings;
    RunningTimer timer;
    AutomaticBackup backup{settings, sink, timer, folder.path()};
};

void BM_OptionsRemoveTypeAddEmployee(benchmark::State& state)
{
    Program program;
    QuietSink& sink = program.sink;
    OptionsDialog dialog(program.folder.path(), sink, program.backup);
    int employees = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto session = ShownSession(sink, YearSchedule());
        state.ResumeTiming();
        dialog.Open(*session, options::kScheduleSetup, options::kWorkingTypes);
        auto* types = dynamic_cast<WorkingTypesPage*>(dialog.page());
        types->Pick(static_cast<int>(types->ListEntries().size()) - 1);  // "D"
        types->Press("remove");
        dialog.ClickItem(options::kScheduleSetup, options::kEmployees);
        auto* names = dynamic_cast<EmployeesPage*>(dialog.page());
        names->SetField("name", "New hire");
        names->Press("add");
        dialog.Close();
        state.PauseTiming();
        employees = static_cast<int>(session->document().Employees().size());
        session.reset();
        state.ResumeTiming();
    }
    state.counters["employees_after"] = employees;
    if (!sink.errors.empty())
        state.SkipWithError(sink.errors.front().c_str());
}
BENCHMARK(BM_OptionsRemoveTypeAddEmployee)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_BackupTick(benchmark::State& state)
{
    Program program;
    const fs::path folder = program.folder.path() / "backup";
    program.backup.Start(BackupSettings{true, folder.string(), "5"});
    ScheduleDocument document = YearSchedule();
    document.filePath = "/somewhere/year.sxt";
    CloseGuard guard;
    std::tm now{};
    now.tm_year = 2026 - 1900;
    now.tm_mday = 10;
    for (auto _ : state) {
        program.backup.Tick({&document}, guard, now);
        state.PauseTiming();
        fs::remove_all(folder);
        state.ResumeTiming();
    }
    if (!program.sink.errors.empty())
        state.SkipWithError(program.sink.errors.front().c_str());
}
BENCHMARK(BM_BackupTick)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
} // namespace shiftex
