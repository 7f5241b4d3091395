#pragma once
// velmo-cli commands. Each cmd_*.cpp registers one command with a static
// CommandRegistrar; main() dispatches on the first argument.
#include <functional>
#include <string>
#include <vector>

namespace velmo::cli {

struct Command {
    std::string Name;
    std::string Usage;    // "report DESIGN.bcst -o OUT.pdf [--azimuth | --elevation]"
    std::string Summary;  // one line for --help
    // Arguments after the command name; returns the exit status. Errors derived from
    // velmo::Error are caught by main(), printed on stderr, and give status 1.
    std::function<int(const std::vector<std::string>& args)> Run;
};

std::vector<Command>& Commands();

struct CommandRegistrar {
    explicit CommandRegistrar(Command c) { Commands().push_back(std::move(c)); }
};

// A small argument scanner shared by the commands.
class Args {
public:
    explicit Args(const std::vector<std::string>& args) : FArgs(args) {}
    bool Flag(const std::string& name);                    // removes "--name" when present
    bool Option(const std::string& name, std::string& v);  // removes "--name V"/"-n V"
    // The arguments not taken by Flag/Option, in order.
    const std::vector<std::string>& Rest() const { return FArgs; }

private:
    std::vector<std::string> FArgs;
};

// Throws velmo::Error with a usage message.
[[noreturn]] void UsageError(const std::string& message);

}  // namespace velmo::cli
