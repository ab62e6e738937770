#pragma once

#include "basemap/TopoClasses.h"
#include "geo/RoadPoint.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hw {

class RoadMapWriter;

// A node of a way as the extract gives it; a node missing from the extract
// is not located.
struct OsmWayNode {
    int64_t id = 0;
    RoadPoint point;
    bool located = true;
};

// What else reads an extract beside the map file (the walking network): the
// ways it takes, and how far the reading has come.
class OsmImportListener {
public:
    virtual ~OsmImportListener() = default;
    // Whether the way with these tags is wanted; TakeWay follows if so.
    virtual bool TakesWay(const TagLookup& tags) = 0;
    virtual void TakeWay(const std::vector<OsmWayNode>& nodes) = 0;
    // share: of the file read, 0 to 1, or -1 when not known.
    virtual void Progress(const char* phase, double share) = 0;
};

// An OpenStreetMap extract (.osm.pbf or .osm) read into a map file: the
// multipolygon relations first, then everything with the locations of the
// nodes, assembling areas as their ways come by; the sea is closed along the
// extract's bounds. Throws what libosmium throws on a file it cannot read.
class OsmExtractImport {
public:
    static void Read(const std::string& path, RoadMapWriter& writer,
                     OsmImportListener* listener = nullptr);
};

} // namespace hw
