// libFuzzer target for LOC import: any bytes as a LOC file, UTF-8 or code
// page as the whole file decides. The waypoints hold UTF-8 texts and survive
// the database file unchanged.
#include "DatabaseRoundTrip.h"
#include "InputCharacters.h"
#include "waypoints/WaypointImport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using namespace hw::fuzz;
    const std::string path = FuzzFile::Instance().Write("in.loc", data, size);
    WaypointDatabase db;
    ImportResult r = ImportLoc(db, path);
    FuzzCheck(r.opened, "the file opens");
    FuzzCheck(db.Count() == r.added && r.replaced == 0, "every waypoint added is counted");
    InputCharacters(std::string_view(reinterpret_cast<const char*>(data), size)).CheckNames(db);
    CheckRoundTrip(db);
    return 0;
}
