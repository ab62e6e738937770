// libFuzzer target for the waypoint database file of every version (1 to 7):
// any bytes load without a fault, and what loaded saves, loads again and
// saves to the same bytes, also when its texts were left in the file. An
// input starting with the magic is the binary layout; anything else is read
// as the version-1 text format.
#include "DatabaseRoundTrip.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using namespace hw::fuzz;
    const std::string path = FuzzFile::Instance().Write("in.wpt", data, size);
    WaypointDatabase db;
    WaypointFileInfo info;
    int loaded = LoadWaypointDatabase(db, path, &info, false);
    FuzzCheck(info.opened, "the file opens");
    FuzzCheck(loaded == 1 || db.Count() == 0, "a refused file leaves the database empty");
    FuzzCheck(db.Count() <= info.recordsRead, "no more waypoints than records");
    FuzzCheck(!db.IsModified(), "a load leaves the database unmodified");
    CheckRoundTrip(db);
    // Loaded with the texts left in the file, it saves the same bytes.
    WaypointDatabase lazy;
    LoadWaypointDatabase(lazy, path, nullptr, false, WaypointTexts::Deferred);
    FuzzCheck(lazy.Count() == db.Count(), "a lazy load reads as many waypoints");
    FuzzCheck(DatabaseBytes(lazy) == DatabaseBytes(db), "a lazy load saves the same bytes");
    return 0;
}
