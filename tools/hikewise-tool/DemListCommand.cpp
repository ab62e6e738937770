// dem-list FILE: the summary of a terrain file.
#include "ToolCommand.h"

#include "terrain/TerrainFile.h"

#include <cstdio>

namespace hw::tool {
namespace {

int Run(const Args& args)
{
    if (args.size() != 1)
        return Fail("usage: dem-list FILE");
    TerrainFile file;
    std::string error;
    if (!file.Open(args[0], error))
        return Fail(error);
    std::string line = file.Summary().Json() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar({"dem-list", "FILE",
                                      "the summary of a terrain file: width, height, bounds, "
                                      "min, max, voids, filled",
                                      &Run});

} // namespace
} // namespace hw::tool
