// libFuzzer target for GPX import: any bytes as a GPX file, imported into an
// empty database (replace mode by the input's length). The waypoints that
// come in hold UTF-8 texts and survive the database file unchanged.
#include "DatabaseRoundTrip.h"
#include "waypoints/WaypointImport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using namespace hw::fuzz;
    const std::string path = FuzzFile::Instance().Write("in.gpx", data, size);
    WaypointDatabase db;
    ImportResult r = ImportGpx(db, path, size % 2 == 1);
    FuzzCheck(r.opened, "the file opens");
    FuzzCheck(db.Count() == r.added, "every waypoint added is counted");
    FuzzCheck(r.replaced >= 0, "replacements are counted");
    CheckRoundTrip(db);
    return 0;
}
