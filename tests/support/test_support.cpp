#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
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

CommandResult RunCli(const std::string& args) { return RunCli(args, ""); }

CommandResult RunCli(const std::string& args, const std::string& environment) {
    static std::atomic<int> counter{0};
    TempDir dir;
    std::string out = dir.File("out" + std::to_string(counter++));
    std::string err = out + ".err";
    std::string cmd = (environment.empty() ? "" : "env " + environment + " ") +
                      ShellQuote(VELMO_CLI) + " " + args + " >" + ShellQuote(out) + " 2>" +
                      ShellQuote(err) + " </dev/null";
    int rc = std::system(cmd.c_str());
    CommandResult r;
    r.Status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    r.Out = ReadAll(out);
    r.Err = ReadAll(err);
    return r;
}

}  // namespace velmo::test
