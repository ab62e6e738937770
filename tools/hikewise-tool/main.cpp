#include "ToolCommand.h"

#include "base/HugePageHeap.h"
#include "base/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstring>

namespace hw::tool {

namespace {
std::vector<ToolCommand>& Table()
{
    static std::vector<ToolCommand> table;
    return table;
}

void PrintHelp()
{
    std::printf("Usage: hikewise-tool COMMAND [ARGS...]\n\n"
                "Commands over Hikewise's files and decoders; results are JSON on\n"
                "standard output, errors on standard error with a non-zero exit.\n\n");
    std::vector<ToolCommand> sorted = Commands();
    std::sort(sorted.begin(), sorted.end(), [](const ToolCommand& a, const ToolCommand& b) {
        return std::strcmp(a.name, b.name) < 0;
    });
    for (const ToolCommand& c : sorted)
        std::printf("  %s %s\n      %s\n", c.name, c.usage, c.summary);
    std::printf("\nOptions:\n  --help     this text\n  --version  the version\n"
                "  COMMAND ... --code-page N\n"
                "             the code page of legacy 8-bit text (database versions 1 to 4,\n"
                "             LOC and CSV files that are not UTF-8); default 936\n");
}
} // namespace

void RegisterCommand(const ToolCommand& command)
{
    Table().push_back(command);
}
const std::vector<ToolCommand>& Commands()
{
    return Table();
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "hikewise-tool: %s\n", message.c_str());
    return 1;
}

} // namespace hw::tool

int main(int argc, char* argv[])
{
    using namespace hw::tool;
    // The user's locale, as the program runs in: the output must not depend on it.
    std::setlocale(LC_ALL, "");
    if (argc < 2) {
        PrintHelp();
        return 2;
    }
    std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp();
        return 0;
    }
    if (first == "--version") {
        std::printf("hikewise-tool %s\n", HIKEWISE_VERSION);
        return 0;
    }
    for (const ToolCommand& c : Commands()) {
        if (first == c.name) {
            if (c.largeHeap)
                hw::RestartWithHugePageHeap(argv);
            Args args(argv + 2, argv + argc);
            // --code-page N: the code page legacy text is read in.
            for (auto at = args.begin(); at != args.end(); ++at) {
                if (*at != "--code-page")
                    continue;
                int codePage = 0;
                if (at + 1 != args.end()) {
                    const std::string& n = *(at + 1);
                    auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), codePage);
                    if (ec != std::errc() || end != n.data() + n.size())
                        codePage = 0;
                }
                if (!hw::IsKnownCodePage(codePage))
                    return Fail("--code-page takes a code page that iconv knows (e.g. 936)");
                hw::SetAnsiCodePage(codePage);
                args.erase(at, at + 2);
                break;
            }
            if (std::find(args.begin(), args.end(), "--help") != args.end()) {
                std::printf("Usage: hikewise-tool %s %s\n  %s\n", c.name, c.usage, c.summary);
                return 0;
            }
            return c.run(args);
        }
    }
    std::fprintf(stderr, "hikewise-tool: unknown command '%s' (see --help)\n", first.c_str());
    return 2;
}
