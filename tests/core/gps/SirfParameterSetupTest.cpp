#include "gps/SirfParameterSetup.h"

#include "core/FakeSirfReceiver.h"
#include "core/LinkTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace hw {
namespace {

using test::FakeSirfReceiver;

class ReceiverWire final : public SirfProtocol {
public:
    explicit ReceiverWire(FakeSirfReceiver& receiver) : receiver_(receiver) {}
    std::size_t Send(const uint8_t* bytes, std::size_t n) override
    {
        raw.append(reinterpret_cast<const char*>(bytes), n);
        receiver_.Accept(bytes, n);
        return n;
    }
    std::size_t Receive(uint8_t* buffer, std::size_t n) override
    {
        return receiver_.Drain(buffer, n);
    }
    std::string raw; // everything sent

private:
    FakeSirfReceiver& receiver_;
};

// Records what the set-up does to the link and the progress window.
class Recorder final : public SirfLinkControl, public SirfProgress {
public:
    void PauseReader(bool paused) override { events.push_back(paused ? "pause" : "resume"); }
    void StopWatchdog() override { events.push_back("stop-watchdog"); }
    void RestartWatchdog() override { events.push_back("restart-watchdog"); }
    void PurgePort() override { events.push_back("purge"); }
    void ClosePort() override { events.push_back("close"); }
    bool ReconnectStored() override
    {
        events.push_back("reconnect");
        return true;
    }
    void SetText(const std::string& text) override { texts.push_back(text); }
    void Step() override { ++steps; }
    void ShowError(const std::string& text) override { errors.push_back(text); }

    std::vector<std::string> events;
    std::vector<std::string> texts;
    std::vector<std::string> errors;
    int steps = 0;
};

struct SetupRun {
    explicit SetupRun(FakeSirfReceiver::Kind kind) : receiver(kind), wire(receiver) {}
    SirfSetupResult Go(const SirfSetupOptions& options = {}, uint32_t baud = 4800)
    {
        return SirfParameterSetup(wire, recorder, recorder, time, time).Run(baud, options);
    }
    int Count(uint8_t id) const
    {
        return static_cast<int>(std::count_if(receiver.messages.begin(), receiver.messages.end(),
                                              [id](const auto& m) { return m[0] == id; }));
    }
    int BinarySwitches() const
    {
        int count = 0;
        for (auto at = wire.raw.find("$PSRF100,0,"); at != std::string::npos;
             at = wire.raw.find("$PSRF100,0,", at + 1))
            ++count;
        return count;
    }
    FakeSirfReceiver receiver;
    ReceiverWire wire;
    Recorder recorder;
    test::FakeTime time;
};

TEST(SirfParameterSetup, SirfReceiverTakesEverySetting)
{
    SetupRun run(FakeSirfReceiver::Kind::Sirf);
    SirfSetupOptions options;
    options.staticNavigation = true;
    options.sbas = false;
    options.rates = {1, 5, 5, 1};
    SirfSetupResult result = run.Go(options, 9600);

    EXPECT_TRUE(result.AllPassed());
    EXPECT_EQ(result.versionText, "GSW3.5.0_3.5.00.00-SDK-3EP2.01");
    EXPECT_EQ(result.ErrorMessage(), "");
    EXPECT_EQ(result.InfoMessage(),
              "设置成功. Receiver reported version:\n\nGSW3.5.0_3.5.00.00-SDK-3EP2.01");
    EXPECT_TRUE(run.recorder.errors.empty());

    // The settings arrived as the receiver expects them, and it was sent
    // back to NMEA at the stored rate with the chosen periods.
    EXPECT_EQ(run.receiver.sentences.front(), "$PSRF100,0,9600,8,1,0*0C\r");
    auto& sent = run.receiver.messages;
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[1], (std::vector<uint8_t>{133, 0, 0, 0, 0, 0, 50}));
    EXPECT_EQ(sent[2], (std::vector<uint8_t>{138, 2, 0}));
    EXPECT_EQ(sent[3], (std::vector<uint8_t>{143, 1}));
    EXPECT_EQ(sent[4][0], 129);
    EXPECT_EQ(sent[4][6], 5); // GSA
    EXPECT_EQ(sent[4][22], 0x25);
    EXPECT_EQ(sent[4][23], 0x80);
    EXPECT_FALSE(run.receiver.binary_);

    EXPECT_EQ(run.recorder.events,
              (std::vector<std::string>{"pause", "stop-watchdog", "purge", "close", "resume",
                                        "restart-watchdog", "reconnect"}));
    EXPECT_EQ(run.recorder.texts.back(), "完成.");
    EXPECT_EQ(run.recorder.steps, 5);
}

