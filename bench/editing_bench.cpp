// Clicking on a year's schedule: 500 employees over 365 days, a code in every day cell, all four
// summaries shown. A click takes its undo snapshot and updates every summary; RecomputeSummaries
// counts everything again.
#include "year_schedule.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace shiftex {
namespace {

using namespace bench;

// Resident memory of the process in kilobytes.
long ResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    return -1;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The document, its summaries and seven snapshots: what one open year's schedule holds.
// First, while the heap is still fresh.
void BM_ResidentMemory(benchmark::State& state)
{
    for (auto _ : state) {
        const long before = ResidentKilobytes();
        QuietSink sink;
        auto session = ShownSession(sink, YearSchedule());
        session->sheetEdits().SelectWorkingType(1);
        for (int i = 0; i < 8; ++i)
            session->sheetEdits().ClickCell(2 + i * 11, 3 + i * 13);
        const long after = ResidentKilobytes();
        state.counters["process_MB"] = static_cast<double>(after) / 1024.0;
        state.counters["schedule_MB"] = static_cast<double>(after - before) / 1024.0;
        state.counters["snapshots"] = session->undoHistory().count();
        state.counters["snapshot_MB"] =
            static_cast<double>(session->undoHistory().Slot(1).size()) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(session);
    }
}
BENCHMARK(BM_ResidentMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ToggleCell(benchmark::State& state)
{
    QuietSink sink;
    auto session = ShownSession(sink, YearSchedule());
    const int rows = session->document().sheet.rowCount();
    const int cols = session->document().sheet.colCount();
    std::vector<double> times;
    int step = 0;
    for (auto _ : state) {
        // A new cell every time, spread over the sheet; the codes change.
        const int col = 2 + (step * 37) % (cols - 2);
        const int row = 3 + (step * 101) % (rows - 3);
        session->sheetEdits().SelectWorkingType(1 + step % 4);
        const auto start = std::chrono::steady_clock::now();
        session->sheetEdits().ClickCell(col, row);
        const auto end = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1e3);
        ++step;
    }
    state.counters["median_ms"] = Median(times);
    state.counters["max_ms"] = times.empty() ? 0 : *std::max_element(times.begin(), times.end());
    if (!sink.errors.empty())
        state.SkipWithError(sink.errors.front().c_str());
}
BENCHMARK(BM_ToggleCell)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(500);

void BM_RecomputeSummaries(benchmark::State& state)
{
    QuietSink sink;
    auto session = ShownSession(sink, YearSchedule());
    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        session->summaryPanels().Recompute();
        const auto end = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds * 1e3);
    }
    state.counters["median_ms"] = Median(times);
    if (!sink.errors.empty())
        state.SkipWithError(sink.errors.front().c_str());
}
BENCHMARK(BM_RecomputeSummaries)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_Undo(benchmark::State& state)
{
    QuietSink sink;
    auto session = ShownSession(sink, YearSchedule());
    session->sheetEdits().SelectWorkingType(1);
    for (int i = 0; i < 7; ++i)
        session->sheetEdits().ClickCell(2 + i, 3 + i);
    for (auto _ : state) {
        if (!session->Undo()) {
            state.PauseTiming();
            while (session->Redo()) {
            }
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond)->Iterations(14);

} // namespace
} // namespace shiftex
