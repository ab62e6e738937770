#include "waypoints/WaypointTextSource.h"

namespace hw {

bool WaypointTextSource::DecodeTexts(uint64_t offset, uint64_t size, Waypoint& w) const
{
    if (!Intact())
        return false;
    Waypoint whole;
    WaypointRecordParser parser = Parser();
    uint64_t end = offset;
    if (!parser.Read(end, whole, WaypointRecordParser::Texts::Decode) || end - offset != size)
        return false;
    GeocacheInfo& g = w.geocache;
    GeocacheInfo& from = whole.geocache;
    g.strLongDescription = std::move(from.strLongDescription);
    g.strShortDescription = std::move(from.strShortDescription);
    g.strEncodedHints = std::move(from.strEncodedHints);
    for (size_t i = 0; i < g.logs.size(); ++i) {
        g.logs[i].strText = std::move(from.logs[i].strText);
        g.logs[i].strFinder = std::move(from.logs[i].strFinder);
    }
    return true;
}

} // namespace hw