// The switch back to NMEA has two bytes for the rate: a faster line is
// refused before the receiver is switched to binary and stranded there.
TEST(SirfParameterSetup, RatesTheSwitchBackCannotCarryAreRefused)
{
    for (uint32_t rate : SirfParameterSetup::kNmeaSwitchRates)
        EXPECT_LE(rate, 0xFFFFu);
    EXPECT_TRUE(SirfParameterSetup::CarriesRate(57600));
    EXPECT_FALSE(SirfParameterSetup::CarriesRate(115200));
    SetupRun run(FakeSirfReceiver::Kind::Sirf);
    SirfSetupResult result = run.Go({}, 115200);
    EXPECT_TRUE(result.rateRefused);
    EXPECT_TRUE(run.wire.raw.empty());
    EXPECT_TRUE(run.recorder.events.empty());
    EXPECT_NE(result.ErrorMessage().find("115200 baud"), std::string::npos);
    EXPECT_NE(result.ErrorMessage().find("57600"), std::string::npos);
}

TEST(SirfParameterSetup, ReceiverThatNeverAnswersIsStillSentBackToNmea)
{
    for (auto kind : {FakeSirfReceiver::Kind::Silent, FakeSirfReceiver::Kind::NmeaOnly}) {
        SetupRun run(kind);
        SirfSetupResult result = run.Go();
        EXPECT_EQ(run.recorder.errors, std::vector<std::string>{"不能切换到 SiRF 二元模式"});
        EXPECT_EQ(run.BinarySwitches(), 3);
        EXPECT_EQ(run.Count(132), kind == FakeSirfReceiver::Kind::Silent ? 3 : 0);
        EXPECT_FALSE(result.version || result.dgpsControl || result.dgpsSource ||
                     result.staticNavigation);
        EXPECT_EQ(result.ErrorMessage(),
                  "Could not set all of the parameters to the SiRF GPS receiver. Results:\n\n"
                  "Software Version: 失败\nDGPS Control: 失败\nDGPS Source: 失败\n"
                  "Static Nav: 失败\n");
        EXPECT_EQ(result.InfoMessage(), "");
        // The switch back went out and the link was re-opened. Three tries
        // of a 2-3 s pause plus 3 s of polls, then 4 s of settling.
        EXPECT_EQ(run.recorder.events.back(), "reconnect");
        EXPECT_EQ(std::count(run.recorder.events.begin(), run.recorder.events.end(), "purge"), 3);
        if (kind == FakeSirfReceiver::Kind::Silent) {
            EXPECT_EQ(run.Count(129), 1);
        }
        EXPECT_GE(run.time.ElapsedMs(), 3 * 5000 + 4000);
        EXPECT_LE(run.time.ElapsedMs(), 3 * 6100 + 4200);
    }
}

TEST(SirfParameterSetup, PartialSuccessIsReportedPerSetting)
{
    SetupRun run(FakeSirfReceiver::Kind::Sirf);
    run.receiver.dropAcksFor = {143};
    run.receiver.versionPollsToIgnore = 1; // the version comes on the second try
    SirfSetupResult result = run.Go();

    EXPECT_EQ(run.BinarySwitches(), 2);
    EXPECT_TRUE(result.version && result.dgpsControl && result.dgpsSource);
    EXPECT_FALSE(result.staticNavigation);
    EXPECT_EQ(run.Count(143), 3);
    EXPECT_EQ(run.Count(133), 1);
    EXPECT_EQ(result.ErrorMessage(),
              "Could not set all of the parameters to the SiRF GPS receiver. Results:\n\n"
              "Software Version: Pass\nDGPS Control: Pass\nDGPS Source: Pass\nStatic Nav: 失败\n");
    EXPECT_EQ(result.InfoMessage(), "Receiver reported version:\n\nGSW3.5.0_3.5.00.00-SDK-3EP2.01");
}

TEST(SirfParameterSetup, NmeaOutputCommandSendsFiveRates)
{
    FakeSirfReceiver receiver(FakeSirfReceiver::Kind::Sirf);
    ReceiverWire wire(receiver);
    test::FakeTime time;
    SetSirfNmeaOutput(wire, time);
    EXPECT_EQ(receiver.sentences,
              (std::vector<std::string>{"$PSRF103,05,00,00,01*21\r", "$PSRF103,00,00,01,01*25\r",
                                        "$PSRF103,04,00,01,01*21\r", "$PSRF103,03,00,02,01*25\r",
                                        "$PSRF103,02,00,02,01*24\r"}));
    EXPECT_EQ(time.ElapsedMs(), 250);
}

} // namespace
} // namespace hw
