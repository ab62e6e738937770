// hikewise-tool nmea-decode FILE: what the receiver really said. Feeds the
// bytes to the parser in the reader's 128-byte reads and prints the fix as
// one JSON object per line after every sentence the parser dispatches.
#include "ToolCommand.h"

#include "base/JsonWriter.h"
#include "base/NotificationSink.h"
#include "base/WindowMessages.h"
#include "gps/GpsFix.h"
#include "gps/NmeaParser.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace hw::tool {

namespace {

constexpr size_t kReadBytes = 128; // what the reader thread takes a poll

// "hh:mm:ss"
std::string ClockText(int hour, int minute, int second)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
}

// "yyyy-mm-dd"
std::string DateText(int year, int month, int day)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string Letter(char c)
{
    return c == '\0' ? std::string() : std::string(1, c);
}

void WriteGga(JsonWriter& j, const GpsFix& f)
{
    j.Key("gga_time").String(ClockText(f.ggaHour, f.ggaMinute, f.ggaSecond));
    j.Key("gga_seconds").Real(f.ggaSeconds);
    j.Key("gga_lat").Real(f.ggaLatitude);
    j.Key("gga_lon").Real(f.ggaLongitude);
    j.Key("altitude").Real(f.altitude);
    j.Key("fix_quality").UInt(f.fixQuality);
    j.Key("satellites_used").UInt(f.satellitesUsed);
    j.Key("gga_hdop").Real(f.ggaHdop);
    j.Key("vertical_speed").Real(f.verticalSpeed);
}

void WriteGsa(JsonWriter& j, const GpsFix& f)
{
    j.Key("gsa_mode").String(Letter(f.gsaMode));
    j.Key("fix_type").UInt(f.fixType);
    j.Key("used_prns").BeginArray();
    for (uint16_t prn : f.usedPrns) {
        if (prn != 0)
            j.UInt(prn);
    }
    j.EndArray();
    j.Key("pdop").Real(f.pdop);
    j.Key("gsa_hdop").Real(f.gsaHdop);
    j.Key("vdop").Real(f.vdop);
}

void WriteGsv(JsonWriter& j, const GpsFix& f)
{
    j.Key("satellites_in_view").Int(f.satellitesInView);
    j.Key("satellites").BeginArray();
    for (size_t i = 0; i < GpsFix::kSatelliteSlots; ++i) {
        if (!f.SatelliteIsLive(i))
            continue;
        const SatelliteInfo& s = f.satellites[i];
        j.BeginObject()
            .Key("prn")
            .UInt(s.prn)
            .Key("system")
            .String(SystemName(s.system))
            .Key("elevation")
            .UInt(s.elevation)
            .Key("azimuth")
            .UInt(s.azimuth)
            .Key("snr")
            .UInt(s.snr)
            .Key("used")
            .Bool(s.used != 0)
            .EndObject();
    }
    j.EndArray();
}

void WriteRmb(JsonWriter& j, const GpsFix& f)
{
    j.Key("rmb_status").String(Letter(f.rmbStatus));
    j.Key("cross_track_error").Real(f.crossTrackError);
    j.Key("steer").String(Letter(f.steerDirection));
    j.Key("origin_id").String(f.originId);
    j.Key("destination_id").String(f.destinationId);
    j.Key("destination_lat").Real(f.destinationLatitude);
    j.Key("destination_lon").Real(f.destinationLongitude);
    j.Key("range").Real(f.range);
    j.Key("bearing").Real(f.bearing);
    j.Key("closing_velocity").Real(f.closingVelocity);
    j.Key("arrival_status").String(Letter(f.arrivalStatus));
}

void WriteRmc(JsonWriter& j, const GpsFix& f)
{
    j.Key("rmc_time").String(ClockText(f.rmcHour, f.rmcMinute, f.rmcSecond));
    j.Key("rmc_status").String(Letter(f.rmcStatus));
    j.Key("rmc_lat").Real(f.rmcLatitude);
    j.Key("rmc_lon").Real(f.rmcLongitude);
    j.Key("speed_knots").Real(f.speed);
    j.Key("course").Real(f.course);
    j.Key("date").String(DateText(f.year, f.month, f.day));
    j.Key("magnetic_variation").Real(f.magneticVariation);
    j.Key("acceleration").Real(f.acceleration);
}

void WriteZda(JsonWriter& j, const GpsFix& f)
{
    j.Key("zda_time").String(ClockText(f.zdaHour, f.zdaMinute, f.zdaSecond));
    j.Key("zda_date").String(DateText(f.zdaYear, f.zdaMonth, f.zdaDay));
    j.Key("zone_hours").Int(f.zoneHours);
    j.Key("zone_minutes").UInt(f.zoneMinutes);
}

// One sentence type: the message the parser posts when it sets the type's
// part of the fix, its keys, and the key of its counter.
struct SentenceKeys {
    uint32_t message;
    void (*write)(JsonWriter&, const GpsFix&);
    const char* countKey;
    uint32_t GpsFix::*count;
};

constexpr SentenceKeys kSentenceKeys[] = {
    {WM_GPS_GGA, WriteGga, "gga_count", &GpsFix::ggaCount},
    {WM_GPS_GSA, WriteGsa, "gsa_count", &GpsFix::gsaCount},
    {WM_GPS_GSV, WriteGsv, "gsv_count", &GpsFix::gsvCount},
    {WM_GPS_RMB, WriteRmb, "rmb_count", &GpsFix::rmbCount},
    {WM_GPS_RMC, WriteRmc, "rmc_count", &GpsFix::rmcCount},
    {WM_GPS_ZDA, WriteZda, "zda_count", &GpsFix::zdaCount},
};

// The whole fix state.
void WriteFix(std::string& out, std::string_view sentence, uint32_t count, const GpsFix& f)
{
    JsonWriter j(out);
    j.BeginObject();
    j.Key("sentence").String(sentence);
    j.Key("count").UInt(count);
    for (const SentenceKeys& type : kSentenceKeys)
        type.write(j, f);
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
    j.Key("sentence").String(sentence);
    j.Key("count").UInt(count);
    for (const SentenceKeys& type : kSentenceKeys) {
        if (type.message != message)
            continue;
        type.write(j, f);
        j.Key(type.countKey).UInt(f.*type.count);
    }
    j.EndObject();
    out += '\n';
}

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
        if (changesOnly_)
            WriteChanges(buffer_, parser_.CurrentAddress(), parser_.SentenceCount(), ownMessage_,
                         parser_.Snapshot());
        else
            WriteFix(buffer_, parser_.CurrentAddress(), parser_.SentenceCount(),
                     parser_.Snapshot());
        ownMessage_ = 0;
        if (buffer_.size() >= 1 << 16)
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
