// hikewise-tool nmea-decode FILE: what the receiver really said. Feeds the
// bytes to the parser in the reader's 128-byte reads and prints the fix as
// one JSON object per line after every sentence the parser dispatches.
#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "base/NotificationSink.h"
#include "base/WindowMessages.h"
#include "gps/GpsFix.h"
#include "gps/NmeaParser.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace hw::tool {

namespace {

constexpr size_t kReadBytes = 128; // what the reader thread takes a poll

// A few zero-padded numbers joined by a separator ("hh:mm:ss",
// "yyyy-mm-dd"), kept on the stack: written for every sentence.
class JoinedNumbers {
public:
    JoinedNumbers(char separator, std::initializer_list<std::pair<int, int>> valueAndWidth)
    {
        char* p = text_;
        for (const auto& [value, width] : valueAndWidth) {
            if (p != text_)
                *p++ = separator;
            p = PutPadded(p, value, width);
        }
        size_ = static_cast<size_t>(p - text_);
    }
    operator std::string_view() const { return {text_, size_}; }

private:
    // As "%0*d" writes it: the sign counts towards the width.
    static char* PutPadded(char* p, int value, int width)
    {
        unsigned magnitude = static_cast<unsigned>(value);
        if (value < 0) {
            *p++ = '-';
            --width;
            magnitude = 0u - magnitude;
        }
        char digits[12];
        char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
        for (long n = end - digits; n < width; ++n)
            *p++ = '0';
        return std::copy(digits, end, p);
    }

