// Real receivers' logs against the independent decoder's reports: the logs of
// combined receivers (GN, GL, ... talkers) give every GGA position whatever
// its talker; the logs of GPS receivers decode as the GPS-only setting does.
#include "TestFiles.h"
#include "base/NotificationSink.h"
#include "base/WindowMessages.h"
#include "gps/NmeaParser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace hw {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> PeerLogs()
{
    std::vector<fs::path> logs;
    for (const auto& entry : fs::directory_iterator(test::PeerDataDir() + "/nmea")) {
        if (entry.path().extension() == ".log")
            logs.push_back(entry.path());
    }
    std::sort(logs.begin(), logs.end());
    return logs;
}

// Whether the log holds one of the decoded sentence types from a talker
// other than GPS.
bool SpeaksCombinedTalkers(const std::string& bytes)
{
    for (const char* talker : {"GN", "GL", "GA", "GB", "BD", "GQ", "QZ", "GI"}) {
        for (const char* type : {"GGA", "GSA", "GSV", "RMC", "RMB", "ZDA"}) {
            if (bytes.find(std::string("$") + talker + type + ",") != std::string::npos)
                return true;
        }
    }
    return false;
}

void FeedAsTheReader(NmeaParser& parser, const std::string& bytes)
{
    for (size_t i = 0; i < bytes.size(); i += 128)
        parser.Feed(bytes.data() + i, std::min<size_t>(128, bytes.size() - i));
}

std::optional<double> JsonNumber(const std::string& json, const std::string& key)
{
    size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos)
        return std::nullopt;
    return std::strtod(json.c_str() + at + key.size() + 3, nullptr);
}

// A snapshot after every GGA, whatever its talker.
class GgaCollector final : public NotificationSink {
public:
    explicit GgaCollector(NmeaParser& parser) : parser_(parser) {}
    void Post(uint32_t message, uintptr_t, intptr_t) override
    {
        if (message == WM_GPS_GGA)
            fixes.push_back(parser_.Snapshot());
    }
    std::vector<GpsFix> fixes;

private:
    NmeaParser& parser_;
};

TEST(NmeaMultiTalkerPeerLog, EveryGgaOfACombinedReceiverAgreesWithTheIndependentDecoder)
{
    HW_REQUIRE_PEER_DATA("nmea");
    size_t logs = 0;
    size_t compared = 0;
    size_t otherTalkers = 0;
    for (const fs::path& log : PeerLogs()) {
        const std::string bytes = test::ReadFileBytes(log.string());
        if (!SpeaksCombinedTalkers(bytes))
            continue;
        SCOPED_TRACE(log.filename().string());
        ++logs;
        const std::string check = test::ReadFileBytes(log.string() + ".chk");
        ASSERT_FALSE(check.empty());

        // Each GGA line of the check file and the first report with a
        // position after it and before the next GGA.
        struct Expected {
            std::string sentence;
            std::optional<double> lat, lon, alt;
        };
        std::vector<Expected> expected;
        std::istringstream lines(check);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty())
                continue;
            if (line.size() > 6 && line[0] == '$' && line.compare(3, 3, "GGA") == 0 &&
                line.find('*') != std::string::npos) {
                expected.push_back({line, {}, {}, {}});
            } else if (!expected.empty() && !expected.back().lat && line[0] == '{' &&
                       line.find("\"class\":\"TPV\"") != std::string::npos) {
                expected.back().lat = JsonNumber(line, "lat");
                expected.back().lon = JsonNumber(line, "lon");
                expected.back().alt = JsonNumber(line, "altMSL");
            }
        }

        NmeaParser parser;
        GgaCollector collector(parser);
        parser.SetSink(&collector);
        FeedAsTheReader(parser, bytes);
        ASSERT_EQ(collector.fixes.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const Expected& e = expected[i];
            if (!e.lat || !e.lon)
                continue;
            const GpsFix& f = collector.fixes[i];
            EXPECT_NEAR(f.ggaLatitude, *e.lat, 1e-6) << e.sentence;
            EXPECT_NEAR(f.ggaLongitude, *e.lon, 1e-6) << e.sentence;
            if (e.alt) {
                EXPECT_NEAR(f.altitude, *e.alt, 0.01) << e.sentence;
            }
            ++compared;
            if (e.sentence.compare(1, 2, "GP") != 0)
                ++otherTalkers;
        }
    }
    EXPECT_GE(logs, 1u);
    EXPECT_GT(compared, 50u);
    EXPECT_GT(otherTalkers, 20u); // GLGGA of the SiRFstarV among them
}

