#include "NmeaTestSupport.h"
#include "TestFiles.h"
#include "base/WindowMessages.h"
#include "gps/NmeaParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

namespace hw {
namespace {

namespace fs = std::filesystem;

// Counts the decoded GPGGA sentences of a feed.
class GgaCounter final : public NotificationSink {
public:
    void Post(uint32_t message, uintptr_t, intptr_t) override { ggas += message == WM_GPS_GGA; }
    size_t ggas = 0;
};

std::optional<double> JsonNumber(const std::string& json, const std::string& key)
{
    size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos)
        return std::nullopt;
    const char* start = json.c_str() + at + key.size() + 3;
    char* end = nullptr;
    double value = std::strtod(start, &end);
    if (end == start)
        return std::nullopt;
    return value;
}

std::optional<std::string> JsonText(const std::string& json, const std::string& key)
{
    size_t at = json.find("\"" + key + "\":\"");
    if (at == std::string::npos)
        return std::nullopt;
    at += key.size() + 4;
    return json.substr(at, json.find('"', at) - at);
}

bool IsReport(const std::string& json, const char* cls)
{
    return json.find(std::string("\"class\":\"") + cls + "\"") != std::string::npos;
}

// "$...*HH" whose checksum holds, computed here and not by the parser.
bool ChecksumHolds(const std::string& line)
{
    size_t star = line.rfind('*');
    if (line.empty() || line[0] != '$' || star == std::string::npos || star + 3 > line.size())
        return false;
    unsigned sum = 0;
    for (size_t i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(line[i]);
    return std::strtoul(line.substr(star + 1, 2).c_str(), nullptr, 16) == sum;
}

// One sentence of a check file with the reports the other decoder gave right
// after it, and the parser's state once the sentence was fed.
struct Step {
    std::string sentence;
    std::vector<std::string> reports;
    GpsFix fix;
};

// Each satellite object of a SKY report's array.
std::vector<std::string> SatelliteObjects(const std::string& sky)
{
    std::vector<std::string> objects;
    size_t at = sky.find("\"satellites\":[");
    while (at != std::string::npos) {
        size_t open = sky.find('{', at);
        size_t close = sky.find('}', open);
        if (open == std::string::npos || close == std::string::npos)
            break;
        objects.push_back(sky.substr(open, close - open + 1));
        at = close;
        if (sky.compare(close + 1, 1, "]") == 0)
            break;
    }
    return objects;
}

std::vector<fs::path> PeerLogs()
{
    std::vector<fs::path> logs;
    for (const auto& entry : fs::directory_iterator(test::PeerDataDir() + "/nmea")) {
        if (entry.path().extension() == ".log")
            logs.push_back(entry.path());
    }
    return logs;
}

// The check file fed sentence by sentence, each with what followed it.
std::vector<Step> StepsOf(const std::string& check)
{
    std::vector<Step> steps;
    NmeaParser parser;
    std::istringstream lines(check);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '{') {
            if (!steps.empty())
                steps.back().reports.push_back(line);
            continue;
        }
        std::string bytes = line + "\r\n";
        parser.Feed(bytes.data(), bytes.size());
        steps.push_back({line, {}, parser.Snapshot()});
    }
    return steps;
}

struct Compared {
    size_t gga = 0, rmc = 0, gsa = 0, satellites = 0;
};

void CheckGga(const std::vector<Step>& steps, size_t i, Compared& n)
{
    const Step& s = steps[i];
    // Our own count: every GPGGA whose checksum holds is decoded.
    const uint32_t before = i == 0 ? 0 : steps[i - 1].fix.ggaCount;
    ASSERT_EQ(s.fix.ggaCount, before + 1) << s.sentence;
    // The first TPV with a position after it, up to the next GPGGA.
    for (size_t k = i; k < steps.size(); ++k) {
        if (k > i && steps[k].sentence.rfind("$GPGGA", 0) == 0)
            return;
        for (const std::string& tpv : steps[k].reports) {
            auto lat = JsonNumber(tpv, "lat");
            auto lon = JsonNumber(tpv, "lon");
            if (!IsReport(tpv, "TPV") || !lat || !lon)
                continue;
            EXPECT_NEAR(s.fix.ggaLatitude, *lat, 1e-6) << s.sentence;
            EXPECT_NEAR(s.fix.ggaLongitude, *lon, 1e-6) << s.sentence;
            if (auto alt = JsonNumber(tpv, "altMSL")) {
                EXPECT_NEAR(s.fix.altitude, *alt, 0.01) << s.sentence;
            }
            ++n.gga;
            return;
        }
    }
}

void CheckRmc(const Step& s, Compared& n)
{
    for (const std::string& tpv : s.reports) {
        auto time = JsonText(tpv, "time");
        if (!IsReport(tpv, "TPV") || !time || s.fix.rmcStatus != 'A')
            continue;
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02uT%02u:%02u:%02u", s.fix.year, s.fix.month,
                      s.fix.day, s.fix.rmcHour, s.fix.rmcMinute, s.fix.rmcSecond);
        EXPECT_EQ(time->substr(0, 19), stamp) << s.sentence;
        if (auto speed = JsonNumber(tpv, "speed")) { // metres per second
            EXPECT_NEAR(s.fix.speed * 1852.0 / 3600.0, *speed, 0.001) << s.sentence;
        }
        if (auto track = JsonNumber(tpv, "track")) {
            EXPECT_NEAR(s.fix.course, *track, 0.001) << s.sentence;
        }
        ++n.rmc;
        return;
    }
}

