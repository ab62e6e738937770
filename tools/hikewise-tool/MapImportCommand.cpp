// map-import IN.osm.pbf OUT.map: the roads, paths and railways of an
// OpenStreetMap extract as a road map file.
#include "ToolCommand.h"

#include "base/AtomicFile.h"
#include "map/RoadMap.h"

#include <osmium/io/any_input.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/way.hpp>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <limits>

namespace hw::tool {
namespace {

struct KeptWays {
    std::vector<int8_t> classes;
    std::vector<std::size_t> firstRef; // per way, into refs; one more at the end
    std::vector<osmium::object_id_type> refs;
};

// First pass: the ways of the ten classes and the nodes they name.
KeptWays ReadWays(const osmium::io::File& file)
{
    KeptWays kept;
    osmium::io::Reader reader(file, osmium::osm_entity_bits::way);
    while (osmium::memory::Buffer buffer = reader.read()) {
        for (const osmium::Way& way : buffer.select<osmium::Way>()) {
            const char* highway = way.tags()["highway"];
            const char* railway = way.tags()["railway"];
            int roadClass = RoadClassOf(highway ? highway : "", railway ? railway : "");
            if (roadClass < 0)
                continue;
            kept.classes.push_back(static_cast<int8_t>(roadClass));
            kept.firstRef.push_back(kept.refs.size());
            for (const osmium::NodeRef& ref : way.nodes())
                kept.refs.push_back(ref.ref());
        }
    }
    reader.close();
    kept.firstRef.push_back(kept.refs.size());
    return kept;
}

int32_t Microdegrees(int32_t sevenDecimals)
{
    int32_t half = sevenDecimals < 0 ? -5 : 5;
    return (sevenDecimals + half) / 10;
}

// Second pass: the locations of only the nodes that the kept ways name, in
// a sorted array beside their ids. Memory grows with the roads, not with
// the extract or the highest node id, so a country extract fits in a few
// hundred megabytes.
void ReadLocations(const osmium::io::File& file, const std::vector<osmium::object_id_type>& ids,
                   std::vector<RoadPoint>& points, std::vector<bool>& found)
{
    points.assign(ids.size(), RoadPoint{});
    found.assign(ids.size(), false);
    osmium::io::Reader reader(file, osmium::osm_entity_bits::node);
    while (osmium::memory::Buffer buffer = reader.read()) {
        for (const osmium::Node& node : buffer.select<osmium::Node>()) {
            auto it = std::lower_bound(ids.begin(), ids.end(), node.id());
            if (it == ids.end() || *it != node.id() || !node.location().valid())
                continue;
            auto i = static_cast<std::size_t>(it - ids.begin());
            points[i] = {Microdegrees(node.location().y()), Microdegrees(node.location().x())};
            found[i] = true;
        }
    }
    reader.close();
}

int Run(const Args& args)
{
    if (args.size() != 2)
        return Fail("usage: map-import IN.osm.pbf OUT.map");
    RoadMapWriter writer;
    try {
        osmium::io::File file(args[0]);
        KeptWays kept = ReadWays(file);
        std::vector<osmium::object_id_type> ids = kept.refs;
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        std::vector<RoadPoint> locations;
        std::vector<bool> found;
        ReadLocations(file, ids, locations, found);
        // Nodes outside the extract are left out of their ways.
        std::vector<RoadPoint> points;
        for (std::size_t w = 0; w + 1 < kept.firstRef.size(); ++w) {
            points.clear();
            for (std::size_t r = kept.firstRef[w]; r < kept.firstRef[w + 1]; ++r) {
                auto i = static_cast<std::size_t>(
                    std::lower_bound(ids.begin(), ids.end(), kept.refs[r]) - ids.begin());
                if (found[i])
                    points.push_back(locations[i]);
            }
            writer.AddWay(kept.classes[w], points);
        }
    } catch (const std::exception& e) {
        return Fail("cannot read the extract '" + args[0] + "': " + e.what());
    }
    if (writer.Summary().nodes > std::numeric_limits<uint32_t>::max())
        return Fail("the extract holds too many road points for one map file");
    if (!WriteFileAtomically(args[1], writer.Bytes()))
        return Fail("cannot write '" + args[1] + "'");
    std::string line = writer.Summary().Json() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const ToolCommandRegistrar registrar(
    {"map-import", "IN.osm.pbf OUT.map",
     "the roads, paths and railways of an OpenStreetMap extract as a map file; prints its summary",
     &Run});

} // namespace
} // namespace hw::tool
