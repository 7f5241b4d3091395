// The desktop program's start: from starting the process to the main window's first
// paint, without the splash (VELMO_SPLASH_MS=0). The program prints the monotonic
// clock at its first paint (VELMO_BENCH_FIRST_PAINT) and leaves; the time counted is
// from just before the process is spawned to that moment. Runs on the display the
// benchmark is given (an X server, or QT_QPA_PLATFORM=offscreen).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

long long NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Starts velmo with `args`; returns nanoseconds to its first paint, or -1.
long long StartToFirstPaint(const std::vector<std::string>& args, const std::string& configHome) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0) env.emplace_back(*e);
    env.push_back("VELMO_SPLASH_MS=0");
    env.push_back("VELMO_BENCH_FIRST_PAINT=1");
    env.push_back("XDG_CONFIG_HOME=" + configHome);
    std::vector<char*> envp;
    for (std::string& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStore{VELMO_EXE};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : argStore) argv.push_back(s.data());
    argv.push_back(nullptr);

    int fds[2];
    if (pipe(fds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    pid_t pid = 0;
    const long long start = NowNs();
    const int rc = posix_spawn(&pid, VELMO_EXE, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return -1;
    }
    std::string out;
    char buf[256];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const size_t at = out.find("first-paint ");
    if (at == std::string::npos) return -1;
    return std::atoll(out.c_str() + at + 12) - start;
}

void Run(benchmark::State& state, const std::vector<std::string>& args) {
    const std::string config = (std::filesystem::temp_directory_path() / "velmo-bench-config").string();
    std::filesystem::create_directories(config);
    for (auto _ : state) {
        const long long ns = StartToFirstPaint(args, config);
        if (ns < 0) {
            state.SkipWithError("velmo did not report its first paint");
            break;
        }
        state.SetIterationTime(static_cast<double>(ns) / 1e9);
    }
}

// The empty main window (the start dialog follows the first paint).
void BM_StartToFirstPaint(benchmark::State& state) { Run(state, {}); }
// Started on the largest sample design, which is opened before the window shows.
void BM_StartOnLargestSampleToFirstPaint(benchmark::State& state) {
    Run(state, {std::string(VELMO_BIN_DIR) + "/samples/miraldo_uhf_elliptical_top.bcst"});
}

}  // namespace

BENCHMARK(BM_StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartOnLargestSampleToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