    char text_[3 * 12 + 2];
    size_t size_ = 0;
};

JoinedNumbers ClockText(int hour, int minute, int second)
{
    return JoinedNumbers(':', {{hour, 2}, {minute, 2}, {second, 2}});
}

JoinedNumbers DateText(int year, int month, int day)
{
    return JoinedNumbers('-', {{year, 4}, {month, 2}, {day, 2}});
}

// The one-letter field as text; empty when the sentence had none.
std::string_view Letter(const char& c)
{
    return {&c, c == '\0' ? 0u : 1u};
}

// The JSON text of each satellite entry as last written: an entry that did
// not change since (most do not from one GSV group to the next) is copied,
// not written again.
class SatelliteTexts {
public:
    std::string_view Text(size_t slot, const SatelliteInfo& s)
    {
        static const JsonKey kPrn("prn"), kSystem("system"), kElevation("elevation"),
            kAzimuth("azimuth"), kSnr("snr"), kUsed("used");
        Entry& e = entries_[slot];
        if (e.written && e.info == s)
            return e.text;
        e.text.clear();
        JsonWriter(e.text)
            .BeginObject()
            .Key(kPrn)
            .UInt(s.prn)
            .Key(kSystem)
            .String(SystemName(s.system))
            .Key(kElevation)
            .UInt(s.elevation)
            .Key(kAzimuth)
            .UInt(s.azimuth)
            .Key(kSnr)
            .UInt(s.snr)
            .Key(kUsed)
            .Bool(s.used != 0)
            .EndObject();
        e.info = s;
        e.written = true;
        return e.text;
    }

private:
    struct Entry {
        SatelliteInfo info;
        bool written = false;
        std::string text;
    };
    Entry entries_[GpsFix::kSatelliteSlots];
};

void WriteGga(JsonWriter& j, const GpsFix& f, SatelliteTexts&)
{
    static const JsonKey kGgaTime("gga_time"), kGgaSeconds("gga_seconds"), kGgaLat("gga_lat"),
        kGgaLon("gga_lon"), kAltitude("altitude"), kFixQuality("fix_quality"),
        kSatellitesUsed("satellites_used"), kGgaHdop("gga_hdop"), kVerticalSpeed("vertical_speed");
    j.Key(kGgaTime).String(ClockText(f.ggaHour, f.ggaMinute, f.ggaSecond));
    j.Key(kGgaSeconds).Real(f.ggaSeconds);
    j.Key(kGgaLat).Real(f.ggaLatitude);
    j.Key(kGgaLon).Real(f.ggaLongitude);
    j.Key(kAltitude).Real(f.altitude);
    j.Key(kFixQuality).UInt(f.fixQuality);
    j.Key(kSatellitesUsed).UInt(f.satellitesUsed);
    j.Key(kGgaHdop).Real(f.ggaHdop);
    j.Key(kVerticalSpeed).Real(f.verticalSpeed);
}

void WriteGsa(JsonWriter& j, const GpsFix& f, SatelliteTexts&)
{
    static const JsonKey kGsaMode("gsa_mode"), kFixType("fix_type"), kUsedPrns("used_prns"),
        kPdop("pdop"), kGsaHdop("gsa_hdop"), kVdop("vdop");
    j.Key(kGsaMode).String(Letter(f.gsaMode));
    j.Key(kFixType).UInt(f.fixType);
    j.Key(kUsedPrns).BeginArray();
    for (uint16_t prn : f.usedPrns) {
        if (prn != 0)
            j.UInt(prn);
    }
    j.EndArray();
    j.Key(kPdop).Real(f.pdop);
    j.Key(kGsaHdop).Real(f.gsaHdop);
    j.Key(kVdop).Real(f.vdop);
}

void WriteGsv(JsonWriter& j, const GpsFix& f, SatelliteTexts& texts)
{
    static const JsonKey kSatellitesInView("satellites_in_view"), kSatellites("satellites");
    j.Key(kSatellitesInView).Int(f.satellitesInView);
    j.Key(kSatellites).BeginArray();
    for (size_t i = 0; i < GpsFix::kSatelliteSlots; ++i) {
        if (f.SatelliteIsLive(i))
            j.Json(texts.Text(i, f.satellites[i]));
    }
    j.EndArray();
}

void WriteRmb(JsonWriter& j, const GpsFix& f, SatelliteTexts&)
{
    static const JsonKey kRmbStatus("rmb_status"), kCrossTrackError("cross_track_error"),
        kSteer("steer"), kOriginId("origin_id"), kDestinationId("destination_id"),
        kDestinationLat("destination_lat"), kDestinationLon("destination_lon"), kRange("range"),
        kBearing("bearing"), kClosingVelocity("closing_velocity"), kArrivalStatus("arrival_status");
    j.Key(kRmbStatus).String(Letter(f.rmbStatus));
    j.Key(kCrossTrackError).Real(f.crossTrackError);
    j.Key(kSteer).String(Letter(f.steerDirection));
    j.Key(kOriginId).String(f.originId);
    j.Key(kDestinationId).String(f.destinationId);
    j.Key(kDestinationLat).Real(f.destinationLatitude);
    j.Key(kDestinationLon).Real(f.destinationLongitude);
    j.Key(kRange).Real(f.range);
    j.Key(kBearing).Real(f.bearing);
    j.Key(kClosingVelocity).Real(f.closingVelocity);
    j.Key(kArrivalStatus).String(Letter(f.arrivalStatus));
}

void WriteRmc(JsonWriter& j, const GpsFix& f, SatelliteTexts&)
{
    static const JsonKey kRmcTime("rmc_time"), kRmcStatus("rmc_status"), kRmcLat("rmc_lat"),
        kRmcLon("rmc_lon"), kSpeedKnots("speed_knots"), kCourse("course"), kDate("date"),
        kMagneticVariation("magnetic_variation"), kAcceleration("acceleration");
    j.Key(kRmcTime).String(ClockText(f.rmcHour, f.rmcMinute, f.rmcSecond));
    j.Key(kRmcStatus).String(Letter(f.rmcStatus));
    j.Key(kRmcLat).Real(f.rmcLatitude);
    j.Key(kRmcLon).Real(f.rmcLongitude);
    j.Key(kSpeedKnots).Real(f.speed);
    j.Key(kCourse).Real(f.course);
    j.Key(kDate).String(DateText(f.year, f.month, f.day));
    j.Key(kMagneticVariation).Real(f.magneticVariation);
    j.Key(kAcceleration).Real(f.acceleration);
}

void WriteZda(JsonWriter& j, const GpsFix& f, SatelliteTexts&)
{
    static const JsonKey kZdaTime("zda_time"), kZdaDate("zda_date"), kZoneHours("zone_hours"),
        kZoneMinutes("zone_minutes");
    j.Key(kZdaTime).String(ClockText(f.zdaHour, f.zdaMinute, f.zdaSecond));
    j.Key(kZdaDate).String(DateText(f.zdaYear, f.zdaMonth, f.zdaDay));
    j.Key(kZoneHours).Int(f.zoneHours);
    j.Key(kZoneMinutes).UInt(f.zoneMinutes);
}

// One sentence type: the message the parser posts when it sets the type's
// part of the fix, its keys, and the key of its counter.
struct SentenceKeys {
    uint32_t message;
    void (*write)(JsonWriter&, const GpsFix&, SatelliteTexts&);
    JsonKey countKey;
    uint32_t GpsFix::*count;
};

const SentenceKeys kSentenceKeys[] = {
    {WM_GPS_GGA, WriteGga, JsonKey("gga_count"), &GpsFix::ggaCount},
    {WM_GPS_GSA, WriteGsa, JsonKey("gsa_count"), &GpsFix::gsaCount},
    {WM_GPS_GSV, WriteGsv, JsonKey("gsv_count"), &GpsFix::gsvCount},
    {WM_GPS_RMB, WriteRmb, JsonKey("rmb_count"), &GpsFix::rmbCount},
    {WM_GPS_RMC, WriteRmc, JsonKey("rmc_count"), &GpsFix::rmcCount},
    {WM_GPS_ZDA, WriteZda, JsonKey("zda_count"), &GpsFix::zdaCount},
};
const JsonKey kSentence("sentence"), kCount("count");

// Writes the JSON lines of the fix into one buffer.
class FixJson {
public:
    // The whole fix state. A type's keys change only with its count: they
    // are written again only then, and copied as they were otherwise.
    void WriteFix(std::string& out, std::string_view sentence, uint32_t count, const GpsFix& f)
    {
        JsonWriter j(out);
        j.BeginObject();
        j.Key(kSentence).String(sentence);
        j.Key(kCount).UInt(count);
        for (size_t t = 0; t < std::size(kSentenceKeys); ++t) {
            const SentenceKeys& type = kSentenceKeys[t];
            Section& section = sections_[t];
            if (!section.written || section.count != f.*type.count) {
                section.members.clear();
                JsonWriter w(section.members);
                w.BeginObject();
                type.write(w, f, satellites_);
                w.EndObject();
                // The members without the braces.
                section.members.pop_back();
                section.members.erase(0, 1);
                section.count = f.*type.count;
                section.written = true;
            }
            j.Members(section.members);
        }
        for (const SentenceKeys& type : kSentenceKeys)
            j.Key(type.countKey).UInt(f.*type.count);
        j.EndObject();
        out += '\n';
    }