void CheckGsa(const Step& s, Compared& n)
{
    for (const std::string& sky : s.reports) {
        auto pdop = JsonNumber(sky, "pdop");
        if (!IsReport(sky, "SKY") || !pdop)
            continue;
        EXPECT_NEAR(s.fix.pdop, *pdop, 0.005) << s.sentence;
        if (auto hdop = JsonNumber(sky, "hdop")) {
            EXPECT_NEAR(s.fix.gsaHdop, *hdop, 0.005) << s.sentence;
        }
        if (auto vdop = JsonNumber(sky, "vdop")) {
            EXPECT_NEAR(s.fix.vdop, *vdop, 0.005) << s.sentence;
        }
        if (auto used = JsonNumber(sky, "uSat")) {
            int ours = 0;
            for (uint16_t prn : s.fix.usedPrns)
                ours += prn != 0;
            EXPECT_EQ(ours, static_cast<int>(*used)) << s.sentence;
        }
        ++n.gsa;
        return;
    }
}

// After the last GPGSV of a group: elevation, azimuth and signal of each GPS
// satellite (PRN 1 to 32) against the SKY report's satellites.
void CheckGsv(const Step& s, Compared& n)
{
    for (const std::string& sky : s.reports) {
        if (!IsReport(sky, "SKY") || sky.find("\"satellites\":[") == std::string::npos)
            continue;
        std::map<int, std::string> theirs;
        for (const std::string& sat : SatelliteObjects(sky)) {
            auto prn = JsonNumber(sat, "PRN");
            if (JsonNumber(sat, "gnssid").value_or(0) == 0 && prn && *prn >= 1 && *prn <= 32)
                theirs[static_cast<int>(*prn)] = sat;
        }
        std::map<int, const SatelliteInfo*> ours;
        for (size_t k = 0; k < GpsFix::kSatelliteSlots; ++k) {
            const SatelliteInfo& sat = s.fix.satellites[k];
            if (s.fix.SatelliteIsLive(k) && sat.prn <= 32)
                ours[sat.prn] = &sat;
        }
        ASSERT_EQ(ours.size(), theirs.size()) << s.sentence << "\n" << sky;
        for (const auto& [prn, sat] : ours) {
            ASSERT_TRUE(theirs.count(prn)) << "PRN " << prn << " " << s.sentence;
            const std::string& other = theirs[prn];
            EXPECT_EQ(sat->elevation, JsonNumber(other, "el").value_or(0)) << other;
            EXPECT_EQ(sat->azimuth, JsonNumber(other, "az").value_or(0)) << other;
            EXPECT_EQ(sat->snr, JsonNumber(other, "ss").value_or(0)) << other;
            ++n.satellites;
        }
        return;
    }
}

// Every receiver log against the other decoder's reports: GPGGA position and
// altitude, GPRMC time, date, speed and course, GPGSA DOPs and used
// satellites, GPGSV satellites.
TEST(NmeaPeerLogTest, TheReceiversAnswersAgreeWithTheIndependentDecoder)
{
    HW_REQUIRE_PEER_DATA("nmea");
    std::vector<fs::path> logs = PeerLogs();
    ASSERT_FALSE(logs.empty());
    Compared n;
    for (const fs::path& log : logs) {
        SCOPED_TRACE(log.filename().string());
        std::string check = test::ReadFileBytes(log.string() + ".chk");
        ASSERT_FALSE(check.empty());
        std::vector<Step> steps = StepsOf(check);
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& s = steps[i];
            if (!ChecksumHolds(s.sentence))
                continue;
            if (s.sentence.rfind("$GPGGA,", 0) == 0)
                CheckGga(steps, i, n);
            else if (s.sentence.rfind("$GPRMC,", 0) == 0)
                CheckRmc(s, n);
            else if (s.sentence.rfind("$GPGSA,", 0) == 0)
                CheckGsa(s, n);
            else if (s.sentence.rfind("$GPGSV,", 0) == 0)
                CheckGsv(s, n);
        }
    }
    EXPECT_GT(n.gga, 200u);
    EXPECT_GT(n.rmc, 90u);
    EXPECT_GT(n.gsa, 100u);
    EXPECT_GT(n.satellites, 500u);
}

// The log itself, fed as the reader feeds it, decodes every GGA whose
// checksum holds: counted here, line by line.
TEST(NmeaPeerLogTest, EveryGoodGgaOfTheLogsIsDecoded)
{
    HW_REQUIRE_PEER_DATA("nmea");
    for (const fs::path& log : PeerLogs()) {
        SCOPED_TRACE(log.filename().string());
        std::string bytes = test::ReadFileBytes(log.string());
        size_t good = 0;
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            // GGA of any talker (GP, GN, GL...).
            good += line.size() > 7 && line.compare(3, 4, "GGA,") == 0 && ChecksumHolds(line);
        }
        NmeaParser parser;
        GgaCounter counter;
        parser.SetSink(&counter);
        for (size_t i = 0; i < bytes.size(); i += 128)
            parser.Feed(bytes.data() + i, std::min<size_t>(128, bytes.size() - i));
        EXPECT_EQ(counter.ggas, good);
        EXPECT_GT(good, 0u);
    }
}

} // namespace
} // namespace hw
