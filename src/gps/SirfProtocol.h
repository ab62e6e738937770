#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hw {

class Clock;
class SerialPort;
class UiPacer;

// Talks to receivers built on SiRF chip sets: the proprietary NMEA sentences
// that set output rates and switch to the binary protocol, binary framing,
// and the receive side that recognises the version and acknowledgement
// messages. Sending and receiving are virtual so that the protocol can be
// spoken over something other than the serial port.
class SirfProtocol {
public:
    static constexpr std::size_t kMaxPayload = 1024;
    static constexpr std::size_t kMaxVersion = 80;

    enum class NmeaMessage { GGA, GSA, GSV, RMC, VTG };

    // Message ids of the binary protocol.
    static constexpr uint8_t kSwitchToNmea = 129;
    static constexpr uint8_t kPollVersion = 132;
    static constexpr uint8_t kDgpsSource = 133;
    static constexpr uint8_t kDgpsControl = 138;
    static constexpr uint8_t kStaticNavigation = 143;
    static constexpr uint8_t kVersionReply = 6;
    static constexpr uint8_t kAcknowledge = 11;

    // Output periods, in seconds, for the switch back to NMEA.
    struct NmeaRates {
        int gga = 1;
        int gsa = 2;
        int gsv = 2;
        int rmc = 1;
    };

    explicit SirfProtocol(SerialPort* port = nullptr) : port_(port) {}
    virtual ~SirfProtocol() = default;

    // Writes through the bound port (nothing when none).
    virtual std::size_t Send(const uint8_t* bytes, std::size_t n);
    // Reads through the bound port (0 when none).
    virtual std::size_t Receive(uint8_t* buffer, std::size_t n);

    // "$", the body, "*", the XOR checksum as two upper-case hex digits, CR LF.
    void SendNmea(std::string_view body);
    void SetRate(NmeaMessage message, int seconds);
    void SwitchToBinary(int protocol, uint32_t baud, int dataBits, int stopBits, int parity);
    // A binary frame around the payload; false (nothing sent) above 1024 bytes.
    bool SendBinary(const uint8_t* payload, std::size_t n);
    bool SendBinary(const std::vector<uint8_t>& payload)
    {
        return SendBinary(payload.data(), payload.size());
    }

    // Reads what waits and runs it through the receive state machine.
    void Pump();
    // The receive state machine, one byte at a time.
    void ReceiveByte(uint8_t byte);
    // Forgets a half-received frame, the version and the counters.
    void ResetReceiver();

    // Pumps until message id is acknowledged or the whole-second wall clock
    // has passed the start plus seconds.
    bool WaitAck(uint8_t id, int seconds, const Clock& clock, UiPacer& pacer);

    const std::string& VersionText() const { return version_; }
    uint32_t VersionCount() const { return versionCount_; }
    uint8_t LastAck() const { return lastAck_; }
    uint32_t MessageCount() const { return messageCount_; }

    // Payloads of the messages the set-up sends.
    static std::string NmeaSentence(std::string_view body);
    static std::vector<uint8_t> Frame(const uint8_t* payload, std::size_t n);
    static std::vector<uint8_t> DgpsSourcePayload(bool sbas);
    static std::vector<uint8_t> DgpsControlPayload(bool sbas);
    static std::vector<uint8_t> StaticNavigationPayload(bool on);
    static std::vector<uint8_t> SwitchToNmeaPayload(const NmeaRates& rates, uint32_t baud);

private:
    void Dispatch();

    SerialPort* port_;
    int state_ = 0;
    uint16_t length_ = 0;
    uint16_t sum_ = 0;
    uint16_t checksum_ = 0;
    std::size_t received_ = 0;
    std::array<uint8_t, kMaxPayload> payload_{};
    std::string version_;
    uint32_t versionCount_ = 0;
    uint8_t lastAck_ = 0;
    uint32_t messageCount_ = 0;
};

} // namespace hw
