#pragma once

#include "base/Translate.h"
#include "gps/GpsdAddress.h"
#include "gps/ReaderThread.h"
#include "gps/SirfParameterSetup.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace hw {

class KeepAwake;
class LinkHost;
class NmeaParser;
class NotificationSink;
class SerialPort;
class SettingsStore;

// The link to the receiver as the main frame runs it: connecting (port and
// reader thread), the connect-GPS toggle, the watchdog that notices when data
// stops and the reconnection that follows, replay of a recorded log through
// the same port, and the keep-awake tick. The reader thread feeds the
// parser. Its owner calls Tick() every 200 ms, ReplayTick() every 100 ms
// while replaying and KeepAwakeTick() every 30 s, on the UI thread.
class GpsLink final : public SirfLinkControl {
public:
    static constexpr int kLostAfterTicks = 30;      // the 31st tick without data
    static constexpr int kReconnectEveryTicks = 16; // an attempt on the 17th tick
    static constexpr int kAttemptsBeforeAsking = 2;
    static constexpr const char* kKeepTryingQuestion =
        HW_TRANSLATE_NOOP("GpsLink", "Hikewise 不能够连接到 GPS 接收机。你想要继续尝试连接吗?");
    static constexpr const char* kNoReaderText = "Unable to create the read thread";

    // notices go to the windows (the lost-fix notifications).
    GpsLink(SerialPort& port, NmeaParser& parser, SettingsStore& settings,
            NotificationSink& notices, LinkHost& host, KeepAwake& keepAwake);
    ~GpsLink() override;
    GpsLink(const GpsLink&) = delete;
    GpsLink& operator=(const GpsLink&) = delete;

    // Opens the port (the GPS daemon for kGpsdPortNumber) and starts the
    // reader; stops the replay pump first.
    bool Connect(int port, uint32_t baud, bool showErrors);
    // The start-up connection with the stored settings, silently; then loads
    // automatic reconnection and stay alive.
    bool StartupConnect();
    // This run reads the GPS daemon at address instead of the stored port;
    // nothing is stored. The port dialog's OK ends it.
    void UseGpsdForThisRun(const GpsdAddress& address);
    // The daemon's address: this run's, else the stored one.
    GpsdAddress GpsdAddressInUse() const;
    // The connect-GPS command: connects (or restarts the replay) when closed,
    // disconnects and blocks reconnection when open.
    void ToggleConnect();
    // The serial port settings dialog's OK: connects with errors shown; on
    // success leaves replay, stores the choices and clears user stopped.
    bool ApplyPortSettings(int port, uint32_t baud, bool autoReconnect);
    // Replaces the receiver by a recorded log; false when the file cannot be
    // opened (replay mode is set and the pump runs all the same).
    bool StartReplay(const std::string& path);

    // The watchdog and reconnection tick (every 200 ms).
    void Tick();
    // The replay pump tick (every 100 ms): 128 bytes of the replay file, or
    // that many times the replay speed.
    void ReplayTick();
    void SetReplaySpeed(int speed) { replaySpeed_ = speed < 1 ? 1 : speed; }
    int ReplaySpeed() const { return replaySpeed_; }
    // The keep-awake tick (every 30 s).
    void KeepAwakeTick();
    // Bytes arrived (reader thread or replay pump).
    void OnDataReceived();

    void ReloadAutoReconnect();
    void SetStayAlive(bool stayAlive) { stayAlive_ = stayAlive; }

    bool IsOpen() const;
    bool DataLost() const { return dataLost_.load(); }
    int NoDataTicks() const { return noDataTicks_.load(); }
    bool UserStopped() const { return userStopped_; }
    bool AutoReconnect() const { return autoReconnect_; }
    int ReconnectAttempts() const { return reconnectAttempts_; }
    bool Busy() const { return busy_; }
    bool ReplayMode() const { return replayMode_; }
    bool StayAlive() const { return stayAlive_; }
    bool WatchdogRunning() const { return watchdogRunning_; }

    // SirfLinkControl
    void PauseReader(bool paused) override;
    void StopWatchdog() override { watchdogRunning_ = false; }
    void RestartWatchdog() override { watchdogRunning_ = true; }
    void PurgePort() override;
    void ClosePort() override;
    bool ReconnectStored() override;

private:
    int replaySpeed_ = 1;
    std::optional<GpsdAddress> runGpsd_; // this run's daemon, set by UseGpsdForThisRun
    int StoredPort() const;
    uint32_t StoredBaud() const;
    void DataLostNow();
    void Reconnect();

    SerialPort& port_;
    NmeaParser& parser_;
    SettingsStore& settings_;
    NotificationSink& notices_;
    LinkHost& host_;
    KeepAwake& keepAwake_;
    ReaderThread reader_;

    std::atomic<int> noDataTicks_{0};
    std::atomic<bool> dataLost_{false};
    bool autoReconnect_ = false;
    bool userStopped_ = false;
    int reconnectTicks_ = 0;
    int reconnectAttempts_ = 0;
    bool busy_ = false;
    bool replayMode_ = false;
    std::string replayFile_;
    bool stayAlive_ = true;
    bool watchdogRunning_ = true;
};

} // namespace hw
