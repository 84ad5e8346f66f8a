// The working-time warnings of a year's schedule: 500 employees over 365 days, a code in every
// day cell. The whole sheet is checked when it changes shape or after a range command; a click
// checks its own row again, within the click's own budget.
#include "year_schedule.h"

#include "summaries/working_time_warnings.h"

#include <benchmark/benchmark.h>

namespace shiftex {
namespace {

using namespace bench;

// The year with its late shift moved to 14H00-22H00: a late shift before an early one leaves
// ten hours of rest, so that every row has findings to list and mark.
ScheduleDocument YearWithFindings()
{
    ScheduleDocument document = YearSchedule();
    for (int i = 1; i < document.workingTypes.Count(); ++i) {
        if (document.workingTypes.At(i).code() != "L")
            continue;
        document.workingTypes.SetField(i, field::From1, "14H00");
        document.workingTypes.SetField(i, field::Til1, "22H00");
    }
    return document;
}

void BM_CheckWholeYear(benchmark::State& state)
{
    const ScheduleDocument document = YearWithFindings();
    std::size_t findings = 0;
    for (auto _ : state) {
        const auto result = CheckWorkingTime(document, {});
        if (!result) {
            state.SkipWithError(result.error().message.c_str());
            return;
        }
        findings = result->size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckWholeYear)->Unit(benchmark::kMillisecond);

// What the window keeps: the list, the marks and the hints, for every row.
void BM_WarningsWholeYear(benchmark::State& state)
{
    const ScheduleDocument document = YearWithFindings();
    WorkingTimeWarnings warnings;
    for (auto _ : state) {
        warnings.Recompute(document);
        benchmark::DoNotOptimize(warnings.Count());
    }
    state.counters["findings"] = warnings.Count();
}
BENCHMARK(BM_WarningsWholeYear)->Unit(benchmark::kMillisecond);

// A click on a cell, then its row checked again.
void BM_ClickThenRow(benchmark::State& state)
{
    QuietSink sink;
    auto session = ShownSession(sink, YearWithFindings());
    WorkingTimeWarnings warnings;
    warnings.Recompute(session->document());
    const int rows = session->document().sheet.rowCount();
    const int cols = session->document().sheet.colCount();
    int step = 0;
    for (auto _ : state) {
        const int col = 2 + (step * 37) % (cols - 2);
        const int row = 3 + (step * 101) % (rows - 3);
        session->sheetEdits().SelectWorkingType(1 + step % 4);
        session->sheetEdits().ClickCell(col, row);
        warnings.RecomputeRow(session->document(), row);
        ++step;
    }
    if (!sink.errors.empty())
        state.SkipWithError(sink.errors.front().c_str());
}
BENCHMARK(BM_ClickThenRow)->Unit(benchmark::kMillisecond)->Iterations(500);

// The row alone.
void BM_RowAfterClick(benchmark::State& state)
{
    const ScheduleDocument document = YearWithFindings();
    WorkingTimeWarnings warnings;
    warnings.Recompute(document);
    int row = 3;
    for (auto _ : state) {
        warnings.RecomputeRow(document, row);
        row = 3 + (row * 101) % (document.sheet.rowCount() - 3);
    }
}
BENCHMARK(BM_RowAfterClick)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace shiftex
