#pragma once

#include "waypoints/WaypointDatabase.h"

#include <cstdint>
#include <string>

namespace hw {

// What a load found, for the commands that must tell a missing file from an
// unreadable one.
struct WaypointFileInfo {
    bool opened = false;       // the file could be opened
    int version = 0;           // 1..7 as read; 8 and above refused
    int32_t declaredCount = 0; // the header's record count
    int recordsRead = 0;
    bool truncated = false; // the file ended inside a record
    bool shortened = false; // and was shorter than when it was opened: changed under the load
    bool rewritten = false; // a version-1 file was saved back as version 7
};

// Whether a load decodes the long geocache texts or leaves them in the file,
// mapped, for Waypoint::WithTexts (the program's way: a quick start and a
// small memory with a large database).
enum class WaypointTexts { Decoded, Deferred };

// Loads a waypoint database file of any version (1 to 7) into db, which is
// cleared first whatever the outcome. Returns 1 on success, 0 when the file
// cannot be opened, has a version of 8 or more, or is not a database file.
// A damaged file loads the records that are whole. A version-1 (text) file
// is saved back as version 7 at once; when that fails, the waypoints stay
// loaded. The modified flag is cleared at the end. Tools that must leave
// their input alone pass rewriteTextVersion = false. A save of this process
// to the same file that is still being written is waited for first.
int LoadWaypointDatabase(WaypointDatabase& db, const std::string& path,
                         WaypointFileInfo* info = nullptr, bool rewriteTextVersion = true,
                         WaypointTexts texts = WaypointTexts::Decoded);

} // namespace hw
