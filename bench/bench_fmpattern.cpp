// One FM elevation computation (CalculatePattern: the array searches, the 3704 points
// and the adjusted points), as every spin-button step of the FM elevation page runs it.
#include <benchmark/benchmark.h>

#include "patterns/elpattern.h"

namespace {

void BM_CalculatePattern(benchmark::State& state) {
    velmo::TFMPattern p;
    p.FamilyID = "RNVX";
    p.BayCount = static_cast<int32_t>(state.range(0));
    p.BaySpacing = 1;
    p.SetGainFromFile(10);
    p.SetBeamtilt(-1.0);
    p.SetFirstNullFillPercent(10);
    p.SetSecondNullFillPercent(5);
    for (auto _ : state) {
        p.CalculatePattern();
        benchmark::DoNotOptimize(p.Gain());
        benchmark::DoNotOptimize(p.AdjustedPoints.Count());
    }
}
BENCHMARK(BM_CalculatePattern)
    ->Arg(16)->Arg(8)->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// The same with a new array on every computation (the spacing alternates), so nothing
// of the last computation's array is taken over: the cost of a first computation.
void BM_CalculatePatternNewArray(benchmark::State& state) {
    velmo::TFMPattern p;
    p.FamilyID = "RNVX";
    p.BayCount = static_cast<int32_t>(state.range(0));
    p.SetGainFromFile(10);
    p.SetBeamtilt(-1.0);
    p.SetFirstNullFillPercent(10);
    p.SetSecondNullFillPercent(5);
    bool odd = false;
    for (auto _ : state) {
        p.BaySpacing = odd ? 0.98 : 1;
        odd = !odd;
        p.CalculatePattern();
        benchmark::DoNotOptimize(p.Gain());
        benchmark::DoNotOptimize(p.AdjustedPoints.Count());
    }
}
BENCHMARK(BM_CalculatePatternNewArray)
    ->Arg(16)->Arg(8)->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// An FM Assign of a computed pattern: a copy of its points and figures.
void BM_AssignFMPattern(benchmark::State& state) {
    velmo::TFMPattern source;
    source.FamilyID = "RNVX";
    source.BayCount = 16;
    source.BaySpacing = 1;
    source.SetGainFromFile(10);
    source.SetBeamtilt(-1.0);
    source.SetFirstNullFillPercent(10);
    source.SetSecondNullFillPercent(5);
    velmo::TFMPattern target;
    for (auto _ : state) {
        target.Assign(source);
        benchmark::DoNotOptimize(target.Gain());
    }
}
BENCHMARK(BM_AssignFMPattern)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
