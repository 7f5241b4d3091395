// velmo-cli report as a whole process: 100 designs (the samples repeated under new
// names) written as PDF files in one run, and one design alone beside it. Wall time of
// the processes; the counter child_cpu_s is the CPU time the processes used
// (all workers together). For comparison, the same 100 designs as 100 separate
// velmo-cli runs, as many at a time as there are cores.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

const fs::path& Work() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("velmo_bench_batch_" + std::to_string(getpid()));
        fs::create_directories(d / "in");
        std::vector<fs::path> samples;
        for (const auto& e : fs::directory_iterator(fs::path(VELMO_BIN_DIR) / "samples"))
            if (e.path().extension() == ".bcst") samples.push_back(e.path());
        std::sort(samples.begin(), samples.end());
        for (int i = 0; i < 100; ++i) {
            const fs::path& s = samples[static_cast<size_t>(i) % samples.size()];
            fs::copy_file(s, d / "in" / (s.stem().string() + "_" + std::to_string(i) + ".bcst"));
        }
        return d;
    }();
    return dir;
}

double ChildCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void RunShell(benchmark::State& state, const std::string& command) {
    const double cpu0 = ChildCpuSeconds();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError(("failed: " + command).c_str());
            return;
        }
    }
    state.counters["child_cpu_s"] =
        benchmark::Counter((ChildCpuSeconds() - cpu0) / static_cast<double>(state.iterations()));
}

const std::string kCli = Quote(VELMO_CLI);

void BM_Batch100Designs(benchmark::State& state) {
    const std::string jobs = state.range(0) ? " --jobs " + std::to_string(state.range(0)) : "";
    RunShell(state, kCli + " report " + Quote((Work() / "in").string()) + "/*.bcst" + jobs + " -o " +
                        Quote((Work() / "out").string() + "/") + " >/dev/null");
}
// 0: one worker per core (the default); 1: a single worker process.
BENCHMARK(BM_Batch100Designs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SingleDesignProcess(benchmark::State& state) {
    RunShell(state, kCli + " report " + Quote(std::string(VELMO_BIN_DIR) +
                                              "/samples/miraldo_uhf_elliptical_top.bcst") +
                        " -o " + Quote((Work() / "single.pdf").string()) + " >/dev/null");
}
BENCHMARK(BM_SingleDesignProcess)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_100SeparateProcesses(benchmark::State& state) {
    RunShell(state, "cd " + Quote((Work() / "in").string()) + " && ls | xargs -P " +
                        std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " -I{} " + kCli +
                        " report {} -o " + Quote((Work() / "sep").string()) + "/{}.pdf >/dev/null");
}
BENCHMARK(BM_100SeparateProcesses)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    fs::create_directories(Work() / "sep");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(Work(), ec);
    return 0;
}
