#include "gps/GpsLink.h"

#include "base/NotificationSink.h"
#include "base/SettingsStore.h"
#include "base/WindowMessages.h"
#include "gps/GpsdAddress.h"
#include "gps/KeepAwake.h"
#include "gps/LinkHost.h"
#include "gps/NmeaParser.h"
#include "gps/ReplayPump.h"
#include "gps/SerialPort.h"

namespace hw {
namespace {

constexpr const char* kPortName = "端口";
constexpr const char* kBaudName = "速率";
constexpr const char* kAutoReconnectName = "自动重接";
constexpr const char* kStayAliveName = "Stay Alive";

} // namespace

GpsLink::GpsLink(SerialPort& port, NmeaParser& parser, SettingsStore& settings,
                 NotificationSink& notices, LinkHost& host, KeepAwake& keepAwake)
    : port_(port), parser_(parser), settings_(settings), notices_(notices), host_(host),
      keepAwake_(keepAwake)
{
    ReloadAutoReconnect();
    stayAlive_ = settings_.GetInt(section::kSettings, kStayAliveName, 1) != 0;
}

GpsLink::~GpsLink()
{
    ClosePort();
}

int GpsLink::StoredPort() const
{
    if (runGpsd_)
        return kGpsdPortNumber;
    return settings_.GetInt(section::kSerial, kPortName, 1);
}

GpsdAddress GpsLink::GpsdAddressInUse() const
{
    if (runGpsd_)
        return *runGpsd_;
    GpsdAddress address;
    GpsdAddress::Parse(
        settings_.GetText(section::kSerial, kGpsdAddressName, GpsdAddress::kDefaultText), address);
    return address;
}

void GpsLink::UseGpsdForThisRun(const GpsdAddress& address)
{
    runGpsd_ = address;
}

uint32_t GpsLink::StoredBaud() const
{
    int32_t baud = settings_.GetInt(section::kSerial, kBaudName, 4800);
    return baud > 0 ? static_cast<uint32_t>(baud) : 4800;
}

bool GpsLink::IsOpen() const
{
    return port_.IsOpen();
}

void GpsLink::ReloadAutoReconnect()
{
    autoReconnect_ = settings_.GetInt(section::kSerial, kAutoReconnectName, 0) != 0;
}

void GpsLink::ClosePort()
{
    port_.Close();
    reader_.Stop();
}

void GpsLink::PurgePort()
{
    port_.Purge();
}

void GpsLink::PauseReader(bool paused)
{
    ReaderThread::SetPaused(paused);
}

void GpsLink::OnDataReceived()
{
    noDataTicks_ = 0;
    dataLost_ = false;
}

bool GpsLink::Connect(int port, uint32_t baud, bool showErrors)
{
    busy_ = true;
    host_.StopReplayTimer();
    ClosePort();
    const bool opened = port == kGpsdPortNumber ? port_.OpenGpsd(GpsdAddressInUse(), showErrors)
                                                : port_.Open(port, baud, showErrors);
    if (!opened) {
        busy_ = false;
        return false;
    }
    // A receiver on a serial port or the daemon (by the search, the port
    // dialog or the stored port) ends the replay: the connect command now
    // means the port.
    replayMode_ = false;
    bool started = reader_.Start(port_, [this](const uint8_t* bytes, std::size_t n) {
        parser_.Feed(bytes, n);
        OnDataReceived();
    });
    if (!started)
        host_.ShowError(kNoReaderText);
    busy_ = false;
    return started;
}

bool GpsLink::ReconnectStored()
{
    return Connect(StoredPort(), StoredBaud(), false);
}

bool GpsLink::StartupConnect()
{
    bool connected = ReconnectStored();
    ReloadAutoReconnect();
    stayAlive_ = settings_.GetInt(section::kSettings, kStayAliveName, 1) != 0;
    return connected;
}

void GpsLink::ToggleConnect()
{
    if (IsOpen()) {
        ClosePort();
        userStopped_ = true;
        return;
    }
    userStopped_ = false;
    if (replayMode_) {
        port_.OpenReplayFile(replayFile_);
        host_.StartReplayTimer();
    } else {
        ReconnectStored();
    }
}

bool GpsLink::ApplyPortSettings(int port, uint32_t baud, bool autoReconnect)
{
    runGpsd_.reset(); // the user's choice replaces this run's daemon
    ClosePort();
    if (!Connect(port, baud, true))
        return false;
    settings_.SetInt(section::kSerial, kPortName, port);
    settings_.SetInt(section::kSerial, kBaudName, static_cast<int32_t>(baud));
    settings_.SetInt(section::kSerial, kAutoReconnectName, autoReconnect ? 1 : 0);
    userStopped_ = false;
    autoReconnect_ = autoReconnect;
    return true;
}

bool GpsLink::StartReplay(const std::string& path)
{
    ClosePort();
    bool opened = port_.OpenReplayFile(path);
    replayFile_ = path;
    replayMode_ = true;
    host_.StartReplayTimer();
    return opened;
}

void GpsLink::DataLostNow()
{
    dataLost_ = true;
    reconnectAttempts_ = 0;
    noDataTicks_ = 0;
    ClosePort();
    parser_.Reset();
    notices_.Post(WM_GPS_GGA);
    notices_.Post(WM_GPS_GSV);
    notices_.Post(WM_GPS_RMC);
    notices_.Post(WM_GPS_SENTENCE);
}

void GpsLink::Reconnect()
{
    if (reconnectAttempts_ >= kAttemptsBeforeAsking) {
        // The question is modal: no ticks run while it is open.
        watchdogRunning_ = false;
        bool keepTrying = host_.AskYesNo(Translate("GpsLink", kKeepTryingQuestion));
        watchdogRunning_ = true;
        if (!keepTrying) {
            ClosePort();
            userStopped_ = true;
            return;
        }
    }
    ++reconnectAttempts_;
    ClosePort();
    ReconnectStored();
}

void GpsLink::Tick()
{
    if (!watchdogRunning_)
        return;
    const int idle = noDataTicks_.fetch_add(1);
    if (idle >= kLostAfterTicks && !dataLost_) {
        DataLostNow();
        return;
    }
    if (!dataLost_ || !autoReconnect_ || userStopped_)
        return;
    if (reconnectTicks_++ < kReconnectEveryTicks)
        return;
    reconnectTicks_ = 0;
    Reconnect();
}

void GpsLink::ReplayTick()
{
    if (ReplayPumpStep(port_, parser_, replaySpeed_) > 0)
        OnDataReceived();
}

void GpsLink::KeepAwakeTick()
{
    keepAwake_.Hold(stayAlive_);
}

} // namespace hw
