// The report preview window, offscreen: opening it on the full report of the largest
// sample design (rendering the page images, building the window, fitting the page and
// painting it once), and one repaint of the window at 100 % on a 1920 x 1080 screen.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <QApplication>

#include "app/frmpreview.h"
#include "base/folders.h"
#include "model/design.h"
#include "report/reportbuild.h"
#include "report/reporter.h"

using namespace velmo;

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

std::unique_ptr<TBroadcastDesign> LargestDesign() {
    return LoadDesignFile(AppPath() + "samples/miraldo_uhf_elliptical_top.bcst");
}

// Everything the preview does between the command and the first page on the screen,
// for a report that is already built.
void OpenPreview(TReporter& reporter) {
    TfrmPreviewView view(reporter, nullptr, kScreenHeight);
    view.resize(kScreenWidth, kScreenHeight);
    view.SetFit(true);
    view.show();
    view.repaint();
    benchmark::ClobberMemory();
}

void BM_OpenPreview(benchmark::State& state) {
    auto design = LargestDesign();
    auto reporter = BuildReport(*design);
    for (auto _ : state) OpenPreview(*reporter);
    state.SetLabel(std::to_string(reporter->GetPageCount()) + " pages");
}
BENCHMARK(BM_OpenPreview)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The same, with the report built from the design first (what the report command does).
void BM_BuildReportAndOpenPreview(benchmark::State& state) {
    auto design = LargestDesign();
    for (auto _ : state) {
        auto reporter = BuildReport(*design);
        OpenPreview(*reporter);
    }
}
BENCHMARK(BM_BuildReportAndOpenPreview)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// One repaint of the whole window at 100 % (a 1530 x 1980 page, of which the window
// shows the top), on the page given by the argument (from 0).
void BM_Repaint100(benchmark::State& state) {
    auto design = LargestDesign();
    auto reporter = BuildReport(*design);
    TfrmPreviewView view(*reporter, nullptr, kScreenHeight);
    view.resize(kScreenWidth, kScreenHeight);
    view.show();
    view.SelectZoom(9);
    for (int i = 0; i < state.range(0); ++i) view.DoNextPage();
    QApplication::processEvents();
    for (auto _ : state) view.repaint();
    state.SetLabel("page " + std::to_string(state.range(0) + 1));
}
BENCHMARK(BM_Repaint100)
    ->DenseRange(0, 14)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
