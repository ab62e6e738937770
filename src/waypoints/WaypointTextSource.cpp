#include "waypoints/WaypointTextSource.h"

#include "base/ByteChecksum.h"
#include "waypoints/WaypointRecordParser.h"

namespace hw {

bool WaypointTextSource::Matches(const WaypointFileRecord& record, std::string_view bytes)
{
    return bytes.size() == record.size &&
           ByteChecksum(bytes.data(), bytes.size()) == record.checksum;
}

bool WaypointTextSource::DecodeTexts(const WaypointFileRecord& record, Waypoint& w) const
{
    std::string bytes(record.size, '\0');
    bytes.resize(file_->ReadAt(record.offset, bytes.data(), bytes.size()));
    return Matches(record, bytes) && DecodeTexts(bytes, w);
}

bool WaypointTextSource::DecodeTexts(std::string_view bytes, Waypoint& w) const
{
    Waypoint whole;
    WaypointRecordParser parser(bytes, version_);
    uint64_t end = 0;
    if (!parser.Read(end, whole, WaypointRecordParser::Texts::Decode) || end != bytes.size())
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
