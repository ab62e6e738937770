#include "waypoints/GpxWaypointWriter.h"

#include "base/AtomicFileWriter.h"
#include "base/FormatString.h"
#include "units/NumberText.h"
#include "waypoints/WaypointTables.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace hw {
namespace {

struct BrokenDown {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

BrokenDown LocalTime(int64_t seconds)
{
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    BrokenDown b;
    if (localtime_r(&t, &tm) != nullptr)
        b = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    return b;
}

void AppendTime(std::string& out, const BrokenDown& b, const char* suffix)
{
    out += FormatString("%04d-%02d-%02dT%02d:%02d:%02d%s", b.year, b.month, b.day, b.hour, b.minute,
                        b.second, suffix);
}

// XML 1.0 allows no C0 control characters besides tab, LF and CR: they are
// left out so that every reader accepts the document.
bool IsXmlChar(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u >= 0x20 || c == '\t' || c == '\n' || c == '\r';
}

// Text inside a CDATA section. A "]]>" in the text would end the section
// early; it is split over two sections.
void AppendCdata(std::string& out, std::string_view text, bool dropCarriageReturns = false)
{
    out += "<![CDATA[";
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (!IsXmlChar(c) || (dropCarriageReturns && c == '\r'))
            continue;
        if (c == '>' && i >= 2 && text[i - 1] == ']' && text[i - 2] == ']') {
            out += "]]><![CDATA[>";
            continue;
        }
        out += c;
    }
    out += "]]>";
}

// Text written without CDATA: the markup characters are escaped.
void AppendEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default:
            if (IsXmlChar(c))
                out += c;
        }
    }
}

void AppendInt(std::string& out, long long v)
{
    out += std::to_string(v);
}

void AppendMicro(std::string& out, int64_t micro)
{
    AppendFixed(out, static_cast<double>(micro) * 0.000001, 6);
}

void AppendWaypoint(std::string& out, const Waypoint& w)
{
    out += " <wpt lat=\"";
    AppendMicro(out, w.nLatitude);
    out += "\" lon=\"";
    AppendMicro(out, w.nLongitude);
    out += "\">\n  <ele> ";
    AppendFixed(out, w.fAltitude, 6);
    out += " </ele>  <time>";
    AppendTime(out, LocalTime(w.timeCreated), ".00000+00:00");
    out += "</time>\n  <name>";
    AppendCdata(out, w.strName);
    out += "</name>\n";
    if (!w.strComment.empty()) {
        out += "  <desc>";
        AppendCdata(out, w.strComment);
        out += "</desc>\n";
    }
    out += "  <sym>";
    AppendCdata(out, SymbolName(w.icon));
    out += "</sym>\n  <quellis:waypoint xmlns:quellis=\"";
    out += kQuellisNamespace;
    out += "\">\n   <quellis:icon>";
    AppendInt(out, w.icon);
    out += "</quellis:icon>\n   <quellis:nGeocacheState>";
    AppendInt(out, w.nGeocacheState);
    out += "</quellis:nGeocacheState>\n   <quellis:bUseGeocacheStateForIconID>";
    AppendInt(out, w.bUseGeocacheStateForIconID);
    out += "</quellis:bUseGeocacheStateForIconID>\n   <quellis:bActiveWaypoint>";
    AppendInt(out, w.bActiveWaypoint);
    out += "</quellis:bActiveWaypoint>\n   <quellis:dActiveWPDistance>";
    AppendFixed(out, w.dActiveWPDistance, 6);
    out += "</quellis:dActiveWPDistance>\n   <quellis:strSoundFile>";
    AppendEscaped(out, w.strSoundFile);
    out += "</quellis:strSoundFile>\n   <quellis:nActiveWaypointMessageType>";
    AppendInt(out, w.nActiveWaypointMessageType);
    out += "</quellis:nActiveWaypointMessageType>\n   <quellis:nType>";
    AppendInt(out, w.nType);
    out += "</quellis:nType>\n   <quellis:timeGeochacheFound>";
    AppendInt(out, w.timeGeochacheFound);
    out += "</quellis:timeGeochacheFound>\n";
    if (!w.strURL.empty()) {
        out += "   <quellis:strURL>";
        AppendCdata(out, w.strURL);
        out += "</quellis:strURL>\n";
    }
    if (!w.strFieldNotes.empty()) {
        out += "   <quellis:strFieldNotes>";
        AppendCdata(out, w.strFieldNotes, true);
        out += "</quellis:strFieldNotes>\n";
    }
    out += "  </quellis:waypoint>\n </wpt>\n";
}

} // namespace

std::string WriteGpx(const WaypointDatabase& db, int64_t now)
{
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n<gpx\n creator=\"Hikewise - ";
    out += kGpxCreatorAddress;
    out += "\"\n xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n version=\"1.0\"\n"
           " xmlns=\"http://www.topografix.com/GPX/1/0\"\n"
           " xsi:schemaLocation=\"http://www.topografix.com/GPX/1/0 "
           "http://www.topografix.com/GPX/1/0/gpx.xsd\">\n"
           "<desc>GPX Waypoint File Generated with Hikewise</desc>\n<author>";
    out += kGpxAuthor;
    out += "</author>\n<email>";
    out += kGpxEmail;
    out += "</email>\n<time>";
    AppendTime(out, LocalTime(now), "Z");
    out += "</time>\n";

    int64_t minLat = 999000000, minLon = 999000000, maxLat = -999000000, maxLon = -999000000;
    db.ForEach([&](const Waypoint& w) {
        minLat = std::min<int64_t>(minLat, w.nLatitude);
        minLon = std::min<int64_t>(minLon, w.nLongitude);
        maxLat = std::max<int64_t>(maxLat, w.nLatitude);
        maxLon = std::max<int64_t>(maxLon, w.nLongitude);
    });
    out += "<bounds minlat=\"";
    AppendMicro(out, minLat);
    out += "\" minlon=\"";
    AppendMicro(out, minLon);
    out += "\" maxlat=\"";
    AppendMicro(out, maxLat);
    out += "\" maxlon=\"";
    AppendMicro(out, maxLon);
    out += "\"/>\n";
    db.ForEach([&out](const Waypoint& w) { AppendWaypoint(out, w); });
    out += "</gpx>";
    return out;
}

int ExportGpxFile(const WaypointDatabase& db, const std::string& path, int64_t now)
{
    AtomicFileWriter file(path);
    if (!file.Open())
        return 0;
    std::string document = WriteGpx(db, now);
    if (!file.Write(document.data(), document.size()) || !file.Commit())
        return 0;
    return 1;
}

} // namespace hw
