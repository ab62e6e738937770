#pragma once

#include <string>

namespace hw {

class RoadMapWriter;

// An OpenStreetMap extract (.osm.pbf or .osm) read into a map file: the
// multipolygon relations first, then everything with the locations of the
// nodes, assembling areas as their ways come by; the sea is closed along the
// extract's bounds. Throws what libosmium throws on a file it cannot read.
class OsmExtractImport {
public:
    static void Read(const std::string& path, RoadMapWriter& writer);
};

} // namespace hw
