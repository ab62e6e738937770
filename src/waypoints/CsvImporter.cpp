#include "base/FileByteReader.h"
#include "base/TextCodec.h"
#include "base/Translate.h"
#include "base/Utf8.h"
#include "base/Utf8TextCheck.h"
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
        fields.push_back(field);
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

// The name field: at most kMaxField bytes, cut between characters; a field
// that ends a line cut at kMaxLine may end inside a character, which goes.
std::string NameText(std::string_view field, bool lineCut, bool utf8, AnsiDecoder& ansi)
{
    bool cut = lineCut || field.size() > kMaxField;
    if (utf8) {
        std::string_view whole = field.substr(0, Utf8CutLength(field, kMaxField));
        return cut ? DecodeUtf8Lenient(whole) : std::string(whole);
    }
    field = field.substr(0, kMaxField);
    return cut ? ansi.DecodeWholeCharacters(field) : ansi.Decode(field);
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
    while (in.ReadLine(line, kMaxLine))
        ++lines;
    // The text's encoding is chosen once, over all bytes of the file.
    const bool utf8 = IsUtf8TextFile(path);
    if (!in.Rewind())
        return result;
    if (progress)
        progress->SetRange(lines);
    if (settings.skipFirstLine && !in.ReadLine(line, kMaxLine))
        return result;

    AnsiDecoder ansi;
    int processed = 0;
    while (in.ReadLine(line, kMaxLine)) {
        const bool lineCut = line.size() >= kMaxLine;
        DropCarriageReturn(line);
        if (!line.empty()) {
            std::vector<std::string_view> fields = SplitFields(line);
            double first = ParseRealPrefix(fields[0].substr(0, kMaxField));
            double second =
                fields.size() > 1 ? ParseRealPrefix(fields[1].substr(0, kMaxField)) : 0.0;
            double lat = settings.latitudeFirst ? first : second;
            double lon = settings.latitudeFirst ? second : first;
            if (!InRange(lat, 90) || !InRange(lon, 180)) {
                result.error = Translate("WaypointImport", kCsvOutOfRangeMessage);
                return result;
            }
            Waypoint w;
            w.nLatitude = MicrodegreesFromDegrees(lat);
            w.nLongitude = MicrodegreesFromDegrees(lon);
            w.strName = fields.size() > 2
                            ? NameText(fields[2], lineCut && fields.size() == 3, utf8, ansi)
                            : std::string();
            // A quoted name loses its first and last characters.
            if (!w.strName.empty() && w.strName.front() == '"') {
                w.strName.erase(0, 1);
                if (!w.strName.empty())
                    w.strName.resize(Utf8CutLength(w.strName, w.strName.size() - 1));
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
