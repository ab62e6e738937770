#include "NmeaTestSupport.h"
#include "TestFiles.h"
#include "base/WindowMessages.h"
#include "gps/NmeaParser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>

namespace hw {
namespace {

// Takes a snapshot after every decoded GPGGA.
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

std::optional<double> JsonNumber(const std::string& json, const std::string& key)
{
    size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos)
        return std::nullopt;
    return std::strtod(json.c_str() + at + key.size() + 3, nullptr);
}

// The independent decoder's answer for one GPGGA: the first TPV report after
// it and before the next GPGGA, where that report has a position.
struct Expected {
    size_t gga; // index among the decoded GPGGA sentences
    std::string sentence;
    double lat;
    double lon;
    std::optional<double> altitude;
};

TEST(NmeaPeerLogTest, EveryGgaAgreesWithTheIndependentDecoder)
{
    HW_REQUIRE_PEER_DATA("nmea");
    namespace fs = std::filesystem;
    std::vector<fs::path> logs;
    for (const auto& entry : fs::directory_iterator(test::PeerDataDir() + "/nmea")) {
        if (entry.path().extension() == ".log")
            logs.push_back(entry.path());
    }
    ASSERT_FALSE(logs.empty());
    size_t compared = 0;
    for (const fs::path& log : logs) {
        SCOPED_TRACE(log.filename().string());
        std::string check = test::ReadFileBytes(log.string() + ".chk");
        ASSERT_FALSE(check.empty());

        // Sentences of the check file, one at a time, to learn which GPGGA
        // the parser decodes and what the other decoder made of each.
        NmeaParser lineParser;
        std::vector<Expected> expected;
        std::optional<Expected> pending;
        size_t decoded = 0;
        std::istringstream lines(check);
        for (std::string line; std::getline(lines, line);) {
            if (line.empty() || line[0] == '#')
                continue;
            if (line[0] == '{') {
                if (pending && line.find("\"class\":\"TPV\"") != std::string::npos) {
                    auto lat = JsonNumber(line, "lat");
                    auto lon = JsonNumber(line, "lon");
                    if (lat && lon) {
                        pending->lat = *lat;
                        pending->lon = *lon;
                        pending->altitude = JsonNumber(line, "altMSL");
                        expected.push_back(*pending);
                    }
                    pending.reset();
                }
                continue;
            }
            if (line.rfind("$GPGGA", 0) == 0)
                pending.reset();
            uint32_t before = lineParser.Snapshot().ggaCount;
            std::string bytes = line + "\r\n";
            lineParser.Feed(bytes.data(), bytes.size());
            if (lineParser.Snapshot().ggaCount != before)
                pending = Expected{decoded++, line, 0, 0, std::nullopt};
        }

        // The log itself, fed as the reader feeds it.
        NmeaParser parser;
        GgaCollector collector(parser);
        parser.SetSink(&collector);
        std::string bytes = test::ReadFileBytes(log.string());
        for (size_t i = 0; i < bytes.size(); i += 128)
            parser.Feed(bytes.data() + i, std::min<size_t>(128, bytes.size() - i));
        ASSERT_EQ(collector.fixes.size(), decoded);
        EXPECT_GT(decoded, 0u);

        for (const Expected& e : expected) {
            const GpsFix& f = collector.fixes[e.gga];
            EXPECT_NEAR(f.ggaLatitude, e.lat, 1e-6) << e.sentence;
            EXPECT_NEAR(f.ggaLongitude, e.lon, 1e-6) << e.sentence;
            if (e.altitude) {
                EXPECT_NEAR(f.altitude, *e.altitude, 0.01) << e.sentence;
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 200u);
}

} // namespace
} // namespace hw
