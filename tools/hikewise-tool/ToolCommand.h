#pragma once

#include <string>
#include <vector>

namespace hw::tool {

using Args = std::vector<std::string>;

// One subcommand of hikewise-tool. Commands write their results to standard
// output, errors to standard error, and return the exit code.
struct ToolCommand {
    const char* name;
    const char* usage;   // arguments, e.g. "LOG OUT.trk"
    const char* summary; // one line
    int (*run)(const Args& args);
    // Builds a heap of hundreds of megabytes: run on huge pages (the restart
    // costs a few milliseconds, more than small commands gain).
    bool largeHeap = false;
};

// Adds a command to the table; used through a static ToolCommandRegistrar.
void RegisterCommand(const ToolCommand& command);
const std::vector<ToolCommand>& Commands();

struct ToolCommandRegistrar {
    explicit ToolCommandRegistrar(const ToolCommand& command) { RegisterCommand(command); }
};

// Prints "hikewise-tool: <message>" on standard error and returns 1.
int Fail(const std::string& message);

} // namespace hw::tool
