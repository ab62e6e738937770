#include "gps/ReceiverSearch.h"
#include "base/MemorySettingsStore.h"
#include "base/SettingsStore.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace hw {
namespace {

// Serial ports with one receiver behind one of them, talking at one rate and
// sending one sentence of each chosen type a second.
class SimulatedPorts final : public ReceiverSearchHost {
public:
    void EnumeratePorts() override { ++enumerations; }
    void ClosePort() override { open = false; }
    void Pause(int milliseconds) override { paused += milliseconds; }
    bool Connect(int port, uint32_t baud) override
    {
        attempts.emplace_back(port, baud);
        open = existing.count(port) > 0;
        openPort = port;
        openBaud = baud;
        return open;
    }
    SentenceCounts Counts() const override { return counts; }

    // 100 ms passes.
    void Advance()
    {
        if (!open || openPort != receiverPort || openBaud != receiverBaud || ++tenths % 10)
            return;
        counts.sentences += 4;
        counts.gga += sendsGga;
        counts.gsa += sendsGsa;
        counts.gsv += sendsGsv;
        counts.rmc += sendsRmc;
    }

    std::set<int> existing{1, 2};
    int receiverPort = 2;
    uint32_t receiverBaud = 19200;
    bool sendsGga = true, sendsGsa = true, sendsGsv = true, sendsRmc = true;

    bool open = false;
    int openPort = -1;
    uint32_t openBaud = 0;
    int enumerations = 0;
    int paused = 0;
    int tenths = 0;
    SentenceCounts counts;
    std::vector<std::pair<int, uint32_t>> attempts;
};

struct SearchRun {
    SearchRun() : search(ports, settings) {}
    // Runs to the end; returns the ticks taken.
    int Finish(int limit = 20000)
    {
        search.Start();
        int ticks = 0;
        while (search.Running() && ticks < limit) {
            search.Tick();
            ports.Advance();
            ++ticks;
        }
        return ticks;
    }
    SimulatedPorts ports;
    MemorySettingsStore settings;
    ReceiverSearch search;
};

TEST(ReceiverSearch, FindsTheReceiverPortAndRate)
{
    SearchRun run;
    run.Finish();
    EXPECT_EQ(run.search.Result(), ReceiverSearch::Outcome::Found);
    EXPECT_EQ(run.search.FinalMessage(), "GPS 已找到");
    // Port 0 does not open; port 1 is tried at four rates, 38400 never.
    EXPECT_EQ(run.ports.attempts, (std::vector<std::pair<int, uint32_t>>{{0, 4800},
                                                                         {1, 4800},
                                                                         {1, 9600},
                                                                         {1, 19200},
                                                                         {1, 57600},
                                                                         {2, 4800},
                                                                         {2, 9600},
                                                                         {2, 19200}}));
    EXPECT_EQ(run.settings.GetInt(section::kSerial, "端口", 0), 2);
    EXPECT_EQ(run.settings.GetInt(section::kSerial, "速率", 0), 19200);
    EXPECT_TRUE(run.ports.open); // a port found stays connected
    for (auto sentence :
         {ReceiverSearch::kGga, ReceiverSearch::kGsa, ReceiverSearch::kRmc, ReceiverSearch::kGsv})
        EXPECT_EQ(run.search.Readout(sentence), "PASS");
    EXPECT_EQ(run.search.Progress(), 2);
    EXPECT_EQ(run.search.ShownPort(), 2);
    EXPECT_EQ(run.search.ShownBaud(), 19200u);
    EXPECT_EQ(run.ports.enumerations, 1);
    EXPECT_EQ(run.search.Status(), "正在验证 NMEA...");
}

TEST(ReceiverSearch, StepsAndTextsTickByTick)
{
    SearchRun run;
    run.ports.existing = {0};
    run.ports.receiverPort = 5;
    run.search.Start();
    EXPECT_FALSE(run.ports.open);

    run.search.Tick();
    EXPECT_EQ(run.search.Status(), "正在搜索 GPS...");
    run.search.Tick();
    EXPECT_EQ(run.search.Status(), "正在打开端口...");
    EXPECT_EQ(run.ports.paused, 100);
    EXPECT_EQ(run.search.Step(), 2);
    run.search.Tick();
    EXPECT_EQ(run.search.Status(), "正在等待数据...");
    // About two seconds at a rate without data: 20 ticks waiting, then on.
    for (int i = 0; i < 20; ++i) {
        run.search.Tick();
        ASSERT_EQ(run.search.Step(), 3);
    }
    run.search.Tick();
    EXPECT_EQ(run.search.Status(), "正在改变波特率...");
    EXPECT_EQ(run.search.Step(), 1);
    run.search.Tick();
    EXPECT_EQ(run.search.ShownBaud(), 9600u);
    EXPECT_EQ(run.ports.attempts.size(), 2u);
}

TEST(ReceiverSearch, ReceiverAtAnUntriedRateIsNotFound)
{
    SearchRun run;
    run.ports.receiverPort = 1;
    run.ports.receiverBaud = 38400;
    run.Finish();
    EXPECT_EQ(run.search.Result(), ReceiverSearch::Outcome::NotFound);
    EXPECT_EQ(run.search.FinalMessage(), "未找到 GPS 接收机");
    EXPECT_FALSE(run.ports.open);
    EXPECT_EQ(run.search.Progress(), ReceiverSearch::kProgressRange);
    EXPECT_EQ(run.ports.attempts.back(), (std::pair<int, uint32_t>{32, 4800}));
    EXPECT_EQ(run.ports.attempts.size(), 33u + 2 * 3);
    EXPECT_FALSE(run.settings.Contains(section::kSerial, "端口"));

    // Once ended, ticks do nothing.
    auto attempts = run.ports.attempts.size();
    run.search.Tick();
    EXPECT_EQ(run.ports.attempts.size(), attempts);
}

TEST(ReceiverSearch, MissingSentenceTypesEndAfterTenSeconds)
{
    SearchRun run;
    run.ports.existing = {1};
    run.ports.receiverPort = 1;
    run.ports.receiverBaud = 4800;
    run.ports.sendsGsa = false;
    run.ports.sendsGsv = false;
    run.search.Start();
    int verifying = 0;
    while (run.search.Running()) {
        run.search.Tick();
        run.ports.Advance();
        if (run.search.Step() == 5)
            ++verifying;
        ASSERT_LT(verifying, 200);
    }
    EXPECT_EQ(run.search.Result(), ReceiverSearch::Outcome::Incomplete);
    EXPECT_EQ(run.search.FinalMessage(), ReceiverSearch::kIncompleteText);
    EXPECT_EQ(verifying, 102);
    EXPECT_EQ(run.search.Readout(ReceiverSearch::kGga), "PASS");
    EXPECT_EQ(run.search.Readout(ReceiverSearch::kRmc), "PASS");
    EXPECT_EQ(run.search.Readout(ReceiverSearch::kGsa), "---");
    EXPECT_EQ(run.search.Readout(ReceiverSearch::kGsv), "---");
    EXPECT_TRUE(run.ports.open);
    EXPECT_EQ(run.settings.GetInt(section::kSerial, "端口", 0), 1);
}

} // namespace
} // namespace hw
