#pragma once

#include "base/Translate.h"

#include <array>
#include <cstdint>
#include <string>

namespace hw {

class SettingsStore;

// Sentence counters of the decoder, read by the search.
struct SentenceCounts {
    uint32_t sentences = 0;
    uint32_t gga = 0;
    uint32_t gsa = 0;
    uint32_t gsv = 0;
    uint32_t rmc = 0;
};

// What the receiver search needs from the program.
class ReceiverSearchHost {
public:
    virtual ~ReceiverSearchHost() = default;
    // Lists the system's ports (gives new devices their numbers).
    virtual void EnumeratePorts() = 0;
    virtual void ClosePort() = 0;
    virtual void Pause(int milliseconds) = 0;
    // Connects silently; true when the port opened.
    virtual bool Connect(int port, uint32_t baud) = 0;
    // True when the last Connect() failed because the user may not open
    // the device.
    virtual bool ConnectRefused() const { return false; }
    virtual SentenceCounts Counts() const = 0;
};

// The receiver search of the "查找 GPS" dialog: every port number from 0 to
// 32 at 4800, 9600, 19200 and 57600 baud until NMEA arrives, then about ten
// seconds to see GGA, GSV, GSA and RMC. Its owner calls Tick() every 100 ms
// and shows the read-outs; the search stops itself and says how it ended.
class ReceiverSearch {
public:
    static constexpr int kLastPort = 32;
    static constexpr int kProgressRange = 33;
    static constexpr uint32_t kRates[] = {4800, 9600, 19200, 57600};
    enum Sentence { kGga, kGsa, kRmc, kGsv }; // read-out order in the dialog
    enum class Outcome { Running, Found, NotFound, Incomplete };
    static constexpr const char* kNotFoundText =
        HW_TRANSLATE_NOOP("ReceiverSearch", "未找到 GPS 接收机");
    static constexpr const char* kFoundText = HW_TRANSLATE_NOOP("ReceiverSearch", "GPS 已找到");
    static constexpr const char* kIncompleteText = HW_TRANSLATE_NOOP(
        "ReceiverSearch",
        "GPS已被发现,但是它不支持所有必要的NMEA语句.Hikewise需要这些NMEA语句正常:GPGGA ,GPGSV "
        ",GPGSA和GPRMC.请与您的GPS制造商联系,以确保这些语句的支持.查看帮助以获取更多信息. ");

    ReceiverSearch(ReceiverSearchHost& host, SettingsStore& settings)
        : host_(host), settings_(settings)
    {
    }

    // The dialog opened.
    void Start();
    // One step; does nothing once the search has ended.
    void Tick();

    Outcome Result() const { return outcome_; }
    bool Running() const { return outcome_ == Outcome::Running; }
    // The message to show at the end (empty while running); when no
    // receiver was found and a port refused the user, it says how to get
    // access.
    std::string FinalMessage() const;

    int Step() const { return step_; }
    const std::string& Status() const { return status_; }
    int ShownPort() const { return shownPort_; }
    uint32_t ShownBaud() const { return shownBaud_; }
    int Progress() const { return progress_; }
    // "---" until the sentence type was seen, then "PASS".
    const std::string& Readout(Sentence sentence) const { return readouts_[sentence]; }

private:
    void Finish(Outcome outcome);
    void WaitForData();
    void Verify();

    ReceiverSearchHost& host_;
    SettingsStore& settings_;
    Outcome outcome_ = Outcome::Running;
    int step_ = 0;
    int port_ = 0;
    int rateIndex_ = 0;
    int ticks_ = 0;
    uint32_t startCount_ = 0;
    SentenceCounts taken_;
    unsigned seen_ = 0;
    bool refused_ = false; // a port refused the user for lack of permission
    std::string status_;
    int shownPort_ = 0;
    uint32_t shownBaud_ = 4800;
    int progress_ = 0;
    std::array<std::string, 4> readouts_{"---", "---", "---", "---"};
};

} // namespace hw
