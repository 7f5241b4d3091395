#include <algorithm>
#include <cstdio>
#include <iostream>

#include "base/error.h"
#include "base/folders.h"
#include "base/numbers.h"
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
    velmo::NumberFormat::InitFromEnvironment();
    velmo::InitFoldersFromExecutable();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        std::cout << "velmo-cli " VELMO_VERSION "\n";
        return 0;
    }
    for (const auto& c : velmo::cli::Commands()) {
        if (c.Name != args[0]) continue;
        try {
            return c.Run(std::vector<std::string>(args.begin() + 1, args.end()));
        } catch (const velmo::Error& e) {
            std::cerr << "velmo-cli " << c.Name << ": " << e.what() << "\n";
            return 1;
        } catch (const std::exception& e) {
            std::cerr << "velmo-cli " << c.Name << ": " << e.what() << "\n";
            return 1;
        }
    }
    std::cerr << "velmo-cli: unknown command '" << args[0] << "'. Try velmo-cli --help.\n";
    return 2;
}
