#include "waypoints/WaypointFileWriter.h"

#include "base/AtomicFileWriter.h"
#include "base/BufferedWriter.h"
#include "base/TextCodec.h"

#include <bit>

namespace hw {
namespace {

// S32: count of UTF-16 code units, then the UTF-16LE code units.
void PutString(BufferedWriter& out, const std::string& text)
{
    if (text.empty()) {
        out.PutU32(0);
        return;
    }
    std::u16string units = Utf8ToUtf16(text);
    out.PutU32(static_cast<uint32_t>(units.size()));
    if constexpr (std::endian::native == std::endian::little) {
        out.Put(units.data(), units.size() * 2);
    } else {
        for (char16_t u : units)
            out.PutU16(u);
    }
}

void PutRecord(BufferedWriter& out, const Waypoint& w)
{
    const GeocacheInfo& g = w.geocache;
    out.PutI32(w.nLatitude);
    out.PutI32(w.nLongitude);
    out.PutF32(w.fAltitude);
    PutString(out, w.strName);
    out.PutU16(static_cast<uint16_t>(w.icon));
    out.PutU8(static_cast<uint8_t>(w.bActiveWaypoint));
    out.PutF64(w.dActiveWPDistance);
    PutString(out, w.strSoundFile);
    PutString(out, w.strComment);
    out.PutU16(static_cast<uint16_t>(w.nType));
    out.PutU16(static_cast<uint16_t>(w.nGeocacheState));
    out.PutI32(w.timeGeochacheFound);
    out.PutU8(static_cast<uint8_t>(w.bUseGeocacheStateForIconID));
    PutString(out, w.strURL);
    out.PutI32(w.timeCreated);
    out.PutU16(static_cast<uint16_t>(w.nActiveWaypointMessageType));
    PutString(out, w.strFieldNotes);
    out.PutI32(w.nVisitLogType);
    out.PutU8(static_cast<uint8_t>(g.bLongDescriptionHtml));
    PutString(out, g.strLongDescription);
    out.PutU8(static_cast<uint8_t>(g.bShortDescriptionHtml));
    PutString(out, g.strShortDescription);
    PutString(out, g.strEncodedHints);
    out.PutU8(static_cast<uint8_t>(g.bAvailable));
    out.PutU8(static_cast<uint8_t>(g.bArchived));
    PutString(out, g.strCacheName);
    PutString(out, g.strContainer);
    PutString(out, g.strCountry);
    PutString(out, g.strState);
    PutString(out, g.strPlacedBy);
    PutString(out, g.strCacheType);
    out.PutU8(g.nDifficulty);
    out.PutU8(g.nTerrain);
    out.PutU8(static_cast<uint8_t>(g.bFieldNotePending));
    for (const GeocacheLog& log : g.logs) {
        PutString(out, log.strText);
        out.PutU8(log.nLogType);
        out.PutU8(static_cast<uint8_t>(log.bTextEncoded));
        out.PutI32(log.timeDate);
        PutString(out, log.strFinder);
    }
}

} // namespace

bool WriteWaypointDatabase(const WaypointDatabase& db, ByteSink& sink)
{
    BufferedWriter out(sink);
    out.Put(kWaypointFileMagic, 6);
    out.PutU8(kWaypointFileVersion);
    out.PutI32(db.Count());
    db.ForEach([&out](const Waypoint& w) { PutRecord(out, w); });
    return out.Flush();
}

int SaveWaypointDatabase(WaypointDatabase& db, const std::string& path)
{
    AtomicFileWriter file(path);
    if (!file.Open())
        return 0;
    if (!WriteWaypointDatabase(db, file) || !file.Commit())
        return 0;
    db.SetModified(false);
    return 1;
}

} // namespace hw
