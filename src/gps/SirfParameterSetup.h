#pragma once

#include "gps/SirfProtocol.h"

#include <cstdint>
#include <string>

namespace hw {

class Clock;
class UiPacer;

// What the SiRF set-up needs from the serial link while it talks binary.
class SirfLinkControl {
public:
    virtual ~SirfLinkControl() = default;
    virtual void PauseReader(bool paused) = 0;
    virtual void StopWatchdog() = 0;
    virtual void RestartWatchdog() = 0;
    virtual void PurgePort() = 0;
    virtual void ClosePort() = 0;
    // Connects again with the stored port and rate, silently.
    virtual bool ReconnectStored() = 0;
};

// The progress window shown during the set-up.
class SirfProgress {
public:
    virtual ~SirfProgress() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual void Step() = 0;
    // An error message box shown while the set-up runs.
    virtual void ShowError(const std::string& text) = 0;
};

// The choices of the "SiRF GPS 设定" dialog.
struct SirfSetupOptions {
    bool staticNavigation = false;
    bool sbas = true;
    SirfProtocol::NmeaRates rates;
};

struct SirfSetupResult {
    // The line runs faster than the switch back to NMEA can carry: nothing
    // was sent.
    bool rateRefused = false;
    uint32_t refusedBaud = 0;
    bool version = false;
    bool dgpsControl = false;
    bool dgpsSource = false;
    bool staticNavigation = false;
    std::string versionText;

    bool AllPassed() const { return version && dgpsControl && dgpsSource && staticNavigation; }
    // The error message listing each result; empty when all passed.
    std::string ErrorMessage() const;
    // The message with the receiver's version; empty when none was received.
    std::string InfoMessage() const;
};

// "Set SiRF parameters" once the user has confirmed and chosen: pauses the
// reader and the watchdog, switches the receiver to binary (three tries,
// each polling the software version), sets SBAS and static navigation,
// always switches back to NMEA with the chosen rates at the stored baud, and
// reconnects. The caller shows the progress window (0 to 6, step 1) around
// it and the result messages after it.
class SirfParameterSetup {
public:
    static constexpr int kProgressRange = 6;
    // The port rates the switch back to NMEA carries (its field has two bytes).
    static constexpr uint32_t kNmeaSwitchRates[] = {4800, 9600, 19200, 38400, 57600};
    static bool CarriesRate(uint32_t baud);

    SirfParameterSetup(SirfProtocol& sirf, SirfLinkControl& link, SirfProgress& progress,
                       const Clock& clock, UiPacer& pacer)
        : sirf_(sirf), link_(link), progress_(progress), clock_(clock), pacer_(pacer)
    {
    }

    SirfSetupResult Run(uint32_t baud, const SirfSetupOptions& options);

private:
    bool SwitchAndPollVersion(uint32_t baud);
    bool SendUntilAcknowledged(const std::vector<uint8_t>& payload);
    void PumpFor(int ticks);

    SirfProtocol& sirf_;
    SirfLinkControl& link_;
    SirfProgress& progress_;
    const Clock& clock_;
    UiPacer& pacer_;
};

} // namespace hw

namespace hw {

// "Set SiRF NMEA output" once confirmed: VTG off, GGA and RMC every second,
// GSV and GSA every two, 50 ms apart. The reader keeps running.
void SetSirfNmeaOutput(SirfProtocol& sirf, UiPacer& pacer);

} // namespace hw
