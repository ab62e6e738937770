// map-import IN.osm.pbf OUT.map [--terrain DEM]: the roads, paths and
// railways of an OpenStreetMap extract, with its water, land cover, relief
// lines, peaks, names and walking network, as a map file.
#include "ProgressLine.h"
#include "ToolCommand.h"
#include "ToolOptions.h"

#include "base/AtomicFile.h"
#include "basemap/RoadMap.h"
#include "basemap/osm/OsmExtractImport.h"
#include "route/WalkableWay.h"
#include "route/WalkingNetworkBuilder.h"
#include "terrain/TerrainFile.h"

#include <cstdio>
#include <exception>
#include <limits>
#include <string>
#include <vector>

namespace hw::tool {
namespace {

// The walkable ways of the extract into the network, its progress on the
// terminal.
class NetworkListener final : public OsmImportListener {
public:
    NetworkListener(WalkingNetworkBuilder& builder, ProgressLine& progress)
        : builder_(builder), progress_(progress)
    {
    }
    bool TakesWay(const TagLookup& tags) override
    {
        difficulty_ = WalkableDifficulty(tags);
        return difficulty_ >= 0;
    }
    void TakeWay(const std::vector<OsmWayNode>& nodes) override
    {
        nodes_.clear();
        for (const OsmWayNode& n : nodes)
            nodes_.push_back({n.id, n.point, n.located});
        builder_.AddWay(nodes_, difficulty_);
    }
    void Progress(const char* phase, double share) override { progress_.Show(phase, share); }

private:
    WalkingNetworkBuilder& builder_;
    ProgressLine& progress_;
    int difficulty_ = -1;
    std::vector<WayNode> nodes_;
};

int Run(const Args& arguments)
{
    Args args = arguments;
    std::string terrainPath, error;
    if (!TakeTextOption(args, "--terrain", terrainPath, error) || !NoOptionsLeft(args, error))
        return Fail(error);
    if (args.size() != 2)
        return Fail("usage: map-import IN.osm.pbf OUT.map [--terrain DEM]");
    TerrainFile terrain;
    if (!terrainPath.empty() && !terrain.Open(terrainPath, error))
        return Fail(error);
    RoadMapWriter writer;
    ProgressLine progress("map-import");
    try {
        WalkingNetworkBuilder builder;
        NetworkListener listener(builder, progress);
        OsmExtractImport::Read(args[0], writer, &listener);
        progress.Show("walking network", -1);
        WalkingNetwork network = builder.Build();
        if (terrain.IsOpen()) {
            progress.Show("heights", -1);
            network.LookUpHeights(
                [&terrain](double lat, double lon) { return terrain.HeightAt(lat, lon); });
        }
        writer.SetNetwork(network.SectionBytes(), network.NodeCount(), network.EdgeCount());
    } catch (const std::exception& e) {
        progress.Done();
        return Fail("cannot read the extract '" + args[0] + "': " + e.what());
    }
    progress.Done();
    const RoadMapSummary summary = writer.Summary();
    if (summary.nodes > std::numeric_limits<uint32_t>::max() ||
        writer.Topo().PointCount() > std::numeric_limits<uint32_t>::max())
        return Fail("the extract holds too many points for one map file");
    if (!WriteFileAtomically(args[1], writer.Bytes()))
        return Fail("cannot write '" + args[1] + "'");
    std::string line = summary.Json() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar(
    {"map-import", "IN.osm.pbf OUT.map [--terrain DEM]",
     "the roads, water, land cover, relief lines, named points and walking network of an "
     "OpenStreetMap extract as a map file (with --terrain, the network's heights); prints its "
     "summary",
     &Run, true});

} // namespace
} // namespace hw::tool
