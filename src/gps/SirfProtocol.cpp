#include "gps/SirfProtocol.h"

#include "base/Clock.h"
#include "base/UiPacer.h"
#include "gps/SerialPort.h"
#include "units/UnitFormatter.h"

#include <cstring>

namespace hw {
namespace {

constexpr uint8_t kStart1 = 0xA0;
constexpr uint8_t kStart2 = 0xA2;
constexpr uint8_t kEnd1 = 0xB0;
constexpr uint8_t kEnd2 = 0xB3;
constexpr uint16_t kChecksumMask = 0x7FFF;

// Sleep between pumps while waiting for an acknowledgement, so the wait does
// not spin a core.
constexpr int kAckPollMs = 10;

} // namespace

std::size_t SirfProtocol::Send(const uint8_t* bytes, std::size_t n)
{
    return port_ ? port_->Write(bytes, n) : 0;
}

std::size_t SirfProtocol::Receive(uint8_t* buffer, std::size_t n)
{
    return port_ ? port_->Read(buffer, n) : 0;
}

std::string SirfProtocol::NmeaSentence(std::string_view body)
{
    uint8_t checksum = 0;
    for (char c : body)
        checksum ^= static_cast<uint8_t>(c);
    std::string sentence = "$";
    sentence.append(body);
    sentence += FormatString("*%02X\r\n", checksum);
    return sentence;
}

void SirfProtocol::SendNmea(std::string_view body)
{
    std::string sentence = NmeaSentence(body);
    Send(reinterpret_cast<const uint8_t*>(sentence.data()), sentence.size());
}

void SirfProtocol::SetRate(NmeaMessage message, int seconds)
{
    const char* format = "PSRF103,00,00,%02d,01";
    switch (message) {
    case NmeaMessage::GGA: format = "PSRF103,00,00,%02d,01"; break;
    case NmeaMessage::GSA: format = "PSRF103,02,00,%02d,01"; break;
    case NmeaMessage::GSV: format = "PSRF103,03,00,%02d,01"; break;
    case NmeaMessage::RMC: format = "PSRF103,04,00,%02d,01"; break;
    case NmeaMessage::VTG: format = "PSRF103,05,00,%02d,01"; break;
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    SendNmea(FormatString(format, seconds));
#pragma GCC diagnostic pop
}

void SirfProtocol::SwitchToBinary(int protocol, uint32_t baud, int dataBits, int stopBits,
                                  int parity)
{
    SendNmea(FormatString("PSRF100,%d,%u,%d,%d,%d", protocol, baud, dataBits, stopBits, parity));
}

std::vector<uint8_t> SirfProtocol::Frame(const uint8_t* payload, std::size_t n)
{
    uint16_t sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum = static_cast<uint16_t>(sum + payload[i]);
    sum &= kChecksumMask;
    std::vector<uint8_t> frame;
    frame.reserve(n + 8);
    frame.insert(frame.end(),
                 {kStart1, kStart2, static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n & 0xFF)});
    frame.insert(frame.end(), payload, payload + n);
    frame.insert(frame.end(),
                 {static_cast<uint8_t>(sum >> 8), static_cast<uint8_t>(sum & 0xFF), kEnd1, kEnd2});
    return frame;
}

bool SirfProtocol::SendBinary(const uint8_t* payload, std::size_t n)
{
    if (n > kMaxPayload)
        return false;
    std::vector<uint8_t> frame = Frame(payload, n);
    Send(frame.data(), frame.size());
    return true;
}

std::vector<uint8_t> SirfProtocol::DgpsSourcePayload(bool sbas)
{
    return {kDgpsSource, static_cast<uint8_t>(sbas ? 1 : 0), 0, 0, 0, 0, 50};
}

std::vector<uint8_t> SirfProtocol::DgpsControlPayload(bool sbas)
{
    return {kDgpsControl, static_cast<uint8_t>(sbas ? 0 : 2), 0};
}

std::vector<uint8_t> SirfProtocol::StaticNavigationPayload(bool on)
{
    return {kStaticNavigation, static_cast<uint8_t>(on ? 1 : 0)};
}

std::vector<uint8_t> SirfProtocol::SwitchToNmeaPayload(const NmeaRates& rates, uint32_t baud)
{
    std::vector<uint8_t> payload{kSwitchToNmea, 1}; // mode 1
    // Period and checksum flag of GGA, GLL, GSA, GSV, RMC, VTG, MSS, EPE
    // (unused: 0, 0) and ZDA.
    constexpr int kUnused = -1;
    const int periods[] = {rates.gga, 0, rates.gsa, rates.gsv, rates.rmc, 0, 0, kUnused, 0};
    for (int period : periods) {
        payload.push_back(period == kUnused ? 0 : static_cast<uint8_t>(period));
        payload.push_back(period == kUnused ? 0 : 1);
    }
    payload.push_back(0); // reserved
    payload.push_back(0);
    payload.push_back(static_cast<uint8_t>((baud >> 8) & 0xFF));
    payload.push_back(static_cast<uint8_t>(baud & 0xFF));
    return payload;
}

void SirfProtocol::ResetReceiver()
{
    state_ = 0;
    length_ = 0;
    sum_ = 0;
    checksum_ = 0;
    received_ = 0;
    version_.clear();
    versionCount_ = 0;
    messageCount_ = 0;
}

void SirfProtocol::Pump()
{
    uint8_t buffer[2048];
    std::size_t got = Receive(buffer, sizeof buffer);
    for (std::size_t i = 0; i < got; ++i)
        ReceiveByte(buffer[i]);
}

void SirfProtocol::ReceiveByte(uint8_t byte)
{
    switch (state_) {
    case 0: state_ = byte == kStart1 ? 1 : 0; break;
    case 1:
        // A repeated first start byte may still begin a frame.
        state_ = byte == kStart2 ? 2 : byte == kStart1 ? 1 : 0;
        break;
    case 2:
        length_ = static_cast<uint16_t>(byte << 8);
        state_ = 3;
        break;
    case 3:
        length_ = static_cast<uint16_t>(length_ | byte);
        sum_ = 0;
        received_ = 0;
        state_ = length_ >= kMaxPayload ? 0 : length_ == 0 ? 5 : 4;
        break;
    case 4:
        payload_[received_++] = byte;
        sum_ = static_cast<uint16_t>(sum_ + byte);
        if (received_ >= length_)
            state_ = 5;
        break;
    case 5:
        checksum_ = static_cast<uint16_t>(byte << 8);
        state_ = 6;
        break;
    case 6:
        checksum_ = static_cast<uint16_t>(checksum_ | byte);
        state_ = checksum_ == (sum_ & kChecksumMask) ? 7 : 0;
        break;
    case 7: state_ = byte == kEnd1 ? 8 : 0; break;
    case 8:
        state_ = 0;
        if (byte == kEnd2)
            Dispatch();
        break;
    default: state_ = 0; break;
    }
}

void SirfProtocol::Dispatch()
{
    ++messageCount_;
    if (received_ == 0)
        return;
    switch (payload_[0]) {
    case kVersionReply: {
        std::size_t n = std::min(received_ - 1, kMaxVersion);
        const char* text = reinterpret_cast<const char*>(payload_.data() + 1);
        version_.assign(text, strnlen(text, n));
        ++versionCount_;
        break;
    }
    case kAcknowledge:
        if (received_ >= 2)
            lastAck_ = payload_[1];
        break;
    default: break;
    }
}

bool SirfProtocol::WaitAck(uint8_t id, int seconds, const Clock& clock, UiPacer& pacer)
{
    lastAck_ = static_cast<uint8_t>(id + 1);
    const int64_t start = clock.NowSeconds();
    for (;;) {
        pacer.PumpMessages();
        Pump();
        if (lastAck_ == id)
            return true;
        if (clock.NowSeconds() > start + seconds)
            return false;
        pacer.Sleep(kAckPollMs);
    }
}

} // namespace hw