    // Only what the sentence set: its type's keys when the parser posted the
    // type's message (a GPGSV only at the last of its group), else none.
    void WriteChanges(std::string& out, std::string_view sentence, uint32_t count, uint32_t message,
                      const GpsFix& f)
    {
        JsonWriter j(out);
        j.BeginObject();
        j.Key(kSentence).String(sentence);
        j.Key(kCount).UInt(count);
        for (const SentenceKeys& type : kSentenceKeys) {
            if (type.message != message)
                continue;
            type.write(j, f, satellites_);
            j.Key(type.countKey).UInt(f.*type.count);
        }
        j.EndObject();
        out += '\n';
    }

private:
    struct Section {
        uint32_t count = 0;
        bool written = false;
        std::string members;
    };
    Section sections_[std::size(kSentenceKeys)];
    SatelliteTexts satellites_;
};

// Prints a JSON line after every dispatched sentence. Called on the feeding
// thread from inside Feed(), so the address is still the sentence's own; the
// sentence's own message comes just before WM_GPS_SENTENCE.
class JsonLinePrinter final : public NotificationSink {
public:
    JsonLinePrinter(NmeaParser& parser, std::FILE* out, bool changesOnly)
        : parser_(parser), out_(out), changesOnly_(changesOnly)
    {
    }
    void Post(uint32_t message, uintptr_t, intptr_t) override
    {
        if (message != WM_GPS_SENTENCE) {
            ownMessage_ = message;
            return;
        }
        uint32_t count = parser_.SentenceCount();
        parser_.ReadFix([&](const GpsFix& fix) {
            if (changesOnly_)
                json_.WriteChanges(buffer_, parser_.CurrentAddress(), count, ownMessage_, fix);
            else
                json_.WriteFix(buffer_, parser_.CurrentAddress(), count, fix);
        });
        ownMessage_ = 0;
        if (buffer_.size() >= 1 << 20)
            Flush();
    }
    bool Flush()
    {
        bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), out_) == buffer_.size();
        buffer_.clear();
        return ok && std::fflush(out_) == 0;
    }

