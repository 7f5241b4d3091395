#include "test_support.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/folders.h"

namespace velmo::test {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "velmo-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    FPath = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Give back write permission that a test may have taken away, then remove.
    for (auto it = std::filesystem::recursive_directory_iterator(FPath, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    }
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(FPath, ec);
}

std::string TempDir::File(const std::string& name) const {
    std::filesystem::path p = FPath / name;
    std::filesystem::create_directories(p.parent_path());
    return p.string();
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    std::string path = File(name);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string FixturesDir() { return std::string(VELMO_FIXTURES) + "/"; }

std::string BinDir() { return velmo::ExecutableFolder(); }

std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

CommandResult RunCli(const std::string& args) { return RunCliWith(args, {}); }

CommandResult RunCli(const std::string& args, const std::string& environment) {
    CliOptions options;
    options.Environment = environment;
    return RunCliWith(args, options);
}

CommandResult RunCliWith(const std::string& args, const CliOptions& options) {
    static std::atomic<int> counter{0};
    TempDir dir;
    std::string out = dir.File("out" + std::to_string(counter++));
    std::string err = out + ".err";
    std::string cmd = "exec " + (options.Environment.empty() ? "" : "env " + options.Environment + " ") +
                      "timeout " + std::to_string(options.TimeoutSeconds) + " " +
                      ShellQuote(VELMO_CLI) + " " + args + " >" +
                      ShellQuote(options.StdOut.empty() ? out : options.StdOut) + " 2>" +
                      ShellQuote(err) + " </dev/null";
    int rc = -1;
    if (options.FileSizeLimit == 0) {
        rc = std::system(cmd.c_str());
    } else {
        // The limit binds the child alone; with SIGXFSZ ignored a write beyond it fails
        // with EFBIG instead of ending the process. The captured output is far smaller.
        const pid_t pid = fork();
        if (pid == 0) {
            signal(SIGXFSZ, options.SIGXFSZDefault ? SIG_DFL : SIG_IGN);
            const rlim_t limit = static_cast<rlim_t>(options.FileSizeLimit);
            const struct rlimit rl = {limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &rl) != 0) _exit(127);
            execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        if (pid > 0) waitpid(pid, &rc, 0);
    }
    CommandResult r;
    r.Status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    r.Out = ReadAll(out);
    r.Err = ReadAll(err);
    return r;
}

std::string WithFileSizeLimit(size_t bytes, const std::function<std::string()>& body) {
    int fds[2];
    if (pipe(fds) != 0) return "pipe failed";
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        signal(SIGXFSZ, SIG_IGN);
        const struct rlimit rl = {static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
        std::string r = setrlimit(RLIMIT_FSIZE, &rl) == 0 ? body() : "setrlimit failed";
        if (!r.empty() && write(fds[1], r.data(), r.size()) < 0) _exit(2);
        _exit(0);
    }
    close(fds[1]);
    std::string out;
    char buf[256];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) out += " (child failed)";
    return out;
}

}  // namespace velmo::test
