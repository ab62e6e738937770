#include "track/TrackExport.h"

#include "base/AtomicFile.h"
#include "base/UtcTime.h"
#include "units/UnitFormatter.h"
#include "waypoints/Waypoint.h"

#include <algorithm>
#include <cctype>

namespace hw {
namespace {

constexpr const char* kKmlNamespace = "http://earth.google.com/kml/2.0";

// The fields of a point as the exports print them.
struct PointText {
    double lat, lon, alt;
    UtcDateTime time;
    bool timeKnown; // time 0 stands for unknown, as in the track file
};

PointText Fields(const TrackPoint& p)
{
    return {p.lat * 1e-06, p.lon * 1e-06, static_cast<double>(p.alt), UtcFromSeconds(p.time),
            p.time != 0};
}

std::string Csv(const TrackLog& log)
{
    std::string out = "Latitude, Longitude, Altitude, Start_Segment, Time\n";
    for (uint16_t i = 0; i < log.Count(); ++i) {
        const TrackPoint& p = log.At(i);
        PointText f = Fields(p);
        out += FormatString("%f,%f,%f,%d,", f.lat, f.lon, f.alt, p.segmentStart);
        if (f.timeKnown)
            out += FormatString("%04d/%02d/%02d %02d:%02d:%02d", f.time.year, f.time.month,
                                f.time.day, f.time.hour, f.time.minute, f.time.second);
        out += '\n';
    }
    return out;
}

// The log's oldest point always starts a segment (the log sees to it). An
// empty log writes a document without a placemark or segment, so that the
// file stays well-formed.
std::string Kml(const TrackLog& log)
{
    std::string out = FormatString("<kml xmlns=\"%s\">\n<Document>\n", kKmlNamespace);
    int n = 0;
    for (uint16_t i = 0; i < log.Count(); ++i) {
        const TrackPoint& p = log.At(i);
        if (p.segmentStart == 1) {
            if (i > 0)
                out += "\n</coordinates>\n</LineString>\n</Placemark>\n";
            out += FormatString("<Placemark>\n<name>Hikewise Track %d</name>", n++);
            out += "<Style>\n<LineStyle>\n<color>90ff0000</color>\n"
                   "<colorMode>normal</colorMode>\n<width>5</width>\n</LineStyle>\n</Style>\n"
                   "<LineString>\n<tessellate>1</tessellate>\n"
                   "<altitudeMode>clampedToGround</altitudeMode>\n<coordinates>\n";
        } else {
            out += "\n";
        }
        PointText f = Fields(p);
        out += FormatString("%f,%f,%f", f.lon, f.lat, f.alt);
    }
    if (log.Count() > 0)
        out += "</coordinates>\n</LineString>\n</Placemark>\n";
    out += "</Document>\n</kml>\n\n";
    return out;
}

std::string Gpx(const TrackLog& log)
{
    std::string out = FormatString("<?xml version=\"1.0\" standalone=\"yes\"?>\n"
                                   "<gpx version=\"1.0\"\ncreator=\"Hikewise - %s\">\n"
                                   "<trk>\n<name>Hikewise Track</name>\n",
                                   kDefaultWaypointUrl);
    int m = 1;
    for (uint16_t i = 0; i < log.Count(); ++i) {
        const TrackPoint& p = log.At(i);
        if (p.segmentStart == 1) {
            if (i > 0)
                out += "</trkseg>\n";
            out += FormatString("<trkseg>\n<number>%d</number>", m++);
        }
        PointText f = Fields(p);
        out += FormatString("<trkpt lat=\"%f\" lon=\"%f\">\n<ele>%f</ele>\n", f.lat, f.lon, f.alt);
        if (f.timeKnown)
            out +=
                FormatString("<time>%04d-%02d-%02dT%02d:%02d:%02dZ</time>\n", f.time.year,
                             f.time.month, f.time.day, f.time.hour, f.time.minute, f.time.second);
        out += "<sym>Dot</sym>\n</trkpt>\n";
    }
    if (log.Count() > 0)
        out += "\n</trkseg>\n";
    out += "</trk>\n</gpx>\n\n";
    return out;
}

} // namespace

std::optional<TrackExportFormat> TrackExportFormatByName(std::string_view name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "csv")
        return TrackExportFormat::Csv;
    if (lower == "kml")
        return TrackExportFormat::Kml;
    if (lower == "gpx")
        return TrackExportFormat::Gpx;
    return std::nullopt;
}

std::string TrackExportText(const TrackLog& log, TrackExportFormat format)
{
    switch (format) {
    case TrackExportFormat::Csv: return Csv(log);
    case TrackExportFormat::Kml: return Kml(log);
    case TrackExportFormat::Gpx: return Gpx(log);
    }
    return {};
}

int ExportTrack(const TrackLog& log, TrackExportFormat format, const std::string& path)
{
    return WriteFileAtomically(path, TrackExportText(log, format)) ? 1 : 0;
}

} // namespace hw
