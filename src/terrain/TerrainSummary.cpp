#include "terrain/TerrainSummary.h"

#include "base/JsonWriter.h"

namespace hw {

std::string TerrainSummary::Json() const
{
    std::string out;
    JsonWriter j(out);
    j.BeginObject().Key("width").UInt(width).Key("height").UInt(height);
    j.Key("bounds").BeginObject();
    j.Key("minlat").Real(minLat).Key("minlon").Real(minLon);
    j.Key("maxlat").Real(maxLat).Key("maxlon").Real(maxLon);
    j.EndObject();
    j.Key("min").Real(min).Key("max").Real(max).Key("voids").UInt(voids);
    j.Key("filled").UInt(filled);
    j.EndObject();
    return out;
}

} // namespace hw
