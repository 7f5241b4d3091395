// Opening the largest sample design: the design file read with its point files, the
// FM elevation pattern and the power analysis recomputed (LoadDesignFile), and the
// whole Open command of the main window (header check, load, part number, info panel,
// recent files, status bar) on an offscreen window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "app/mainwindow.h"
#include "base/folders.h"
#include "model/design.h"

using namespace velmo;

namespace {

std::string Largest() { return AppPath() + "samples/miraldo_uhf_elliptical_top.bcst"; }

void BM_LoadDesignFile(benchmark::State& state) {
    const std::string path = Largest();
    std::unique_ptr<TBroadcastDesign> design;
    for (auto _ : state) {
        design = LoadDesignFile(path);
        benchmark::DoNotOptimize(design.get());
    }
}
BENCHMARK(BM_LoadDesignFile)->Unit(benchmark::kMillisecond);

void BM_MainWindowOpenDesign(benchmark::State& state) {
    const std::string path = Largest();
    TfrmMain main(nullptr);
    main.Create({});
    for (auto _ : state) {
        main.Controller().OpenDesign(path);
        benchmark::DoNotOptimize(main.Controller().CurrentDesign());
    }
    if (!main.Controller().CurrentDesign() ||
        main.Controller().CurrentDesign()->FileName != path)
        state.SkipWithError("the design did not open");
}
BENCHMARK(BM_MainWindowOpenDesign)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    InitFoldersFromExecutable();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
