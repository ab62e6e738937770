#include "base/FileByteReader.h"
#include "base/TextCodec.h"
#include "units/NumberText.h"
#include "waypoints/WaypointImport.h"

#include <cmath>
#include <string_view>
#include <vector>

namespace hw {
namespace {

constexpr size_t kMaxLine = 1023;
constexpr size_t kMaxField = 255;

// A line without its end: LF, or CR LF.
void DropCarriageReturn(std::string& line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t comma = line.find(',', start);
        std::string_view field =
            line.substr(start, comma == std::string_view::npos ? comma : comma - start);
        fields.push_back(field.substr(0, kMaxField));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

bool InRange(double v, double limit)
{
    return !std::isnan(v) && v >= -limit && v <= limit;
}

} // namespace

ImportResult ImportCsv(WaypointDatabase& db, const std::string& path,
                       const CsvImportSettings& settings, ImportProgress* progress)
{
    ImportResult result;
    FileByteReader in;
    if (!in.Open(path))
        return result;
    result.opened = true;
    std::string line;
    int lines = 0;
    // The text's encoding is chosen once, over every line of the file.
    Utf8TextCheck encoding;
    while (in.ReadLine(line, kMaxLine)) {
        encoding.Add(line);
        ++lines;
    }
    const bool utf8 = encoding.IsUtf8Text();
    if (!in.Rewind())
        return result;
    if (progress)
        progress->SetRange(lines);
    if (settings.skipFirstLine && !in.ReadLine(line, kMaxLine))
        return result;

    AnsiDecoder ansi;
    int processed = 0;
    while (in.ReadLine(line, kMaxLine)) {
        DropCarriageReturn(line);
        if (!line.empty()) {
            std::vector<std::string_view> fields = SplitFields(line);
            double first = ParseRealPrefix(fields[0]);
            double second = fields.size() > 1 ? ParseRealPrefix(fields[1]) : 0.0;
            double lat = settings.latitudeFirst ? first : second;
            double lon = settings.latitudeFirst ? second : first;
            if (!InRange(lat, 90) || !InRange(lon, 180)) {
                result.error = kCsvOutOfRangeMessage;
                return result;
            }
            Waypoint w;
            w.nLatitude = MicrodegreesFromDegrees(lat);
            w.nLongitude = MicrodegreesFromDegrees(lon);
            w.strName = fields.size() <= 2 ? std::string()
                        : utf8             ? std::string(fields[2])
                                           : ansi.Decode(fields[2]);
            if (!w.strName.empty() && w.strName.front() == '"') {
                w.strName.erase(0, 1);
                if (!w.strName.empty())
                    w.strName.pop_back();
            }
            w.strComment.clear();
            if (settings.setSymbol)
                w.icon = settings.symbol;
            w.bActiveWaypoint = settings.alarm ? 1 : 0;
            w.dActiveWPDistance = settings.alarmDistanceKm;
            w.nActiveWaypointMessageType = settings.messageType;
            if (db.Add(w) > 0)
                ++result.added;
        }
        if (progress && processed % 100 == 99)
            progress->Step();
        ++processed;
    }
    return result;
}

} // namespace hw