private:
    NmeaParser& parser_;
    std::FILE* out_;
    bool changesOnly_;
    uint32_t ownMessage_ = 0;
    std::string buffer_;
    FixJson json_;
};

// Drops lines that start with '#' (the comments of recorded logs) across
// read boundaries.
class CommentFilter {
public:
    size_t Apply(char* bytes, size_t n)
    {
        size_t kept = 0;
        for (size_t i = 0; i < n; ++i) {
            char c = bytes[i];
            if (lineStart_ && c == '#')
                inComment_ = true;
            lineStart_ = c == '\n';
            if (inComment_) {
                if (c == '\n')
                    inComment_ = false;
                continue;
            }
            bytes[kept++] = c;
        }
        return kept;
    }

private:
    bool lineStart_ = true;
    bool inComment_ = false;
};

int RunNmeaDecode(const Args& args)
{
    std::string path;
    bool skipComments = false;
    bool changesOnly = false;
    for (const std::string& a : args) {
        if (a == "--skip-comments")
            skipComments = true;
        else if (a == "--changes")
            changesOnly = true;
        else if (path.empty() && (a == "-" || a.rfind("--", 0) != 0))
            path = a;
        else
            return Fail("nmea-decode: unexpected argument '" + a + "'");
    }
    if (path.empty())
        return Fail("nmea-decode: no input file (use - for standard input)");

    std::FILE* in = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        return Fail("nmea-decode: cannot open " + path + ": " + std::strerror(errno));

    NmeaParser parser;
    parser.KeepFixHistory(false); // the fix is read after every sentence
    JsonLinePrinter printer(parser, stdout, changesOnly);
    parser.SetSink(&printer);
    CommentFilter comments;
    char block[64 * 1024];
    bool readError = false;
    for (;;) {
        size_t n = std::fread(block, 1, sizeof block, in);
        if (n == 0) {
            readError = std::ferror(in) != 0;
            break;
        }
        if (skipComments)
            n = comments.Apply(block, n);
        for (size_t i = 0; i < n; i += kReadBytes)
            parser.Feed(block + i, n - i < kReadBytes ? n - i : kReadBytes);
    }
    if (in != stdin)
        std::fclose(in);
    if (!printer.Flush())
        return Fail("nmea-decode: cannot write the output");
    if (readError)
        return Fail("nmea-decode: read error on " + path);
    return 0;
}

const ToolCommandRegistrar kRegistrar({
    "nmea-decode",
    "FILE|- [--skip-comments] [--changes]",
    "decode an NMEA log as the receiver input does; one JSON fix per sentence\n"
    "      (with --changes only the keys that the sentence sets)",
    RunNmeaDecode,
});

} // namespace

} // namespace hw::tool
