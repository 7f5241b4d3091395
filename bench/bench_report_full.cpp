// The full report of the largest sample design (the one with the most pages) written
// as a PDF file: building the pages from the design and writing the file, and the
// same preceded by opening the design file, as `velmo-cli report` does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QGuiApplication>

#include "base/folders.h"
#include "model/design.h"
#include "report/canvas.h"
#include "report/reportbuild.h"

using namespace velmo;

namespace {

// The sample design whose full report has the most pages.
std::string LargestSample() {
    std::string best;
    int bestPages = -1;
    for (const auto& entry : std::filesystem::directory_iterator(AppPath() + "samples")) {
        if (entry.path().extension() != ".bcst") continue;
        auto design = LoadDesignFile(entry.path().string());
        const int pages = BuildReport(*design)->GetPageCount();
        if (pages > bestPages) {
            bestPages = pages;
            best = entry.path().string();
        }
    }
    return best;
}

const std::string& Sample() {
    static const std::string path = LargestSample();
    return path;
}

std::string OutputPath() {
    return (std::filesystem::temp_directory_path() / "velmo_bench_full_report.pdf").string();
}

void BM_FullReportToPdf(benchmark::State& state) {
    auto design = LoadDesignFile(Sample());
    const std::string out = OutputPath();
    int pages = 0;
    // Each report starts without the text widths of the one before, like a
    // `velmo-cli report` of one design.
    for (auto _ : state) {
        ForgetTextAdvances();
        pages = WriteReportPdf(*design, rkFull, out);
    }
    state.SetLabel(std::filesystem::path(Sample()).filename().string() + ", " +
                   std::to_string(pages) + " pages");
    std::filesystem::remove(out);
}
BENCHMARK(BM_FullReportToPdf)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_OpenDesignAndReportToPdf(benchmark::State& state) {
    const std::string out = OutputPath();
    for (auto _ : state) {
        ForgetTextAdvances();
        auto design = LoadDesignFile(Sample());
        benchmark::DoNotOptimize(WriteReportPdf(*design, rkFull, out));
    }
    std::filesystem::remove(out);
}
BENCHMARK(BM_OpenDesignAndReportToPdf)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
