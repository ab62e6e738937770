#pragma once

#include "core/LinkTestSupport.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace hw::test {

// A receiver on the other end of the wire. A SiRF one switches to binary on
// a valid PSRF100, answers the version poll and acknowledges settings in the
// binary protocol, and returns to NMEA on message 129. It parses what it is
// sent with its own framing code, independent of the code under test.
class FakeSirfReceiver {
public:
    // Silent: switches to binary but never answers. NmeaOnly: ignores the
    // switch and keeps sending NMEA.
    enum class Kind { Sirf, Silent, NmeaOnly };
    explicit FakeSirfReceiver(Kind kind) : kind_(kind) {}

    void Accept(const uint8_t* bytes, std::size_t n)
    {
        input_.insert(input_.end(), bytes, bytes + n);
        while (binary_ ? TakeFrame() : TakeSentence()) {
        }
    }
    std::size_t Drain(uint8_t* out, std::size_t n)
    {
        if (kind_ == Kind::NmeaOnly) // keeps talking NMEA whatever it is told
            Queue("$GPGGA,120000.000,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,*0F\r\n");
        std::size_t count = std::min(n, output_.size());
        std::copy(output_.begin(), output_.begin() + static_cast<long>(count), out);
        output_.erase(output_.begin(), output_.begin() + static_cast<long>(count));
        return count;
    }

    std::set<uint8_t> dropAcksFor;              // settings it takes without acknowledging
    int versionPollsToIgnore = 0;               // answers only later polls
    std::vector<std::string> sentences;         // NMEA it was sent
    std::vector<std::vector<uint8_t>> messages; // binary payloads it was sent
    bool binary_ = false;

private:
    void Queue(const std::string& text) { output_.insert(output_.end(), text.begin(), text.end()); }
    void QueueFrame(const std::vector<uint8_t>& payload)
    {
        auto frame = test::SirfFrame(payload);
        output_.insert(output_.end(), frame.begin(), frame.end());
    }

    bool TakeSentence()
    {
        auto end = std::find(input_.begin(), input_.end(), '\n');
        if (end == input_.end())
            return false;
        std::string line(input_.begin(), end);
        input_.erase(input_.begin(), end + 1);
        sentences.push_back(line);
        // "$BODY*HH\r": the checksum must be right for the receiver to act.
        auto star = line.find('*');
        if (line.empty() || line[0] != '$' || star == std::string::npos)
            return true;
        unsigned sum = 0;
        for (std::size_t i = 1; i < star; ++i)
            sum ^= static_cast<unsigned char>(line[i]);
        if (std::stoul(line.substr(star + 1, 2), nullptr, 16) != sum)
            return true;
        if (kind_ != Kind::NmeaOnly && line.compare(1, 10, "PSRF100,0,") == 0)
            binary_ = true;
        return true;
    }

    bool TakeFrame()
    {
        while (input_.size() >= 2 && !(input_[0] == 0xA0 && input_[1] == 0xA2))
            input_.erase(input_.begin());
        if (input_.size() < 8)
            return false;
        std::size_t length = (std::size_t(input_[2]) << 8) | input_[3];
        if (input_.size() < length + 8)
            return false;
        std::vector<uint8_t> payload(input_.begin() + 4, input_.begin() + 4 + long(length));
        unsigned sum = 0;
        for (uint8_t b : payload)
            sum += b;
        unsigned sent = (unsigned(input_[4 + length]) << 8) | input_[5 + length];
        bool whole =
            sent == (sum & 0x7FFF) && input_[6 + length] == 0xB0 && input_[7 + length] == 0xB3;
        input_.erase(input_.begin(), input_.begin() + 8 + long(length));
        if (whole && !payload.empty())
            Answer(payload);
        return true;
    }

    void Answer(const std::vector<uint8_t>& payload)
    {
        messages.push_back(payload);
        if (kind_ == Kind::Silent)
            return;
        switch (payload[0]) {
        case 132:
            if (versionPollsToIgnore-- <= 0) {
                std::string version = "GSW3.5.0_3.5.00.00-SDK-3EP2.01";
                std::vector<uint8_t> reply(version.size() + 1, 6);
                std::copy(version.begin(), version.end(), reply.begin() + 1);
                QueueFrame(reply);
            }
            break;
        case 133:
        case 138:
        case 143:
            if (!dropAcksFor.count(payload[0]))
                QueueFrame({11, payload[0]});
            break;
        case 129: binary_ = false; break;
        default: break;
        }
    }

    Kind kind_;
    std::vector<uint8_t> input_;
    std::vector<uint8_t> output_;
};

} // namespace hw::test
