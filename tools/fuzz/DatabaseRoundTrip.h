#pragma once

#include "FuzzCheck.h"
#include "FuzzFile.h"
#include "base/ByteSink.h"
#include "base/Utf8.h"
#include "waypoints/WaypointDatabase.h"
#include "waypoints/WaypointFileReader.h"
#include "waypoints/WaypointFileWriter.h"

#include <string>

namespace hw::fuzz {

class StringSink final : public ByteSink {
public:
    bool Write(const char* data, std::size_t size) override
    {
        bytes.append(data, size);
        return true;
    }
    std::string bytes;
};

inline std::string DatabaseBytes(const WaypointDatabase& db)
{
    StringSink sink;
    FuzzCheck(WriteWaypointDatabase(db, sink), "the database is written");
    return sink.bytes;
}

// Text inside the program is UTF-8, whatever a file held.
inline void CheckTexts(const WaypointDatabase& db)
{
    db.ForEach([](const Waypoint& w) {
        const GeocacheInfo& g = w.geocache;
        for (const std::string* s :
             {&w.strName, &w.strComment, &w.strSoundFile, &w.strURL, &w.strFieldNotes,
              &g.strLongDescription, &g.strShortDescription, &g.strCacheName, &g.strPlacedBy,
              &g.strCacheType, &g.strContainer, &g.strCountry, &g.strState, &g.strEncodedHints})
            FuzzCheck(IsValidUtf8(*s), "texts are UTF-8");
        for (const GeocacheLog& log : g.logs)
            FuzzCheck(IsValidUtf8(log.strText) && IsValidUtf8(log.strFinder),
                      "log texts are UTF-8");
    });
}

// Saved and loaded again, the database has as many waypoints and saves to
// the same bytes: nothing it holds is lost or changed by its own file.
inline void CheckRoundTrip(const WaypointDatabase& db)
{
    CheckTexts(db);
    const std::string first = DatabaseBytes(db);
    const std::string path = FuzzFile::Instance().Write("again.wpt", first.data(), first.size());
    WaypointDatabase again;
    WaypointFileInfo info;
    FuzzCheck(LoadWaypointDatabase(again, path, &info, false) == 1, "a saved database loads");
    FuzzCheck(info.version == 7 && !info.truncated, "it is whole, of version 7");
    FuzzCheck(again.Count() == db.Count(), "it has as many waypoints");
    FuzzCheck(DatabaseBytes(again) == first, "it saves to the same bytes");
}

} // namespace hw::fuzz
