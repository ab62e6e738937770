#include "gps/SirfProtocol.h"

#include "core/LinkTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace hw {
namespace {

// Captures what the protocol sends and plays back scripted replies.
class WireProtocol final : public SirfProtocol {
public:
    std::size_t Send(const uint8_t* bytes, std::size_t n) override
    {
        sent.insert(sent.end(), bytes, bytes + n);
        return n;
    }
    std::size_t Receive(uint8_t* buffer, std::size_t n) override
    {
        std::size_t count = std::min(n, replies.size());
        std::copy(replies.begin(), replies.begin() + static_cast<long>(count), buffer);
        replies.erase(replies.begin(), replies.begin() + static_cast<long>(count));
        return count;
    }
    void Feed(const std::vector<uint8_t>& bytes)
    {
        for (uint8_t b : bytes)
            ReceiveByte(b);
    }
    std::string SentText() const { return std::string(sent.begin(), sent.end()); }

    std::vector<uint8_t> sent;
    std::vector<uint8_t> replies;
};

std::vector<uint8_t> VersionPayload(const std::string& text)
{
    std::vector<uint8_t> payload(text.size() + 1, 6);
    std::copy(text.begin(), text.end(), payload.begin() + 1);
    return payload;
}

TEST(SirfProtocol, NmeaCommandsCarryTheirChecksums)
{
    WireProtocol wire;
    wire.SwitchToBinary(0, 9600, 8, 1, 0);
    EXPECT_EQ(wire.SentText(), "$PSRF100,0,9600,8,1,0*0C\r\n");

    wire.sent.clear();
    wire.SetRate(SirfProtocol::NmeaMessage::VTG, 0);
    wire.SetRate(SirfProtocol::NmeaMessage::GGA, 1);
    wire.SetRate(SirfProtocol::NmeaMessage::GSV, 2);
    EXPECT_EQ(wire.SentText(), "$PSRF103,05,00,00,01*21\r\n"
                               "$PSRF103,00,00,01,01*25\r\n"
                               "$PSRF103,03,00,02,01*25\r\n");
}

TEST(SirfProtocol, BinaryFramesAreFramedAndBounded)
{
    WireProtocol wire;
    const uint8_t poll[] = {132, 0};
    ASSERT_TRUE(wire.SendBinary(poll, sizeof poll));
    EXPECT_EQ(wire.sent,
              (std::vector<uint8_t>{0xA0, 0xA2, 0x00, 0x02, 0x84, 0x00, 0x00, 0x84, 0xB0, 0xB3}));

    // The sum keeps 15 bits: 1024 bytes of 0xFF sum to 0x3FC00.
    wire.sent.clear();
    std::vector<uint8_t> big(1024, 0xFF);
    ASSERT_TRUE(wire.SendBinary(big));
    ASSERT_EQ(wire.sent.size(), 1024u + 8);
    EXPECT_EQ(wire.sent[2], 0x04);
    EXPECT_EQ(wire.sent[3], 0x00);
    EXPECT_EQ(wire.sent[1028], 0x7C);
    EXPECT_EQ(wire.sent[1029], 0x00);

    wire.sent.clear();
    std::vector<uint8_t> tooBig(1025, 1);
    EXPECT_FALSE(wire.SendBinary(tooBig));
    EXPECT_TRUE(wire.sent.empty());
}

TEST(SirfProtocol, SetupPayloadsFollowTheReceiverLayout)
{
    EXPECT_EQ(SirfProtocol::DgpsSourcePayload(true),
              (std::vector<uint8_t>{133, 1, 0, 0, 0, 0, 50}));
    EXPECT_EQ(SirfProtocol::DgpsSourcePayload(false),
              (std::vector<uint8_t>{133, 0, 0, 0, 0, 0, 50}));
    EXPECT_EQ(SirfProtocol::DgpsControlPayload(true), (std::vector<uint8_t>{138, 0, 0}));
    EXPECT_EQ(SirfProtocol::DgpsControlPayload(false), (std::vector<uint8_t>{138, 2, 0}));
    EXPECT_EQ(SirfProtocol::StaticNavigationPayload(true), (std::vector<uint8_t>{143, 1}));

    SirfProtocol::NmeaRates rates{3, 4, 5, 6};
    // GGA, GLL, GSA, GSV, RMC, VTG, MSS, EPE, ZDA pairs; reserved; baud.
    EXPECT_EQ(SirfProtocol::SwitchToNmeaPayload(rates, 4800),
              (std::vector<uint8_t>{129, 1, 3, 1, 0, 1, 4, 1, 5, 1, 6,    1,
                                    0,   1, 0, 1, 0, 0, 0, 1, 0, 0, 0x12, 0xC0}));
}

TEST(SirfProtocol, ReceiverRecognisesVersionAndAcknowledgement)
{
    WireProtocol wire;
    std::vector<uint8_t> stream{'$', 'G', 'P', 0xA0, 0x00}; // noise first
    auto version = test::SirfFrame(VersionPayload("GSW3.5.0"));
    auto ack = test::SirfFrame({11, 133});
    stream.insert(stream.end(), version.begin(), version.end());
    stream.insert(stream.end(), ack.begin(), ack.end());
    wire.Feed(stream);
    EXPECT_EQ(wire.VersionText(), "GSW3.5.0");
    EXPECT_EQ(wire.VersionCount(), 1u);
    EXPECT_EQ(wire.LastAck(), 133);
    EXPECT_EQ(wire.MessageCount(), 2u);

    // A doubled start byte still begins a frame.
    wire.Feed({0xA0});
    wire.Feed(test::SirfFrame({11, 143}));
    EXPECT_EQ(wire.LastAck(), 143);
}

TEST(SirfProtocol, DamagedFramesAreIgnored)
{
    WireProtocol wire;
    auto badSum = test::SirfFrame({11, 133});
    badSum[badSum.size() - 3] ^= 1;
    auto noTrailer = test::SirfFrame({11, 138});
    noTrailer.resize(noTrailer.size() - 2);
    std::vector<uint8_t> tooLong{0xA0, 0xA2, 0x04, 0x00, 11, 143};
    for (const auto& frame : {badSum, noTrailer, tooLong})
        wire.Feed(frame);
    EXPECT_EQ(wire.MessageCount(), 0u);
    EXPECT_NE(wire.LastAck(), 133);
    EXPECT_NE(wire.LastAck(), 138);

    // A frame after the damage is read normally; an empty one is counted.
    wire.Feed(test::SirfFrame({}));
    wire.Feed(test::SirfFrame({11, 129}));
    EXPECT_EQ(wire.MessageCount(), 2u);
    EXPECT_EQ(wire.LastAck(), 129);
}

TEST(SirfProtocol, VersionTextIsBoundedAndStopsAtNul)
{
    WireProtocol wire;
    wire.Feed(test::SirfFrame(VersionPayload(std::string(200, 'V'))));
    EXPECT_EQ(wire.VersionText(), std::string(80, 'V'));
    wire.Feed(test::SirfFrame(VersionPayload(std::string("AB\0CD", 5))));
    EXPECT_EQ(wire.VersionText(), "AB");
    EXPECT_EQ(wire.VersionCount(), 2u);
    wire.ResetReceiver();
    EXPECT_EQ(wire.VersionCount(), 0u);
    EXPECT_TRUE(wire.VersionText().empty());
}

TEST(SirfProtocol, WaitAckEndsOnTheAckOrAfterTheTime)
{
    test::FakeTime time;
    WireProtocol wire;
    auto ack = test::SirfFrame({11, 138});
    wire.replies = ack;
    EXPECT_TRUE(wire.WaitAck(138, 2, time, time));
    EXPECT_LT(time.ElapsedMs(), 100);

    // An acknowledgement of another message does not end the wait; whole
    // seconds: it ends once the second after start + 2 has begun.
    wire.replies = test::SirfFrame({11, 133});
    const int64_t start = time.ElapsedMs();
    EXPECT_FALSE(wire.WaitAck(138, 2, time, time));
    EXPECT_GE(time.ElapsedMs() - start, 2000);
    EXPECT_LE(time.ElapsedMs() - start, 3010);
    EXPECT_GT(time.pumps, 100);
}

// Arbitrary bytes, and valid frames with random damage, never crash the
// receiver, never overrun its buffers and never produce more messages than
// whole frames could carry.
TEST(SirfProtocol, FuzzedInputIsHarmless)
{
    std::mt19937 random(20261207);
    WireProtocol wire;
    std::vector<uint8_t> noise(1 << 18);
    for (auto& b : noise)
        b = static_cast<uint8_t>(random());
    wire.Feed(noise);
    EXPECT_LE(wire.MessageCount(), noise.size() / 8);
    EXPECT_LE(wire.VersionText().size(), SirfProtocol::kMaxVersion);

    const std::vector<std::vector<uint8_t>> seeds{
        test::SirfFrame(VersionPayload("GSW3.5.0_3.5.00.00-SDK")), test::SirfFrame({11, 133}),
        test::SirfFrame(std::vector<uint8_t>(1023, 0xA0)), test::SirfFrame({})};
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> frame = seeds[random() % seeds.size()];
        int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits && !frame.empty(); ++e) {
            std::size_t at = random() % frame.size();
            switch (random() % 4) {
            case 0: frame[at] = static_cast<uint8_t>(random()); break;
            case 1: frame.erase(frame.begin() + static_cast<long>(at)); break;
            case 2: frame.insert(frame.begin() + static_cast<long>(at), 0xA0); break;
            default: frame.resize(at); break;
            }
        }
        wire.Feed(frame);
        ASSERT_LE(wire.VersionText().size(), SirfProtocol::kMaxVersion);
    }
    // Once a frame's worth of bytes has passed, the receiver is in step.
    const uint32_t before = wire.MessageCount();
    wire.Feed(std::vector<uint8_t>(SirfProtocol::kMaxPayload + 16, 0));
    wire.Feed(test::SirfFrame({11, 42}));
    EXPECT_EQ(wire.LastAck(), 42);
    EXPECT_GE(wire.MessageCount(), before + 1);
}

} // namespace
} // namespace hw
