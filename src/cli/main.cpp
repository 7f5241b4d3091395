#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "base/error.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "base/warnings.h"
#include "cli/command.h"

#ifndef VELMO_VERSION
#define VELMO_VERSION "0.0.0"
#endif

namespace velmo::cli {

std::vector<Command>& Commands() {
    static std::vector<Command> commands;
    return commands;
}

bool Args::Flag(const std::string& name) {
    auto it = std::find(FArgs.begin(), FArgs.end(), name);
    if (it == FArgs.end()) return false;
    FArgs.erase(it);
    return true;
}

bool Args::Option(const std::string& name, std::string& v) {
    for (size_t i = 0; i < FArgs.size(); ++i) {
        if (FArgs[i] == name) {
            if (i + 1 >= FArgs.size()) UsageError("option " + name + " needs a value");
            v = FArgs[i + 1];
            FArgs.erase(FArgs.begin() + static_cast<long>(i), FArgs.begin() + static_cast<long>(i) + 2);
            return true;
        }
        std::string prefix = name + "=";
        if (FArgs[i].rfind(prefix, 0) == 0) {
            v = FArgs[i].substr(prefix.size());
            FArgs.erase(FArgs.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

void UsageError(const std::string& message) { throw velmo::Error(message); }

}  // namespace velmo::cli

namespace {

// What was printed must have reached standard output: a full disk or a closed pipe
// turns a finished command into a failure. Returns the exit status to use.
int CheckStandardOutput(const std::string& who, int status) {
    errno = 0;
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!failed) return status;
    const int err = errno;
    std::cerr << who << ": Unable to write to standard output." << (err ? " " : "")
              << (err ? std::strerror(err) : "") << "\n";
    return status == 0 ? 1 : status;
}

void PrintHelp() {
    using velmo::cli::Commands;
    auto commands = Commands();
    std::sort(commands.begin(), commands.end(),
              [](const auto& a, const auto& b) { return a.Name < b.Name; });
    std::cout << "velmo-cli " VELMO_VERSION
                 " - batch work on broadcast antenna designs\n\n"
                 "Usage: velmo-cli COMMAND [ARGUMENTS]\n"
                 "       velmo-cli --help | --version\n\n"
                 "Commands:\n";
    if (commands.empty()) std::cout << "  (none yet)\n";
    for (const auto& c : commands) {
        std::cout << "  " << c.Usage << "\n      " << c.Summary << "\n";
    }
    std::cout << "\nReference data is read from the folders beside the executable ("
              << velmo::AppPath() << ").\n";
}

}  // namespace

int main(int argc, char** argv) {
    // A write beyond the file-size limit then fails with EFBIG and is reported like a
    // full disk, instead of ending the program half way with a temporary file left.
    std::signal(SIGXFSZ, SIG_IGN);
    velmo::NumberFormat::InitFromEnvironment();
    velmo::InitFoldersFromExecutable();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return CheckStandardOutput("velmo-cli", args.empty() ? 2 : 0);
    }
    if (args[0] == "--version") {
        std::cout << "velmo-cli " VELMO_VERSION "\n";
        return CheckStandardOutput("velmo-cli", 0);
    }
    for (const auto& c : velmo::cli::Commands()) {
        if (c.Name != args[0]) continue;
        const std::string who = "velmo-cli " + c.Name;
        velmo::SetWarningHandler(
            [&who](const std::string& m) { std::cerr << who << ": Warning: " << m << "\n"; });
        int status = 1;
        try {
            status = c.Run(std::vector<std::string>(args.begin() + 1, args.end()));
        } catch (const velmo::Error& e) {
            std::cerr << who << ": " << e.what() << "\n";
        } catch (const std::exception& e) {
            std::cerr << who << ": " << e.what() << "\n";
        }
        return CheckStandardOutput(who, status);
    }
    std::cerr << "velmo-cli: unknown command '" << args[0] << "'. Try velmo-cli --help.\n";
    return 2;
}
