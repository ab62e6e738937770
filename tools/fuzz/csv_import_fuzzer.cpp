// libFuzzer target for CSV import: the first byte chooses the sheet's column
// order and first-line switch, the rest is the file. Imported points lie in
// range, their names are whole UTF-8 characters of at most 255 bytes of the
// file, and they survive the database file unchanged.
#include "DatabaseRoundTrip.h"
#include "InputCharacters.h"
#include "waypoints/WaypointImport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hw;
    using namespace hw::fuzz;
    if (size == 0)
        return 0;
    CsvImportSettings settings;
    settings.latitudeFirst = (data[0] & 1) != 0;
    settings.skipFirstLine = (data[0] & 2) != 0;
    const std::string path = FuzzFile::Instance().Write("in.csv", data + 1, size - 1);
    WaypointDatabase db;
    ImportResult r = ImportCsv(db, path, settings);
    FuzzCheck(r.opened, "the file opens");
    FuzzCheck(db.Count() == r.added, "every waypoint added is counted");
    db.ForEach([](const Waypoint& w) {
        FuzzCheck(w.nLatitude >= -90000000 && w.nLatitude <= 90000000 &&
                      w.nLongitude >= -180000000 && w.nLongitude <= 180000000,
                  "positions lie in range");
        // A name in the code page may grow to three bytes a byte.
        FuzzCheck(w.strName.size() <= 3 * 255, "names are cut at 255 bytes");
    });
    InputCharacters(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1))
        .CheckNames(db);
    CheckRoundTrip(db);
    return 0;
}