TEST(NmeaMultiTalkerPeerLog, CombinedReceiverShowsBothSystemsSky)
{
    HW_REQUIRE_PEER_DATA("nmea");
    NmeaParser parser;
    FeedAsTheReader(parser, test::ReadFileBytes(test::PeerDataDir() + "/nmea/sirfstarv-nmea.log"));
    const GpsFix f = parser.Snapshot();
    int gps = 0;
    int glonass = 0;
    int used = 0;
    for (size_t i = 0; i < GpsFix::kSatelliteSlots; ++i) {
        if (!f.SatelliteIsLive(i))
            continue;
        gps += f.satellites[i].system == GnssSystem::Gps;
        glonass += f.satellites[i].system == GnssSystem::Glonass;
        used += f.satellites[i].used;
    }
    EXPECT_GT(gps, 4);
    EXPECT_GT(glonass, 4);
    EXPECT_GT(used, 6);
    EXPECT_EQ(f.satellitesInView, gps + glonass);
    EXPECT_GT(f.SatellitesUsedAll(), f.satellitesUsed); // the GLGGA counts GLONASS alone
}

// The record as text: every field a reader can see.
std::string FixText(const GpsFix& f)
{
    std::string t;
    char b[512];
    std::snprintf(b, sizeof b, "%u:%u:%u %.9g %.9g %.9g q%u s%u %.9g %.9g c%u v%.9g|", f.ggaHour,
                  f.ggaMinute, f.ggaSecond, f.ggaSeconds, f.ggaLatitude, f.ggaLongitude,
                  f.fixQuality, f.satellitesUsed, f.ggaHdop, f.altitude, f.ggaCount,
                  f.verticalSpeed);
    t += b;
    std::snprintf(b, sizeof b, "%c%u %.9g %.9g %.9g c%u in%d|", f.gsaMode, f.fixType, f.pdop,
                  f.gsaHdop, f.vdop, f.gsaCount, f.satellitesInView);
    t += b;
    for (uint16_t prn : f.usedPrns)
        t += std::to_string(prn) + ",";
    for (const SatelliteInfo& s : f.satellites) {
        std::snprintf(b, sizeof b, "[%u %u %d %u %u %d]", s.prn, s.snr, s.used, s.azimuth,
                      s.elevation, static_cast<int>(s.system));
        t += b;
    }
    std::snprintf(b, sizeof b, "|%c %.9g %c %s %s %.9g %.9g %.9g %.9g %.9g %c c%u|", f.rmbStatus,
                  f.crossTrackError, f.steerDirection, f.originId, f.destinationId,
                  f.destinationLatitude, f.destinationLongitude, f.range, f.bearing,
                  f.closingVelocity, f.arrivalStatus, f.rmbCount);
    t += b;
    std::snprintf(b, sizeof b, "%u:%u:%u %c %.9g %.9g %.9g %.9g %u.%u.%u %.9g c%u a%.9g|",
                  f.rmcHour, f.rmcMinute, f.rmcSecond, f.rmcStatus, f.rmcLatitude, f.rmcLongitude,
                  f.speed, f.course, f.day, f.month, f.year, f.magneticVariation, f.rmcCount,
                  f.acceleration);
    t += b;
    std::snprintf(b, sizeof b, "%u:%u:%u %u.%u.%u %d %u c%u", f.zdaHour, f.zdaMinute, f.zdaSecond,
                  f.zdaDay, f.zdaMonth, f.zdaYear, f.zoneHours, f.zoneMinutes, f.zdaCount);
    t += b;
    return t;
}

// Snapshots after every sentence.
class EverySentence final : public NotificationSink {
public:
    explicit EverySentence(NmeaParser& parser) : parser_(parser) {}
    void Post(uint32_t message, uintptr_t, intptr_t) override
    {
        if (message == WM_GPS_SENTENCE)
            texts.push_back(FixText(parser_.Snapshot()));
    }
    std::vector<std::string> texts;

private:
    NmeaParser& parser_;
};

TEST(NmeaMultiTalkerPeerLog, GpsReceiversLogsDecodeAsWithTheGpsOnlySetting)
{
    HW_REQUIRE_PEER_DATA("nmea");
    size_t logs = 0;
    for (const fs::path& log : PeerLogs()) {
        const std::string bytes = test::ReadFileBytes(log.string());
        if (SpeaksCombinedTalkers(bytes))
            continue;
        SCOPED_TRACE(log.filename().string());
        ++logs;
        NmeaParser every;
        NmeaParser gpsOnly;
        gpsOnly.SetGpsTalkerOnly(true);
        EverySentence a(every);
        EverySentence b(gpsOnly);
        every.SetSink(&a);
        gpsOnly.SetSink(&b);
        FeedAsTheReader(every, bytes);
        FeedAsTheReader(gpsOnly, bytes);
        ASSERT_EQ(a.texts.size(), b.texts.size());
        ASSERT_FALSE(a.texts.empty());
        for (size_t i = 0; i < a.texts.size(); ++i)
            ASSERT_EQ(a.texts[i], b.texts[i]) << "after sentence " << i;
    }
    EXPECT_GE(logs, 8u);
}

} // namespace
} // namespace hw
