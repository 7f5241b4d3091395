#pragma once
// Helpers shared by the test programs: temporary folders, fixture files, running
// velmo-cli.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace velmo::test {

// A fresh folder under the system's temporary folder, removed with its contents when
// the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return FPath; }
    // Full path of `name` inside the folder (subfolders are created).
    std::string File(const std::string& name) const;
    // Writes `bytes` to `name` inside the folder and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path FPath;
};

std::string ReadAll(const std::string& path);

// The checked-in fixtures folder (tests/fixtures) with a trailing "/".
std::string FixturesDir();
// The folder of the test executables, where the build copies the sample installation.
std::string BinDir();

struct CommandResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};
// Runs velmo-cli with `args` (each shell-quoted here) and collects its output.
CommandResult RunCli(const std::string& args);
struct CliOptions {
    // Where standard output goes instead of a captured file ("/dev/full").
    std::string StdOut;
    // RLIMIT_FSIZE of the run in bytes (0: none), with SIGXFSZ ignored unless
    // SIGXFSZDefault (a shell's "ulimit -f", where the signal would end the program).
    size_t FileSizeLimit = 0;
    bool SIGXFSZDefault = false;
    // A run that takes longer is ended (status 124): a hang fails instead of blocking.
    int TimeoutSeconds = 60;
    // Environment settings before the command ("LC_ALL=de_DE.UTF-8").
    std::string Environment;
};
CommandResult RunCliWith(const std::string& args, const CliOptions& options);

// Runs `body` in a child process whose file-size limit is `bytes` (SIGXFSZ ignored, so
// a write beyond it fails with EFBIG); returns what `body` returns (the failures it
// found, empty when it passed).
std::string WithFileSizeLimit(size_t bytes, const std::function<std::string()>& body);
// The same with environment settings before the command ("LC_ALL=de_DE.UTF-8").
CommandResult RunCli(const std::string& args, const std::string& environment);
std::string ShellQuote(const std::string& s);

}  // namespace velmo::test
