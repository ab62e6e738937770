// map-list MAP: the summary of a road map file.
#include "ToolCommand.h"

#include "basemap/RoadMap.h"

#include <cstdio>

namespace hw::tool {
namespace {

int Run(const Args& args)
{
    if (args.size() != 1)
        return Fail("usage: map-list MAP");
    RoadMap map;
    std::string error;
    if (!map.Load(args[0], error))
        return Fail(error);
    std::string line = map.Summary().Json() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar({"map-list", "MAP",
                                      "the summary of a map file: ways, nodes, ways per road "
                                      "class, bounds, areas, lines and points per class",
                                      &Run});

} // namespace
} // namespace hw::tool
