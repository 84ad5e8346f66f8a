// Range commands on a year's schedule: 500 employees over 365 days, a code in every day cell,
// all four summaries shown. Enter over 50,000 cells keeps one snapshot per changed cell as far
// as the history can tell; quick insert writes the whole sheet with one snapshot; paste puts a
// block of a month back through the clipboard.
#include "year_schedule.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace shiftex {
namespace {

using namespace bench;

template <typename F>
double Seconds(F&& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Enter with E current over 100 days of every employee: 50,000 cells, three in four of them
// hold another code and change.
void BM_EnterOverFiftyThousandCells(benchmark::State& state)
{
    const ScheduleDocument document = YearSchedule();
    QuietSink sink;
    std::size_t changed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto session = ShownSession(sink, document);
        session->sheetEdits().SelectWorkingType(1);
        const int top = session->document().sheet.fixedRows;
        session->selections().SetSelection({100, top, 199, top + kEmployees - 1}, true);
        state.ResumeTiming();
        state.SetIterationTime(Seconds([&] { session->sheetEdits().KeyDown(key::Enter); }));
        state.PauseTiming();
        changed = 0;
        for (int c = 100; c <= 199; ++c)
            for (int r = top; r < top + kEmployees; ++r)
                changed += document.sheet.Text(c, r) != "E";
        state.counters["snapshots"] = session->undoHistory().count();
        session.reset();
        state.ResumeTiming();
    }
    state.counters["changed_cells"] = static_cast<double>(changed);
    if (!sink.errors.empty())
        state.SkipWithError(sink.errors.front().c_str());
}
BENCHMARK(BM_EnterOverFiftyThousandCells)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// "All cells" for everybody: the whole sheet, then every summary computed again.
void BM_QuickInsertWholeSheet(benchmark::State& state)
{
    QuietSink sink;
    auto session = ShownSession(sink, YearSchedule());
    QuickInsertPanel& panel = session->sheetEdits().quickInsertPanel();
    const ScheduleDocument& document = session->document();
    panel.DropDownEmployees(document);
    panel.ChooseScope(0, document);
    panel.ChooseEmployee(0, document);
    int step = 0;
    for (auto _ : state) {
        session->sheetEdits().SelectWorkingType(1 + step++ % 4);
        state.SetIterationTime(Seconds([&] { session->sheetEdits().QuickInsert(); }));
    }
    // What the last one wrote, as the summaries count it.
    state.counters["counted"] =
        session->summaries().typesPerDay().CountAt(session->editState().currentType, 2);
    if (!sink.errors.empty())
        state.SkipWithError(sink.errors.front().c_str());
}
BENCHMARK(BM_QuickInsertWholeSheet)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// A month of every employee copied and pasted one month later: 15,500 cells, each taken after
// its lines were checked, with the history of one snapshot per pasted cell.
void BM_PasteAMonth(benchmark::State& state)
{
    QuietSink sink;
    auto session = ShownSession(sink, YearSchedule());
    MemoryClipboard clipboard;
    const int top = session->document().sheet.fixedRows;
    session->selections().SetSelection({2, top, 32, top + kEmployees - 1}, true);
    session->sheetEdits().CopyCells(clipboard);
    int step = 0;
    for (auto _ : state) {
        session->selections().SetCurrentCell(33 + 31 * (step++ % 8), top);
        state.SetIterationTime(Seconds([&] { session->sheetEdits().PasteCells(clipboard); }));
    }
    if (!sink.errors.empty())
        state.SkipWithError(sink.errors.front().c_str());
}
BENCHMARK(BM_PasteAMonth)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

} // namespace
} // namespace shiftex
